#include "editing/row_history.h"

#include <algorithm>

namespace vx {

RowHistory::Rows RowHistory::take(const ScheduleDocument& document) {
    const GridState& grid = document.grid;
    return {document.Lines, document.RowCount, grid.rows, grid.numberColumn, grid.textColumn};
}

void RowHistory::put(const Rows& rows, ScheduleDocument& document) {
    document.Lines = rows.lines;
    document.RowCount = rows.rowCount;
    // Row numbers are positions: they follow the row count.
    document.RowNumbers.resize(rows.lines.size());
    for (size_t r = 0; r < document.RowNumbers.size(); ++r)
        document.RowNumbers[r] = static_cast<qint16>(r);
    GridState& grid = document.grid;
    grid.rows = rows.gridRows;
    grid.numberColumn = rows.numberColumn;
    grid.textColumn = rows.textColumn;
    // The view stays where it is, within the table.
    grid.currentRow = std::clamp(grid.currentRow, 1, static_cast<int>(rows.rowCount));
    grid.topRow = std::clamp(grid.topRow, 1, static_cast<int>(rows.rowCount));
}

bool RowHistory::same(const Rows& rows, const ScheduleDocument& document) {
    if (rows.rowCount != document.RowCount)
        return false;
    for (int r = 1; r <= rows.rowCount; ++r)
        if (rows.lines[size_t(r)] != document.line(r))
            return false;
    return true;
}

int RowHistory::firstDifference(const Rows& rows, const ScheduleDocument& document) {
    const int common = std::min<int>(rows.rowCount, document.RowCount);
    for (int r = 1; r <= common; ++r)
        if (rows.lines[size_t(r)] != document.line(r))
            return r;
    return 0;
}

void RowHistory::record(const ScheduleDocument& document, int mergeKey) {
    if (same(last_, document))
        return;
    const bool merge = mergeKey != 0 && mergeKey == mergeKey_ && !undo_.empty();
    mergeKey_ = mergeKey;
    if (merge) {
        last_ = take(document);
        redo_.clear();
        return;
    }
    undo_.push_back(std::move(last_));
    if (static_cast<int>(undo_.size()) > Limit)
        undo_.pop_front();
    redo_.clear();
    last_ = take(document);
}

bool RowHistory::canUndo(const ScheduleDocument& document) const {
    return !undo_.empty() || !same(last_, document);
}

bool RowHistory::canRedo(const ScheduleDocument& document) const {
    return !redo_.empty() && same(last_, document);
}

bool RowHistory::undo(ScheduleDocument& document) {
    record(document);
    mergeKey_ = 0;
    if (undo_.empty())
        return false;
    redo_.push_back(std::move(last_));
    lastChangedRow_ = firstDifference(undo_.back(), document);
    put(undo_.back(), document);
    last_ = std::move(undo_.back());
    undo_.pop_back();
    return true;
}

bool RowHistory::redo(ScheduleDocument& document) {
    record(document);
    mergeKey_ = 0;
    if (redo_.empty())
        return false;
    undo_.push_back(std::move(last_));
    lastChangedRow_ = firstDifference(redo_.back(), document);
    put(redo_.back(), document);
    last_ = std::move(redo_.back());
    redo_.pop_back();
    return true;
}

void RowHistory::clear(const ScheduleDocument& document) {
    undo_.clear();
    redo_.clear();
    last_ = take(document);
    lastChangedRow_ = 0;
    mergeKey_ = 0;
}

void RowHistory::markClean(const ScheduleDocument& document) {
    record(document);
    mergeKey_ = 0; // typing on after a save is a step of its own
    clean_ = last_;
}

void RowHistory::absorb(const ScheduleDocument& document, bool clean) {
    last_ = take(document);
    if (clean)
        clean_ = last_;
}

bool RowHistory::differsFromClean(const ScheduleDocument& document) const {
    return !clean_ || !same(*clean_, document);
}

} // namespace vx
