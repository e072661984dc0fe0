#pragma once

// The layout's cross-references as printed pages: one group per thing (kind
// and number, in the order of the pane), its uses below it, under the page
// header of the schedule listing. Painted by the listing's own PDF path.

#include "layout/layout_index.h"
#include "print/listing.h"

namespace vx {

class TextCatalogue;

namespace XrefListingLayout {
constexpr int GroupColumn = ListingLayout::HeaderColumn;
constexpr int ScheduleColumn = 10;
constexpr int RowEndColumn = 45; // row numbers end here
constexpr int UseColumn = 48;
constexpr int LineColumn = 62;
} // namespace XrefListingLayout

// folder and date go into every page header. An index without uses gives
// no page.
ListingDocument RenderXrefListing(const LayoutIndex& index, const QString& folder,
                                  const QString& date, const TextCatalogue& catalogue);

} // namespace vx
