// Operand 2 (field 3) of every command.

#include "commands/operand_rules_internal.h"

namespace vx::rules {

namespace {

// Marker number of operand 1, the marker a D line defines.
qint64 operand1Value(Rule& r) {
    return LeadingValue(r.operand(1));
}

RuleEnd occupyContact(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v == u"B")
        r.E(3) = r.tx(u"as OCCUPIED");
    else if (r.v == u"F")
        r.E(3) = r.tx(u"as FREE") + u'.';
    else
        return Rule::error();
    r.msk(4).visible = true;
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
        if (!InRange(number, 2, 50))
            return Rule::error();
        r.E(3) = with + r.tx(u"Function picture ") + number + u'=';
        return Rule::normal();
    }
    if (!InRange(r.v, 1, 28))
        return Rule::error();
    r.E(3) = with + u'F' + r.v;
    return Rule::normal();
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
            if (!InRange(r.v, 0, 9999))
                return Rule::error();
            r.E(3) = QStringLiteral(" = ") + r.v + u' ';
            return Rule::normal();
        }
        const QStringView rest = TrimView(QStringView(r.v).mid(1));
        r.E(3) = u' ' + first + u' ';
        if (rest.isEmpty())
            return Rule::normal();
        const auto n = SignedValue(rest);
        if (!n || *n < 0 || *n > 9999)
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
        if (!InRange(hour, 0, 23))
            return Rule::error();
        r.E(3) = sign + TwoDigits(*DigitsValue(hour)) + u':'; // "< 07:"
        return Rule::normal();
    }
    default:
        return Rule::error();
    }
}

RuleEnd fetchLocoTarget(Rule& r) {
    r.setMask(3, QStringLiteral("A###"), r.msk(3).prompt);
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v.front() == u'M') {
        const QString marker = r.v.mid(1);
        if (!marker.isEmpty() && !InRange(marker, 1, MaxMarker))
            return Rule::error();
        r.E(3) = r.tx(u" und store into the ") + r.tx(u"Marker no.") + marker;
        return Rule::normal();
    }
    if (!InRange(r.v, 1, 9))
        return Rule::error();
    r.E(3) = r.tx(u" and store into SET variable") + r.tx(u" of schedule no. ") + r.v + u'.';
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

RuleEnd jamOperand2(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.operandLetter(1) == u'S') {
        if (!InRange(r.v, 1, 9))
            return Rule::error();
        r.E(3) = u' ' + r.v;
    } else if (r.v == u"0") {
        r.E(3) = r.tx(u" without Auto=>Stop");
    } else if (r.v == u"1") {
        r.E(3) = r.tx(u" with Auto=>Stop");
    } else {
        return Rule::error();
    }
    return Rule::normal();
}

RuleEnd waitContact(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v == u"B")
        r.E(3) = r.tx(u"is OCCUPIED") + u'.';
    else if (r.v == u"F")
        r.E(3) = r.tx(u"is FREE") + u'.';
    else
        return Rule::error();
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

RuleEnd loadStart(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 1, 1999))
        return Rule::error();
    r.E(3) = QStringLiteral(", ") + r.tx(u"start at: ") + r.v;
    return Rule::normal();
}

RuleEnd turntable(Rule& r) {
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

RuleEnd subroutineValue(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    r.E(3) = QStringLiteral(", ") + r.tx(u"SET variable") + QStringLiteral(" = ") + r.v;
    return Rule::normal();
}

RuleEnd modelTimeOperand2(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const QString op1 = r.operand(1);
    const QChar first = op1.isEmpty() ? QChar() : op1.front();
    const QString waiting = r.tx(u"waiting for") + u'.';
    if (IsAsciiDigit(first)) {
        if (!InRange(r.v, 0, 59))
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

RuleEnd operatingOperand2(Rule& r) {
    const QChar type = r.operandLetter(1);
    if (type == u'I' || type == u'M') {
        r.E(3) = r.raw;
        return Rule::normal();
    }
    if (type == u'D') {
        // The prompt text is shown as it will be asked.
        r.E(3) = u' ' + r.tx(u"Text for input request ") + r.raw;
        return Rule::normal();
    }
    if (type == u'T') {
        if (r.v.isEmpty())
            return r.quiet();
        if (r.v == u"0")
            r.E(3) = r.tx(u"switch off");
        else if (r.v == u"1")
            r.E(3) = r.tx(u"switch on");
        else
            return Rule::error();
    }
    return Rule::normal();
}

} // namespace

RuleEnd Operand2(Rule& r) {
    switch (r.letter.unicode()) {
    case u'B':
        return occupyContact(r);
    case u'C':
        return function(r);
    case u'D':
        return defineMarker(r);
    case u'F':
        return conditionOperand2(r);
    case u'H':
        return fetchLocoTarget(r);
    case u'I':
        return randomUpper(r);
    case u'J':
        return jamOperand2(r);
    case u'K':
        return waitContact(r);
    case u'L':
        return locoAction(r);
    case u'N':
        return loadStart(r);
    case u'O':
        return turntable(r);
    case u'Q':
        return queueField(r);
    case u'R':
        return subroutineValue(r);
    case u'T':
        return modelTimeOperand2(r);
    case u'X':
    case u'Y':
        return switchRoute(r);
    case u'M':
    case u'S':
        return switching(r);
    case u'/':
        return operatingOperand2(r);
    default:
        return Rule::normal();
    }
}

} // namespace vx::rules
