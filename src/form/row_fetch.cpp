// The grid's current row as the entry area follows it, and fetching a row back
// into the entry fields (cmdHol_Zei_Click).

#include "commands/command_family.h"
#include "commands/line_syntax.h"
#include "form/entry_form.h"
#include "texts/basic_numbers.h"
#include "texts/blanks.h"

namespace vx {

namespace {

int lineNumberOf(QStringView text) {
    const qint64 n = LeadingDigits(text);
    return n > ScheduleDocument::MaxRows ? -1 : static_cast<int>(n);
}

} // namespace

void EntryForm::setCurrentRow(int row) {
    ScheduleDocument& doc = parts_.document;
    GridState& grid = doc.grid;
    if (row < 1 || row > doc.RowCount || row >= grid.rows)
        return;
    const bool changed = grid.currentRow != row || grid.currentColumn != 1;
    grid.currentRow = row;
    grid.currentColumn = 1;
    if (!changed || startingUp_)
        return;
    setFieldText(0, QString::number(row));
    applyLineNumberColour();
    rebuildRowButtonCaptions();
    doc.RowNumbers[static_cast<size_t>(row)] = static_cast<qint16>(row);
}

void EntryForm::applyLineNumberColour() {
    const ScheduleDocument& doc = parts_.document;
    const int n = lineNumberOf(msk[0].text);
    const QStringView named = n >= 1 && n <= doc.RowCount ? TrimView(doc.line(n)) : QStringView();
    const int current = doc.grid.currentRow;
    const QStringView selected = current >= 1 && current < doc.grid.rows
                                     ? TrimView(doc.grid.textColumn[static_cast<size_t>(current)])
                                     : QStringView();
    lineNumberRed = named != selected;
}

void EntryForm::clickFetch() {
    setFocus(Control::cmdHol_Zei);
    cmdHol_Zei_Click();
}

void EntryForm::grdFahrpl_DblClick() {
    setFocus(Control::grid);
    cmdHol_Zei_Click();
}

void EntryForm::cmdHol_Zei_Click() {
    ScheduleDocument& doc = parts_.document;
    doc.Modified = true;
    parts_.autosaveEnabled = true;
    doc.grid.currentColumn = 1;

    // The remark box changes only when the fetched line carries a remark, although
    // choosing the command below empties it.
    const QString keptRemark = txbAnmerk.text;
    for (int k = 1; k <= 7; ++k)
        setFieldText(k, QString());

    const int r = doc.grid.currentRow;
    if (r < 1 || r > doc.RowCount)
        return;
    QString line = Trim(doc.line(r));
    if (line.isEmpty())
        return;

    const QChar first = line.front().toUpper();
    const CommandBehaviour* family = BehaviourOf(first);
    const bool remarkLine = family && family->remarkLine;
    const bool noTrailingRemark = family && family->noTrailingRemark;
    setFieldText(1, QString(first));
    if (remarkLine) {
        // "* text": the writer's blank behind the asterisk is no part of the text.
        const qsizetype from = line.size() > 1 && line[1] == u' ' ? 2 : 1;
        setBoxText(Control::txbTxt2, line.mid(from));
    } else {
        std::array<QString, 6> f = SplitLine(line);
        setFieldText(1, Trim(f[0]));
        const bool wasFetching = fetching_;
        fetching_ = true;
        for (int k = 1; k <= 6; ++k) {
            const QString value = Trim(f[static_cast<size_t>(k - 1)]);
            if (f[static_cast<size_t>(k - 1)].isEmpty())
                break;
            if (k == 2) {
                if (txbTxt2.visible)
                    setBoxText(Control::txbTxt2, value);
                else
                    setFieldText(2, value);
            } else if (k == 3) {
                if (txbTxt3.visible)
                    setBoxText(Control::txbTxt3, value);
                setFieldText(3, value);
            } else if (k >= 4) {
                setFieldText(k, value);
            }
            InterpretField(k);
        }
        fetching_ = wasFetching;
        const QString remark = TrailingRemark(line);
        txbAnmerk.text = !noTrailingRemark && line.contains(u" *") ? Trim(remark) : keptRemark;
    }
    if (remarkLine)
        txbAnmerk.text = keptRemark;
    applyLineNumberColour();
    if (noTrailingRemark)
        return;

    // The focus goes to the first operand field still to be filled.
    for (int k = 2; k <= 6; ++k) {
        EntryField& f = msk[static_cast<size_t>(k)];
        const bool filled = !TrimView(f.text).isEmpty();
        if (k == 6) {
            if (filled)
                f.visible = true;
            else if (msk[5].visible)
                setFocus(Control::mskTxt5);
            break;
        }
        if (filled) {
            if (k != 5)
                f.visible = true;
            continue;
        }
        msk[static_cast<size_t>(k + 1)].visible = false;
        if (f.visible)
            setFocus(static_cast<Control>(k));
        break;
    }
}

} // namespace vx
