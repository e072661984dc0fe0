// InterpretField: the common frame around the check of one entry field, and
// the rules of the command field. The operand rules live in operand_rules*.

#include "commands/command_layouts.h"
#include "commands/operand_rules.h"
#include "editor/editor.h"
#include "form/entry_form.h"
#include "texts/blanks.h"

namespace vx {

namespace {

constexpr int TopicWithoutCommand = 140;

// The command field as the rules compare it; no copy in the usual case of a
// code typed without blanks.
QString trimmedUpper(const QString& text) {
    return TrimView(text).size() == text.size() ? text.toUpper() : Trim(text).toUpper();
}

bool isCodeDigit(QChar c) {
    return c >= u'1' && c <= u'9';
}

} // namespace

void EntryForm::InterpretField(int field) {
    if (field < 1 || field > 7)
        return;
    const QString code = trimmedUpper(msk[1].text);
    const bool remarkLine = msk[1].text == u"*";
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
        normal = InterpretOperand(*this, *this, editor_.catalogue, editor_.commands, field, code,
                                  v) == RuleEnd::Normal;

    if (!normal) {
        // An empty value is no error: the user has not typed it yet.
        if (v.isEmpty())
            return;
        ExplanationParts[static_cast<size_t>(field)].clear();
        judged->error = true;
        lblBemerkung.error = true;
        lblBemerkung.caption = tx(u"False input");
        editor_.platform.desktop->beep();
        editor_.platform.desktop->beep();
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
    if (field.text == u"*") {
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
    const QChar last = v.back();
    const bool digit = v.size() > 1 && isCodeDigit(last);
    auto& e = ExplanationParts;
    switch (v.front().unicode()) {
    case u'N':
        if (v.size() > 1) {
            if (!isCodeDigit(last))
                return false;
            e[1] = tx(u"New loading of schedule ") + tx(u"no. ") + last + u' ';
        } else {
            e[1] = tx(u"New loading of schedule ") + u' ';
        }
        break;
    case u'I':
        if (digit) {
            msk[4].visible = false;
            setFieldText(4, QString());
            e[4] = QStringLiteral(" ==> SETVar[") + last + u']';
        } else {
            msk[4].visible = true;
            e[4] = QStringLiteral(" ==> SETVar");
        }
        e[1] = RandomNumberHead(editor_.catalogue);
        break;
    case u'J':
        e[1] = tx(u"Jam/blockade generating: ");
        break;
    case u'Q':
        if (digit)
            e[1] = tx(u"Queue") + u' ' + tx(u"of ") + tx(u"schedule no. ") + last +
                   QStringLiteral(": ");
        break;
    case u'V':
        if (digit)
            e[1] = tx(u"SET variable") + u' ' + tx(u"of ") + tx(u"no. ") + last + u' ';
        break;
    default:
        break;
    }
    return true;
}

} // namespace vx
