#pragma once

// Schedule lines for comparing two builds of the editor: every command in each
// of its forms, with operands drawn at and around their limits, keywords of the
// wrong command, odd bytes and overlong lines. The same seed gives the same
// lines on every platform, so two runs (and two machines) compare the same input.

#include <cstdint>
#include <string>
#include <vector>

namespace vx::linegen {

struct Options {
    std::uint64_t seed = 1;
    std::size_t count = 1000;
    // Control characters other than tab and SUB in the odd lines; without
    // them no file is taken for something other than a schedule.
    bool controls = true;
};

// `count` distinct lines, Windows-1252 bytes without line ends.
std::vector<std::string> GenerateLines(const Options& options);

// The forms the lines are drawn from: one line per command form.
const std::vector<std::string>& Templates();

} // namespace vx::linegen
