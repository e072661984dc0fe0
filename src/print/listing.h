#pragma once

// The printed schedule listing, device-independent: pages of printed lines,
// each line a list of pieces that start at a print column. The same document
// goes to a printer, into a PDF (render/listing_painter.h) or into the text form
// of `vxedit-cli listing` (ListingText).

#include "platform/platform.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

#include <vector>

namespace vx {

class TextCatalogue;

struct ListingPiece {
    // Where a painted piece that does not fit gives up its characters; the
    // text form cuts at the next column either way.
    enum class Elide : quint8 { End, Middle };
    int column = 1; // print column, 1-based
    QString text;
    bool bold = false;
    bool underline = false;
    Elide elide = Elide::End;
    qsizetype kept = 0; // leading characters that are never elided
    bool operator==(const ListingPiece&) const = default;
};

struct ListingLine {
    QList<ListingPiece> pieces; // in column order; none for an empty line
};

struct ListingPage {
    QList<ListingLine> lines;
};

struct ListingDocument {
    QList<ListingPage> pages;
};

// Page geometry, in print columns of the listing font.
namespace ListingLayout {
constexpr int HeaderColumn = 8;
constexpr int LineNumberTitleColumn = 10;
constexpr int LineNumberEndColumn = 11;
constexpr int TextColumn = 16;
constexpr int DateColumn = 80;
constexpr int CommandLineColumn = 95;
constexpr int HeaderLines = 5;
constexpr int ScheduleLinesPerPage = 55;
constexpr int LinesPerPage = HeaderLines + ScheduleLinesPerPage;
constexpr int TextWidth = 80;        // indent and rendered text together
constexpr int CommandLineWidth = 90; // the stored command line
constexpr int IndentWidth = 6;       // the line an If controls
} // namespace ListingLayout

// Where the listing's messages go: the editor's numbered messages.
// lineNumber and commandLine are the line being worked on.
class ListingReporter {
public:
    virtual ~ListingReporter() = default;
    virtual void reportError(int number, int styleAddition, const QString& detail, int lineNumber,
                             const QString& commandLine) = 0;
    // A jump or subroutine address defined at line first and again at line again.
    virtual void reportDoubleAddress(int first, int again, const QString& name) = 0;
};

struct ListingSource {
    const std::vector<QString>* lines = nullptr; // rows 1..rowCount; entry 0 unused
    int rowCount = 0;
    QString filePath; // shown in the header
    QString date;     // shown in the header
};

// The first four lines of a page (HeaderLines without the titles): two empty
// lines, label and path in bold with the date and the page number, an empty
// line. A long path gives way in its middle.
QList<ListingLine> ListingPageHead(const TextCatalogue& catalogue, const QString& label,
                                   const QString& path, const QString& date, int page);

// The address pass and the print pass over the schedule. Lines that are empty
// after trimming print nothing; a schedule without such lines gives no page.
// reporter may be null (messages are then dropped).
ListingDocument RenderListing(const ListingSource& source, const TextCatalogue& catalogue,
                              ListingReporter* reporter);

// The text form: pages after the first begin with a form-feed line, each piece
// starts at its column as a character column (a later piece cuts what an
// earlier one wrote beyond its column), bold and underline are dropped and
// trailing blanks removed. Every line ends in "\n".
QString ListingText(const ListingDocument& document);

} // namespace vx
