// Operands 3 to 5 (fields 4 to 6).

#include "commands/operand_rules_internal.h"

namespace vx::rules {

namespace {

// The explanation part of this field: empty until the value says more.
QString& part(Rule& r) {
    return r.E(r.field);
}

RuleEnd emptyEnds(Rule& r) {
    part(r).clear();
    return r.quiet();
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

// ---- operand 3 ----

RuleEnd occupyingLoco(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    if (r.v.front() == u'M') {
        const QString marker = r.v.mid(1);
        if (!markerOk(marker))
            return Rule::error();
        r.E(4) = r.tx(u" with ") + r.tx(u"Marker no.") + u' ' + marker;
        return Rule::normal();
    }
    if (!InRange(r.v, 0, MaxLoco))
        return Rule::error();
    r.E(4) = u' ' + r.tx(u"with Locomtive no. ") + r.v;
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
    if (!IsAsciiDigit(first) || !InRange(r.v, 1, 99999))
        return Rule::error();
    r.E(4) = r.tx(u"Value") + Str(*DigitsValue(r.v)) + target;
    return Rule::normal();
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
    if (!InRange(c.rest, 0, 99999))
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
    if (!n || *n < -99999 || *n > 99999)
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
        if (!InRange(r.v, 0, 59))
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
        if (!InRange(steps, 0, 126))
            return Rule::error();
        r.E(4) = steps + u' ' + r.tx(u"steps");
        return Rule::normal();
    }
    if (IsAsciiDigit(first)) {
        if (!InRange(r.v, 0, 126))
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
        if (!steps.isEmpty() && !InRange(steps, 0, 126))
            return Rule::error();
        r.E(4) = r.tx(u"changing") + u' ' + steps;
        return Rule::normal();
    }
    return Rule::error();
}

RuleEnd loadGoto(Rule& r) {
    if (r.v.isEmpty())
        return emptyEnds(r);
    r.E(4) = QStringLiteral(", ") + r.tx(u"respectively ") + r.tx(u"start at: ") + r.v;
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

// ---- operand 4 ----

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

RuleEnd timeLapse(Rule& r) {
    if (r.operand(3) != u"S")
        return Rule::normal();
    const QString head = r.tx(u" with ") + r.tx(u"time lapse value");
    if (r.v.isEmpty()) {
        r.E(5) = head;
        return Rule::normal();
    }
    if (!InRange(r.v, 1, 600))
        return Rule::error();
    r.E(5) = head + u' ' + r.v;
    return Rule::normal();
}

} // namespace

RuleEnd Operand3(Rule& r) {
    switch (r.letter.unicode()) {
    case u'B':
        return occupyingLoco(r);
    case u'C':
        return functionValue(r);
    case u'D':
        return defineMarkerOperand3(r);
    case u'F':
        return conditionOperand3(r);
    case u'I':
        return randomTarget(r);
    case u'L':
        return locoOperand3(r);
    case u'N':
        return loadGoto(r);
    case u'O':
        return rotationDirection(r);
    case u'Q':
        return queueOperand3(r);
    case u'T':
        return clockCode(r);
    case u'X':
    case u'Y':
        return routeOperand3(r);
    default:
        return Rule::normal(); // K and the rest: accepted without a part
    }
}

RuleEnd Operand4(Rule& r) {
    switch (r.letter.unicode()) {
    case u'F':
        if (r.operandLetter(1) == u'V') {
            if (r.v.isEmpty())
                return emptyEnds(r);
            return Rule::error(); // V's connector is operand 3
        }
        return connector(r);
    case u'L':
        return lightFunction(r);
    case u'T':
        return timeLapse(r);
    default:
        return Rule::normal();
    }
}

RuleEnd Operand5(Rule& r) {
    if (r.letter != u'L')
        return Rule::normal();
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

} // namespace vx::rules
