#pragma once

// Finding a character string across the schedule and replacing one occurrence
// at a time. The search state is shared by the search and the replace window.

#include <QString>

namespace vx {

class ScheduleDocument;

struct SearchState {
    qint16 foundRow = 0;      // 0 = none
    qint16 foundPosition = 0; // 1-based
    bool replaceEnabled = false;
    QString searchText; // txbSuchtext
    QString replaceOf;  // txbvon_Text
    QString replaceTo;  // txbnach_Text
    bool searchWindowOpen = false;
    bool replaceWindowOpen = false;
    // A text that begins or ends with a digit is found only where no digit
    // stands next to it: after 12 became 112, searching 12 skips the 112.
    bool wholeNumber = false;
};

struct Occurrence {
    int row = 0;      // 0 = not found
    int position = 0; // 1-based
};

// The search routine's passes: from the row after currentRow to the end (the
// whole table when currentRow is the last row), then rows 1..currentRow.
// Trailing blanks of s are removed first; an empty s finds nothing.
Occurrence FindOccurrence(const ScheduleDocument& document, int currentRow, const QString& s,
                          bool wholeNumber = false);

// The line with the occurrence of old (trimmed) at position replaced by new (trimmed).
QString ReplaceAt(const QString& line, int position, const QString& oldText,
                  const QString& newText);

} // namespace vx
