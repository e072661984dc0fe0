#include "commands/operand_rules.h"

#include "commands/operand_rules_internal.h"

namespace vx {

namespace rules {

bool isDigits(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!isAsciiDigit(c))
            return false;
    return true;
}

std::optional<qint64> digitsValue(QStringView s) {
    if (!isDigits(s))
        return std::nullopt;
    constexpr qint64 Saturated = 1'000'000'000'000LL;
    qint64 n = 0;
    for (QChar c : s) {
        n = n * 10 + (c.unicode() - u'0');
        if (n >= Saturated)
            return Saturated;
    }
    return n;
}

std::optional<qint64> signedValue(QStringView s) {
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        const auto n = digitsValue(s.mid(1));
        if (!n)
            return std::nullopt;
        return s.front() == u'-' ? -*n : *n;
    }
    return digitsValue(s);
}

qint64 leadingValue(QStringView s) {
    s = LTrimView(s);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    qsizetype n = 0;
    while (n < s.size() && isAsciiDigit(s[n]))
        ++n;
    const qint64 value = n == 0 ? 0 : *digitsValue(s.left(n));
    return negative ? -value : value;
}

bool inRange(QStringView s, qint64 lo, qint64 hi) {
    const auto n = digitsValue(s);
    return n && *n >= lo && *n <= hi;
}

bool markerOk(QStringView digits) {
    return digits.isEmpty() || inRange(digits, 1, MaxMarker);
}

QString twoDigits(qint64 n) {
    return n < 10 ? u'0' + QString::number(n) : QString::number(n);
}

QString basicNumber(qint64 n) {
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

Rule::Rule(Editor& editor, int f, const QString& c, QString& value)
    : ed(editor), form(*editor.form), cat(editor.catalogue), field(f), code(c),
      letter(c.isEmpty() ? QChar() : c.front()), v(value) {}

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
    return ed.commands.findByLine(code);
}

QString& Rule::hint(int n) {
    return ed.commands.FieldHint(row(), n);
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
    for (int j = k + 1; j < EntryForm::FieldCount; ++j)
        msk(j).left = msk(j - 1).left + msk(j - 1).width + 3;
}

void Rule::clearField(int k) {
    form.setFieldText(k, QString());
}

namespace {

// Operands 1 and 2 may stand in a free-text box; a remark line keeps its case.
void readValue(Rule& r, EntryField& masked, EntryField& freeText) {
    masked.error = false;
    freeText.error = false;
    r.raw = freeText.visible ? freeText.text : masked.text;
    r.v = r.code == u"*" ? r.raw : Trim(r.raw).toUpper();
}

} // namespace

} // namespace rules

RuleEnd InterpretOperand(Editor& editor, int field, const QString& code, QString& v) {
    using namespace rules;
    Rule r(editor, field, code, v);
    EntryForm& form = r.form;
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
        form.lblBemerkung.caption = r.E(1) + r.E(2);
        return Operand1(r);
    case 3:
        readValue(r, r.msk(3), form.txbTxt3);
        if (Trim(v).isEmpty())
            r.E(3).clear();
        for (int k = 4; k <= 6; ++k) {
            r.clearField(k);
            r.E(k).clear();
        }
        form.lblBemerkung.caption = r.E(1) + r.E(2) + r.E(7) + r.E(3);
        return Operand2(r);
    case 4:
        // Operand 3 discards operands 4 and 5 for every command.
        r.raw = r.msk(4).text;
        for (int k = 5; k <= 6; ++k) {
            r.clearField(k);
            r.E(k).clear();
        }
        form.lblBemerkung.caption = r.E(1) + r.E(2) + r.E(7) + r.E(3) + r.E(4);
        return Operand3(r);
    case 5:
        r.raw = r.msk(5).text;
        return Operand4(r);
    case 6:
        r.raw = r.msk(6).text;
        return Operand5(r);
    default:
        return RuleEnd::Normal;
    }
}

} // namespace vx
