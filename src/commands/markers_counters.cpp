// Markers, counters, queues and the SET variable: define a marker (D),
// queues (Q), set the SET variable (V) and a random number into it or into a
// marker (I).

#include "commands/command_family.h"
#include "commands/operand_rule.h"
#include "commands/parsed_command.h"
#include "commands/run_machine.h"
#include "texts/basic_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vx {

namespace {

using namespace rules;
using namespace layout;

// ---- D: define a marker ----

// Marker number of operand 1, the marker a D line defines.
qint64 operand1Value(Rule& r) {
    return LeadingValue(r.operand(1));
}

RuleEnd markerNumber(Rule& r) {
    return numberPart(r, 1, MaxMarker);
}

RuleEnd defineMarker(Rule& r) {
    if (r.v.isEmpty())
        return Rule::normal();
    const QChar first = r.v.front();
    const qint64 m = operand1Value(r);
    const QString marker = r.tx(u"Marker no.");
    const QString arrow = QStringLiteral(" ==> ");
    auto operand3Field = [&r] {
        r.msk(4).visible = true;
        r.setMask(4, QStringLiteral("a9999"), u'_');
    };
    if (first == u'&') {
        r.E(3) = QStringLiteral(" = ") + r.tx(u"value of SET variable");
        const QString setvar = QStringLiteral("&SETVAR&");
        // Replacing the text runs this rule once more with the final text.
        if (r.msk(3).text != setvar)
            r.events.setFieldText(3, setvar);
        return Rule::normal();
    }
    if (const auto n = SignedValue(r.v)) {
        r.setMask(3, QStringLiteral("&&&&&&&&"), r.msk(3).prompt);
        r.setWidth(3, 104);
        r.E(3) = QStringLiteral(" =") + Str(*n);
        if (*n == 0)
            r.E(3) += r.tx(u" (erasing)");
        return Rule::normal();
    }
    if (r.v == u"UZ" || r.v == u"UC") {
        // The value comes from the counter that operand 3 names.
        r.setMask(3, QStringLiteral("aa"), r.msk(3).prompt);
        operand3Field();
        r.E(3) = arrow + r.tx(u"All-purpose counter no. ");
        r.setHint(3, r.tx(u"All-purpose counter no. ") + Rule::br() + r.tx(u"1 up to 1024"));
        return Rule::normal();
    }
    if (r.v == u"ZM" || r.v == u"TM") {
        r.E(3) = r.tx(u"Actual 'Model Clock Time' hh:mm") + arrow + marker + QString::number(m) +
                 r.tx(u" and ") + QString::number(m + 1);
        return Rule::normal();
    }
    if (r.v == u"ZS" || r.v == u"TS") {
        r.E(3) = r.tx(u"Actual 'System Time' hh:mm:ss and in sec.") + arrow + marker +
                 QString::number(m) + u',' + QString::number(m + 1) + u',' +
                 QString::number(m + 2) + u' ' + r.tx(u" and ") + QString::number(m + 3);
        return Rule::normal();
    }
    // A sign before its number, first letters of the two-letter sources.
    if (r.v == u"-" || r.v == u"+" || r.v == u"U" || r.v == u"Z" || r.v == u"T") {
        r.E(3).clear();
        return Rule::normal();
    }
    static constexpr struct {
        QChar letter;
        const char16_t* sign;
        const char16_t* hint;
    } operations[] = {
        {u'A', u" + ", u"Addition value "},
        {u'S', u" - ", u"Subtraction value "},
        {u'M', u" * ", u"Multiplier "},
        {u'D', u" / ", u"Divisor "},
    };
    for (const auto& op : operations) {
        if (first != op.letter)
            continue;
        r.E(3) = QString::fromUtf16(op.sign);
        r.setMask(3, QStringLiteral("a"), r.msk(3).prompt);
        operand3Field();
        r.setHint(3, r.tx(op.hint) + u'(' + r.tx(u"0 up to 99999") + u')' + Rule::br() +
                         r.tx(u"or M with following ") + Rule::br() + marker +
                         QStringLiteral(" (") + r.tx(u"1 up to 999") + u')');
        return Rule::normal();
    }
    return Rule::error();
}

RuleEnd defineMarkerOperand3(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    const QString op2 = r.operand(2);
    const QString target =
        QStringLiteral(" ==> ") + r.tx(u"Marker no.") + QString::number(LeadingValue(r.operand(1)));
    if (op2 == u"UZ" || op2 == u"UC") {
        if (!InRange(r.v, 1, MaxArticle))
            return Rule::error();
        r.E(4) = r.v;
        return Rule::normal();
    }
    if (op2.isEmpty() || !QStringView(u"ASMD").contains(op2.front()))
        return Rule::normal(); // no operand 3 for the other forms
    const QChar first = r.v.front();
    if (first == u'M') {
        const QString marker = r.v.mid(1);
        if (!markerOk(marker))
            return Rule::error();
        r.E(4) = r.tx(u"Value") + r.tx(u" of ") + r.tx(u"Marker no.") + marker + target;
        return Rule::normal();
    }
    if (!IsAsciiDigit(first) || !InRange(r.v, 1, MaxMarkerValue))
        return Rule::error();
    r.E(4) = r.tx(u"Value") + Str(*DigitsValue(r.v)) + target;
    return Rule::normal();
}

QString markerHead(const TextCatalogue& c) {
    return c.tx(u"Marker no.") + u' ';
}

// ---- Q: queues ----

RuleEnd queue(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QString head = r.tx(u"Queue") + QStringLiteral(": ");
    const QString field = r.tx(u"Field of queue-no. ");
    const QString valueHint = r.tx(u"Value") + Rule::br() + r.tx(u"1 up to 9999");
    auto operand3 = [&r](const char16_t* mask, QChar prompt, const QString& hint) {
        r.msk(4).visible = true;
        r.setMask(4, QString::fromUtf16(mask), prompt);
        r.setHint(3, hint);
    };
    if (!QStringView(u"AEGMPSV").contains(r.v.front()))
        return Rule::error();
    // Every letter but S heads the line with "Queue: ", also after Q1..Q9.
    r.E(1) = head;
    switch (r.v.front().unicode()) {
    case u'A':
        r.E(2) = QStringLiteral("1. ") + field;
        operand3(u"####", u'_', valueHint);
        break;
    case u'E':
        r.E(2) = r.tx(u"Next field of queue no. ");
        operand3(u"####", u'_', valueHint);
        break;
    case u'G':
        r.E(2) = r.tx(u"Goto ") + u' ';
        r.E(3) = field;
        operand3(u"99", u'_', r.tx(u"Goto ") + r.tx(u" field "));
        break;
    case u'M':
        r.E(2) = r.tx(u"Move SET variable to actual") + u' ' + field;
        r.setHint(3, r.tx(u"Move SET variable to actual") + field);
        break;
    case u'P':
        r.E(2) = r.tx(u"Add to actual") + u' ';
        r.E(3) = field;
        operand3(u"9999", u'_', r.tx(u"Add to actual") + field);
        break;
    case u'S':
        r.E(1) = r.tx(u"Queue");
        r.E(2) = u'-' + r.tx(u"no. ");
        r.E(3) = r.tx(u"n step moving ");
        operand3(u"99", u'_', r.tx(u"step ") + r.tx(u"-9 up to +9"));
        break;
    case u'V':
        r.E(2) = r.tx(u"Transfer actual value of queue no. ");
        r.setHint(3, valueHint);
        break;
    }
    return Rule::normal();
}

RuleEnd queueField(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 1, 9))
        return Rule::error();
    auto operand3 = [&r](const char16_t* mask, QChar prompt, const QString& hint) {
        r.setMask(4, QString::fromUtf16(mask), prompt);
        r.setHint(3, hint);
    };
    switch (r.operandLetter(1).unicode()) {
    case u'A':
    case u'E':
        r.E(3) = r.v + u' ' + r.tx(u"get value") + QStringLiteral(": ");
        operand3(u"9999", u'_', r.tx(u"Value¶1 up to 9999"));
        break;
    case u'G':
        r.E(3) = r.tx(u"Field of queue-no. ");
        r.E(4) = r.v;
        operand3(u"9", u' ', r.tx(u"field-no. 1 up to 9"));
        break;
    case u'M':
        r.E(3) = r.v;
        break;
    case u'P':
        r.E(3) = r.tx(u"Field of queue-no. ") + r.v + u' ' + r.tx(u"Value");
        operand3(u"99999", u'_', r.tx(u"Value") + u' ' + r.tx(u"-9999 up to +9999"));
        break;
    case u'S':
        r.E(3) = r.v + r.tx(u" shifting further for");
        break;
    case u'V':
        r.E(3) = r.v + r.tx(u" to SET variable.");
        break;
    default:
        break;
    }
    return Rule::normal();
}

RuleEnd queueOperand3(Rule& r) {
    const QChar letter = r.operandLetter(1);
    if (letter != u'S' && letter != u'P')
        return Rule::normal();
    if (r.v.isEmpty())
        return emptyEnds(r);
    const QChar first = r.v.front();
    if (first != u'+' && first != u'-')
        return Rule::error();
    if (r.v.size() == 1) {
        r.E(4).clear(); // the sign before its number
        return Rule::normal();
    }
    const auto n = SignedValue(r.v);
    if (!n)
        return Rule::error();
    if (letter == u'P')
        r.E(4) = u' ' + r.v;
    else
        r.E(4) = u' ' + r.v + u' ' + r.tx(*n < 0 ? u"steps backwards" : u"steps forward") + u'.';
    return Rule::normal();
}

RuleEnd queueCode(Rule& r) {
    if (const QChar d = r.codeDigit(); !d.isNull())
        r.E(1) = r.tx(u"Queue") + u' ' + r.tx(u"of ") + r.tx(u"schedule no. ") + d +
                 QStringLiteral(": ");
    return Rule::normal();
}

QString queueHead(const TextCatalogue& c) {
    return c.tx(u"Queue") + u':';
}

QString queueStepHint(const TextCatalogue& c) {
    return c.tx(u"step ") + c.tx(u"-9 up to +9");
}

// ---- V: SET variable ----

RuleEnd setVariable(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v.front() == u'M') {
        const QString marker = r.v.mid(1);
        if (marker.isEmpty() || !markerOk(marker))
            return Rule::error();
        r.E(2) = r.tx(u"Value of marker no. ") + marker;
        return Rule::normal();
    }
    r.E(2) = r.tx(u"to value ") + r.v + u'.';
    return Rule::normal();
}

RuleEnd setVariableCode(Rule& r) {
    if (const QChar d = r.codeDigit(); !d.isNull())
        r.E(1) = r.tx(u"SET variable") + u' ' + r.tx(u"of ") + r.tx(u"no. ") + d + u' ';
    return Rule::normal();
}

QString setVariableHint(const TextCatalogue& c) {
    const QString& br = TextCatalogue::HintLineBreak();
    return c.tx(u"Value of SET variable¶0 up to 9999") + br + c.tx(u"or M with following ") + br +
           c.tx(u"Marker no. 1 up to 999");
}

QString setVariableHead(const TextCatalogue& c) {
    return c.tx(u"SET variable") + u' ';
}

// ---- I: random number ----

// E1: the phrase, a blank and " between ". The random-number phrase before
// " between " is empty in German and English; the catalogue holds none, so
// every language reads "<blank> between".
QString randomNumberHead(const TextCatalogue& c) {
    return u' ' + c.tx(u" between ");
}

RuleEnd randomCode(Rule& r) {
    // A schedule digit sends the number to that schedule's SET variable: no
    // marker target then.
    if (const QChar d = r.codeDigit(); !d.isNull()) {
        r.msk(4).visible = false;
        r.events.setFieldText(4, QString());
        r.E(4) = QStringLiteral(" ==> SETVar[") + d + u']';
    } else {
        r.msk(4).visible = true;
        r.E(4) = QStringLiteral(" ==> SETVar");
    }
    r.E(1) = randomNumberHead(r.cat);
    return Rule::normal();
}

RuleEnd randomNumber(Rule& r) {
    r.msk(4).visible = r.codeDigit().isNull();
    if (r.v.isEmpty())
        return r.quiet();
    r.E(2) = r.v + r.tx(u" and ");
    return Rule::normal();
}

RuleEnd randomUpper(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    r.E(3) = r.v;
    const QChar d = r.codeDigit();
    r.E(4) = d.isNull() ? QStringLiteral(" ==> SETVar") : QStringLiteral(" ==> SETVar[") + d + u']';
    return Rule::normal();
}

RuleEnd randomTarget(Rule& r) {
    if (r.v.isEmpty()) {
        // No marker: the number goes to the SET variable again.
        const QChar d = r.codeDigit();
        r.E(4) =
            d.isNull() ? QStringLiteral(" ==> SETVar") : QStringLiteral(" ==> SETVar[") + d + u']';
        return Rule::normal();
    }
    if (!InRange(r.v, 1, MaxMarker))
        return Rule::error();
    r.E(4) = QStringLiteral(" ==> ") + r.tx(u"Marker no.") + u' ' + r.v;
    return Rule::normal();
}

// ---- What the lines name ----

void markerUses(ParsedCommand& p) {
    p.number(1, Thing::Marker, Access::Writes);
    const QString source = p.upper(2);
    const QString two = source.left(2);
    if (source.startsWith(u'&')) {
        p.implied(Thing::SetVar, QString(), Access::Reads, 2);
    } else if (source.size() == 1 && QStringView(u"ASMD").contains(source.front())) {
        p.markerRef(3, Access::Reads);
    } else if (two == u"UZ" || two == u"UC") {
        p.number(3, Thing::Counter, Access::Reads);
    } else if (two == u"ZM" || two == u"TM" || two == u"ZS" || two == u"TS") {
        // The clock fills the markers behind the one named: two for the
        // model time, four for the system time.
        if (p.uses.isEmpty())
            return;
        const int first = p.uses.front().id.toInt();
        const int count = two.back() == u'M' ? 1 : 3;
        for (int k = 1; k <= count; ++k)
            p.implied(Thing::Marker, QString::number(first + k), Access::Writes);
    }
}

void queueUses(ParsedCommand& p) {
    const QString action = p.upper(1);
    if (action == u"M")
        p.implied(Thing::SetVar, QString(), Access::Reads, 1);
    else if (action == u"V")
        p.implied(Thing::SetVar, QString(), Access::Writes, 1);
}

void setVariableUses(ParsedCommand& p) {
    if (p.variant > 0)
        p.variantNumber(Thing::SetVar, Access::Writes);
    else
        p.implied(Thing::SetVar, QString(), Access::Writes);
    p.markerRef(1, Access::Reads);
}

void randomUses(ParsedCommand& p) {
    if (p.variant > 0)
        p.variantNumber(Thing::SetVar, Access::Writes);
    else if (!p.operands[3].isEmpty())
        p.number(3, Thing::Marker, Access::Writes);
    else
        p.implied(Thing::SetVar, QString(), Access::Writes);
}

// ---- The listing ----

ListedLine listedMarker(ListingWords& w, const ListingSplit& s) {
    const QString& m = Trim(s.op[1]);
    const QString& source = s.op[2];
    const QString head = w.T(u"Value of marker no. ") + m;
    const int first = Held(Val(m), 0, MaxMarker);
    const QString two = source.left(2);
    if (two == u"ZM" || two == u"TM")
        return w.T(u"Actual 'Model Clock Time' hh:mm") + QStringLiteral(" ==> ") +
               w.T(u"Marker no.") + QString::number(first) + w.T(u" and ") +
               QString::number(first + 1);
    if (two == u"ZS" || two == u"TS")
        return w.T(u"Actual 'System Time' hh:mm:ss and in sec.") + QStringLiteral(" ==> ") +
               w.T(u"Marker no.") + QString::number(first) + u',' + QString::number(first + 1) +
               u',' + QString::number(first + 2) + w.T(u" and ") + QString::number(first + 3);
    if (two == u"UZ" || two == u"UC")
        return head + QStringLiteral(" = ") + w.T(u"Value") + w.T(u" of ") +
               w.c.ArticleTypeNames(10) + u' ' + w.T(u"no. ") + Trim(s.op[3]);
    if (source.startsWith(u'&'))
        return head + QStringLiteral(" = ") + w.T(u"Value") + w.T(u" of ") + w.T(u"SET-Variable");
    if (source.size() == 1 && QStringView(u"ASMD").contains(source.front())) {
        static const QString signs[] = {QStringLiteral(" + "), QStringLiteral(" - "),
                                        QStringLiteral(" * "), QStringLiteral(" / ")};
        const QString& sign = signs[QStringView(u"ASMD").indexOf(source.front())];
        const QString& operand = s.op[3];
        const QString value = operand.startsWith(u'M')
                                  ? w.T(u"Value") + w.T(u" of ") + w.T(u"Marker no.") +
                                        Trim(QStringView(operand).mid(1))
                                  : operand;
        return head + sign + value + QStringLiteral(" ==> ") + w.T(u"Marker no.") + m;
    }
    // An empty source sets the marker to 0 as well: both erase it.
    const bool number = !source.isEmpty() &&
                        (source.front().isDigit() ||
                         (source.size() > 1 && (source.front() == u'+' || source.front() == u'-') &&
                          source[1].isDigit()));
    if (source.isEmpty() || (number && Val(source) == 0))
        return head + QStringLiteral(" = 0 *** ") + w.T(u"erase");
    return head + QStringLiteral(" = ") + source;
}

ListedLine listedQueue(ListingWords& w, const ListingSplit& s) {
    QString text = w.T(u"Queue");
    if (!s.digit.isEmpty())
        text += u'[' + s.digit + QStringLiteral(":]");
    text += u' ' + w.T(u"no. ") + Trim(s.op[2]) + QStringLiteral(": ");
    const QString value = Trim(s.op[3]);
    switch (FirstUpper(s.op[1]).unicode()) {
    case u'A':
        return text + w.T(u"Start field to value") + u' ' + value;
    case u'E':
        return text + w.T(u"next field to value") + u' ' + value;
    case u'G':
        return text + w.T(u"Goto ") + w.T(u" field ") + value;
    case u'M':
        return text + QStringLiteral("Move ") + w.T(u"SET variable") + QStringLiteral(" => ") +
               w.T(u"act.") + w.T(u" field ");
    case u'P':
        return text + w.T(u"Add to actual") + w.T(u" field ") + value;
    case u'S':
        return text + w.T(u"step ") + value + QStringLiteral(" (= ") +
               (Val(value) < 0 ? w.T(u"backwards") : w.T(u"forward")) + u')';
    case u'V':
        return text + w.T(u"Value act. field => SET variable");
    default:
        return text + s.op[1];
    }
}

ListedLine listedSetVariable(ListingWords& w, const ListingSplit& s) {
    const QString value = Trim(s.op[1]).toLower();
    const int n = static_cast<int>(std::nearbyint(std::min(Val(value), double(MaxSetValue))));
    QString text = w.T(u"Set the ") + u' ' + w.T(u"SET variable");
    if (!s.digit.isEmpty())
        text += u'[' + s.digit + QStringLiteral("] ==>") + Str(n);
    else
        text += QStringLiteral("[] ==> ") + Str(n);
    if (!value.isEmpty() && (value.back() == u'a' || value.back() == u'b' || value.back() == u'v'))
        text += QStringLiteral(" (=") + QString::number(n) + value.back() + u')';
    return text;
}

ListedLine listedRandom(ListingWords& w, const ListingSplit& s) {
    QString text = w.T(u"Generate random number between") + u' ' + s.op[1] + u' ' +
                   w.T(u"AND").toLower() + u' ' + s.op[2];
    if (!s.digit.isEmpty())
        return text + QStringLiteral(" ==>SETVar[") + s.digit + u']';
    if (!s.op[3].isEmpty())
        return text + QStringLiteral(" ==>") + w.T(u"Marker no.") + s.op[3];
    return text + QStringLiteral(" ==>SETVar[]");
}

// ---- The dry run ----

RunStep markerRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const int marker = RunValue(p, s, 1);
    const QString source = p.upper(2);
    const QString two = source.left(2);
    if (source.isEmpty())
        return RunStep::Next;
    if (source.startsWith(u'&')) {
        s.setMarker(marker, s.setVars.value(QString()));
    } else if (source.size() == 1 && QStringView(u"ASMD").contains(source.front())) {
        const qint64 by = RunValue(p, s, 3);
        const qint64 v = s.marker(marker);
        switch (source.front().unicode()) {
        case u'A':
            s.setMarker(marker, static_cast<int>(v + by));
            break;
        case u'S':
            s.setMarker(marker, static_cast<int>(v - by));
            break;
        case u'M':
            s.setMarker(marker, static_cast<int>(v * by));
            break;
        default:
            if (by == 0) {
                m.divisionByZero();
            } else {
                s.setMarker(marker, static_cast<int>(v / by));
                m.assumed(); // the quotient is cut to a whole number
            }
        }
    } else if (two == u"UZ" || two == u"UC") {
        s.setMarker(marker, s.counters.value(RunValue(p, s, 3)));
    } else if (two == u"ZM" || two == u"TM") {
        const qint64 minutes = (s.clockTenths / 600) % (24 * 60);
        s.setMarker(marker, static_cast<int>(minutes / 60));
        s.setMarker(marker + 1, static_cast<int>(minutes % 60));
    } else if (two == u"ZS" || two == u"TS") {
        const qint64 seconds = (s.tenths / 10) % (24 * 3600);
        s.setMarker(marker, static_cast<int>(seconds / 3600));
        s.setMarker(marker + 1, static_cast<int>(seconds / 60 % 60));
        s.setMarker(marker + 2, static_cast<int>(seconds % 60));
        s.setMarker(marker + 3, static_cast<int>(seconds));
    } else {
        s.setMarker(marker, RunValueOf(source, s));
    }
    return RunStep::Next;
}

// Queues are not simulated: the run records the line.
RunStep queueRun(const ParsedCommand& p, RunMachine& m) {
    m.state().shown.append(p.text().trimmed());
    m.assumed();
    return RunStep::Next;
}

QString SetVarKey(const ParsedCommand& p) {
    return p.variant > 0 ? QString::number(p.variant) : QString();
}

void SetVar(RunState& s, const QString& key, int value) {
    if (value == 0)
        s.setVars.remove(key);
    else
        s.setVars.insert(key, value);
}

RunStep setVariableRun(const ParsedCommand& p, RunMachine& m) {
    SetVar(m.state(), SetVarKey(p), RunValue(p, m.state(), 1));
    return RunStep::Next;
}

RunStep randomRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    qint64 low = RunValue(p, s, 1);
    qint64 high = RunValue(p, s, 2);
    if (high < low)
        std::swap(low, high);
    const int value = static_cast<int>(low + m.random() % static_cast<quint64>(high - low + 1));
    if (p.variant == 0 && !p.operands[3].isEmpty())
        s.setMarker(RunValue(p, s, 3), value);
    else
        SetVar(s, SetVarKey(p), value);
    m.assumed(); // the editor's own generator, not the control program's
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'D', 1000, {}, {F(u"###", Under, 3, 48), F(u"&&&&&&&&", Under, 8, 104)}, {}, {}},
     .hints = {MarkerRange,
               u"Marker value (0 up to 99999) or¶Operation (A; S; M; D; TM; TS; UC)¶or as text= "
               u"&&SETVAR&& "},
     .head = markerHead,
     .operands = {markerNumber, defineMarker, defineMarkerOperand3},
     .uses = markerUses,
     .listing = listedMarker,
     .run = markerRun},
    {.layout = {u'Q',
                1110,
                Code2,
                {F(u"A", Blank, 1, 32), F(u"#", Blank, 1, 32), F(u"9999", Under, 4, 56)},
                {},
                {}},
     .hints = {u"Queue def. type: A (Start),¶ E (End/Expand), G (Goto),¶P (Add), M (Move), S "
               u"(Step)¶or V (Takeover)",
               u"Queue no.¶1 up to 9", u"Value¶1 up to 9999"},
     .head = queueHead,
     .commandField = queueCode,
     .operands = {queue, queueField, queueOperand3},
     .uses = queueUses,
     .takesDigit = true,
     .listing = listedQueue,
     .run = queueRun},
    {.layout = {u'V', 1160, Code2, {F(u"A###", Under, 4, 56)}, {}, {}},
     .hints = {setVariableHint},
     .head = setVariableHead,
     .commandField = setVariableCode,
     .operands = {setVariable},
     .uses = setVariableUses,
     .takesDigit = true,
     .listing = listedSetVariable,
     .run = setVariableRun},
    {.layout = {u'I',
                1050,
                Code2,
                {F(u"####", Under, 4, 56), F(u"####", Under, 4, 56), F(u"###", Under, 3, 48)},
                {},
                {}},
     .hints = {u"lowest value¶0 up to 9999", Kept,
               u"optionally¶as target either:¶  Marker no. 1 up to 999¶  or empty ==> SETVar"},
     .head = randomNumberHead,
     .commandField = randomCode,
     .operands = {randomNumber, randomUpper, randomTarget},
     .operand1Entry = KeepBoxes,
     .uses = randomUses,
     .takesDigit = true,
     .listing = listedRandom,
     .run = randomRun},
};

constexpr Operand2Form Operand2Forms[] = {
    // Entering operand 2 of any command restores I's hints of the bounds.
    {.hintsOf = u'I',
     .hints = {Kept, u"highest value¶0 up to 9999",
               u"optionally¶as target either:¶  Marker no. 1 up to 999¶  or empty ==> SETVar"}},
    {.command = u'Q',
     .type = u'S',
     .mask3 = u"99",
     .prompt3 = u'_',
     .hintsOf = u'Q',
     .hints = {Kept, Kept, queueStepHint}},
};

} // namespace

const CommandFamily& MarkersCountersFamily() {
    static constexpr CommandFamily family{Commands, Operand2Forms};
    return family;
}

} // namespace vx
