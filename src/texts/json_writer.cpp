#include "texts/json_writer.h"

namespace vx {

namespace {

QString hex4(char16_t unit) {
    return QStringLiteral("\\u%1").arg(unsigned(unit), 4, 16, QLatin1Char('0'));
}

// The body holds the opening bracket already.
void appendSeparator(QString& body, JsonSeparators separators) {
    if (body.size() > 1)
        body += separators == JsonSeparators::Spaced ? QStringView(u", ") : QStringView(u",");
}

} // namespace

QString JsonQuote(QStringView text, JsonEscapes escapes) {
    QString out;
    out.reserve(text.size() + 2);
    AppendJsonQuoted(out, text, escapes);
    return out;
}

void AppendJsonQuoted(QString& out, QStringView text, JsonEscapes escapes) {
    const bool toolkit = escapes == JsonEscapes::Toolkit;
    out += u'"';
    // Most texts need no escape at all: copy runs of plain characters at once.
    qsizetype plainFrom = 0;
    const auto flush = [&](qsizetype upTo) {
        if (upTo > plainFrom)
            out += text.sliced(plainFrom, upTo - plainFrom);
        plainFrom = upTo + 1;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c != u'"' && c != u'\\' && c < 0x7f)
            continue;
        switch (c) {
        case u'"':
            flush(i);
            out += u"\\\"";
            break;
        case u'\\':
            flush(i);
            out += u"\\\\";
            break;
        case u'\n':
            flush(i);
            out += u"\\n";
            break;
        case u'\r':
            flush(i);
            out += u"\\r";
            break;
        case u'\t':
            flush(i);
            out += u"\\t";
            break;
        case u'\b':
            flush(i);
            out += toolkit ? QStringLiteral("\\b") : hex4(c);
            break;
        case u'\f':
            flush(i);
            out += toolkit ? QStringLiteral("\\f") : hex4(c);
            break;
        default:
            if (c < 0x20 || (c == 0x7f && !toolkit)) {
                flush(i);
                out += hex4(c);
            } else if (toolkit && QChar::isSurrogate(c)) {
                // A pair passes as it is; a lone half cannot be UTF-8.
                const bool paired = QChar::isHighSurrogate(c)
                                        ? i + 1 < text.size() && text[i + 1].isLowSurrogate()
                                        : i > 0 && text[i - 1].isHighSurrogate();
                if (!paired) {
                    flush(i);
                    out += hex4(c);
                }
            }
            // Anything else passes as it is, in the run.
        }
    }
    flush(text.size());
    out += u'"';
}

JsonObject::JsonObject(JsonStyle style) : style_(style) {
    // Most objects are a line of output: one allocation for the whole.
    body_.reserve(160);
    body_ += u'{';
}

void JsonObject::appendKey(QStringView key) {
    appendSeparator(body_, style_.separators);
    AppendJsonQuoted(body_, key, style_.escapes);
    body_ += style_.separators == JsonSeparators::Spaced ? QStringView(u": ") : QStringView(u":");
}

JsonObject& JsonObject::raw(QStringView key, QStringView json) {
    appendKey(key);
    body_ += json;
    return *this;
}

JsonObject& JsonObject::str(QStringView key, QStringView value) {
    appendKey(key);
    AppendJsonQuoted(body_, value, style_.escapes);
    return *this;
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

void JsonObject::appendTo(QString& out) const {
    out += body_;
    out += u'}';
}

JsonArray::JsonArray(JsonStyle style) : style_(style) {
    body_ += u'[';
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
    appendSeparator(body_, style_.separators);
    AppendJsonQuoted(body_, value, style_.escapes);
    return *this;
}

} // namespace vx
