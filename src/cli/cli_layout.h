#pragma once

// What xref, renumber and check share about a layout given as PATHs.

#include "cli/cli.h"
#include "layout/layout_index.h"

namespace vx::cli {

// Reads PATHs into index. Every file that cannot be read or is no schedule
// is named on stderr; false when any could not be read.
bool ReadLayout(const Invocation& invocation, const QStringList& paths, LayoutIndex& index);

// A use as xref prints it: KIND ID FILE:LINE: ACCESS: TEXT
QString PlainUse(const LayoutIndex::Ref& ref);

} // namespace vx::cli
