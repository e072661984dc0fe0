#pragma once

namespace vx {

// How a line takes part in the schedule's blocks.
enum class Block {
    None,
    Condition,       // the line after it runs only when it holds
    OpensRepeat,     // closed by "E, W"
    OpensSubroutine, // closed by "E, U"
    EndsRepeat,
    EndsSubroutine,
    Ends // a bare End: the main program, or the innermost block
};

} // namespace vx
