#pragma once

namespace vx {

// How the rule of one entry field ended (commands/operand_rules.h).
enum class RuleEnd { Normal, Error };

} // namespace vx
