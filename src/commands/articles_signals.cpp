// Magnetic articles, signals, switch routes and turntables: all to initial
// status (A), magnetic article (M), signal (S), switch route by number (X) or
// via a marker (Y) and turntable (O).

#include "commands/command_family.h"
#include "commands/operand_rule.h"

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

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'A', 970, {}, {F(u"aa", Blank, 2, 40)}, {}, {}},
     .hints = {u"optionally: ty6pe¶empty (All, but no markers),¶M (only magnetic articles),  S "
               u"(only signals),  P or W (only track switches/points), ¶C or K (only contacts),  "
               u"R or F (only switch routes)¶or MK (only markers)"},
     .head = u"All to initial status",
     .operands = {allToInitial}},
    {.layout = {u'M', 1080, {}, {F(u"A###", Under, 4, 56), F(u"A", Under, 1, 32)}, {}, {}},
     .hints = {articleHint, u"Wanted switch status¶G (green),¶R (red) or¶O (orange)"},
     .head = u"Magnetic article no. ",
     .operands = {articleNumber, switching},
     .operand1Entry = KeepBoxes},
    {.layout = {u'S', 1130, {}, {F(u"A###", Blank, 4, 56), F(u"A", Blank, 1, 32)}, {}, {}},
     .hints = {signalHint, u"Wanted switch status¶G (green),¶R (red) or¶O (orange)"},
     .head = u"Signal no. ",
     .operands = {signalNumber, switching},
     .operand1Entry = KeepBoxes},
    {.layout = {u'X',
                1180,
                {},
                {F(u"###", Under, 3, 48), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
                {},
                {}},
     .hints = {u"Switch route no.¶0 up to 512", RouteAction, u"F = FREE or ¶R = RESERVED"},
     .head = u"Switch route no. ",
     .operands = {routeNumber, switchRoute, routeOperand3}},
    {.layout = {u'Y',
                1190,
                {},
                {F(u"##", Under, 2, 40), F(u"a", Blank, 1, 32), F(u"a", Blank, 1, 32)},
                {},
                {}},
     .hints = {MarkerRange, RouteAction, u"F = FREE or ¶R = RESERVED"},
     .head = u"Switch route via marker no. ",
     .operands = {routeMarker, switchRoute, routeOperand3}},
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
     .operands = {turntableNumber, turntablePosition, rotationDirection}},
};

} // namespace

const CommandFamily& ArticlesSignalsFamily() {
    static constexpr CommandFamily family{Commands, {}};
    return family;
}

} // namespace vx
