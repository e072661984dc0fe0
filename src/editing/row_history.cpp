#include "editing/row_history.h"

namespace vx {

RowHistory::Rows RowHistory::take(const ScheduleDocument& document) {
    const GridState& grid = document.grid;
    return {document.Lines,    document.RowNumbers, document.RowCount, grid.rows,
            grid.numberColumn, grid.textColumn,     grid.currentRow,   grid.topRow};
}

void RowHistory::put(const Rows& rows, ScheduleDocument& document) {
    document.Lines = rows.lines;
    document.RowNumbers = rows.rowNumbers;
    document.RowCount = rows.rowCount;
    GridState& grid = document.grid;
    grid.rows = rows.gridRows;
    grid.numberColumn = rows.numberColumn;
    grid.textColumn = rows.textColumn;
    grid.currentRow = rows.currentRow;
    grid.topRow = rows.topRow;
}

void RowHistory::begin(const ScheduleDocument& document) {
    pending_ = take(document);
}

void RowHistory::commit(const ScheduleDocument& document) {
    if (!pending_)
        return;
    Rows before = std::move(*pending_);
    pending_.reset();
    if (before == take(document))
        return;
    undo_.push_back(std::move(before));
    if (static_cast<int>(undo_.size()) > Limit)
        undo_.pop_front();
    redo_.clear();
}

bool RowHistory::undo(ScheduleDocument& document) {
    if (undo_.empty())
        return false;
    redo_.push_back(take(document));
    put(undo_.back(), document);
    undo_.pop_back();
    return true;
}

bool RowHistory::redo(ScheduleDocument& document) {
    if (redo_.empty())
        return false;
    undo_.push_back(take(document));
    put(redo_.back(), document);
    redo_.pop_back();
    return true;
}

void RowHistory::clear() {
    pending_.reset();
    undo_.clear();
    redo_.clear();
}

} // namespace vx
