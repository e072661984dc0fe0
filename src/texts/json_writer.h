#pragma once

// JSON text as vxedit-cli prints it, keys in the order written. Two spellings
// are in use and both stay as users' scripts know them: the dumps, explain and
// check put a blank after ',' and ':' and name only \n, \r and \t; split and the
// listing's messages spell strings as QJsonDocument does (split also without
// the blanks).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <type_traits>

namespace vx {

enum class JsonSeparators {
    Spaced, // ", " and ": "
    Tight,  // "," and ":"
};

// Besides \" and \\:
enum class JsonEscapes {
    Plain,   // \n \r \t by name; other control characters and DEL as \u00xx
    Toolkit, // \b \f \n \r \t by name; other control characters as \u00xx; DEL
             // as it is; a lone surrogate as \uxxxx
};

struct JsonStyle {
    JsonSeparators separators = JsonSeparators::Spaced;
    JsonEscapes escapes = JsonEscapes::Plain;
};

// TEXT as a quoted JSON string.
QString JsonQuote(QStringView text, JsonEscapes escapes = JsonEscapes::Plain);
// The same, appended to out.
void AppendJsonQuoted(QString& out, QStringView text, JsonEscapes escapes = JsonEscapes::Plain);
// text as UTF-8, as QString::toUtf8() spells it (a lone surrogate as '?').
void AppendUtf8(QByteArray& out, QStringView text);

// A text that many string values begin with, escaped once in the units of
// Text: for JsonObjectOn<Text>::str(key, head, tail).
template <class Text> struct JsonEscapedHead {
    JsonEscapedHead() = default;
    JsonEscapedHead(const QString& text, JsonEscapes escapes);
    QString text;
    Text escaped;
};

// An object written straight onto the end of a text: a QString, or a
// QByteArray as UTF-8, which spares the batch outputs a copy and a
// conversion of every line.
template <class Text> class JsonObjectOn {
public:
    JsonObjectOn(Text& out, JsonStyle style = {});
    ~JsonObjectOn() { sync(); }
    JsonObjectOn(const JsonObjectOn&) = delete;
    JsonObjectOn& operator=(const JsonObjectOn&) = delete;

    // json is JSON text already (a number, an object, an array, ...).
    JsonObjectOn& raw(QStringView key, QStringView json);
    JsonObjectOn& str(QStringView key, QStringView value);
    // One string of two parts, as str(key, head.text + tail) writes it, the
    // head escaped before (in the escapes of this object).
    JsonObjectOn& str(QStringView key, const JsonEscapedHead<Text>& head, QStringView tail);
    // Members that many objects have alike, as membersOf() wrote them.
    JsonObjectOn& members(const Text& written);
    // What write(object) puts between the braces of an object, for members().
    template <class Write> static Text membersOf(JsonStyle style, Write write) {
        Text text;
        {
            JsonObjectOn object(text, style);
            write(object);
        }
        return text.sliced(1);
    }
    JsonObjectOn& strOrNull(QStringView key, QStringView value); // "" is written as null
    JsonObjectOn& num(QStringView key, qint64 value);
    JsonObjectOn& flag(QStringView key, bool value);
    JsonObjectOn& strings(QStringView key, const QStringList& values); // an array of strings
    // Writes the closing brace.
    void close();
    // Between writes the text runs on to its capacity; this cuts it back to
    // what is written.
    void sync();

private:
    using Unit = std::conditional_t<std::is_same_v<Text, QString>, char16_t, char>;

    // Room for n more units at to_.
    void room(qsizetype n) {
        if (limit_ - to_ < n)
            grow(n);
    }
    void grow(qsizetype n);
    void ascii(const char* text, qsizetype size);
    void appendKey(QStringView key);

    Text* out_;
    JsonStyle style_;
    bool empty_ = true;
    Unit* to_ = nullptr;
    Unit* limit_ = nullptr;
};

extern template class JsonObjectOn<QString>;
extern template class JsonObjectOn<QByteArray>;
extern template struct JsonEscapedHead<QString>;
extern template struct JsonEscapedHead<QByteArray>;

// An object as a text of its own, to be put into another one.
class JsonObject {
public:
    explicit JsonObject(JsonStyle style = {});
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    JsonObject& raw(QStringView key, QStringView json) { return forward(&On::raw, key, json); }
    JsonObject& str(QStringView key, QStringView value) { return forward(&On::str, key, value); }
    JsonObject& strOrNull(QStringView key, QStringView value) {
        return forward(&On::strOrNull, key, value);
    }
    JsonObject& num(QStringView key, qint64 value) { return forward(&On::num, key, value); }
    JsonObject& flag(QStringView key, bool value) { return forward(&On::flag, key, value); }
    QString text() const { return body_ + u'}'; }
    // The same as out += text(), without the copy.
    void appendTo(QString& out) const;

private:
    using On = JsonObjectOn<QString>;
    template <class Value>
    JsonObject& forward(On& (On::*write)(QStringView, Value), QStringView key,
                        std::type_identity_t<Value> value) {
        (writer_.*write)(key, value);
        writer_.sync();
        return *this;
    }

    QString body_;
    On writer_;
};

class JsonArray {
public:
    explicit JsonArray(JsonStyle style = {});
    static JsonArray strings(const QStringList& texts, JsonStyle style = {});

    JsonArray& raw(QStringView json);
    JsonArray& str(QStringView value);
    QString text() const { return body_ + u']'; }

private:
    JsonStyle style_;
    QString body_;
};

} // namespace vx
