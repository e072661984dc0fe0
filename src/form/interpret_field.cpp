// InterpretField: the common frame around the check of one entry field. The
// rules of the command field and the operands live with the command families
// (commands/command_family.h).

#include "commands/command_family.h"
#include "commands/operand_rules.h"
#include "form/entry_form.h"
#include "texts/blanks.h"

namespace vx {

namespace {

constexpr int TopicWithoutCommand = 140;

// The command field holds exactly the code of the remark line.
bool isRemarkCode(const QString& field) {
    const CommandBehaviour* b = field.size() == 1 ? BehaviourOf(field.front()) : nullptr;
    return b && b->remarkLine;
}

// The command field as the rules compare it; no copy in the usual case of a
// code typed without blanks.
QString trimmedUpper(const QString& text) {
    return TrimView(text).size() == text.size() ? text.toUpper() : Trim(text).toUpper();
}

} // namespace

void EntryForm::InterpretField(int field) {
    if (field < 1 || field > 7)
        return;
    const QString code = trimmedUpper(msk[1].text);
    const bool remarkLine = isRemarkCode(msk[1].text);
    lblBemerkung.error = false;

    QString v;
    EntryField* judged = nullptr;
    if (field >= 4) {
        judged = &msk[static_cast<size_t>(field)];
        judged->error = false;
        v = remarkLine ? judged->text : Trim(judged->text).toUpper();
    } else if (field == 2) {
        judged = txbTxt2.visible ? &txbTxt2 : &msk[2];
    } else if (field == 3) {
        judged = txbTxt3.visible ? &txbTxt3 : &msk[3];
    } else {
        judged = &msk[1];
    }

    bool normal = true;
    if (field == 1)
        normal = interpretCommandField(v);
    else if (field <= 6)
        normal = InterpretOperand(*this, *this, parts_.catalogue, parts_.commands, field, code,
                                  v) == RuleEnd::Normal;

    if (!normal) {
        // An empty value is no error: the user has not typed it yet.
        if (v.isEmpty())
            return;
        ExplanationParts[static_cast<size_t>(field)].clear();
        judged->error = true;
        lblBemerkung.error = true;
        lblBemerkung.caption = tx(u"False input");
        parts_.desktop.beep();
        parts_.desktop.beep();
        return;
    }

    lblBemerkung.caption = joinedExplanation();
    const int topic = TrimView(msk[1].text).isEmpty() ? TopicWithoutCommand
                                                      : topicOfCommandField(TopicWithoutCommand);
    setHelpTopic(topic);
}

bool EntryForm::interpretCommandField(QString& v) {
    EntryField& field = msk[1];
    field.error = false;
    if (isRemarkCode(field.text)) {
        // The remark text is free text: the box takes the place of operand 1.
        txbTxt2.left = msk[2].left;
        txbTxt2.visible = true;
        msk[2].visible = false;
        v = field.text;
    } else {
        v = trimmedUpper(field.text);
    }
    if (v.isEmpty())
        return true;
    return InterpretCommandField(*this, *this, parts_.catalogue, parts_.commands, v) ==
           RuleEnd::Normal;
}

} // namespace vx
