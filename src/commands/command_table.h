#pragma once

// The vocabulary of schedule commands: 29 commands and the pseudo-command
// "no valid schedule command" (index 30), in command-list order.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace vx {

class TextCatalogue;

class CommandTable {
public:
    static constexpr int CommandCount = 29;
    static constexpr int NoCommand = 30; // "no valid schedule command"
    static constexpr int SelectionTopic = 960;
    // The last command with a masked operand field ("!"); "*" has none.
    static constexpr int LastWithOperandFields = 28;

    CommandTable(); // codes and field counts; names stay empty until setNames

    struct Row {
        QString Code;
        QString Name;
        QString FieldCount; // one digit, "" for row 30
    };

    // Rows 1..30; row 0 is never used.
    Row& row(int i) { return rows_[static_cast<size_t>(i)]; }
    const Row& row(int i) const { return rows_[static_cast<size_t>(i)]; }

    // Names (and the two lookup lists) of the current language.
    void setNames(const TextCatalogue& catalogue);

    // First row 1..30 whose code equals the upper-cased first character of line.
    int findByLine(QStringView line) const;
    // Row 1..29 whose code equals the upper-cased, trimmed command field.
    std::optional<int> findByField(QStringView field) const;
    // HelpTopicIds at the first position of CommandCodes equal to the upper-cased,
    // trimmed first character of the command field; 1 if none.
    int helpTopicOf(QStringView commandField) const;
    int fieldCount(int command) const;
    static int helpTopic(int command); // of row 1..30
    static QChar codeOf(int command);  // of row 1..29; null otherwise

    QStringList CommandCodes;   // 31 entries, position p = code of row p+1
    QList<qint16> HelpTopicIds; // 31 entries, same positions

private:
    std::array<Row, 31> rows_;
};

} // namespace vx
