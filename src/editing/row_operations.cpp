// The row buttons beside the entry fields and direct typing in the grid: they
// move lines between the entry fields and the document. None of them may write
// outside the table or lose a line.

#include "editing/editing_operations.h"

#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "form/entry_form.h"
#include "platform/platform.h"
#include "texts/blanks.h"

#include <algorithm>

namespace vx {

namespace {
bool startsWithAny(QStringView text, QStringView letters) {
    return !text.isEmpty() && letters.contains(text.front().toUpper());
}
} // namespace

EditingOperations::EditingOperations(const Parts& parts)
    : document_(parts.document), form_(parts.form), catalogue_(parts.catalogue),
      commands_(parts.commands), desktop_(parts.desktop), autosaveEnabled_(parts.autosaveEnabled),
      showMessage_(parts.showMessage), clipboard_(parts.clipboard) {
    history_.clear(document_);
}

namespace {

// One row operation as one step of the history, whichever way it ends.
class HistoryStep {
public:
    HistoryStep(RowHistory& history, const ScheduleDocument& document)
        : history_(history), document_(document) {
        history_.begin(document_);
    }
    ~HistoryStep() { history_.commit(document_); }
    HistoryStep(const HistoryStep&) = delete;
    HistoryStep& operator=(const HistoryStep&) = delete;

private:
    RowHistory& history_;
    const ScheduleDocument& document_;
};

} // namespace

void EditingOperations::undo() {
    if (history_.undo(document_))
        afterHistoryStep();
}

void EditingOperations::redo() {
    if (history_.redo(document_))
        afterHistoryStep();
}

void EditingOperations::afterHistoryStep() {
    beginRowOperation();
    selectionRow_ = 0;
    // The user sees what came back; the reserve row would grow the table again.
    const int changed = history_.lastChangedRow();
    const int row = std::min(changed > 0 ? changed : document_.grid.currentRow,
                             std::max(1, document_.RowCount - 1));
    form_.setCurrentRow(row);
    form_.rebuildRowButtonCaptions();
    form_.applyLineNumberColour();
}

void EditingOperations::beginRowOperation() {
    document_.Modified = true;
    autosaveEnabled_ = true;
    document_.grid.currentColumn = 1;
}

QString EditingOperations::composeFromEntryFields() const {
    const EntryForm& f = form_;
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

void EditingOperations::writeRow(int row, const QString& text) {
    document_.setLine(row, text);
}

void EditingOperations::cmdUeb_Zei_Click() {
    const HistoryStep step(history_, document_);
    beginRowOperation();
    const QString number = Trim(form_.msk[0].text);
    bool ok = false;
    const int target = number.toInt(&ok);
    if (!ok || target < 1 || target > document_.RowCount) {
        // The number names no row of the table: nothing is written.
        form_.lblBemerkung.caption = catalogue_.tx(u"False line number!");
        return;
    }
    form_.setCurrentRow(target);
    writeRow(target, composeFromEntryFields());
    form_.applyLineNumberColour();
}

void EditingOperations::cmdUeb_leerZ_Click() {
    const HistoryStep step(history_, document_);
    beginRowOperation();
    const QString caption = form_.lblBemerkung.caption;
    int k = 0;
    for (int r = 1; r <= document_.RowCount; ++r) {
        if (!ScheduleDocument::hasContent(document_.line(r))) {
            k = r;
            break;
        }
    }
    if (k == 0) {
        form_.lblBemerkung.caption = catalogue_.tx(u"No free space");
        return;
    }
    const QString text = composeFromEntryFields();
    writeRow(k, text);
    form_.setCurrentRow(k);
    form_.applyLineNumberColour();
    form_.lblBemerkung.caption = caption;
}

void EditingOperations::cmdEinf_leerZ_Click() {
    const HistoryStep step(history_, document_);
    beginRowOperation();
    const int r = document_.grid.currentRow;
    if (r < 1 || r > document_.RowCount || !ScheduleDocument::hasContent(document_.line(r)))
        return;
    desktop_.setBusy(true);
    if (r == document_.RowCount) {
        int one = 1;
        document_.ExpandRows(one);
    }
    int j = document_.RowCount;
    while (j >= r && !ScheduleDocument::hasContent(document_.line(j)))
        --j;
    if (j == document_.RowCount) {
        // The reserve line holds text: the shift needs one row more.
        if (document_.RowCount < ScheduleDocument::MaxRows) {
            int one = 1;
            document_.ExpandRows(one);
        } else {
            form_.lblBemerkung.caption = catalogue_.tx(u"No free space");
            desktop_.setBusy(false);
            return;
        }
    }
    for (int i = j; i >= r; --i) {
        writeRow(i + 1, document_.line(i));
        writeRow(i, QString());
    }
    form_.setCurrentRow(r);
    if (r > 1)
        document_.grid.topRow = r - 1;
    desktop_.setBusy(false);
}

void EditingOperations::cmdLoe_Zei_Click() {
    const HistoryStep step(history_, document_);
    beginRowOperation();
    const int r = document_.grid.currentRow;
    if (r < 1 || r > document_.RowCount)
        return;
    document_.CurrentRow = static_cast<qint16>(r);
    for (int i = r; i < document_.RowCount; ++i)
        writeRow(i, document_.line(i + 1));
    writeRow(document_.RowCount, QString());
    form_.setCurrentRow(r);
}

namespace {

// The character a key code types, or none for keys that type nothing (Delete
// arrives as 127, and the codes Windows-1252 leaves undefined).
QString typedCharacter(int code) {
    if (code < 32 || code > 255 || code == 127)
        return {};
    const QString ch = DecodeWindows1252(QByteArray(1, static_cast<char>(code)));
    return ch.size() == 1 && ch.front().isPrint() ? ch : QString();
}

} // namespace

void EditingOperations::gridKeyPress(int code) {
    GridState& grid = document_.grid;
    const int row = grid.currentRow;
    if (row < 1 || row > document_.RowCount)
        return;
    if (code == 13) {
        if (row < document_.RowCount)
            form_.setCurrentRow(row + 1);
        return;
    }
    QString cell = document_.line(row);
    const QString typed = typedCharacter(code);
    if (code == 8)
        cell.chop(1);
    else if (code == 27)
        cell.clear();
    else if (!typed.isEmpty())
        cell += typed;
    else
        return;
    history_.begin(document_);
    const int column = grid.currentColumn;
    beginRowOperation();
    writeRow(row, cell);
    grid.currentColumn = column;
    // A word typed into a row is undone as one.
    history_.record(document_, typed.isEmpty() ? 0 : row);
}

// ---- Rows on the clipboard -------------------------------------------------

void EditingOperations::selectRows(int first, int last) {
    const int rows = document_.RowCount;
    if (first < 1 || first > rows)
        return;
    last = std::clamp(last, 1, rows);
    form_.setFocus(Control::grid);
    form_.setCurrentRow(first);
    selectionFirst_ = std::min(first, last);
    selectionLast_ = std::max(first, last);
    selectionRow_ = first;
}

QPair<int, int> EditingOperations::selection() const {
    const int current = document_.grid.currentRow;
    if (selectionRow_ == current && selectionFirst_ >= 1 && selectionLast_ <= document_.RowCount)
        return {selectionFirst_, selectionLast_};
    return {current, current};
}

void EditingOperations::copyRows() {
    const auto [first, last] = selection();
    if (first < 1 || last > document_.RowCount)
        return;
    QStringList lines;
    for (int r = first; r <= last; ++r)
        lines.append(document_.line(r));
    clipboardText_ = lines.join(u'\n');
    if (clipboard_)
        clipboard_->setText(clipboardText_);
}

void EditingOperations::cutRows() {
    const auto [first, last] = selection();
    if (first < 1 || last > document_.RowCount)
        return;
    copyRows();
    const HistoryStep step(history_, document_);
    beginRowOperation();
    const int n = last - first + 1;
    for (int i = first; i <= document_.RowCount; ++i)
        writeRow(i, i + n <= document_.RowCount ? document_.line(i + n) : QString());
    selectionRow_ = 0;
    form_.setCurrentRow(first);
}

// Grows the table in steps too small to ask, as loading does.
bool EditingOperations::growTableTo(int rows) {
    while (document_.RowCount < rows) {
        int step = std::min(rows - document_.RowCount, ScheduleDocument::AskFromRows - 1);
        const int before = document_.RowCount;
        document_.ExpandRows(step);
        if (document_.RowCount == before)
            return false;
    }
    return true;
}

void EditingOperations::pasteRows() {
    const QStringList lines = SplitTextLines(clipboard_ ? clipboard_->text() : clipboardText_);
    const int r = document_.grid.currentRow;
    if (lines.isEmpty() || r < 1 || r > document_.RowCount)
        return;
    int j = document_.RowCount;
    while (j >= r && !ScheduleDocument::hasContent(document_.line(j)))
        --j;
    const int n = static_cast<int>(lines.size());
    const qint64 lastWritten = qint64(std::max(j, r - 1)) + n;
    if (lastWritten > ScheduleDocument::MaxRows) {
        // Half a paste would leave the user guessing which lines came in.
        desktop_.beep();
        form_.lblBemerkung.caption = catalogue_.tx(u"No free space");
        return;
    }
    const HistoryStep step(history_, document_);
    beginRowOperation();
    desktop_.setBusy(true);
    // A reserve row stays free below the lines, as after loading.
    growTableTo(std::min(static_cast<int>(lastWritten) + 1, ScheduleDocument::MaxRows));
    for (int i = j; i >= r; --i)
        writeRow(i + n, document_.line(i));
    for (int k = 0; k < n; ++k)
        writeRow(r + k, lines[k]);
    desktop_.setBusy(false);
    form_.setCurrentRow(r);
    selectionFirst_ = r;
    selectionLast_ = r + n - 1;
    selectionRow_ = r;
}

} // namespace vx
