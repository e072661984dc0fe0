#pragma once

// Undo and redo of the changes to the rows. Every change of the rows or of the
// row count is one step, whichever path made it: a step is closed whenever the
// rows differ from those the history saw last, at the start and end of each
// operation and before undo or redo. A change made outside an operation (the
// table growing for a typed line number) thus becomes a step of its own.
// A step keeps the rows as they were; the texts are shared, so a step of a
// full table costs little more than its row count in pointers. The view (the
// current and top row) is not part of a step.

#include "document/schedule_document.h"

#include <deque>
#include <optional>

namespace vx {

class RowHistory {
public:
    static constexpr int Limit = 100;

    // Closes a step when the rows changed since the history saw them last.
    // Steps of the same non-zero key in a row make one (characters typed into
    // one row are undone together).
    void record(const ScheduleDocument& document, int mergeKey = 0);
    // Around one operation: whatever it changes becomes one step.
    void begin(const ScheduleDocument& document) { record(document); }
    void commit(const ScheduleDocument& document) { record(document); }

    bool canUndo(const ScheduleDocument& document) const;
    bool canRedo(const ScheduleDocument& document) const;
    // Puts the rows back as they were before the last step (after the last
    // undone step); false when there is none.
    bool undo(ScheduleDocument& document);
    bool redo(ScheduleDocument& document);
    // A new, opened or imported schedule starts without history, from its rows.
    void clear(const ScheduleDocument& document);

    // The rows as they stand in the file: set at load and save, none after New
    // or an import (rows that were never saved as a schedule).
    void markClean(const ScheduleDocument& document);
    void forgetClean() { clean_.reset(); }
    // Rows put in as loading puts them (scripts): no step; clean as well when
    // asked.
    void absorb(const ScheduleDocument& document, bool clean);
    bool differsFromClean(const ScheduleDocument& document) const;

    // The first row whose text differs between two versions of the rows, 0
    // when none does; as of the last undo or redo.
    int lastChangedRow() const { return lastChangedRow_; }

private:
    struct Rows {
        std::vector<QString> lines;
        qint16 rowCount = 0;
        int gridRows = 0;
        std::vector<QString> numberColumn;
        std::vector<QString> textColumn;
    };
    static Rows take(const ScheduleDocument& document);
    static void put(const Rows& rows, ScheduleDocument& document);
    static bool same(const Rows& rows, const ScheduleDocument& document);
    static int firstDifference(const Rows& rows, const ScheduleDocument& document);

    Rows last_;
    std::deque<Rows> undo_;
    std::deque<Rows> redo_;
    std::optional<Rows> clean_;
    int lastChangedRow_ = 0;
    int mergeKey_ = 0; // of the last step, while it may grow
};

} // namespace vx
