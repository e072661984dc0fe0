#pragma once

// The frame around the rules of the command field and of the operands (fields
// 2..6 = operands 1..5). The rules themselves live with their command's family
// (command_family.h): they check the value, write the field's explanation part
// and re-shape later fields for sub-forms. InterpretField calls the frame.

#include "commands/rule_end.h"

#include <QString>

namespace vx {

class CommandTable;
class FormEvents;
class TextCatalogue;
struct EntryFormState;

// field: 2..6. code: the command field trimmed and upper-cased. v: the value
// the rule judged (read by the rule itself for fields 2 and 3, where a free-text
// box may stand in; handed in by the frame for fields 4..6). An Error end with
// an empty v only ends the call; the frame does the rest of both ends.
//
// A rule that must end without a verdict although the field holds something
// (operand 2 of T naming marker 0 after a time source) empties v and returns
// Error: the call then only ends, as for an empty field.
//
// Rules may set later fields' texts through FormEvents::setFieldText, whose
// change handling can run InterpretField again (D's "&" becoming "&SETVAR&"
// re-interprets field 3 while it has the focus); they set a text only when it
// differs, so such a chain stops after one round.
RuleEnd InterpretOperand(EntryFormState& form, FormEvents& events, const TextCatalogue& catalogue,
                         const CommandTable& table, int field, const QString& code, QString& v);

// The command field's own rule, v its text trimmed and upper-cased (not
// empty): a schedule digit behind the letter changes the head of the
// explanation; Error for a digit the command does not take.
RuleEnd InterpretCommandField(EntryFormState& form, FormEvents& events,
                              const TextCatalogue& catalogue, const CommandTable& table,
                              QString& v);

} // namespace vx
