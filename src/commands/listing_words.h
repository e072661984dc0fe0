#pragma once

// What the printed listing gives a command family to word its lines with: the
// catalogue, the words several families share, and the listing's own state
// (jump targets, open blocks, messages), which only the renderer keeps.

#include <QString>
#include <QStringView>
#include <optional>

namespace vx {

class TextCatalogue;

// One line split as the listing reads it: remark lines and operating
// commands keep their case, every other line is upper-cased first.
struct ListingSplit {
    QChar code;
    QString digit;     // schedule number 1..9 behind the code, or ""
    QString op[6];     // op[1]..op[5]
    QString work;      // the line as split
    int textComma = 2; // operating commands: their text follows this comma
};

ListingSplit SplitForListing(const QString& trimmed);

class ListingWords {
public:
    explicit ListingWords(const TextCatalogue& catalogue) : c(catalogue) {}
    virtual ~ListingWords() = default;

    const TextCatalogue& c;
    const QString& T(QStringView english) const;

    // " OCCUPIED" / " FREE" of a contact state letter, "" for any other.
    QString contactState(QChar state) const;
    // " AND" / " OR" of a connector operand, "" for any other.
    QString connector(const QString& op) const;

    // A message about the line being worked on; item names the value.
    virtual void reportError(int number, const QString& item) = 0;
    // " <LNo.=n>" of the line that defines a jump target.
    virtual QString targetSuffix(const QString& name) = 0;
    // A block that a later End closes, and the End that closes the innermost.
    virtual void openBlock(const QString& what) = 0;
    virtual QString closeBlock() = 0;

    QString suffix; // printed behind the cut text: set by jump lines
};

// The line's text in the listing; nullopt marks the line as faulty.
using ListedLine = std::optional<QString>;
using ListingRule = ListedLine (*)(ListingWords&, const ListingSplit&);

QChar FirstUpper(QStringView text);
QString UpperTrim(const QString& text);
QString Capitalised(const QString& text);

} // namespace vx
