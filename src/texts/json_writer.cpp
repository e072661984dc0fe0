#include "texts/json_writer.h"

namespace vx {

namespace {

QString hex4(char16_t unit) {
    return QStringLiteral("\\u%1").arg(unsigned(unit), 4, 16, QLatin1Char('0'));
}

void appendSeparator(QString& body, JsonSeparators separators) {
    if (!body.isEmpty())
        body += separators == JsonSeparators::Spaced ? QStringView(u", ") : QStringView(u",");
}

} // namespace

QString JsonQuote(QStringView text, JsonEscapes escapes) {
    const bool toolkit = escapes == JsonEscapes::Toolkit;
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'"':
            out += u"\\\"";
            break;
        case u'\\':
            out += u"\\\\";
            break;
        case u'\n':
            out += u"\\n";
            break;
        case u'\r':
            out += u"\\r";
            break;
        case u'\t':
            out += u"\\t";
            break;
        case u'\b':
            out += toolkit ? QStringLiteral("\\b") : hex4(c);
            break;
        case u'\f':
            out += toolkit ? QStringLiteral("\\f") : hex4(c);
            break;
        default:
            if (c < 0x20 || (c == 0x7f && !toolkit)) {
                out += hex4(c);
            } else if (toolkit && QChar::isSurrogate(c)) {
                // A pair passes as it is; a lone half cannot be UTF-8.
                const bool paired = QChar::isHighSurrogate(c)
                                        ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                                        : i > 0 && text[i - 1].isHighSurrogate();
                out += paired ? QString(QChar(c)) : hex4(c);
            } else {
                out += QChar(c);
            }
        }
    }
    out += u'"';
    return out;
}

JsonObject& JsonObject::raw(QStringView key, QStringView json) {
    appendSeparator(body_, style_.separators);
    body_ += JsonQuote(key, style_.escapes);
    body_ += style_.separators == JsonSeparators::Spaced ? QStringView(u": ") : QStringView(u":");
    body_ += json;
    return *this;
}

JsonObject& JsonObject::str(QStringView key, QStringView value) {
    return raw(key, JsonQuote(value, style_.escapes));
}

JsonObject& JsonObject::strOrNull(QStringView key, QStringView value) {
    return value.isEmpty() ? raw(key, u"null") : str(key, value);
}

JsonObject& JsonObject::num(QStringView key, qint64 value) {
    return raw(key, QString::number(value));
}

JsonObject& JsonObject::flag(QStringView key, bool value) {
    return raw(key, value ? QStringView(u"true") : QStringView(u"false"));
}

JsonArray JsonArray::strings(const QStringList& texts, JsonStyle style) {
    JsonArray array(style);
    for (const QString& t : texts)
        array.str(t);
    return array;
}

JsonArray& JsonArray::raw(QStringView json) {
    appendSeparator(body_, style_.separators);
    body_ += json;
    return *this;
}

JsonArray& JsonArray::str(QStringView value) {
    return raw(JsonQuote(value, style_.escapes));
}

} // namespace vx
