#include "texts/json_writer.h"

#include <algorithm>

namespace vx {

namespace {

// A text is written through a pointer into room made beforehand: as UTF-16
// units into a QString, as UTF-8 bytes into a QByteArray.
char16_t* unitsOf(QString& out) {
    return reinterpret_cast<char16_t*>(out.data());
}

char* unitsOf(QByteArray& out) {
    return out.data();
}

// Units written before, copied on at to.
template <class Unit> Unit* copyUnits(Unit* to, const QString& from) {
    return std::copy_n(reinterpret_cast<const char16_t*>(from.utf16()), from.size(), to);
}

template <class Unit> Unit* copyUnits(Unit* to, const QByteArray& from) {
    return std::copy_n(from.constData(), from.size(), to);
}

// At most six units for one of text: \u00xx.
constexpr qsizetype MostPerUnit = 6;

// Makes room for extra more units at the end of out, growing by half at
// least as appending would; returns where they start.
template <class Text> auto roomAtEnd(Text& out, qsizetype extra) {
    const qsizetype start = out.size();
    const qsizetype most = start + extra;
    if (most > out.capacity())
        out.reserve(std::max(most, out.capacity() + out.capacity() / 2));
    out.resize(most);
    return unitsOf(out) + start;
}

template <class Text, class Unit> void endAt(Text& out, Unit* end) {
    out.truncate(end - unitsOf(out));
}

template <class Unit> void putAscii(Unit*& to, const char* text) {
    for (; *text; ++text)
        *to++ = static_cast<Unit>(*text);
}

template <class Unit> void putHex4(Unit*& to, char16_t c) {
    static constexpr char Digits[] = "0123456789abcdef";
    putAscii(to, "\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        *to++ = static_cast<Unit>(Digits[(c >> shift) & 0xf]);
}

// One unit or a surrogate pair as it is.
void putAsIs(char16_t*& to, char16_t c) {
    *to++ = c;
}

void putAsIs(char*& to, char16_t c) {
    const auto byte = [&to](unsigned b) { *to++ = static_cast<char>(b); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xc0 | (c >> 6));
        byte(0x80 | (c & 0x3f));
    } else {
        byte(0xe0 | (c >> 12));
        byte(0x80 | ((c >> 6) & 0x3f));
        byte(0x80 | (c & 0x3f));
    }
}

void putPair(char16_t*& to, char16_t high, char16_t low) {
    *to++ = high;
    *to++ = low;
}

void putPair(char*& to, char16_t high, char16_t low) {
    const char32_t u = QChar::surrogateToUcs4(high, low);
    *to++ = static_cast<char>(0xf0 | (u >> 18));
    *to++ = static_cast<char>(0x80 | ((u >> 12) & 0x3f));
    *to++ = static_cast<char>(0x80 | ((u >> 6) & 0x3f));
    *to++ = static_cast<char>(0x80 | (u & 0x3f));
}

// A lone surrogate where no escape names it: UTF-16 keeps it, UTF-8 cannot.
void putLone(char16_t*& to, char16_t c) {
    *to++ = c;
}

void putLone(char*& to, char16_t) {
    *to++ = '?';
}

template <class Unit>
// escaped: false writes text as it is, without escapes.
Unit* writeEscaped(Unit* to, QStringView text, JsonEscapes escapes, bool escaped) {
    const bool toolkit = escapes == JsonEscapes::Toolkit;
    const char16_t* from = text.utf16();
    const char16_t* const end = from + text.size();
    while (from != end) {
        const char16_t c = *from++;
        if (c >= 0x20 && c < 0x7f && (!escaped || (c != u'"' && c != u'\\'))) {
            *to++ = static_cast<Unit>(c);
            continue;
        }
        if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && from != end && QChar::isLowSurrogate(*from))
                putPair(to, c, *from++);
            else if (escaped && toolkit)
                putHex4(to, c);
            else
                putLone(to, c);
            continue;
        }
        if (!escaped || c > 0x7f || (c == 0x7f && toolkit)) {
            putAsIs(to, c);
            continue;
        }
        switch (c) {
        case u'"':
            putAscii(to, "\\\"");
            break;
        case u'\\':
            putAscii(to, "\\\\");
            break;
        case u'\n':
            putAscii(to, "\\n");
            break;
        case u'\r':
            putAscii(to, "\\r");
            break;
        case u'\t':
            putAscii(to, "\\t");
            break;
        case u'\b':
            if (toolkit)
                putAscii(to, "\\b");
            else
                putHex4(to, c);
            break;
        case u'\f':
            if (toolkit)
                putAscii(to, "\\f");
            else
                putHex4(to, c);
            break;
        default:
            putHex4(to, c);
        }
    }
    return to;
}

template <class Unit> Unit* writeQuoted(Unit* to, QStringView text, JsonEscapes escapes) {
    *to++ = u'"';
    to = writeEscaped(to, text, escapes, true);
    *to++ = u'"';
    return to;
}

template <class Text> void appendQuoted(Text& out, QStringView text, JsonEscapes escapes) {
    endAt(out, writeQuoted(roomAtEnd(out, MostPerUnit * text.size() + 2), text, escapes));
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
    appendQuoted(out, text, escapes);
}

void AppendUtf8(QByteArray& out, QStringView text) {
    // Three bytes a unit at most.
    endAt(out, writeEscaped(roomAtEnd(out, 3 * text.size()), text, JsonEscapes::Plain, false));
}

template <class Text>
JsonObjectOn<Text>::JsonObjectOn(Text& out, JsonStyle style) : out_(&out), style_(style) {
    ascii("{", 1);
}

template <class Text> void JsonObjectOn<Text>::grow(qsizetype n) {
    const qsizetype used = to_ ? to_ - unitsOf(*out_) : out_->size();
    out_->resize(used);
    roomAtEnd(*out_, std::max(n, qsizetype(256)));
    // All the room there is, so that most writes need no call.
    out_->resize(out_->capacity());
    to_ = unitsOf(*out_) + used;
    limit_ = unitsOf(*out_) + out_->size();
}

template <class Text> void JsonObjectOn<Text>::sync() {
    if (!to_)
        return;
    endAt(*out_, to_);
    // The next write makes room again.
    limit_ = to_;
}

template <class Text> void JsonObjectOn<Text>::ascii(const char* text, qsizetype size) {
    room(size);
    for (qsizetype i = 0; i < size; ++i)
        *to_++ = static_cast<Unit>(text[i]);
}

template <class Text> void JsonObjectOn<Text>::appendKey(QStringView key) {
    const bool spaced = style_.separators == JsonSeparators::Spaced;
    if (!empty_)
        ascii(", ", spaced ? 2 : 1);
    empty_ = false;
    room(MostPerUnit * key.size() + 2);
    to_ = writeQuoted(to_, key, style_.escapes);
    ascii(": ", spaced ? 2 : 1);
}

template <class Text>
JsonObjectOn<Text>& JsonObjectOn<Text>::raw(QStringView key, QStringView json) {
    appendKey(key);
    room(3 * json.size());
    to_ = writeEscaped(to_, json, style_.escapes, false);
    return *this;
}

template <class Text>
JsonObjectOn<Text>& JsonObjectOn<Text>::str(QStringView key, QStringView value) {
    appendKey(key);
    room(MostPerUnit * value.size() + 2);
    to_ = writeQuoted(to_, value, style_.escapes);
    return *this;
}

template <class Text>
JsonObjectOn<Text>& JsonObjectOn<Text>::str(QStringView key, const JsonEscapedHead<Text>& head,
                                            QStringView tail) {
    // A surrogate pair cut in two must be written as one character.
    if (tail.isEmpty() || head.text.isEmpty() || head.text.back().isHighSurrogate())
        return str(key, QString(head.text + tail));
    appendKey(key);
    room(head.escaped.size() + MostPerUnit * tail.size() + 2);
    *to_++ = u'"';
    to_ = copyUnits(to_, head.escaped);
    to_ = writeEscaped(to_, tail, style_.escapes, true);
    *to_++ = u'"';
    return *this;
}

template <class Text> JsonObjectOn<Text>& JsonObjectOn<Text>::members(const Text& written) {
    if (written.isEmpty())
        return *this;
    if (!empty_)
        ascii(", ", style_.separators == JsonSeparators::Spaced ? 2 : 1);
    empty_ = false;
    room(written.size());
    to_ = copyUnits(to_, written);
    return *this;
}

template <class Text>
JsonEscapedHead<Text>::JsonEscapedHead(const QString& text, JsonEscapes escapes) : text(text) {
    endAt(escaped,
          writeEscaped(roomAtEnd(escaped, MostPerUnit * text.size()), text, escapes, true));
}

template <class Text>
JsonObjectOn<Text>& JsonObjectOn<Text>::strOrNull(QStringView key, QStringView value) {
    return value.isEmpty() ? raw(key, u"null") : str(key, value);
}

template <class Text> JsonObjectOn<Text>& JsonObjectOn<Text>::num(QStringView key, qint64 value) {
    appendKey(key);
    // Digits and a sign are the same in both texts.
    char digits[24];
    char* const end = digits + sizeof digits;
    char* at = end;
    const bool negative = value < 0;
    quint64 rest = negative ? 0 - static_cast<quint64>(value) : static_cast<quint64>(value);
    do {
        *--at = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative)
        *--at = '-';
    ascii(at, end - at);
    return *this;
}

template <class Text> JsonObjectOn<Text>& JsonObjectOn<Text>::flag(QStringView key, bool value) {
    return raw(key, value ? QStringView(u"true") : QStringView(u"false"));
}

template <class Text>
JsonObjectOn<Text>& JsonObjectOn<Text>::strings(QStringView key, const QStringList& values) {
    appendKey(key);
    ascii("[", 1);
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            ascii(", ", style_.separators == JsonSeparators::Spaced ? 2 : 1);
        room(MostPerUnit * values[i].size() + 2);
        to_ = writeQuoted(to_, values[i], style_.escapes);
    }
    ascii("]", 1);
    return *this;
}

template <class Text> void JsonObjectOn<Text>::close() {
    ascii("}", 1);
    sync();
}

template class JsonObjectOn<QString>;
template class JsonObjectOn<QByteArray>;
template struct JsonEscapedHead<QString>;
template struct JsonEscapedHead<QByteArray>;

namespace {

QString reserved(qsizetype size) {
    QString text;
    text.reserve(size);
    return text;
}

} // namespace

// Most objects are a line of output: one allocation for the whole.
JsonObject::JsonObject(JsonStyle style) : body_(reserved(160)), writer_(body_, style) {
    writer_.sync();
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
