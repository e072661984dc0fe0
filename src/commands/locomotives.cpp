// Locomotives and their decoders: locomotive control (L) and the function
// module (C).

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

// ---- L: locomotive ----

RuleEnd locomotive(Rule& r) {
    r.E(1) = r.tx(u"Locomotive no.") + u' ';
    QString number = r.v;
    const bool marker = r.v.startsWith(u'M');
    if (marker) {
        r.E(1) = r.tx(u"Locomotive(no. in marker ");
        number = r.v.mid(1);
    }
    r.E(7).clear();
    if (number.size() > 1 && (number.back() == u'+' || number.back() == u'-')) {
        r.E(7) = r.tx(number.back() == u'+' ? u" (open) " : u" (close) ");
        number.chop(1);
    }
    for (QChar c : number)
        if (!IsAsciiDigit(c))
            return Rule::error();
    const qint64 n = number.isEmpty() ? 0 : *DigitsValue(number);
    if (n > (marker ? MaxMarker : MaxLoco))
        return Rule::error();
    r.E(2) = number + (marker ? QStringLiteral(") ") : QStringLiteral(" "));
    // Operand 5 belongs to the light function of operand 4.
    r.setMask(6, QStringLiteral("a"), u' ');
    r.msk(6).visible = false;
    return Rule::normal();
}

RuleEnd locoAction(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    auto operand3 = [&r](const char16_t* mask, QChar prompt, const QString& hint) {
        r.msk(4).visible = true;
        r.setMask(4, QString::fromUtf16(mask), prompt);
        r.setHint(3, hint);
    };
    if (r.v == u"S") {
        r.E(3) = r.tx(u"speed step ");
        operand3(u"&&&", u'_',
                 r.tx(u"Absolute driving step¶0 up to 126 as well as¶L, M, H or OLD"));
    } else if (r.v == u"B") {
        r.E(3) = r.tx(u"accelerating to ");
        operand3(u"&&&&", u'_',
                 r.tx(u"for braking (-126 up to -0),¶for accelerating (+0 up to +126)¶"
                      u"as well as L, M, H or OLD"));
    } else if (r.v == u"U") {
        r.E(3) = r.tx(u"Braking to zero, switch driving direction ");
        operand3(u"?", u' ', r.tx(u"V (forward),¶R (backwards) or¶empty"));
        r.msk(5).visible = false;
        r.msk(6).visible = false;
        r.E(5) = r.tx(u"and accelerate.");
        return Rule::normal();
    } else {
        return Rule::error();
    }
    r.msk(5).visible = true;
    r.msk(6).visible = false;
    return Rule::normal();
}

RuleEnd locoOperand3(Rule& r) {
    const QString action = r.operand(2);
    if (action == u"U") {
        if (r.v.isEmpty())
            r.E(4) = r.tx(u"and accelerate.");
        else if (r.v == u"R")
            r.E(4) = r.tx(u"to backward and accelerate.");
        else if (r.v == u"V")
            r.E(4) = r.tx(u"to foreward and accelerate.");
        else
            return Rule::error();
        return Rule::normal();
    }
    if (r.v.isEmpty())
        return emptyEnds(r);
    const bool speed = action == u"S";
    const bool accel = action == u"B";
    if (!speed && !accel)
        return Rule::error();
    r.E(3) = r.tx(speed ? u"speed step " : u"accelerating to ");
    r.E(4).clear();
    const QChar first = r.v.front();
    if (first == u'+' || first == u'-') {
        if (!accel)
            return Rule::error();
        r.E(3) = r.tx(first == u'+' ? u"accelerating to " : u"decelerating of: ");
        const QString steps = r.v.mid(1);
        if (steps.isEmpty())
            return Rule::normal(); // the sign before its number
        if (!InRange(steps, 0, MaxSpeedStep))
            return Rule::error();
        r.E(4) = steps + u' ' + r.tx(u"steps");
        return Rule::normal();
    }
    if (IsAsciiDigit(first)) {
        if (!InRange(r.v, 0, MaxSpeedStep))
            return Rule::error();
        r.E(4) = r.v; // "speed step 7", "accelerating to 7"
        return Rule::normal();
    }
    if (r.v == u"H" || r.v == u"M" || r.v == u"L") {
        if (!speed)
            return Rule::error();
        const char16_t* level = r.v == u"H"   ? u"'H=high'"
                                : r.v == u"M" ? u"'M=middle'"
                                              : u"'L=low'";
        r.E(3) = r.tx(u"speed changing to standard ") + r.tx(level);
        return Rule::normal();
    }
    static const QStringList old = {QStringLiteral("A"),   QStringLiteral("AL"),
                                    QStringLiteral("ALT"), QStringLiteral("O"),
                                    QStringLiteral("OL"),  QStringLiteral("OLD")};
    if (old.contains(r.v)) {
        r.E(3) = r.tx(u"speed changing to value before 'braking to zero'");
        return Rule::normal();
    }
    // "S" and a number: a change of the speed step by that many steps.
    if (first == u'S') {
        const QString steps = r.v.mid(1);
        if (!steps.isEmpty() && !InRange(steps, 0, MaxSpeedStep))
            return Rule::error();
        r.E(4) = r.tx(u"changing") + u' ' + steps;
        return Rule::normal();
    }
    return Rule::error();
}

RuleEnd lightFunction(Rule& r) {
    if (r.v.isEmpty()) {
        r.msk(6).visible = false;
        r.E(5).clear();
        return Rule::normal();
    }
    if (r.v != u"F")
        return Rule::error();
    r.E(5) = u' ' + r.tx(u"with light function") + u'=';
    r.msk(6).visible = true;
    return Rule::normal();
}

RuleEnd lightState(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    if (r.v == u"0" || r.v.front() == u'A')
        r.E(6) = r.tx(u"OFF") + u'.';
    else if (r.v == u"1" || r.v.front() == u'E')
        r.E(6) = r.tx(u"ON") + u'.';
    else
        return Rule::error();
    return Rule::normal();
}

QString locomotiveHint(const TextCatalogue& c) {
    return c.tx(u"Locomotive number¶0 up to 9999 or¶M and marker number¶1 up to 999") +
           TextCatalogue::HintLineBreak() +
           c.tx(u" behind optionally¶  + (open loco window) or¶  -  (close loco window)");
}

QString speedHint(const TextCatalogue& c) {
    return c.tx(u"Absolute driving step") + QStringLiteral(" , ALT ") +
           c.tx(u"or changing (-126 up to +126)");
}

QString locomotiveHead(const TextCatalogue& c) {
    return c.tx(u"Locomotive no.") + u' ';
}

// ---- C: function module of a decoder ----

RuleEnd functionModule(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v.front() == u'M') {
        // "M" alone is the marker form being typed.
        const QString marker = r.v.mid(1);
        if (!markerOk(marker))
            return Rule::error();
        r.E(1) = r.tx(u"Function module(no. in marker ");
        r.E(2) = marker + QStringLiteral(") ");
        return Rule::normal();
    }
    if (!InRange(r.v, 0, MaxLoco))
        return Rule::error();
    r.E(1) = r.tx(u"Function module no.") + u' ';
    r.E(2) = r.v + u' ';
    return Rule::normal();
}

RuleEnd function(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QString with = r.tx(u" with ");
    if (r.v.front() == u'P') {
        const QString number = r.v.mid(1);
        // "P" alone is the picture form being typed.
        if (number.isEmpty()) {
            r.E(3) = with + r.tx(u"Function picture ");
            return Rule::normal();
        }
        if (!InRange(number, MinPicture, MaxPicture))
            return Rule::error();
        r.E(3) = with + r.tx(u"Function picture ") + number + u'=';
        return Rule::normal();
    }
    if (!InRange(r.v, 1, MaxFunction))
        return Rule::error();
    r.E(3) = with + u'F' + r.v;
    return Rule::normal();
}

RuleEnd functionValue(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    static const QStringList off = {
        QStringLiteral("0"),  QStringLiteral("A"),   QStringLiteral("O"),  QStringLiteral("OF"),
        QStringLiteral("AU"), QStringLiteral("OFF"), QStringLiteral("AUS")};
    static const QStringList on = {QStringLiteral("E"), QStringLiteral("1"), QStringLiteral("ON"),
                                   QStringLiteral("EI"), QStringLiteral("EIN")};
    if (off.contains(r.v))
        r.E(4) = r.tx(u"OFF");
    else if (on.contains(r.v))
        r.E(4) = r.tx(u"ON");
    else
        return Rule::error();
    return Rule::normal();
}

// ---- What the lines name ----

void locoUses(ParsedCommand& p) {
    TextSpan s = p.spans[1];
    // A window sign behind the number is no part of it.
    const QString& typed = p.operands[1];
    if (typed.size() > 1 && (typed.back() == u'+' || typed.back() == u'-'))
        --s.to;
    p.numberAt(s, 1, Thing::Loco, Access::Drives);
    p.markerAt(s, 1, Access::Reads);
}

void moduleUses(ParsedCommand& p) {
    const Access access = p.operands[3].isEmpty() ? Access::Triggers : Access::Switches;
    p.numberOrMarker(1, Thing::Module, access, Access::Reads);
}

// ---- The listing ----

QString listedSteps(ListingWords& w, int k) {
    return Str(k) + u' ' + (k == 1 ? w.T(u"step") : w.T(u"steps"));
}

ListedLine listedLoco(ListingWords& w, const ListingSplit& s) {
    QString number = Trim(s.op[1]);
    const bool viaMarker = number.startsWith(u'M');
    if (viaMarker)
        number = Trim(QStringView(number).mid(1));
    QString window = QStringLiteral(" ");
    if (number.size() > 1 && (number.back() == u'+' || number.back() == u'-')) {
        window = number.back() == u'+' ? w.T(u" (open) ") : w.T(u" (close) ");
        number.chop(1);
    }
    if (!IsDigits(number))
        return std::nullopt;
    const double n = Val(number);
    if (viaMarker ? (n < 1 || n > MaxMarker) : n > MaxLoco)
        return std::nullopt;
    QString text = viaMarker
                       ? QString(w.T(u"Loco no.") + u'(' + w.T(u"no. in marker ") + number + u')')
                       : QString(w.T(u"Loco no.") + Str(static_cast<int>(n)));
    text += window;

    const QString action = Trim(s.op[2]);
    const QString how = Trim(s.op[3]);
    if (action == u"S" || action == u"B") {
        const bool absolute = action == u"S";
        static const QStringList old = {QStringLiteral("A"),   QStringLiteral("AL"),
                                        QStringLiteral("ALT"), QStringLiteral("O"),
                                        QStringLiteral("OL"),  QStringLiteral("OLD")};
        if (how.isEmpty()) {
            text += w.T(u"unchanging speed");
        } else if (old.contains(how)) {
            text += w.T(u"speed -->old (before=0)");
        } else if (how == u"H" || how == u"M" || how == u"L") {
            if (!absolute)
                return std::nullopt;
            text += how == u"H"   ? w.T(u"Speed --> high")
                    : how == u"M" ? w.T(u"Speed --> middle")
                                  : w.T(u"Speed --> low");
        } else {
            const bool signedValue = how.front() == u'+' || how.front() == u'-';
            const QStringView digits = signedValue ? QStringView(how).mid(1) : QStringView(how);
            if (!IsDigits(digits) || Val(digits) > MaxSpeedStep || (signedValue && absolute))
                return std::nullopt;
            const int k = static_cast<int>(Val(digits));
            if (absolute) {
                if (k == 0)
                    text += w.T(u"stop");
                else
                    text +=
                        w.T(u"speed") + listedSteps(w, k) + QStringLiteral(" (") +
                        QString::number(static_cast<int>(std::lround(k * 100.0 / MaxSpeedStep))) +
                        QStringLiteral("%)");
            } else if (k == 0) {
                text += w.T(u"unchanging speed");
            } else if (how.front() == u'-') {
                text += w.T(u"decelerating speed for") + listedSteps(w, k);
            } else {
                text += w.T(u"accelerating speed for:") + listedSteps(w, k);
            }
        }
    } else if (action == u"U") {
        text += w.T(u"Change direction");
        if (how == u"R")
            text += QStringLiteral(" --> ") + w.T(u"backwards");
        else if (how == u"V")
            text += QStringLiteral(" --> ") + w.T(u"forward");
        else if (!how.isEmpty())
            return std::nullopt;
    } else {
        return std::nullopt;
    }

    const QString light = Trim(s.op[4]);
    const QString lightState = Trim(s.op[5]);
    if (light == u"F") {
        text += QStringLiteral(" + ") + w.T(u"Light");
        if (lightState == u"0" || lightState.startsWith(u'A'))
            text += u' ' + w.T(u"off");
        else if (lightState == u"1" || lightState.startsWith(u'E'))
            text += u' ' + w.T(u"on");
        else if (!lightState.isEmpty())
            return std::nullopt;
    } else if (!light.isEmpty() || !lightState.isEmpty()) {
        return std::nullopt;
    }
    return text;
}

ListedLine listedModule(ListingWords& w, const ListingSplit& s) {
    const QString module = Trim(s.op[1]);
    QString text;
    if (module.startsWith(u'M')) {
        const QStringView number = QStringView(module).mid(1);
        if (!IsDigits(number) || Val(number) < 1 || Val(number) > MaxMarker)
            return std::nullopt;
        text = w.T(u"F module addr.") + u'(' + w.T(u"no. in marker ") + number.toString() +
               QStringLiteral("): ");
    } else {
        if (!IsDigits(module) || Val(module) > MaxModule)
            return std::nullopt;
        text = w.T(u"F module addr.") + u'=' + QString::number(Held(Val(module), 0, MaxModule)) +
               QStringLiteral(": ");
    }
    const QString function = Trim(s.op[2]);
    if (function.startsWith(u'P')) {
        const QStringView picture = QStringView(function).mid(1);
        const double k = Val(picture);
        if (!IsDigits(picture) || k < MinPicture || k > MaxPicture)
            return std::nullopt;
        text += w.c.FunctionSymbolNames(static_cast<int>(k));
    } else {
        const double k = Val(function);
        if (!IsDigits(function) || k < 1 || k > MaxFunction)
            return std::nullopt;
        text += w.c.FunctionSymbolNames(1) + Str(static_cast<int>(k));
    }
    const QString value = Trim(s.op[3]);
    if (value.isEmpty())
        return text + w.T(u" trigger");
    static const QStringList offWords = {
        QStringLiteral("0"),  QStringLiteral("A"),   QStringLiteral("O"),  QStringLiteral("OF"),
        QStringLiteral("AU"), QStringLiteral("OFF"), QStringLiteral("AUS")};
    static const QStringList onWords = {QStringLiteral("1"), QStringLiteral("E"),
                                        QStringLiteral("ON"), QStringLiteral("EI"),
                                        QStringLiteral("EIN")};
    if (offWords.contains(value))
        return text + QStringLiteral(" --> ") + w.T(u"OFF");
    if (onWords.contains(value))
        return text + QStringLiteral(" --> ") + Trim(w.T(u" ON"));
    return std::nullopt;
}

// ---- The dry run ----

// The standard speeds H, M and L as steps of 0..126.
constexpr int HighSpeed = 100;
constexpr int MiddleSpeed = 60;
constexpr int LowSpeed = 30;

bool IsOldSpeed(const QString& word) {
    return !word.isEmpty() &&
           (QStringView(u"ALT").startsWith(word) || QStringView(u"OLD").startsWith(word));
}

RunStep locoRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    QString number = p.operands[1].trimmed();
    if (number.size() > 1 && (number.back() == u'+' || number.back() == u'-'))
        number.chop(1);
    const int id = RunValueOf(number, s);
    RunLoco loco = s.locos.value(id);
    const auto drive = [&](int speed) {
        speed = std::clamp(speed, 0, 126);
        if (speed == 0 && loco.speed > 0)
            loco.speedBeforeBraking = loco.speed;
        loco.speed = speed;
    };
    const QString what = p.upper(2);
    const QString to = p.upper(3);
    if (what == u"U") {
        // Braking to zero and accelerating again to the speed it had.
        loco.speedBeforeBraking = loco.speed;
        if (to == u"R" || to == u"V")
            loco.direction = to.front();
        else
            loco.direction = loco.direction == u'V' ? u'R' : u'V';
        m.assumed();
    } else if (IsOldSpeed(to)) {
        drive(loco.speedBeforeBraking);
    } else if (to == u"H" || to == u"M" || to == u"L") {
        drive(to == u"H" ? HighSpeed : to == u"M" ? MiddleSpeed : LowSpeed);
        m.assumed();
    } else if (to.startsWith(u'+') || to.startsWith(u'-')) {
        drive(loco.speed + RunValueOf(to, s));
        m.assumed();
    } else if (!to.isEmpty()) {
        drive(RunValueOf(to, s));
    }
    if (p.upper(4) == u"F") {
        const QString light = p.upper(5);
        if (light == u"1" || light.startsWith(u'E'))
            loco.light = true;
        else if (light == u"0" || light.startsWith(u'A'))
            loco.light = false;
    }
    if (loco == RunLoco{})
        s.locos.remove(id);
    else
        s.locos.insert(id, loco);
    return RunStep::Next;
}

// A function picture counts as the function of its negative number.
RunStep moduleRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const int module = RunValue(p, s, 1);
    const QString function = p.upper(2);
    const int f =
        function.startsWith(u'P') ? -RunValueOf(function.mid(1), s) : RunValueOf(function, s);
    const QString state = p.upper(3);
    if (state.isEmpty()) {
        m.assumed(); // a trigger leaves the function as it is
        return RunStep::Next;
    }
    const bool on = state == u"1" || state.startsWith(u'E') || state == u"ON";
    QSet<int>& functions = s.moduleFunctions[module];
    if (on)
        functions.insert(f);
    else
        functions.remove(f);
    if (functions.isEmpty())
        s.moduleFunctions.remove(module);
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'L',
                1070,
                {},
                {F(u"ACCCCC", Under, 6, 56), F(u"A", Blank, 1, 32), F(u"aaaa", Under, 4, 56),
                 F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
                {},
                {}},
     .hints = {locomotiveHint,
               u"Control type¶S (Absolute step),¶B (accelerate, decelerate) or¶U (switch "
               u"direction)",
               speedHint, u"optionally: light function¶F", u"0 or A (off)¶or¶1 or E (on)"},
     .head = locomotiveHead,
     .operands = {locomotive, locoAction, locoOperand3, lightFunction, lightState},
     .uses = locoUses,
     .listing = listedLoco,
     .run = locoRun},
    {.layout = {u'C',
                990,
                {},
                {F(u"A####", Under, 5, 64), F(u"A##", Under, 3, 40), F(u"AAA", Blank, 3, 48)},
                {},
                {}},
     .hints = {u"Function module no.¶0 up to 9999 or¶M and marker number¶1 up to 999",
               u"function no. F..¶1 up to 28 or¶Function picture ¶P2 up to P50",
               u"funktion value¶OFF, AUS or 0 = off or¶ON, EIN or 1 = on"},
     .head = u"Trigger funktion module ",
     .operands = {functionModule, function, functionValue},
     .uses = moduleUses,
     .listing = listedModule,
     .run = moduleRun},
};

// A marker as the locomotive or the module: operand 2 takes its letter form.
constexpr Operand2Form Operand2Forms[] = {
    {.command = u'L', .type = u'M', .mask2 = u"A"},
    {.command = u'C', .type = u'M', .mask2 = u"A##"},
};

} // namespace

const CommandFamily& LocomotivesFamily() {
    static constexpr CommandFamily family{Commands, Operand2Forms};
    return family;
}

} // namespace vx
