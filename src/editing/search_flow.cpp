// The search and replace windows' buttons, over the shared search state.

#include "editing/editing_operations.h"

#include "commands/command_table.h"
#include "commands/line_syntax.h"
#include "form/entry_form.h"
#include "texts/blanks.h"

namespace vx {

void EditingOperations::Smn_Su_Ers(int which) {
    if (which == 1)
        search_.searchWindowOpen = true;
    else if (which == 2)
        search_.replaceWindowOpen = true;
}

void EditingOperations::searchTextEdited(const QString& text) {
    search_.searchText = text;
}

void EditingOperations::replaceOfEdited(const QString& text) {
    search_.replaceOf = text;
}

void EditingOperations::replaceToEdited(const QString& text) {
    search_.replaceTo = text;
}

void EditingOperations::setWholeNumber(bool on) {
    search_.wholeNumber = on;
}

void EditingOperations::loadFoundLineIntoFields(const QString& line) {
    const std::array<QString, 6> f = SplitLine(line);
    for (int k = 1; k <= 6; ++k) {
        const QString& value = f[static_cast<size_t>(k - 1)];
        if (value.isEmpty())
            break;
        form_.setFieldText(k, Trim(value));
        form_.InterpretField(k);
    }
}

bool EditingOperations::searchRoutine(const QString& text) {
    if (RTrim(text).isEmpty())
        return false;
    const Occurrence o =
        FindOccurrence(document_, document_.grid.currentRow, text, search_.wholeNumber);
    if (o.row == 0) {
        search_.foundRow = 0;
        const QString prompt = QStringLiteral(">> ") + RTrim(text) + QStringLiteral("<<") +
                               catalogue_.tx(u" not found!");
        showMessage_(prompt, MsgStyle::Ok, catalogue_.tx(u"Search digit(s)"));
        return false;
    }
    search_.foundRow = static_cast<qint16>(o.row);
    search_.foundPosition = static_cast<qint16>(o.position);
    form_.setCurrentRow(o.row);
    form_.setFieldText(1, QString());
    loadFoundLineIntoFields(document_.line(o.row));
    return true;
}

void EditingOperations::searchButton() {
    search_.searchWindowOpen = true;
    search_.foundRow = 0;
    searchRoutine(search_.searchText);
    if (search_.foundRow >= 1 && search_.foundRow <= document_.RowCount) {
        form_.setCurrentRow(search_.foundRow);
        document_.grid.topRow = search_.foundRow;
    }
}

void EditingOperations::replaceSearchButton() {
    search_.replaceWindowOpen = true;
    search_.foundRow = 0;
    searchRoutine(search_.replaceOf);
    if (search_.foundRow >= 1 && search_.foundRow <= document_.RowCount) {
        search_.replaceEnabled = true;
        form_.setCurrentRow(search_.foundRow);
        document_.grid.topRow = search_.foundRow;
    }
}

void EditingOperations::replaceButton() {
    search_.replaceEnabled = false;
    const int row = search_.foundRow;
    // Without a recorded occurrence no line may change.
    if (row < 1 || row > document_.RowCount)
        return;
    const QString changed =
        ReplaceAt(document_.line(row), search_.foundPosition, search_.replaceOf, search_.replaceTo);
    history_.begin(document_);
    document_.setLine(row, changed);
    history_.commit(document_);
    form_.setFieldText(1, commands_.row(commands_.findByLine(LTrimView(changed))).Code);
    form_.setCurrentRow(row);
    form_.cmdHol_Zei_Click();
    loadFoundLineIntoFields(changed);
    form_.lineNumberRed = false;
}

} // namespace vx
