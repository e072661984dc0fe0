#include "commands/command_table.h"

#include "texts/blanks.h"
#include "texts/text_catalogue.h"

namespace vx {

namespace {
constexpr char16_t Codes[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ/!* ";
constexpr char FieldCounts[] = "13321412213522313224111221110";
constexpr qint16 Topics[31] = {0,    970,  980,  990,  1000, 1010, 1020, 1030, 1040, 1050, 960,
                               1060, 1070, 1080, 1090, 1095, 1100, 1110, 1120, 1130, 1140, 1150,
                               1160, 1170, 1180, 1190, 1200, 1210, 1220, 1230, 1};

QChar upperFirst(QStringView text) {
    return text.isEmpty() ? QChar() : text.front().toUpper();
}
} // namespace

CommandTable::CommandTable() {
    for (int i = 1; i <= NoCommand; ++i) {
        rows_[static_cast<size_t>(i)].Code = QString(QChar(Codes[i - 1]));
        rows_[static_cast<size_t>(i)].FieldCount =
            i <= CommandCount ? QString(QChar::fromLatin1(FieldCounts[i - 1])) : QString();
    }
    for (int p = 0; p <= 30; ++p) {
        CommandCodes.append(p < 30 ? QString(QChar(Codes[p])) : QString());
        HelpTopicIds.append(p < 29 ? Topics[p + 1] : qint16(1));
    }
}

void CommandTable::setNames(const TextCatalogue& catalogue) {
    for (int i = 1; i <= NoCommand; ++i)
        rows_[static_cast<size_t>(i)].Name = catalogue.CommandNames(i);
}

int CommandTable::findByLine(QStringView line) const {
    const QChar c = upperFirst(line);
    if (c.isNull())
        return NoCommand;
    for (int i = 1; i <= NoCommand; ++i)
        if (rows_[static_cast<size_t>(i)].Code.front() == c)
            return i;
    return NoCommand;
}

std::optional<int> CommandTable::findByField(QStringView field) const {
    const QString wanted = Trim(field).toUpper();
    if (wanted.isEmpty())
        return std::nullopt;
    for (int i = 1; i <= CommandCount; ++i)
        if (rows_[static_cast<size_t>(i)].Code == wanted)
            return i;
    return std::nullopt;
}

int CommandTable::helpTopicOf(QStringView commandField) const {
    const QString first = TrimView(commandField).left(1).toString().toUpper();
    for (int p = 0; p <= 30; ++p)
        if (CommandCodes[p] == first)
            return HelpTopicIds[p];
    return 1;
}

int CommandTable::fieldCount(int command) const {
    if (command < 1 || command > NoCommand)
        return 0;
    const QString& c = rows_[static_cast<size_t>(command)].FieldCount;
    return c.isEmpty() ? 0 : c.front().digitValue();
}

int CommandTable::helpTopic(int command) {
    return command >= 1 && command <= NoCommand ? Topics[command] : 1;
}

QChar CommandTable::codeOf(int command) {
    return command >= 1 && command <= CommandCount ? QChar(Codes[command - 1]) : QChar();
}

} // namespace vx
