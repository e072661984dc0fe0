#pragma once

// How a message names an entry field to the user: "operand 1 (contact
// number)", "command field", never the control's own name.

#include "commands/entry_state.h"

#include <QString>

namespace vx {

class TextCatalogue;

// hint: the field's hint as the command shows it; its first line names the
// operand ("" names none).
QString FieldTitle(const TextCatalogue& catalogue, Control control, const QString& hint);

// The operand 1..6 that a control stands for; 0 for none.
int OperandOf(Control control);

} // namespace vx
