#pragma once

// JSON text as vxedit-cli prints it, keys in the order written. Two spellings
// are in use and both stay as users' scripts know them: the dumps, explain and
// check put a blank after ',' and ':' and name only \n, \r and \t; split and the
// listing's messages spell strings as QJsonDocument does (split also without
// the blanks).

#include <QString>
#include <QStringList>
#include <QStringView>

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

class JsonObject {
public:
    explicit JsonObject(JsonStyle style = {});

    // json is JSON text already (a number, an object, an array, ...).
    JsonObject& raw(QStringView key, QStringView json);
    JsonObject& str(QStringView key, QStringView value);
    JsonObject& strOrNull(QStringView key, QStringView value); // "" is written as null
    JsonObject& num(QStringView key, qint64 value);
    JsonObject& flag(QStringView key, bool value);
    QString text() const { return body_ + u'}'; }
    // The same as out += text(), without the copy.
    void appendTo(QString& out) const;

private:
    void appendKey(QStringView key);

    JsonStyle style_;
    QString body_;
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
