#pragma once

namespace vx {

// Registers the help pages compiled into the static window library. Safe to
// call more than once; HelpPageResolver calls it itself.
void initHelpResources();

} // namespace vx
