#include "layout/xref_listing.h"

#include "texts/text_catalogue.h"

namespace vx {

namespace {

using namespace XrefListingLayout;
using ListingLayout::LinesPerPage;

class XrefPages {
public:
    XrefPages(const QString& folder, const QString& date, const TextCatalogue& c)
        : folder_(folder), date_(date), c_(c) {}

    void group(const QString& heading) {
        // A heading never stands alone at the foot of a page.
        if (lines_ > LinesPerPage - 2)
            startPage();
        heading_ = heading;
        add({{GroupColumn, heading, true, false}});
    }

    void use(const QString& schedule, int row, const QString& access, const QString& text) {
        if (lines_ > LinesPerPage - 1) {
            startPage();
            // The group goes on: the reader still sees whose uses these are.
            add({{GroupColumn, heading_, true, false}});
        }
        const QString number = QString::number(row);
        add({{ScheduleColumn, schedule, false, false, ListingPiece::Elide::Middle, 0},
             {RowEndColumn - static_cast<int>(number.size() - 1), number, false, false},
             {UseColumn, access, false, false},
             {LineColumn, text, false, false}});
    }

    ListingDocument take() { return std::move(document_); }

private:
    void add(const QList<ListingPiece>& pieces) {
        document_.pages.back().lines.append(ListingLine{pieces});
        ++lines_;
    }

    void startPage() {
        ++page_;
        ListingPage page;
        page.lines = ListingPageHead(
            c_, QStringLiteral("VX-EDIT   ") + c_.tx(u"layout folder") + QStringLiteral(": "),
            folder_, date_, page_);
        ListingLine titles;
        titles.pieces.append({ScheduleColumn, c_.tx(u"Schedule"), false, true});
        titles.pieces.append({RowEndColumn - static_cast<int>(c_.tx(u"Row").size() - 1),
                              c_.tx(u"Row"), false, true});
        titles.pieces.append({UseColumn, c_.tx(u"Use"), false, true});
        titles.pieces.append({LineColumn, c_.tx(u"Line"), false, true});
        page.lines.append(titles);
        document_.pages.append(page);
        lines_ = ListingLayout::HeaderLines;
    }

    const QString folder_;
    const QString date_;
    const TextCatalogue& c_;
    QString heading_;
    int page_ = 0;
    int lines_ = LinesPerPage;
    ListingDocument document_;
};

} // namespace

ListingDocument RenderXrefListing(const LayoutIndex& index, const QString& folder,
                                  const QString& date, const TextCatalogue& catalogue) {
    XrefPages pages(folder, date, catalogue);
    const LayoutUse* previous = nullptr;
    const LayoutSchedule* previousSchedule = nullptr;
    for (const LayoutIndex::Ref& r : index.sortedUses()) {
        const LayoutUse& u = *r.use;
        if (!previous || previous->thing != u.thing || previous->id != u.id)
            pages.group(u.id.isEmpty() ? catalogue.tx(ThingName(u.thing))
                                       : catalogue.tx(ThingName(u.thing)) + u' ' + u.id);
        // One line once per row, as the pane's uses of a row read.
        else if (previousSchedule == r.schedule && previous->line == u.line &&
                 previous->access == u.access)
            continue;
        previous = &u;
        previousSchedule = r.schedule;
        const int i = u.line - 1;
        const QString text =
            i >= 0 && i < r.schedule->lines.size() ? r.schedule->lines[i].trimmed() : QString();
        pages.use(r.schedule->name(), u.line, catalogue.tx(AccessName(u.access)), text);
    }
    return pages.take();
}

} // namespace vx
