// The search and replace windows' buttons, over the shared search state.

#include "commands/line_syntax.h"
#include "editor/editor.h"
#include "form/entry_form.h"
#include "texts/blanks.h"

namespace vx {

void Editor::Smn_Su_Ers(int which) {
    if (which == 1)
        search.searchWindowOpen = true;
    else if (which == 2)
        search.replaceWindowOpen = true;
}

void Editor::loadFoundLineIntoFields(const QString& line) {
    const std::array<QString, 6> f = SplitLine(line);
    for (int k = 1; k <= 6; ++k) {
        const QString& value = f[static_cast<size_t>(k - 1)];
        if (value.isEmpty())
            break;
        form->setFieldText(k, Trim(value));
        form->InterpretField(k);
    }
}

bool Editor::searchRoutine(const QString& text) {
    if (RTrim(text).isEmpty())
        return false;
    const Occurrence o = FindOccurrence(document, document.grid.currentRow, text);
    if (o.row == 0) {
        search.foundRow = 0;
        const QString prompt = QStringLiteral(">> ") + RTrim(text) + QStringLiteral("<<") +
                               catalogue.tx(u" not found!");
        ShowMessage(prompt, MsgStyle::Ok, catalogue.tx(u"Search digit(s)"));
        return false;
    }
    search.foundRow = static_cast<qint16>(o.row);
    search.foundPosition = static_cast<qint16>(o.position);
    form->setCurrentRow(o.row);
    form->setFieldText(1, QString());
    loadFoundLineIntoFields(document.line(o.row));
    return true;
}

void Editor::searchButton() {
    search.searchWindowOpen = true;
    search.foundRow = 0;
    searchRoutine(search.searchText);
    if (search.foundRow >= 1 && search.foundRow <= document.RowCount) {
        form->setCurrentRow(search.foundRow);
        document.grid.topRow = search.foundRow;
    }
}

void Editor::replaceSearchButton() {
    search.replaceWindowOpen = true;
    search.foundRow = 0;
    searchRoutine(search.replaceOf);
    if (search.foundRow >= 1 && search.foundRow <= document.RowCount) {
        search.replaceEnabled = true;
        form->setCurrentRow(search.foundRow);
        document.grid.topRow = search.foundRow;
    }
}

void Editor::replaceButton() {
    search.replaceEnabled = false;
    const int row = search.foundRow;
    // Without a recorded occurrence no line may change.
    if (row < 1 || row > document.RowCount)
        return;
    const QString changed =
        ReplaceAt(document.line(row), search.foundPosition, search.replaceOf, search.replaceTo);
    document.setLine(row, changed);
    form->setFieldText(1, commands.row(commands.findByLine(LTrimView(changed))).Code);
    form->setCurrentRow(row);
    form->cmdHol_Zei_Click();
    loadFoundLineIntoFields(changed);
    form->lineNumberRed = false;
}

} // namespace vx
