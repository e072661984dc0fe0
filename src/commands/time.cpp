// Time: the model clock (T) and the time delay (Z).

#include "commands/command_family.h"
#include "commands/operand_rule.h"
#include "commands/parsed_command.h"
#include "commands/run_machine.h"
#include "texts/basic_numbers.h"

#include <algorithm>
#include <cstdlib>

namespace vx {

namespace {

using namespace rules;
using namespace layout;

// ---- T: model time ----

RuleEnd modelTime(Rule& r) {
    if (Trim(r.v).isEmpty())
        return Rule::normal();
    const QChar first = r.v.front();
    if (IsAsciiDigit(first)) {
        r.E(1) = r.tx(u"Modell time") + u' ';
        // Back from a time source: the minute field, its hint and the code field.
        r.setMask(3, QStringLiteral("##"), r.msk(3).prompt);
        r.msk(4).visible = true;
        r.setHint(2, r.tx(u"Modell minute¶0 up to 59"));
        r.setHint(3, r.tx(u"optionally: code:¶S (Set clock) or¶H (stop clock)"));
        r.setHint(4, r.tx(u"optionally: time lapse value¶(1 up to 600)"));
        if (!InRange(r.v, 0, MaxHour))
            return Rule::error();
        // Only a one-digit hour gets its leading zero; "07" stays as typed.
        const qint64 hour = *DigitsValue(r.v);
        r.E(2) = hour >= 1 && hour <= 9 && r.v.size() == 1 ? u'0' + r.v : r.v;
        return Rule::normal();
    }
    if (first != u'T' && first != u'Z')
        return Rule::error();
    r.E(2).clear();
    if (r.v.size() < 2)
        return Rule::normal(); // "T" or "Z" on the way to a time source
    // Every time source names a marker of up to three digits in operand 2.
    r.setMask(3, QStringLiteral("###"), r.msk(3).prompt);
    const QChar source = r.v[1];
    if (r.v.size() == 2 && (source == u'M' || source == u'S')) {
        r.setHint(2, r.tx(u"Marker no.¶1 up to 999"));
        r.setHint(3, QString());
        r.setHint(4, QString());
        r.E(2) = r.tx(u"via marker no.");
        r.E(3).clear();
        r.msk(4).visible = false;
        r.E(1) = r.tx(source == u'S' ? u"System time" : u"Modell time") + u' ';
    }
    return Rule::normal();
}

RuleEnd modelTimeOperand2(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QString op1 = r.operand(1);
    const QChar first = op1.isEmpty() ? QChar() : op1.front();
    const QString waiting = r.tx(u"waiting for") + u'.';
    if (IsAsciiDigit(first)) {
        if (!InRange(r.v, 0, MaxMinute))
            return Rule::error();
        r.E(3) = u':' + TwoDigits(*DigitsValue(r.v)) + u' ' + r.tx(u"clock") + u' ';
        r.E(4) = waiting;
        return Rule::normal();
    }
    if (op1 == u"TM" || op1 == u"ZM" || op1 == u"TS" || op1 == u"ZS") {
        const qint64 n = LeadingValue(r.v);
        if (n <= 0) {
            r.E(3).clear();
            return r.quiet();
        }
        if (!IsDigits(r.v) || n > MaxMarker)
            return Rule::error();
        r.E(3) = r.v + u' ';
        r.E(4) = waiting;
        return Rule::normal();
    }
    // Without an hour or a time source operand 2 has no meaning yet.
    return Rule::normal();
}

RuleEnd clockCode(Rule& r) {
    if (r.v.isEmpty()) {
        r.E(4) = r.tx(u"waiting for") + u'.';
        r.msk(5).visible = false;
    } else if (r.v == u"S") {
        r.E(4) = r.tx(u"set and start");
        r.msk(5).visible = true;
    } else if (r.v == u"H") {
        // The time lapse belongs to S alone.
        r.E(4) = r.tx(u"stop") + u'.';
        r.msk(5).visible = false;
    } else {
        return Rule::error();
    }
    return Rule::normal();
}

RuleEnd timeLapse(Rule& r) {
    if (r.operand(3) != u"S")
        return Rule::normal();
    const QString head = r.tx(u" with ") + r.tx(u"time lapse value");
    if (r.v.isEmpty()) {
        r.E(5) = head;
        return Rule::normal();
    }
    if (!InRange(r.v, 1, MaxTimeLapse))
        return Rule::error();
    r.E(5) = head + u' ' + r.v;
    return Rule::normal();
}

QString hourHint(const TextCatalogue& c) {
    return c.tx(u"Modell hour¶0 up to 23") +
           c.tx(u" or¶TM (model clock time via marker) or¶TS (system clock time via marker)");
}

QString modelTimeHead(const TextCatalogue& c) {
    return c.tx(u"Modell time") + u' ';
}

// ---- Z: time delay ----

RuleEnd timeDelay(Rule& r) {
    const QString sec = r.tx(u"seconds").left(3);
    if (const auto end = valueInMarker(r, QStringLiteral(") *1/10 ") + sec + u'.'))
        return *end;
    if (!r.v.isEmpty() && !InRange(r.v, 0, MaxDelay))
        return Rule::error();
    // Written from the value, so leading zeros ("005") read as 0.5.
    const qint64 tenths = r.v.isEmpty() ? 0 : *DigitsValue(r.v);
    const QString point = r.tx(u".");
    const QString digits = QString::number(tenths);
    if (tenths < 10)
        r.E(2) = u'0' + point + digits;
    else
        r.E(2) = digits.chopped(1) + point + digits.back();
    r.E(2) += u' ' + sec + u'.';
    return Rule::normal();
}

// ---- What the lines name ----

void timeUses(ParsedCommand& p) {
    const QString source = p.upper(1);
    if (source == u"TM" || source == u"ZM" || source == u"TS" || source == u"ZS")
        p.number(2, Thing::Marker, Access::Reads);
}

void delayUses(ParsedCommand& p) {
    p.markerRef(1, Access::Reads);
}

// ---- The listing ----

ListedLine listedTime(ListingWords& w, const ListingSplit& s) {
    const QString source = s.op[1].left(2).toUpper();
    if (source == u"ZS" || source == u"TS" || source == u"ZM" || source == u"TM") {
        const bool system = source.back() == u'S';
        return (system ? w.T(u"System time") : w.T(u"Modell time")) + u' ' +
               w.T(u"via marker no.") + s.op[2] + w.T(u" waiting");
    }
    const int h = Held(Val(s.op[1]), 0, MaxHour);
    const int m = Held(Val(s.op[2]), 0, MaxMinute);
    const QString time = w.T(u"Model clock time") +
                         (h < 10 ? QStringLiteral(" 0") + QString::number(h) : Str(h)) +
                         (m < 10 ? QStringLiteral(":0") : QStringLiteral(":")) + QString::number(m);
    switch (FirstUpper(s.op[3]).unicode()) {
    case u'S': {
        QString text = w.T(u"Set to ") + u' ' + time + u' ' + w.T(u"o'clock");
        const QString lapse = Trim(s.op[4]);
        if (!lapse.isEmpty())
            text +=
                u' ' + w.T(u"+ start") + w.T(u" with ") + w.T(u"time lapse value") + u'=' + lapse;
        return text;
    }
    case u'H':
        return time + u' ' + w.T(u"o'clock") + u' ' + w.T(u"stop");
    default:
        return time + u' ' + w.T(u"o'clock") + w.T(u" waiting");
    }
}

ListedLine listedDelay(ListingWords& w, const ListingSplit& s) {
    const QString& op1 = s.op[1];
    QString text;
    if (op1.startsWith(u'M')) {
        const QString number = Trim(QStringView(op1).mid(1));
        const double value = Val(number);
        if (!(value > 0) || value > MaxMarker)
            w.reportError(27013, op1);
        text = w.T(u"Time delay: ") + u'(' + w.T(u"Value in marker no. ") + number +
               QStringLiteral(") *1/10");
    } else {
        const QString digits = QString::number(WholeHeld(Val(op1), 0, MaxDelay));
        if (digits.size() < 2)
            text = w.T(u"Time delay: ") + QStringLiteral("0,") + digits;
        else
            text = w.T(u"Time delay: ") + u' ' + digits.chopped(1) + u',' + digits.back();
    }
    return text + u' ' + w.T(u"second(s)").left(3) + u'.';
}

// ---- The dry run ----

constexpr qint64 DayMinutes = 24 * 60;

// Waits until the clock shows hour:minute; a running model clock gets there
// by itself, lapse times faster than virtual time.
RunStep waitForClock(RunMachine& m, int minute, bool model) {
    const RunState& s = m.state();
    const qint64 tenths = model ? s.clockTenths : s.tenths;
    const qint64 now = (tenths / 600) % DayMinutes;
    if (now == minute)
        return RunStep::Next;
    RunWait wait{.thing = Thing::Marker, .clock = true};
    const qint64 ahead = ((minute - now + DayMinutes) % DayMinutes) * 600 - tenths % 600;
    if (!model)
        wait.until = s.tenths + ahead;
    else if (s.clockRunning)
        wait.until = s.tenths + (ahead + s.clockLapse - 1) / s.clockLapse;
    return m.wait(wait);
}

RunStep timeRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const QString source = p.upper(1);
    const bool viaMarker = source == u"TM" || source == u"ZM" || source == u"TS" || source == u"ZS";
    int minute = 0;
    if (viaMarker) {
        // The hour in the marker, the minute in the one behind it.
        const int marker = RunValue(p, s, 2);
        minute = s.marker(marker) * 60 + s.marker(marker + 1);
        m.assumed();
    } else {
        minute = RunValue(p, s, 1) * 60 + RunValue(p, s, 2);
    }
    const QString action = p.upper(3);
    const bool model = !(source == u"TS" || source == u"ZS");
    if (action == u"S" && model) {
        s.clockTenths = static_cast<qint64>(minute % DayMinutes) * 600;
        s.clockRunning = true;
        s.clockLapse = p.operands[4].isEmpty() ? 1 : std::clamp(RunValue(p, s, 4), 1, 600);
        m.assumed(); // the clock runs lapse times faster than real time
        return RunStep::Next;
    }
    if (action == u"H") {
        s.clockRunning = false;
        return RunStep::Next;
    }
    return waitForClock(m, minute, model);
}

RunStep delayRun(const ParsedCommand& p, RunMachine& m) {
    m.delay(RunValue(p, m.state(), 1));
    return RunStep::Next;
}

} // namespace

bool SetsModelClock(const ParsedCommand& p) {
    return p.code == u'T' && p.upper(3) == u"S";
}

namespace {

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'T',
                1140,
                {},
                {F(u"AA", Under, 2, 40), F(u"##", Under, 2, 40), F(u"A", Blank, 1, 32),
                 F(u"999", 0, 3, 48)},
                {},
                {}},
     .hints = {hourHint, u"Modell minute¶0 up to 59",
               u"optionally: code:¶S (Set clock) or¶H (stop clock)"},
     .head = modelTimeHead,
     .operands = {modelTime, modelTimeOperand2, clockCode, timeLapse},
     .uses = timeUses,
     .listing = listedTime,
     .run = timeRun},
    {.layout = {u'Z', 1200, {}, {F(u"A###", Under, 4, 56)}, {}, {}},
     .hints = {u"Time delay in 1/10 sec.¶0 up to 999¶or¶M and marker number¶1 up to 999"},
     .head = u"Time delay: ",
     .operands = {timeDelay},
     .uses = delayUses,
     .listing = listedDelay,
     .run = delayRun},
};

} // namespace

const CommandFamily& TimeFamily() {
    static constexpr CommandFamily family{Commands, {}};
    return family;
}

} // namespace vx
