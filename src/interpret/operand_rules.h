#pragma once

// The per-command rules of the operands (fields 2..6 = operands 1..5): they
// check the value, write the field's explanation part and re-shape later
// fields for sub-forms. The common frame of InterpretField calls them.

#include <QString>

namespace vx {

class Editor;

enum class RuleEnd { Normal, Error };

// field: 2..6. code: the command field trimmed and upper-cased. v: the value
// the rule judged (read by the rule itself for fields 2 and 3, where a free-text
// box may stand in; handed in by the frame for fields 4..6). An Error end with
// an empty v only ends the call; the frame does the rest of both ends.
RuleEnd InterpretOperand(Editor& editor, int field, const QString& code, QString& v);

} // namespace vx
