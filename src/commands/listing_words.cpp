#include "commands/listing_words.h"

#include "commands/line_syntax.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

namespace vx {

ListingSplit SplitForListing(const QString& trimmed) {
    ListingSplit s;
    const QChar first = trimmed.front();
    s.work = first == u'*' || first == u'/' ? trimmed : trimmed.toUpper();
    const auto f = SplitLine(s.work);
    s.code = f[0].isEmpty() ? QChar() : f[0].front().toUpper();
    if (f[0].size() > 1 && f[0][1] >= u'1' && f[0][1] <= u'9')
        s.digit = f[0].mid(1, 1);
    for (int k = 1; k <= 5; ++k)
        s.op[k] = f[static_cast<size_t>(k)];
    // "/M, text" as well as "/, M, text": the letter may follow the slash.
    if (s.code == u'/' && f[0].size() > 1) {
        for (int k = 5; k >= 2; --k)
            s.op[k] = s.op[k - 1];
        s.op[1] = Trim(QStringView(f[0]).mid(1));
        s.textComma = 1;
    }
    return s;
}

const QString& ListingWords::T(QStringView english) const {
    return c.tx(english);
}

QString ListingWords::contactState(QChar state) const {
    if (state == u'B')
        return u' ' + UpperTrim(c.SwitchStateNames(7));
    if (state == u'F')
        return u' ' + UpperTrim(c.SwitchStateNames(1));
    return QString();
}

QString ListingWords::connector(const QString& op) const {
    if (op == u"AND")
        return u' ' + T(u"AND");
    if (op == u"OR")
        return u' ' + T(u"OR");
    return QString();
}

QChar FirstUpper(QStringView text) {
    return text.isEmpty() ? QChar() : text.front().toUpper();
}

QString UpperTrim(const QString& text) {
    return Trim(text).toUpper();
}

QString Capitalised(const QString& text) {
    if (text.isEmpty())
        return text;
    return text.front().toUpper() + text.mid(1);
}

} // namespace vx
