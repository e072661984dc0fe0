// Magnetic articles, signals, switch routes and turntables: all to initial
// status (A), magnetic article (M), signal (S), switch route by number (X) or
// via a marker (Y) and turntable (O).

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

// ---- A: all to initial status ----

RuleEnd allToInitial(Rule& r) {
    struct Category {
        const char16_t* value;
        const char16_t* name;
    };
    static constexpr Category categories[] = {
        {u"M", u"magnetic articles"},
        {u"K", u"contacts"},
        {u"C", u"contacts"},
        {u"F", u"switch routes"},
        {u"R", u"switch routes"},
        {u"S", u"signals"},
        {u"W", u"track switches/points"},
        {u"P", u"track switches/points"},
        {u"MK", u"markers"},
    };
    if (r.v.isEmpty())
        return Rule::normal();
    for (const auto& c : categories)
        if (r.v == QStringView(c.value)) {
            r.E(2) = r.tx(u", but only ") + u' ' + r.tx(c.name) + u'.';
            return Rule::normal();
        }
    return Rule::error();
}

// ---- M, S: magnetic articles and signals ----

RuleEnd articleOrSignal(Rule& r, const char16_t* head) {
    if (r.v.isEmpty())
        return r.quiet();
    r.E(1) = r.tx(head);
    if (r.v.front() == u'M') {
        const QString marker = r.v.mid(1);
        if (!markerOk(marker))
            return Rule::error();
        r.E(1) += u'(' + r.tx(u"Marker no.") + u' ' + marker + QStringLiteral(") ");
        r.E(2).clear(); // no number of a former value behind the marker

        return Rule::normal();
    }
    if (!InRange(r.v, 0, MaxArticle))
        return Rule::error();
    r.E(2) = r.v + u' ';
    return Rule::normal();
}

RuleEnd articleNumber(Rule& r) {
    return articleOrSignal(r, u"Magnetic article no. ");
}

RuleEnd signalNumber(Rule& r) {
    return articleOrSignal(r, u"Signal no. ");
}

RuleEnd switching(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v == u"R")
        r.E(3) = r.tx(u"switching to RED.");
    else if (r.v == u"G")
        r.E(3) = r.tx(u"switching to GREEN.");
    else if (r.v == u"O" || r.v == u"S")
        r.E(3) = r.tx(u"switching to ORANGE/special status.");
    else
        return Rule::error();
    return Rule::normal();
}

QString articleHint(const TextCatalogue& c) {
    return c.tx(u"Magnetic article no. ") + c.tx(u"0 up to 1024") + OrMarker(c);
}

QString signalHint(const TextCatalogue& c) {
    return c.tx(u"Signal no. ") + c.tx(u"0 up to 1024") + OrMarker(c);
}

// ---- X, Y: switch routes, by number or via a marker ----

RuleEnd routeNumber(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    return InRange(r.v, 0, MaxRoute) ? generic(r) : Rule::error();
}

RuleEnd routeMarker(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    return InRange(r.v, 1, MaxMarker) ? generic(r) : Rule::error();
}

RuleEnd switchRoute(Rule& r) {
    auto operand3 = [&r](const QString& mask, int width, const QString& hint) {
        r.msk(4).visible = true;
        r.setMask(4, mask, u' ');
        r.setWidth(4, width);
        r.setHint(3, hint);
    };
    // Operand 3 is shown only for the forms that use it.
    if (r.v.isEmpty() || r.v == u"S") {
        r.E(3) = r.tx(u" trigger") + u'.';
        r.msk(4).visible = false;
    } else if (r.v == u"R") {
        r.E(3) = r.tx(u" reserving") + u'.';
        // A jump label of up to twelve characters, as wide as the address of G.
        operand3(QStringLiteral("CCCCCCCCCCCC"), 168,
                 r.tx(u"optionally:¶jump address¶(=go to if already reserved)"));
    } else if (r.v == u"F") {
        r.E(3) = r.tx(u" releasing") + u'.';
        r.msk(4).visible = false;
    } else if (r.v == u"W") {
        r.E(3) = r.tx(u" waiting for");
        operand3(QStringLiteral("a"), 32, r.tx(u"F = FREE or ¶R = RESERVED"));
    } else {
        return Rule::error();
    }
    return Rule::normal();
}

RuleEnd routeOperand3(Rule& r) {
    const QString op2 = r.operand(2);
    if (op2 == u"R") {
        r.E(4) =
            r.v.isEmpty() ? QString() : r.tx(u"; if already reserved, then go to ") + r.v.toUpper();
        return Rule::normal();
    }
    if (op2 == u"W") {
        if (r.v.isEmpty())
            return emptyEnds(r);
        if (r.v == u"F")
            r.E(4) = u' ' + r.tx(u"FREE") + u'.';
        else if (r.v == u"R")
            r.E(4) = u' ' + r.tx(u"RESERVED") + u'.';
        else
            return Rule::error();
    }
    return Rule::normal();
}

// ---- O: turntable ----

RuleEnd turntableNumber(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 0, 2))
        return Rule::error();
    return generic(r);
}

RuleEnd turntablePosition(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QString special = u' ' + r.tx(u"Special command");
    auto direction = [&r] { r.setMask(4, QStringLiteral("&"), u'_'); };
    const QChar first = r.v.front();
    switch (first.unicode()) {
    case u'T':
        r.E(3) = QStringLiteral(" drehen um 180°"); // the same in every language
        return Rule::normal();
    case u'S':
        r.E(3) = u' ' + r.tx(u" rotate to next track number ");
        return Rule::normal();
    case u'C':
        r.E(3) = special + QStringLiteral(" CLEAR");
        return Rule::normal();
    case u'E':
        r.E(3) = special + QStringLiteral(" END");
        return Rule::normal();
    case u'I':
        r.E(3) = special + QStringLiteral(" INPUT");
        return Rule::normal();
    case u'D':
    case u'R':
        r.E(3) = u' ' + r.tx(u"fix rotation to ");
        direction();
        return Rule::normal();
    default:
        break;
    }
    const QString head = u' ' + r.tx(u"rotate to track number ");
    const bool signLed = first == u'+' || first == u'-';
    if (signLed && r.v.size() == 1) {
        r.E(3) = head; // the sign before the track number
        return Rule::normal();
    }
    const QStringView number = signLed ? QStringView(r.v).mid(1) : QStringView(r.v);
    if (!InRange(number, 1, 24))
        return Rule::error();
    r.E(3) = head + r.v;
    direction();
    r.setHint(3, r.tx(u"Rotation direction¶A or empty (automatic),¶L or 2 (left turning, anti "
                      u"clockwise) or¶R or 3 (right turning, clockwise),¶Sonderbefehle: C, E, I "
                      u"(CLEAR, END oder INPUT)"));
    return Rule::normal();
}

RuleEnd rotationDirection(Rule& r) {
    if (r.v.isEmpty() || r.v == u"A")
        r.E(4).clear();
    else if (r.v == u"L" || r.v == u"2")
        r.E(4) = u' ' + r.tx(u"left turning, anti clockwise");
    else if (r.v == u"R" || r.v == u"3")
        r.E(4) = u' ' + r.tx(u"right turning, clockwise");
    else
        return Rule::error();
    return Rule::normal();
}

QString turntableHint(const TextCatalogue& c) {
    return c.tx(u"Turntable no. ") + TextCatalogue::HintLineBreak() + c.tx(u"1 or 2");
}

constexpr const char16_t* RouteAction =
    u"S or empty = Switch,¶R = Reserve with switching,¶F = Release or ¶W = Wait until ...";

// ---- What the lines name ----

void articleUses(ParsedCommand& p) {
    p.numberOrMarker(1, Thing::Article, Access::Switches, Access::Reads);
}

void signalUses(ParsedCommand& p) {
    p.numberOrMarker(1, Thing::Signal, Access::Switches, Access::Reads);
}

// Reserving may name where to go when the route is reserved already.
void routeJump(ParsedCommand& p) {
    if (p.upper(2) == u"R")
        p.name(3, Thing::Address, Access::Jumps);
}

void routeUses(ParsedCommand& p) {
    const QString action = p.upper(2);
    const Access access = action == u"W"                     ? Access::Waits
                          : action == u"R" || action == u"F" ? Access::Sets
                                                             : Access::Switches;
    p.number(1, Thing::Route, access);
    routeJump(p);
}

void routeViaMarkerUses(ParsedCommand& p) {
    p.number(1, Thing::Marker, Access::Reads);
    routeJump(p);
}

void turntableUses(ParsedCommand& p) {
    p.number(1, Thing::Turntable, Access::Switches);
}

// ---- The listing ----

ListedLine listedInitialStatus(ListingWords& w, const ListingSplit& s) {
    switch (FirstUpper(s.op[1]).unicode()) {
    case u'M':
        return w.T(u"Only magnetic articles ==> Initial status");
    case u'C':
    case u'K':
        return w.T(u"Only contacts ==> Initial status");
    case u'F':
    case u'R':
        return w.T(u"Only routes ==> Initial status");
    case u'S':
        return w.T(u"Only all signals ==> Initial status");
    case u'W':
    case u'P':
        return w.T(u"Only all track switches/points ==> Initial status");
    default:
        return w.T(u"Magnetics/Contacts/Switch routes ==> Initial status");
    }
}

ListedLine listedArticle(ListingWords& w, const ListingSplit& s) {
    const bool magnetic = s.code == u'M';
    const QString& op1 = s.op[1];
    const bool viaMarker = op1.startsWith(u'M');
    QString text;
    if (viaMarker) {
        text = Capitalised(magnetic ? w.T(u"Magnetic") : w.T(u"Signal"));
        const QString number = Trim(QStringView(op1).mid(1));
        const double value = Val(number);
        if (number.isEmpty() || value < 1 || value > MaxMarker) {
            w.reportError(27019, op1);
            return text + QStringLiteral(" {=>999}");
        }
        text += u'(' + w.T(u"no. in marker ") + number + QStringLiteral(") ") +
                w.T(u"Set to ").toLower() + QStringLiteral(" => ");
    } else {
        text = Capitalised(magnetic ? w.T(u"Magnetic-no:") : w.T(u"Signal no. ")) +
               Str(Held(Val(op1), 0, MaxArticle)) + u' ' + w.T(u"Set to ").toLower() +
               QStringLiteral(" => ");
    }
    const QString& green = w.c.PositionNames(2);
    const QString& red = w.c.PositionNames(3);
    const QString& orange = w.c.PositionNames(4);
    switch (FirstUpper(s.op[2]).unicode()) {
    case u'G':
        text += magnetic ? green + u'/' + w.c.PositionNames(18)
                         : UpperTrim(w.T(u"Proceed")) + u'/' + green;
        break;
    case u'R':
        text +=
            magnetic ? red + u'/' + w.c.PositionNames(19) : UpperTrim(w.T(u"Stop")) + u'/' + red;
        break;
    case u'O':
    case u'S':
        text += magnetic ? orange + u'/' + w.c.PositionNames(20)
                         : UpperTrim(w.T(u"Slow down")) + u'/' + orange;
        break;
    default:
        break;
    }
    return text;
}

ListedLine listedRoute(ListingWords& w, const ListingSplit& s) {
    const bool plain = s.code == u'X';
    const int number = plain ? Held(Val(s.op[1]), 0, MaxRoute) : Held(Val(s.op[1]), 0, MaxMarker);
    const QString numbered = w.T(u"switch route") + u'-' + w.T(u"no. ") + Str(number);
    const QString base = plain ? w.T(u"Switch route") + u'-' + w.T(u"no. ") + Str(number)
                               : w.T(u"switch route") + u' ' + w.T(u"via marker no.") + Str(number);
    const QChar action = FirstUpper(s.op[2]);
    if (action.isNull() || action == u'S')
        return base + u' ' + w.T(u"switch");
    if (action == u'R')
        return w.T(u"Reserve") + u' ' + (plain ? numbered : base);
    if (action == u'F')
        return w.T(u"Release") + u' ' + (plain ? numbered : base);
    if (action == u'W') {
        const QChar state = FirstUpper(s.op[3]);
        const int entry = state == u'R' || state == u'B' ? 38 : 37;
        return w.T(u"wait until") + u' ' + base + u' ' + UpperTrim(w.c.SwitchStateNames(entry));
    }
    return base;
}

QString listedRotation(ListingWords& w, const QString& direction) {
    if (direction.isEmpty() || direction == u"A")
        return QStringLiteral(" (auto)");
    if (direction == u"L" || direction == u"2")
        return QStringLiteral(" <== (") + w.T(u"left") + u')';
    if (direction == u"R" || direction == u"3")
        return QStringLiteral(" ==> (") + w.T(u"right") + u')';
    return u' ' + direction;
}

ListedLine listedTurntable(ListingWords& w, const ListingSplit& s) {
    QString text = w.T(u"Drehscheibe") + u' ' + w.T(u"no. ") + Trim(s.op[1]) + QStringLiteral(": ");
    const QString position = Trim(s.op[2]);
    const QString direction = Trim(s.op[3]);
    const QChar first = FirstUpper(position);
    switch (first.unicode()) {
    case u'T':
        return text + QStringLiteral("TURN (180°)");
    case u'S':
        return text + w.T(u"1 Step");
    case u'C':
        return text + QStringLiteral("CLEAR");
    case u'E':
        return text + QStringLiteral("END");
    case u'I':
        return text + QStringLiteral("INPUT");
    case u'D':
    case u'R':
        return text + w.T(u"Turn direction") + listedRotation(w, direction);
    default:
        break;
    }
    if (first.isDigit() || first == u'+' || first == u'-')
        return text + w.T(u"rotate to ") + w.T(u"Track") + u' ' + position +
               listedRotation(w, direction);
    return text + position;
}

// ---- The dry run ----

RunStep initialStatusRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const QString kinds = p.upper(1);
    const bool all = kinds.isEmpty();
    if (all || kinds == u"K" || kinds == u"C") {
        s.contacts.clear();
        s.freedContacts.clear();
        s.locoOnContact.clear();
    }
    // Points are switched as magnetic articles.
    if (all || kinds == u"M" || kinds == u"W" || kinds == u"P")
        s.articles.clear();
    if (all || kinds == u"S")
        s.signalColours.clear();
    if (all || kinds == u"F" || kinds == u"R")
        s.routes.clear();
    if (kinds == u"MK")
        s.markers.clear();
    if (all || kinds == u"W" || kinds == u"P" || kinds == u"K")
        m.assumed();
    return RunStep::Next;
}

// M and S: the colour letter as written; no letter only triggers.
RunStep switchColour(const ParsedCommand& p, RunMachine& m, QMap<int, QChar>& colours) {
    const int n = RunValue(p, m.state(), 1);
    const QString colour = p.upper(2);
    if (colour.isEmpty())
        m.assumed();
    else
        colours.insert(n, colour.front());
    return RunStep::Next;
}

RunStep articleRun(const ParsedCommand& p, RunMachine& m) {
    return switchColour(p, m, m.state().articles);
}

RunStep signalRun(const ParsedCommand& p, RunMachine& m) {
    return switchColour(p, m, m.state().signalColours);
}

RunStep routeAction(const ParsedCommand& p, RunMachine& m, int route) {
    RunState& s = m.state();
    const QString action = p.upper(2);
    const bool reserved = s.routes.contains(route);
    if (action == u"R") {
        if (reserved && !p.operands[3].isEmpty())
            m.jump(p.upper(3));
        s.routes.insert(route, u'R');
    } else if (action == u"F") {
        s.routes.remove(route);
    } else if (action == u"W") {
        if (reserved == (p.upper(3) == u"R"))
            return RunStep::Next;
        return m.wait({.thing = Thing::Route, .id = QString::number(route)});
    } else {
        m.assumed(); // triggering leaves the route as it is
    }
    return RunStep::Next;
}

RunStep routeRun(const ParsedCommand& p, RunMachine& m) {
    return routeAction(p, m, RunValue(p, m.state(), 1));
}

RunStep routeViaMarkerRun(const ParsedCommand& p, RunMachine& m) {
    return routeAction(p, m, m.state().marker(RunValue(p, m.state(), 1)));
}

// The turntable's track: 1..24, half a turn is twelve tracks on.
RunStep turntableRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const int table = RunValue(p, s, 1);
    const QString to = p.upper(2);
    int track = s.turntables.value(table, 1);
    if (to.startsWith(u'T'))
        track = (track + 11) % 24 + 1;
    else if (to.startsWith(u'S'))
        track = track % 24 + 1;
    else if (!to.isEmpty() && (to.front().isDigit() || to.front() == u'+' || to.front() == u'-'))
        track = std::abs(RunValueOf(to, s));
    s.turntables.insert(table, track);
    m.assumed();
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'A', 970, {}, {F(u"aa", Blank, 2, 40)}, {}, {}},
     .hints = {u"optionally: ty6pe¶empty (All, but no markers),¶M (only magnetic articles),  S "
               u"(only signals),  P or W (only track switches/points), ¶C or K (only contacts),  "
               u"R or F (only switch routes)¶or MK (only markers)"},
     .head = u"All to initial status",
     .operands = {allToInitial},
     .listing = listedInitialStatus,
     .run = initialStatusRun},
    {.layout = {u'M', 1080, {}, {F(u"A###", Under, 4, 56), F(u"A", Under, 1, 32)}, {}, {}},
     .hints = {articleHint, u"Wanted switch status¶G (green),¶R (red) or¶O (orange)"},
     .head = u"Magnetic article no. ",
     .operands = {articleNumber, switching},
     .operand1Entry = KeepBoxes,
     .uses = articleUses,
     .listing = listedArticle,
     .run = articleRun},
    {.layout = {u'S', 1130, {}, {F(u"A###", Blank, 4, 56), F(u"A", Blank, 1, 32)}, {}, {}},
     .hints = {signalHint, u"Wanted switch status¶G (green),¶R (red) or¶O (orange)"},
     .head = u"Signal no. ",
     .operands = {signalNumber, switching},
     .operand1Entry = KeepBoxes,
     .uses = signalUses,
     .listing = listedArticle,
     .run = signalRun},
    {.layout = {u'X',
                1180,
                {},
                {F(u"###", Under, 3, 48), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
                {},
                {}},
     .hints = {u"Switch route no.¶0 up to 512", RouteAction, u"F = FREE or ¶R = RESERVED"},
     .head = u"Switch route no. ",
     .operands = {routeNumber, switchRoute, routeOperand3},
     .uses = routeUses,
     .listing = listedRoute,
     .run = routeRun},
    {.layout = {u'Y',
                1190,
                {},
                {F(u"##", Under, 2, 40), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
                {},
                {}},
     .hints = {MarkerRange, RouteAction, u"F = FREE or ¶R = RESERVED"},
     .head = u"Switch route via marker no. ",
     .operands = {routeMarker, switchRoute, routeOperand3},
     .uses = routeViaMarkerUses,
     .listing = listedRoute,
     .run = routeViaMarkerRun},
    {.layout = {u'O',
                1095,
                {},
                {F(u"#", Under, 1, 32), F(u"&&&", Blank, 3, 48), F(u"&", Blank, 1, 32)},
                {},
                {}},
     .hints = {turntableHint,
               u"Turn position¶-24 up to 24 (to track number),¶D or R (fix rotation "
               u"direction),¶S (STEP) or T (TURN)",
               u"Rotation direction¶A or empty (automatic),¶L or 2 (left turning, anti "
               u"clockwise) or¶R or 3 (right turning, clockwise),¶Sonderbefehle: C, E, I (CLEAR, "
               u"END oder INPUT)"},
     .head = u"Turntable no. ",
     .operands = {turntableNumber, turntablePosition, rotationDirection},
     .uses = turntableUses,
     .listing = listedTurntable,
     .run = turntableRun},
};

} // namespace

const CommandFamily& ArticlesSignalsFamily() {
    static constexpr CommandFamily family{Commands, {}};
    return family;
}

} // namespace vx
