#include "texts/phrase.h"

#include "texts/text_catalogue.h"

namespace vx {

QString FillIn(QStringView pattern, const QStringList& args) {
    QString out;
    out.reserve(pattern.size() + 32);
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' &&
            pattern[i + 1] <= u'9') {
            const qsizetype n = pattern[i + 1].unicode() - u'1';
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString Phrase::english() const {
    return FillIn(key, args);
}

QString Phrase::in(const TextCatalogue& catalogue) const {
    QStringList filled = args;
    for (qsizetype i = 0; i < filled.size() && i < 32; ++i)
        if (words & (1u << i))
            filled[i] = catalogue.tx(filled[i]);
    return FillIn(catalogue.tx(key), filled);
}

} // namespace vx
