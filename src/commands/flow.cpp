// The flow of a schedule: condition (F), goto (G) and its address (!),
// subroutine call (R) and start (U), repeat (W), end (E) and the new loading
// of a schedule (N).

#include "commands/command_family.h"
#include "commands/operand_rule.h"
#include "commands/parsed_command.h"
#include "commands/run_machine.h"
#include "texts/basic_numbers.h"

namespace vx {

namespace {

using namespace rules;
using namespace layout;

// ---- F: condition ----

struct ConditionForm {
    QChar type;
    const char16_t* head;
    const char16_t* mask2;
    const char16_t* mask3;
    QChar prompt3;
    bool showOperand4;
};

RuleEnd condition(Rule& r) {
    static constexpr ConditionForm forms[] = {
        {u'K', u"Contact no. ", u"####", u"?", u' ', true},
        {u'M', u"Magnetic article no. ", u"####", u"?", u' ', true},
        {u'S', u"Signal no. ", u"####", u"?", u' ', true},
        {u'T', u"Modell time", u"C##", u"##", u'_', true},
        {u'V', u"SET variable", u"CCCCC", u"CCC", u'_', false},
        {u'X', u"Switch route no. ", u"###", u"?", u' ', true},
        {u'D', u"Value of marker no. ", u"###", u"CC####", u'_', true},
        {u'Z', u"All-purpose counter no. ", u"####", u"CC#####", u'_', true},
    };
    if (r.v.isEmpty())
        return r.quiet();
    const ConditionForm* form = nullptr;
    for (const auto& f : forms)
        if (r.v == QString(f.type))
            form = &f;
    if (!form)
        return Rule::error();

    r.msk(3).width = 56;
    r.msk(4).width = 32;
    r.setMask(3, QString::fromUtf16(form->mask2), u'_');
    r.setMask(4, QString::fromUtf16(form->mask3), form->prompt3);
    if (form->showOperand4) {
        r.setMask(5, QStringLiteral("CCC"), u'_');
        r.msk(5).visible = true;
    }
    r.relayoutFrom(2);

    const QString andOr = r.tx(u"optionally: AND or OR");
    const QString head = r.tx(form->head);
    r.E(2) = head;
    switch (form->type.unicode()) {
    case u'K':
        r.setHint(2, r.tx(u"Contact number¶0 up to 1056"));
        r.setHint(3, r.tx(u"B (occupied) or¶F (free) or¶X (changing to free)"));
        r.setHint(4, andOr);
        break;
    case u'M':
    case u'S':
        r.setHint(2, head + Rule::br() + r.tx(u"0 up to 1024"));
        r.setHint(3, r.tx(u"R (red), G (green) or O (orange)"));
        r.setHint(4, andOr);
        break;
    case u'T':
        r.E(2) += u' ';
        r.setHint(2, r.tx(u"Modell hour¶0 up to 23"));
        r.setHint(3, r.tx(u"Modell minute¶0 up to 59"));
        r.setHint(4, andOr);
        break;
    case u'V':
        r.setHint(2, r.tx(u"Value of SET variable¶0 up to 9999,¶< or > sign is possible"));
        r.setHint(3, andOr);
        break;
    case u'X':
        r.setHint(2, r.tx(u"Switch route no.¶0 up to 512"));
        r.setHint(3, r.tx(u"R (reserved) or F (free)"));
        r.setHint(4, andOr);
        break;
    case u'D':
        r.setHint(2, r.tx(u"Marker no.¶1 up to 999"));
        r.setHint(3, r.tx(u"Marker value 0 up to 99999¶or M with following  marker number¶"
                          u"( as 1. sign < or > are possible) ¶or E=even, O=odd"));
        r.setHint(4, andOr);
        break;
    case u'Z':
        r.setHint(2, r.tx(u"All-purpose counter no.¶0 up to 1024"));
        r.setHint(3, r.tx(u"Counter value¶-99999 up to 99999¶< or > sign is possible;¶"
                          u"or E=even or O=odd"));
        r.setHint(4, andOr);
        break;
    }
    return Rule::normal();
}

RuleEnd conditionOperand2(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QChar type = r.operandLetter(1);
    auto numberPart = [&r](qint64 lo, qint64 hi) {
        if (!InRange(r.v, lo, hi))
            return Rule::error();
        r.E(3) = r.v + u' ';
        return Rule::normal();
    };
    const QChar first = r.v.front();
    const bool signLed = first == u'<' || first == u'>';
    switch (type.unicode()) {
    case u'K':
        return numberPart(0, MaxContact);
    case u'M':
    case u'S':
    case u'Z':
        return numberPart(0, MaxArticle);
    case u'X':
        return numberPart(0, MaxRoute);
    case u'D':
        return numberPart(1, MaxMarker);
    case u'V': {
        if (!signLed) {
            if (!InRange(r.v, 0, MaxSetValue))
                return Rule::error();
            r.E(3) = QStringLiteral(" = ") + r.v + u' ';
            return Rule::normal();
        }
        const QStringView rest = TrimView(QStringView(r.v).mid(1));
        r.E(3) = u' ' + first + u' ';
        if (rest.isEmpty())
            return Rule::normal();
        const auto n = SignedValue(rest);
        if (!n || *n < 0 || *n > MaxSetValue)
            return Rule::error();
        if (*n != 0)
            r.E(3) += QString::number(*n);
        return Rule::normal();
    }
    case u'T': {
        QString sign;
        QStringView hour = r.v;
        if (signLed) {
            sign = first + QStringLiteral(" ");
            hour = TrimView(hour.mid(1));
            if (hour.isEmpty()) {
                r.E(3) = sign;
                return Rule::normal();
            }
        }
        if (!InRange(hour, 0, MaxHour))
            return Rule::error();
        r.E(3) = sign + TwoDigits(*DigitsValue(hour)) + u':'; // "< 07:"
        return Rule::normal();
    }
    default:
        return Rule::error();
    }
}

// "AND" / "OR" and the beginnings typed on the way to them.
RuleEnd connector(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    if (r.v == u"AND")
        part(r) = u' ' + r.tx(u"AND");
    else if (r.v == u"OR")
        part(r) = u' ' + r.tx(u"OR");
    else if (r.v == u"A" || r.v == u"AN" || r.v == u"O")
        part(r).clear();
    else
        return Rule::error();
    return Rule::normal();
}

bool isEven(QStringView v) {
    return v == u"G" || v == u"E";
}
bool isOdd(QStringView v) {
    return v == u"U" || v == u"O";
}

// A value led by "<" or ">": the sign and the rest.
struct Compared {
    QString sign; // "" when the value has none
    QStringView rest;
};

Compared splitSign(const QString& v) {
    if (!v.isEmpty() && (v.front() == u'<' || v.front() == u'>'))
        return {QString(v.front()), TrimView(QStringView(v).mid(1))};
    return {QString(), QStringView(v)};
}

RuleEnd markerValue(Rule& r) {
    if (isEven(r.v)) {
        r.E(4) = QStringLiteral(" = ") + r.tx(u"even value");
        return Rule::normal();
    }
    if (isOdd(r.v)) {
        r.E(4) = QStringLiteral(" = ") + r.tx(u"odd value");
        return Rule::normal();
    }
    const Compared c = splitSign(r.v);
    const QString relation = c.sign.isEmpty() ? QStringLiteral(" = ") : u' ' + c.sign + u' ';
    if (c.rest.isEmpty()) {
        r.E(4) = relation;
        return Rule::normal();
    }
    if (c.rest.front() == u'M') {
        const QString marker = c.rest.mid(1).toString();
        if (!markerOk(marker))
            return Rule::error();
        r.E(4) = relation + r.tx(u"Value of marker no. ") + marker;
        return Rule::normal();
    }
    if (!InRange(c.rest, 0, MaxMarkerValue))
        return Rule::error();
    r.E(4) = relation + QString::number(*DigitsValue(c.rest));
    return Rule::normal();
}

RuleEnd counterValue(Rule& r) {
    const QString head = u' ' + r.tx(u"counter value");
    if (isEven(r.v)) {
        r.E(4) = head + QStringLiteral(" = ") + r.tx(u"even");
        return Rule::normal();
    }
    if (isOdd(r.v)) {
        r.E(4) = head + QStringLiteral(" = ") + r.tx(u"odd");
        return Rule::normal();
    }
    const Compared c = splitSign(r.v);
    const QString relation = c.sign.isEmpty() ? QStringLiteral(" = ") : u' ' + c.sign + u' ';
    if (c.rest.isEmpty() || c.rest == u"-" || c.rest == u"+") {
        r.E(4) = head + relation; // the value is still being typed
        return Rule::normal();
    }
    const auto n = SignedValue(c.rest);
    if (!n || *n < -MaxCounterValue || *n > MaxCounterValue)
        return Rule::error();
    r.E(4) = head + relation + QString::number(*n);
    return Rule::normal();
}

RuleEnd conditionOperand3(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    const QChar type = r.operandLetter(1);
    auto pick = [&r](std::initializer_list<std::pair<const char16_t*, const char16_t*>> words) {
        for (const auto& [value, text] : words)
            if (r.v == QStringView(value)) {
                r.E(4) = r.tx(text) + u' ';
                return Rule::normal();
            }
        return Rule::error();
    };
    switch (type.unicode()) {
    case u'K':
        return pick({{u"B", u"OCCUPIED"}, {u"F", u"FREE"}, {u"X", u"changing to FREE"}});
    case u'M':
    case u'S':
        return pick({{u"R", u"RED"}, {u"G", u"GREEN"}, {u"O", u"ORANGE"}});
    case u'X':
        return pick({{u"R", u"RESERVED"}, {u"F", u"FREE"}});
    case u'T':
        if (!InRange(r.v, 0, MaxMinute))
            return Rule::error();
        r.E(4) = TwoDigits(*DigitsValue(r.v)) + u' ' + r.tx(u"clock");
        return Rule::normal();
    case u'D':
        return markerValue(r);
    case u'Z':
        return counterValue(r);
    case u'V':
        return connector(r);
    default:
        return Rule::error();
    }
}

RuleEnd conditionOperand4(Rule& r) {
    if (r.operandLetter(1) == u'V') {
        if (r.v.isEmpty())
            return emptyEnds(r);
        return Rule::error(); // V's connector is operand 3
    }
    return connector(r);
}

QString conditionHead(const TextCatalogue& c) {
    return c.tx(u"If") + u' ';
}

QString signalNumberHint(const TextCatalogue& c) {
    return c.tx(u"Signal no. ") + TextCatalogue::HintLineBreak() + c.tx(u"0 up to 1024");
}

// ---- G, !: goto and its address ----

RuleEnd gotoAddress(Rule& r) {
    r.E(2) = r.raw;
    return Rule::normal();
}

QString gotoHead(const TextCatalogue& c) {
    return c.tx(u"Goto address") + QStringLiteral(": ");
}

QString addressHead(const TextCatalogue& c) {
    return c.tx(u"GOTO address") + QStringLiteral(": ");
}

// ---- R, U: subroutines ----

RuleEnd subroutineValue(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    r.E(3) = QStringLiteral(", ") + r.tx(u"SET variable") + QStringLiteral(" = ") + r.v;
    return Rule::normal();
}

RuleEnd subroutineName(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    r.E(2) = QStringLiteral(": ") + r.v + u'.';
    return Rule::normal();
}

// ---- W: repeat ----

RuleEnd repeatCount(Rule& r) {
    if (const auto end = valueInMarker(r, QStringLiteral(") x-") + r.tx(u"times") + u'.'))
        return *end;
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 0, MaxRepeat))
        return Rule::error();
    r.E(2) = r.v + u' ' + r.tx(u"times") + u'.';
    return Rule::normal();
}

QString repeatHint(const TextCatalogue& c) {
    const QString& br = TextCatalogue::HintLineBreak();
    return c.tx(u"Repeating counter¶0 up to 999") + br + c.tx(u"or M with following ") + br +
           c.tx(u"Marker no. 1 up to 999");
}

// ---- E: end ----

RuleEnd endOf(Rule& r) {
    if (r.v == u"U")
        r.E(2) = r.tx(u"Subroutine") + u'.';
    else if (r.v == u"W")
        r.E(2) = r.tx(u"Repeating loop") + u'.';
    else if (r.v.isEmpty())
        // An empty field ends the main program, as its hint says.
        r.E(2) = r.tx(u"Main program") + u'.';
    else
        return Rule::error();
    return Rule::normal();
}

QString endHead(const TextCatalogue& c) {
    return c.tx(u"End") + u' ';
}

// ---- N: new loading of a schedule ----

RuleEnd loadCode(Rule& r) {
    if (r.code.size() > 1) {
        const QChar d = r.codeDigit();
        if (d.isNull())
            return Rule::error();
        r.E(1) = r.tx(u"New loading of schedule ") + r.tx(u"no. ") + d + u' ';
    } else {
        r.E(1) = r.tx(u"New loading of schedule ") + u' ';
    }
    return Rule::normal();
}

// The file name goes into the free-text box; the start line and the address
// to start at stand behind it.
void loadOperand1Entry(EntryFormState& f) {
    f.msk[2].visible = false;
    f.txbTxt2.visible = true;
    f.msk[3].visible = true;
    f.txbTxt2.left = f.msk[2].left;
}

constexpr int NewLoadingGap = 8;

void loadTextBoxEntry(EntryFormState& f) {
    f.txbTxt2.left = f.msk[2].left;
    f.txbTxt2.width = 280;
    f.txbTxt2.maxLength = 76;
    f.txbTxt3.visible = false;
    EntryField& start = f.msk[3];
    Rule::setMask(start, QStringLiteral("9999"), u'_');
    start.width = 56;
    start.left = f.txbTxt2.left + f.txbTxt2.width + NewLoadingGap;
    start.visible = true;
    EntryField& address = f.msk[4];
    Rule::setMask(address, QStringLiteral("&&&&&&&&&&&&"), u' ');
    address.width = 128;
    address.left = start.left + start.width + NewLoadingGap;
    address.visible = true;
}

QString loadHead(const TextCatalogue& c) {
    return c.tx(u"New loading of schedule ") + u' ';
}

RuleEnd loadStart(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 1, MaxStartLine))
        return Rule::error();
    r.E(3) = QStringLiteral(", ") + r.tx(u"start at: ") + r.v;
    return Rule::normal();
}

RuleEnd loadGoto(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    r.E(4) = QStringLiteral(", ") + r.tx(u"respectively ") + r.tx(u"start at: ") + r.v;
    return Rule::normal();
}

// ---- What the lines name ----

void conditionUses(ParsedCommand& p) {
    const QString type = p.upper(1);
    const QChar t = type.isEmpty() ? QChar() : type.front();
    if (t == u'K')
        p.number(2, Thing::Contact, Access::Tests);
    else if (t == u'M')
        p.number(2, Thing::Article, Access::Tests);
    else if (t == u'S')
        p.number(2, Thing::Signal, Access::Tests);
    else if (t == u'X')
        p.number(2, Thing::Route, Access::Tests);
    else if (t == u'Z')
        p.number(2, Thing::Counter, Access::Tests);
    else if (t == u'D') {
        p.number(2, Thing::Marker, Access::Tests);
        p.markerRef(3, Access::Tests);
    } else if (t == u'V')
        p.implied(Thing::SetVar, QString(), Access::Tests, 1);
}

void gotoUses(ParsedCommand& p) {
    p.name(1, Thing::Address, Access::Jumps);
}

void callUses(ParsedCommand& p) {
    p.name(1, Thing::Address, Access::Calls);
    if (!p.operands[2].isEmpty())
        p.implied(Thing::SetVar, QString(), Access::Writes, 2);
}

void addressUses(ParsedCommand& p) {
    p.name(1, Thing::Address, Access::Defines);
}

void repeatUses(ParsedCommand& p) {
    p.markerRef(1, Access::Reads);
}

void endUses(ParsedCommand& p) {
    const QString closes = p.upper(1);
    p.block = closes == u"U"     ? Block::EndsSubroutine
              : closes == u"W"   ? Block::EndsRepeat
              : closes.isEmpty() ? Block::Ends
                                 : Block::None;
}

void loadUses(ParsedCommand& p) {
    p.variantNumber(Thing::ScheduleNo, Access::Loads);
    p.name(1, Thing::ScheduleFile, Access::Loads);
    // A start given by name is an address of the loaded schedule, not of this one.
    for (int k = 2; k <= 3; ++k) {
        const QString& start = p.operands[static_cast<size_t>(k)];
        if (!start.isEmpty() && !IsDigits(start))
            p.name(k, Thing::Address, Access::Loads);
    }
}

// ---- The listing ----

ListedLine listedGoto(ListingWords& w, const ListingSplit& s) {
    w.suffix = w.targetSuffix(s.op[1]);
    return w.T(u"Goto ") + s.op[1];
}

ListedLine listedCall(ListingWords& w, const ListingSplit& s) {
    QString text = w.T(u"Call subr.: ") + s.op[1];
    if (!Trim(s.op[2]).isEmpty())
        text +=
            w.T(u" with ") + w.T(u"SET variable") + QStringLiteral(" (=") + Trim(s.op[2]) + u')';
    w.suffix = w.targetSuffix(s.op[1]);
    return text;
}

ListedLine listedAddress(ListingWords& w, const ListingSplit& s) {
    return w.T(u"GOTO address") + u' ' + s.op[1];
}

ListedLine listedSubroutine(ListingWords& w, const ListingSplit& s) {
    w.openBlock(w.T(u"Subroutine"));
    return w.T(u"Subroutine") + u' ' + s.op[1];
}

// A comparison as the If command writes it: a leading "<" or ">" is the
// sign, anything else compares for equality.
QString ListedComparison(const QString& value) {
    if (value.startsWith(u'<') || value.startsWith(u'>'))
        return u' ' + value.left(1) + u' ' + Trim(QStringView(value).mid(1));
    return QStringLiteral(" = ") + value;
}

QString listedValueTest(ListingWords& w, const QString& value, bool markerAllowed) {
    if (value.isEmpty())
        return QString();
    const QChar first = value.front();
    if (markerAllowed && first == u'M')
        return QStringLiteral(" = ") + w.T(u"Value of marker no. ") + Trim(value.mid(1));
    if (first == u'G' || first == u'E')
        return QStringLiteral(" = ") + w.T(u"even");
    if (first == u'U' || first == u'O')
        return QStringLiteral(" = ") + w.T(u"odd");
    return ListedComparison(value);
}

ListedLine listedCondition(ListingWords& w, const ListingSplit& s) {
    const QString& what = s.op[2];
    const QString& state = s.op[3];
    const QString If = w.T(u"If") + u' ';
    switch (FirstUpper(s.op[1]).unicode()) {
    case u'K': {
        QString text = w.T(u"If contact") + u' ' + what;
        const QChar st = FirstUpper(state);
        text += st == u'X' ? u' ' + w.T(u"changing to FREE") : w.contactState(st);
        return text + w.connector(s.op[4]);
    }
    case u'M':
    case u'S': {
        const bool magnetic = FirstUpper(s.op[1]) == u'M';
        QString text = If + Capitalised(magnetic ? w.T(u"Magnetic-no:") : w.T(u"Signal no. ")) +
                       Str(Held(Val(what), 0, MaxArticle));
        switch (FirstUpper(state).unicode()) {
        case u'R':
            text += u' ' + w.c.PositionNames(3);
            break;
        case u'G':
            text += u' ' + w.c.PositionNames(2);
            break;
        case u'O':
            text += u' ' + w.c.PositionNames(4);
            break;
        default:
            break;
        }
        return text + w.connector(s.op[4]);
    }
    case u'X': {
        QString text =
            If + w.T(u"Switch route") + u'-' + w.T(u"no. ") + Str(Held(Val(what), 0, MaxRoute));
        const QChar st = FirstUpper(state);
        if (st == u'R')
            text += u' ' + UpperTrim(w.c.SwitchStateNames(38));
        else if (st == u'F')
            text += u' ' + UpperTrim(w.c.SwitchStateNames(37));
        return text + w.connector(s.op[4]);
    }
    case u'T': {
        QString sign = QStringLiteral(" >= ");
        QStringView hour = what;
        if (what.startsWith(u'<') || what.startsWith(u'>')) {
            sign = u' ' + what.left(1) + u' ';
            hour = hour.mid(1);
        }
        return If + w.T(u"Model clock time") + sign + TwoDigits(Held(Val(hour), 0, MaxHour)) +
               u':' + TwoDigits(Held(Val(state), 0, MaxMinute)) + w.connector(s.op[4]);
    }
    case u'V':
        return If + w.T(u"SET variable") + (what.isEmpty() ? QString() : ListedComparison(what)) +
               w.connector(state);
    case u'D':
        return If + w.T(u"value") + w.T(u" of ") + w.T(u"Marker no.") + what +
               listedValueTest(w, state, true) + w.connector(s.op[4]);
    case u'Z':
        return If + w.c.ArticleTypeNames(10) + u' ' + w.T(u"no. ") + what +
               listedValueTest(w, state, false) + w.connector(s.op[4]);
    default:
        return If + s.op[1];
    }
}

ListedLine listedEnd(ListingWords& w, const ListingSplit&) {
    return w.T(u"End") + u' ' + w.closeBlock();
}

ListedLine listedRepeat(ListingWords& w, const ListingSplit& s) {
    w.openBlock(w.T(u"Repeat "));
    const QString& op1 = s.op[1];
    if (op1.startsWith(u'M'))
        return w.T(u"Repeat") + u'(' + w.T(u"Value in marker no. ") +
               Trim(QStringView(op1).mid(1)) + QStringLiteral(") x-") + w.T(u"times");
    const int n = WholeHeld(Val(op1), 0, MaxRepeat);
    if (n == 0)
        return w.T(u"Repeat") + QStringLiteral(" SETVar ") + w.T(u"times");
    return w.T(u"Repeat") + Str(n) + u' ' + w.T(u"times");
}

ListedLine listedLoad(ListingWords& w, const ListingSplit& s) {
    QString text =
        w.T(u"Load ") + QStringLiteral(" Vx-Fpl:") +
        (s.digit.isEmpty() ? QStringLiteral(" N * ") : QStringLiteral(" N") + s.digit + u' ');
    const QString file = Trim(s.op[1]);
    text += file.isEmpty() ? w.T(u"LOAD ERROR") + QStringLiteral(": ") + w.T(u"File") + u' ' +
                                 w.T(u"not available")
                           : file;
    const QString start = Trim(s.op[2]);
    if (!start.isEmpty()) {
        const double at = Val(start);
        text += QStringLiteral(" <") + w.T(u"LNo.") + u'=' +
                (IsDigits(start) ? Str(Held(at, 0, 99999)) : start);
        if (at > MaxStartLine)
            text += QStringLiteral(" (> max. ") + QString::number(MaxStartLine) + u')';
        text += u'>';
    }
    const QString alternative = Trim(s.op[3]);
    if (!alternative.isEmpty())
        text += QStringLiteral(", ") + alternative;
    return text;
}

// ---- The dry run ----

// A value led by "<" or ">" compared with what the layout holds.
bool Compare(qint64 actual, const QString& wanted, const RunState& s) {
    if (wanted.startsWith(u'<'))
        return actual < RunValueOf(wanted.mid(1), s);
    if (wanted.startsWith(u'>'))
        return actual > RunValueOf(wanted.mid(1), s);
    return actual == RunValueOf(wanted, s);
}

// Even ("G", "E"), odd ("U", "O"), or a value as Compare reads it.
bool CompareNumber(qint64 actual, const QString& wanted, const RunState& s) {
    if (wanted == u"G" || wanted == u"E")
        return actual % 2 == 0;
    if (wanted == u"U" || wanted == u"O")
        return actual % 2 != 0;
    return Compare(actual, wanted, s);
}

bool SameColour(QChar is, const QString& wanted) {
    const auto orange = [](QChar c) { return c == u'S' ? QChar(u'O') : c; };
    return !is.isNull() && !wanted.isEmpty() && orange(is) == orange(wanted.front());
}

RunStep conditionRun(const ParsedCommand& p, RunMachine& m) {
    const RunState& s = m.state();
    const QString type = p.upper(1);
    const int n = RunValue(p, s, 2);
    const QString wanted = p.upper(3);
    bool holds = false;
    int connector = 4;
    switch (type.isEmpty() ? 0 : type.front().unicode()) {
    case u'K':
        holds = wanted == u"B"   ? s.occupied(n)
                : wanted == u"F" ? !s.occupied(n)
                                 : !s.occupied(n) && s.freedContacts.contains(n);
        if (wanted == u"X")
            m.assumed(); // freed at its last change
        break;
    case u'M':
        holds = SameColour(s.articles.value(n), wanted);
        break;
    case u'S':
        holds = SameColour(s.signalColours.value(n), wanted);
        break;
    case u'X':
        holds = s.routes.contains(n) == (wanted == u"R");
        break;
    case u'T': {
        const QString hour = p.upper(2);
        const QString sign =
            hour.startsWith(u'<') || hour.startsWith(u'>') ? hour.left(1) : QString();
        const int minute = RunValueOf(hour.mid(sign.size()), s) * 60 + RunValueOf(wanted, s);
        holds = Compare((s.clockTenths / 600) % (24 * 60), sign + QString::number(minute), s);
        break;
    }
    case u'V':
        holds = Compare(s.setVars.value(QString()), p.upper(2), s);
        connector = 3;
        break;
    case u'D':
        holds = wanted.startsWith(u'M') ? s.marker(n) == RunValueOf(wanted, s)
                                        : CompareNumber(s.marker(n), wanted, s);
        break;
    case u'Z':
        holds = CompareNumber(s.counters.value(n), wanted, s);
        break;
    default:
        break;
    }
    const QString joins = p.upper(connector);
    const bool joinsNext = joins.startsWith(u'A') || joins.startsWith(u'O');
    if (joinsNext)
        m.assumed(); // joined from left to right, without precedence
    m.condition(holds, joinsNext, joins.startsWith(u'A'));
    return RunStep::Next;
}

RunStep gotoRun(const ParsedCommand& p, RunMachine& m) {
    m.jump(p.upper(1));
    return RunStep::Next;
}

RunStep callRun(const ParsedCommand& p, RunMachine& m) {
    m.call(p.upper(1), !p.operands[2].isEmpty(), RunValue(p, m.state(), 2));
    return RunStep::Next;
}

RunStep subroutineRun(const ParsedCommand&, RunMachine& m) {
    m.enterSubroutine();
    return RunStep::Next;
}

RunStep repeatRun(const ParsedCommand& p, RunMachine& m) {
    m.repeat(RunValue(p, m.state(), 1));
    return RunStep::Next;
}

RunStep endRun(const ParsedCommand& p, RunMachine& m) {
    if (p.block == Block::EndsSubroutine)
        m.returnFromCall();
    else if (p.block == Block::EndsRepeat)
        m.repeatEnd();
    else
        m.endMain();
    return RunStep::Next;
}

RunStep loadRun(const ParsedCommand& p, RunMachine& m) {
    m.load(p.variant, p.operands[1], p.operands[2], p.operands[3]);
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'F',
                1020,
                {},
                {F(u"?", Blank, 1, 32), F(u"####", Under, 4, 56), F(u"?", Blank, 1, 32),
                 F(u"CCC", Under, 3, 48)},
                {},
                {}},
     .hints = {u"K (Contact),               M (Magnetic article),¶S (Signal),                  T "
               u"(Modell time),¶X (Switch route),      D (Marker)¶V (SET variable)        or "
               u"¶Z (All-purpose counter)"},
     .head = conditionHead,
     .operands = {condition, conditionOperand2, conditionOperand3, conditionOperand4},
     .uses = conditionUses,
     .block = Block::Condition,
     .listing = listedCondition,
     .run = conditionRun},
    {.layout = {u'G', 1030, {}, {Name12}, {}, {}},
     .hints = {u"Address¶max. up to 12 digits"},
     .head = gotoHead,
     .operands = {gotoAddress},
     .uses = gotoUses,
     .listing = listedGoto,
     .run = gotoRun},
    {.layout = {u'!', 1220, {}, {Name12}, {}, {}},
     .hints = {u"GOTO address¶max. 12 digits"},
     .head = addressHead,
     .operands = {generic},
     .uses = addressUses,
     .definesAddress = true,
     .listing = listedAddress},
    {.layout = {u'R', 1120, {}, {Name12, F(u"####", Under, 4, 56)}, {}, {}},
     .hints = {u"Subroute name¶max. up to 12 digits",
               u"optionally: value (SET variable)¶0 up to 9999"},
     .head = u"Call subroutine ",
     .operands = {generic, subroutineValue},
     .uses = callUses,
     .listing = listedCall,
     .run = callRun},
    {.layout = {u'U', 1150, {}, {Name12}, {}, {}},
     .hints = {u"Subroute name¶max. up to 12 digits"},
     .head = u"Start Subroutine ",
     .operands = {subroutineName},
     .uses = addressUses,
     .block = Block::OpensSubroutine,
     .definesAddress = true,
     .listing = listedSubroutine,
     .run = subroutineRun},
    {.layout = {u'W', 1170, {}, {F(u"A###", Under, 4, 56)}, {}, {}},
     .hints = {repeatHint},
     .head = u"Repeat ",
     .operands = {repeatCount},
     .uses = repeatUses,
     .block = Block::OpensRepeat,
     .listing = listedRepeat,
     .run = repeatRun},
    {.layout = {u'E', 1010, {}, {F(u"?", Blank, 1, 40)}, {}, {}},
     .hints = {u"U (End of subroutine),¶W (End of repeating loop) or¶empty = End of main program"},
     .head = endHead,
     .operands = {endOf},
     .uses = endUses,
     .listing = listedEnd,
     .run = endRun},
    {.layout = {u'N', 1090, Code2, {FieldLayout{}, F(u"####", Under, 4, 56)}, {280, 0}, {}},
     .hints = {u"Full file name of a schedule VFP-file", u"Start line of schedule"},
     .head = loadHead,
     .commandField = loadCode,
     .operands = {generic, loadStart, loadGoto},
     .operand1Entry = loadOperand1Entry,
     .textBoxEntry = loadTextBoxEntry,
     .boxHints = {Kept, u"starting with line:¶1 up to max. 1999",
                  u"optionally: Start at¶GOTO address¶max. 12 digits"},
     .uses = loadUses,
     .takesDigit = true,
     .listing = listedLoad,
     .operand1InBox = true,
     .run = loadRun},
};

// The sub-forms of the condition types. Entering operand 2 lays them out
// whatever the command, as long as its operand 1 begins with the letter; only
// F reads them. Operand field 2 keeps its prompt unless one is given.
constexpr const char16_t* ColourHint = u"R (red), G (green) or O (orange)";
constexpr const char16_t* AndOr = u"optionally: AND or OR";
constexpr Operand2Form Operand2Forms[] = {
    {.hintsOf = u'F', .hints = {Kept, Kept, Kept, AndOr}},
    {.type = u'K',
     .mask2 = u"####",
     .hintsOf = u'F',
     .hints = {Kept, u"Contact number¶0 up to 1056",
               u"B (occupied) or¶F (free) or¶X (changing to free)"}},
    {.command = u'F',
     .type = u'M',
     .mask2 = u"####",
     .mask3 = u"A",
     .prompt3 = u' ',
     .hintsOf = u'F',
     .hints = {Kept, u"Magnetic article no.¶0 up to 1024", ColourHint}},
    {.type = u'S',
     .mask2 = u"####",
     .mask3 = u"A",
     .prompt3 = u' ',
     .hintsOf = u'F',
     .hints = {Kept, signalNumberHint, ColourHint}},
    {.type = u'T',
     .mask2 = u"C##",
     .prompt2 = u'_',
     .mask3 = u"##",
     .prompt3 = u'_',
     .hintsOf = u'F',
     .hints = {Kept, u"Modell hour¶0 up to 23", u"Modell minute¶0 up to 59"}},
    {.type = u'V',
     .mask3 = u"CCCC",
     .prompt3 = u'_',
     .hideOperand4 = true,
     .hintsOf = u'F',
     .hints = {Kept, u"Value of SET variable¶0 up to 9999,¶< or > sign is possible", AndOr}},
    {.type = u'X',
     .mask3 = u"A",
     .prompt3 = u' ',
     .hintsOf = u'F',
     .hints = {Kept, u"Switch route no.¶0 up to 512", u"R (reserved) or F (free)", AndOr}},
    {.type = u'Z',
     .mask2 = u"####",
     .mask3 = u"CC#####",
     .prompt3 = u' ',
     .hintsOf = u'F',
     .hints = {Kept, u"All-purpose counter no.¶0 up to 1024",
               u"Counter value¶-99999 up to 99999¶< or > sign is possible;¶or E=even or O=odd"}},
    // A marker value is typed into the masked field, not into the text box.
    {.command = u'F', .type = u'D', .textBox = -1},
};

} // namespace

const CommandFamily& FlowFamily() {
    static constexpr CommandFamily family{Commands, Operand2Forms};
    return family;
}

} // namespace vx
