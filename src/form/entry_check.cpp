// Test_Eingabe: what every change of a masked entry field does, keystroke by
// keystroke, and ShowOperandFields, the reset of the operand fields to a
// command's field count.

#include "form/entry_form.h"

#include "commands/command_family.h"
#include "texts/basic_numbers.h"
#include "texts/blanks.h"

#include <algorithm>

namespace vx {

namespace {

// The leading number of a text as BASIC's Val reads it; held far beyond
// every line number.
int leadingNumber(QStringView text) {
    return static_cast<int>(std::min<qint64>(LeadingDigits(text), 1'000'000));
}

} // namespace

void EntryForm::Test_Eingabe(int field) {
    switch (field) {
    case 0:
        if (!lineNumberCheck())
            return;
        break;
    case 1:
        if (!commandFieldCheck())
            return;
        break;
    case 2:
        lblHinweise.left = msk[2].left;
        lblHinweise.caption = operandHint(1, CurrentCommand);
        if (focus == Control::mskTxt2 && !fetching_)
            InterpretField(2);
        break;
    case 3:
    case 4:
    case 5:
    case 6:
        // Only what the user types is checked here; a routine that fills a
        // field checks it itself.
        if (focus == static_cast<Control>(field) && !fetching_)
            InterpretField(field);
        break;
    case 7:
        break;
    default:
        return;
    }
    helpTopicStep();
}

bool EntryForm::lineNumberCheck() {
    const QString text = Trim(msk[0].text);
    if (text.isEmpty())
        return false;
    const int n = leadingNumber(text);
    if (n < 1 || n > ScheduleDocument::MaxRows) {
        parts_.desktop.beep();
        lblBemerkung.caption = tx(u"False line number!");
        return false;
    }
    ScheduleDocument& doc = parts_.document;
    const int remembered = doc.grid.currentRow;
    if (n > doc.RowCount - 1) {
        int more = n - (doc.RowCount - 1);
        doc.ExpandRows(more);
        // The last row stays a reserve row; at the largest table there is none.
        if (doc.RowCount < std::min(n + 1, static_cast<int>(ScheduleDocument::MaxRows))) {
            setFieldText(0, QString::number(remembered));
            return false;
        }
    }
    setCurrentRow(n);
    lblBemerkung.caption = tx(u"Line no. of schedule command");
    return true;
}

bool EntryForm::commandFieldCheck() {
    const CommandTable& table = parts_.commands;
    if (msk[1].text.isEmpty()) {
        lblBemerkung.caption = tx(u"Please, select schedule command or input");
        selectListIndex(0);
        ListCommand = 0;
        ShowOperandFields(1);
        return false;
    }
    const QString& shownCode = table.row(CurrentCommand).Code;
    if (shownCode.isEmpty() || msk[1].text.front() != shownCode.front())
        CurrentCommand = static_cast<qint16>(table.findByLine(msk[1].text));
    if (CurrentCommand == CommandTable::NoCommand) {
        lblBemerkung.caption = table.row(CommandTable::NoCommand).Name;
        ShowOperandFields(1);
        return false;
    }
    if (listIndex != CurrentCommand) {
        ShowOperandFields(CurrentCommand);
        selectListIndex(CurrentCommand);
    }
    InterpretField(1);
    // Operand 1 of a file or sound name is free text. The list's setup swaps
    // the box in for the capital letter it writes.
    const QString& typed = msk[1].text;
    const CommandBehaviour* family = typed.isEmpty() ? nullptr : BehaviourOf(typed.front());
    if (family && family->operand1InBox && !family->remarkLine) {
        setHelpTopic(family->layout.helpTopic);
        txbTxt2.visible = true;
        msk[2].visible = false;
    }
    return true;
}

void EntryForm::helpTopicStep() {
    setHelpTopic(topicOfCommandField(1));
}

int EntryForm::topicOfCommandField(int fallback) const {
    const QChar letter = commandLetter();
    if (letter.isNull())
        return fallback;
    const CommandTable& table = parts_.commands;
    for (qsizetype p = 0; p < table.CommandCodes.size(); ++p) {
        const QString& code = table.CommandCodes[p];
        if (code.size() == 1 && code.front() == letter)
            return table.HelpTopicIds[p];
    }
    return fallback;
}

void EntryForm::ShowOperandFields(int command) {
    // The command list window is always shown here. "*" keeps what its own
    // layout shows.
    if (command < 1 || command > CommandTable::LastWithOperandFields)
        return;
    for (int k = 2; k < FieldCount; ++k)
        msk[static_cast<size_t>(k)].visible = false;
    txbTxt2.visible = false;
    txbTxt3.visible = false;
    const int count = parts_.commands.fieldCount(command);
    for (int k = 2; k < 2 + count && k < FieldCount; ++k)
        msk[static_cast<size_t>(k)].visible = true;
}

} // namespace vx
