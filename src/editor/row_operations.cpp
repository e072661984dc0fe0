// The row buttons beside the entry fields and direct typing in the grid: they
// move lines between the entry fields and the document. None of them may write
// outside the table or lose a line.

#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "editor/editor.h"
#include "form/entry_form.h"
#include "texts/blanks.h"

namespace vx {

namespace {
bool startsWithAny(QStringView text, QStringView letters) {
    return !text.isEmpty() && letters.contains(text.front().toUpper());
}
} // namespace

void Editor::beginRowOperation() {
    document.Modified = true;
    setAutosaveEnabled(true);
    document.grid.currentColumn = 1;
}

QString Editor::composeFromEntryFields() const {
    const EntryForm& f = *form;
    LineEntry e;
    e.code = f.msk[1].text;
    for (int k = 1; k <= 5; ++k)
        e.operands[static_cast<size_t>(k)] = f.msk[static_cast<size_t>(k + 1)].text;
    e.freeText1 = f.txbTxt2.text;
    e.freeText2 = f.txbTxt3.text;
    e.operand1FromFreeText = f.txbTxt2.visible && !f.msk[2].visible;
    const bool textOfOperatingCommand =
        TrimView(f.msk[1].text).startsWith(u'/') && startsWithAny(TrimView(f.msk[2].text), u"MID");
    e.operand2FromFreeText = textOfOperatingCommand || (f.txbTxt3.visible && !f.msk[3].visible);
    e.remark = f.txbAnmerk.text;
    return ComposeLine(e);
}

void Editor::writeRow(int row, const QString& text) {
    document.setLine(row, text);
}

void Editor::cmdUeb_Zei_Click() {
    beginRowOperation();
    const QString number = Trim(form->msk[0].text);
    bool ok = false;
    const int target = number.toInt(&ok);
    if (!ok || target < 1 || target > document.RowCount) {
        // The number names no row of the table: nothing is written.
        form->lblBemerkung.caption = catalogue.tx(u"False line number!");
        return;
    }
    form->setCurrentRow(target);
    writeRow(target, composeFromEntryFields());
    form->applyLineNumberColour();
}

void Editor::cmdUeb_leerZ_Click() {
    beginRowOperation();
    const QString caption = form->lblBemerkung.caption;
    int k = 0;
    for (int r = 1; r <= document.RowCount; ++r) {
        if (!ScheduleDocument::hasContent(document.line(r))) {
            k = r;
            break;
        }
    }
    if (k == 0) {
        form->lblBemerkung.caption = catalogue.tx(u"No free space");
        return;
    }
    const QString text = composeFromEntryFields();
    writeRow(k, text);
    form->setCurrentRow(k);
    form->applyLineNumberColour();
    form->lblBemerkung.caption = caption;
}

void Editor::cmdEinf_leerZ_Click() {
    beginRowOperation();
    const int r = document.grid.currentRow;
    if (r < 1 || r > document.RowCount || !ScheduleDocument::hasContent(document.line(r)))
        return;
    platform.desktop->setBusy(true);
    if (r == document.RowCount) {
        int one = 1;
        document.ExpandRows(one);
    }
    int j = document.RowCount;
    while (j >= r && !ScheduleDocument::hasContent(document.line(j)))
        --j;
    if (j == document.RowCount) {
        // The reserve line holds text: the shift needs one row more.
        if (document.RowCount < ScheduleDocument::MaxRows) {
            int one = 1;
            document.ExpandRows(one);
        } else {
            form->lblBemerkung.caption = catalogue.tx(u"No free space");
            platform.desktop->setBusy(false);
            return;
        }
    }
    for (int i = j; i >= r; --i) {
        writeRow(i + 1, document.line(i));
        writeRow(i, QString());
    }
    form->setCurrentRow(r);
    if (r > 1)
        document.grid.topRow = r - 1;
    platform.desktop->setBusy(false);
}

void Editor::cmdLoe_Zei_Click() {
    beginRowOperation();
    const int r = document.grid.currentRow;
    if (r < 1 || r > document.RowCount)
        return;
    document.CurrentRow = static_cast<qint16>(r);
    for (int i = r; i < document.RowCount; ++i)
        writeRow(i, document.line(i + 1));
    writeRow(document.RowCount, QString());
    form->setCurrentRow(r);
}

void Editor::gridKeyPress(int code) {
    GridState& grid = document.grid;
    const int row = grid.currentRow;
    if (row < 1 || row > document.RowCount)
        return;
    if (code == 13) {
        if (row < document.RowCount)
            form->setCurrentRow(row + 1);
        return;
    }
    const int column = grid.currentColumn;
    QString cell = document.line(row);
    if (code == 8)
        cell.chop(1);
    else if (code == 27)
        cell.clear();
    else if (code >= 32 && code <= 255)
        cell += DecodeWindows1252(QByteArray(1, static_cast<char>(code)));
    else
        return;
    writeRow(row, cell);
    grid.currentColumn = column;
}

} // namespace vx
