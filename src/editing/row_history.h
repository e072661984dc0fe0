#pragma once

// Undo and redo of the changes to the rows: every row operation (transfer,
// insert, delete, replace, typing in the grid) is one step. A step keeps the
// rows as they were; the texts are shared, so a step of a full table costs
// little more than its row count in pointers.

#include "document/schedule_document.h"

#include <deque>
#include <optional>

namespace vx {

class RowHistory {
public:
    static constexpr int Limit = 100;

    // Before an operation: remembers the rows. After it: keeps the step when
    // the rows changed, forgets it otherwise.
    void begin(const ScheduleDocument& document);
    void commit(const ScheduleDocument& document);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Puts the rows back as they were before the last step (after the last
    // undone step); false when there is none.
    bool undo(ScheduleDocument& document);
    bool redo(ScheduleDocument& document);
    // A new, opened or imported schedule starts without history.
    void clear();

private:
    struct Rows {
        std::vector<QString> lines;
        std::vector<qint16> rowNumbers;
        qint16 rowCount = 0;
        int gridRows = 0;
        std::vector<QString> numberColumn;
        std::vector<QString> textColumn;
        int currentRow = 1;
        int topRow = 1;
        bool operator==(const Rows& other) const {
            return rowCount == other.rowCount && lines == other.lines;
        }
    };
    static Rows take(const ScheduleDocument& document);
    static void put(const Rows& rows, ScheduleDocument& document);

    std::optional<Rows> pending_;
    std::deque<Rows> undo_;
    std::deque<Rows> redo_;
};

} // namespace vx
