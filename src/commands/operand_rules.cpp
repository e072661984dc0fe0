#include "commands/operand_rules.h"

#include "commands/command_family.h"
#include "commands/operand_rule.h"

namespace vx {

namespace rules {

bool markerOk(QStringView digits) {
    return digits.isEmpty() || InRange(digits, 1, MaxMarker);
}

Rule::Rule(EntryFormState& state, FormEvents& formEvents, const TextCatalogue& catalogue,
           const CommandTable& commands, int f, const QString& c, QString& value)
    : form(state), events(formEvents), cat(catalogue), table(commands), field(f), code(c),
      letter(c.isEmpty() ? QChar() : c.front()), v(value), explained(formEvents.explained()),
      hinted(formEvents.hinted()) {}

QString Rule::operand(int n) const {
    const int k = n + 1;
    const EntryField* f = &form.msk[static_cast<size_t>(k)];
    if (k == 2 && form.txbTxt2.visible)
        f = &form.txbTxt2;
    else if (k == 3 && form.txbTxt3.visible)
        f = &form.txbTxt3;
    return Trim(f->text).toUpper();
}

QChar Rule::operandLetter(int n) const {
    const QString t = operand(n);
    return t.isEmpty() ? QChar() : t.front();
}

QChar Rule::codeDigit() const {
    if (code.size() < 2)
        return {};
    const QChar d = code.back();
    return d >= u'1' && d <= u'9' ? d : QChar();
}

int Rule::row() const {
    return table.findByLine(code);
}

void Rule::setMask(EntryField& f, const QString& mask, QChar prompt) {
    f.mask = mask;
    f.prompt = prompt;
    if (!mask.isEmpty())
        f.maxLength = static_cast<int>(mask.size());
}

void Rule::setWidth(int k, int width) {
    msk(k).width = width;
    relayoutFrom(k);
}

void Rule::relayoutFrom(int k) {
    for (int j = k + 1; j < EntryFormState::FieldCount; ++j)
        msk(j).left = msk(j - 1).left + msk(j - 1).width + 3;
}

void Rule::clearField(int k) {
    events.setFieldText(k, QString());
}

RuleEnd numberPart(Rule& r, qint64 lo, qint64 hi) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, lo, hi))
        return Rule::error();
    r.E(2) = r.v + u' ';
    return Rule::normal();
}

RuleEnd generic(Rule& r) {
    r.E(2) = r.v;
    return Rule::normal();
}

ExplanationPart part(Rule& r) {
    return r.E(r.field);
}

RuleEnd emptyEnds(Rule& r) {
    part(r).clear();
    return r.quiet();
}

std::optional<RuleEnd> valueInMarker(Rule& r, const QString& tail) {
    if (!r.v.startsWith(u'M'))
        return std::nullopt;
    const QString marker = r.v.mid(1);
    if (!marker.isEmpty() && !SignedValue(marker))
        return Rule::error();
    if (!marker.isEmpty() && *SignedValue(marker) < 0)
        return Rule::error();
    r.E(2) = u'(' + r.tx(u"Value in marker no. ") + marker + tail;
    return Rule::normal();
}

QString MarkerRange(const TextCatalogue& c) {
    return c.tx(u"Marker no.") + QStringLiteral(" (") + c.tx(u"1 up to 999") + u')';
}

QString OrMarker(const TextCatalogue& c) {
    const QString& br = TextCatalogue::HintLineBreak();
    return br + c.tx(u"or M with following ") + br + c.tx(u"Marker no.") + u' ' +
           c.tx(u"1 up to 999");
}

namespace {

RuleEnd unknownCommand(Rule& r) {
    r.E(1) = r.tx(u"Unknown command");
    r.E(2).clear();
    r.events.selectListIndex(0); // the heading line of the command list
    return Rule::normal();
}

// The rule of operand n that the command's family gives; an unknown command
// explains itself as such at operand 1 and accepts the rest.
RuleEnd operandRule(Rule& r, int n) {
    const CommandBehaviour* b = r.letter.isNull() ? nullptr : BehaviourOf(r.letter);
    const FieldRule rule = b ? b->operands[static_cast<size_t>(n - 1)] : nullptr;
    if (rule)
        return rule(r);
    return n == 1 ? unknownCommand(r) : Rule::normal();
}

// Operands 1 and 2 may stand in a free-text box; a remark line keeps its case.
void readValue(Rule& r, EntryField& masked, EntryField& freeText) {
    masked.error = false;
    freeText.error = false;
    r.raw = freeText.visible ? freeText.text : masked.text;
    r.v = r.code == u"*" ? r.raw : Trim(r.raw).toUpper();
}

} // namespace

} // namespace rules

RuleEnd InterpretOperand(EntryFormState& state, FormEvents& events, const TextCatalogue& catalogue,
                         const CommandTable& table, int field, const QString& code, QString& v) {
    using namespace rules;
    Rule r(state, events, catalogue, table, field, code, v);
    EntryFormState& form = r.form;
    switch (field) {
    case 2:
        readValue(r, r.msk(2), form.txbTxt2);
        if (Trim(v).isEmpty())
            r.E(2).clear();
        // A new operand 1 discards operands 2 to 5.
        for (int k = 3; k <= 6; ++k) {
            r.clearField(k);
            r.E(k).clear();
        }
        if (r.explained)
            form.lblBemerkung.caption = r.E(1).text() + r.E(2).text();
        return operandRule(r, 1);
    case 3:
        readValue(r, r.msk(3), form.txbTxt3);
        if (Trim(v).isEmpty())
            r.E(3).clear();
        for (int k = 4; k <= 6; ++k) {
            r.clearField(k);
            r.E(k).clear();
        }
        if (r.explained)
            form.lblBemerkung.caption =
                r.E(1).text() + r.E(2).text() + r.E(7).text() + r.E(3).text();
        return operandRule(r, 2);
    case 4:
        // Operand 3 discards operands 4 and 5 for every command.
        r.raw = r.msk(4).text;
        for (int k = 5; k <= 6; ++k) {
            r.clearField(k);
            r.E(k).clear();
        }
        if (r.explained)
            form.lblBemerkung.caption =
                r.E(1).text() + r.E(2).text() + r.E(7).text() + r.E(3).text() + r.E(4).text();
        return operandRule(r, 3);
    case 5:
        r.raw = r.msk(5).text;
        return operandRule(r, 4);
    case 6:
        r.raw = r.msk(6).text;
        return operandRule(r, 5);
    default:
        return RuleEnd::Normal;
    }
}

RuleEnd InterpretCommandField(EntryFormState& state, FormEvents& events,
                              const TextCatalogue& catalogue, const CommandTable& table,
                              QString& v) {
    const CommandBehaviour* b = v.isEmpty() ? nullptr : BehaviourOf(v.front());
    if (!b || !b->commandField)
        return RuleEnd::Normal;
    rules::Rule r(state, events, catalogue, table, 1, v, v);
    return b->commandField(r);
}

} // namespace vx
