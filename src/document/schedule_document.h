#pragma once

// The one schedule held in memory: numbered rows 1..RowCount, each the text of
// one schedule line or nothing, together with the grid rows that show them.

#include <QString>
#include <QStringView>

#include "texts/blanks.h"
#include <vector>

namespace vx {

struct Platform;
class TextCatalogue;

// What the grid grdFahrpl shows: a fixed header row 0 and rows 1..rows-1,
// column 0 the row number, column 1 the row text.
struct GridState {
    int rows = 100; // header included
    std::vector<QString> numberColumn;
    std::vector<QString> textColumn;
    int currentRow = 1;
    int currentColumn = 1;
    int topRow = 1;
    QString headerNumber; // caption of column 0
    QString headerText;   // caption of column 1

    void resize(int newRows);
};

class ScheduleDocument {
public:
    static constexpr int InitialRows = 99;
    static constexpr int MaxRows = 1999;
    static constexpr int AskFromRows = 100; // growing by this many rows or more asks first

    static constexpr int AnswerYes = 6;
    static constexpr int AnswerNo = 7;
    static constexpr int AnswerNone = 9;

    ScheduleDocument(const Platform& platform, const TextCatalogue& catalogue);

    // Row access; r in 1..RowCount. Whoever writes a row through setLine also
    // updates the grid's text column of that row.
    const QString& line(int r) const { return Lines[static_cast<size_t>(r)]; }
    void setLine(int r, const QString& text);
    static bool hasContent(QStringView text) { return !TrimView(text).isEmpty(); }
    bool anyRowHasContent() const;

    void ClearDocument();
    void ExpandRows(int& n);
    void ExtractFileName();

    // Entry 0 is never used; entries above RowCount are not part of the document.
    std::vector<QString> Lines;
    std::vector<qint16> RowNumbers;
    qint16 RowCount = InitialRows;
    QString FilePath;
    QString FileName;
    bool Modified = false;
    qint16 CurrentRow = 1;
    qint16 Answer = AnswerNone;

    GridState grid;

private:
    const Platform& platform_;
    const TextCatalogue& catalogue_;
};

} // namespace vx
