// Operand 1 (field 2) of every command: its check, its explanation part and
// the sub-form it gives the later fields.

#include "commands/operand_rules_internal.h"

namespace vx::rules {

namespace {

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
    r.E(2) = r.tx(form->head);
    switch (form->type.unicode()) {
    case u'K':
        r.setHint(2, r.tx(u"Contact number¶0 up to 1056"));
        r.setHint(3, r.tx(u"B (occupied) or¶F (free) or¶X (changing to free)"));
        r.setHint(4, andOr);
        break;
    case u'M':
    case u'S':
        r.setHint(2, r.E(2) + Rule::br() + r.tx(u"0 up to 1024"));
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

RuleEnd fetchLoco(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 1, MaxContact))
        return Rule::error();
    r.E(2) = r.v + r.tx(u" and store into SET variable") + r.tx(u" or into a marker");
    r.E(3) = QStringLiteral(".");
    r.setHint(2, r.tx(u"optionally: schedule no. (1 up to 9)") + Rule::br() +
                     r.tx(u"or M with following ") + r.tx(u"Marker no."));
    return Rule::normal();
}

RuleEnd randomNumber(Rule& r) {
    r.msk(4).visible = r.codeDigit().isNull();
    if (r.v.isEmpty())
        return r.quiet();
    r.E(2) = r.v + r.tx(u" and ");
    return Rule::normal();
}

RuleEnd jam(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.v.front() == u'S')
        r.E(2) = r.tx(u"Cancel-Stop of schedule no.");
    else if (r.v == u"0")
        r.E(2) = r.tx(u"all locomotives get direct STOP");
    else if (r.v == u"1")
        r.E(2) = r.tx(u"direct ALL OFF");
    else if (r.v == u"2")
        r.E(2) = r.tx(u"all locomotives get direct STOP") + r.tx(u" and then ALL OFF");
    else
        return Rule::error();
    return Rule::normal();
}

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

RuleEnd turntable(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (!InRange(r.v, 0, 2))
        return Rule::error();
    return generic(r);
}

RuleEnd sound(Rule& r) {
    if (LeadingValue(QStringView(r.v).left(3)) > 99)
        return Rule::error();
    return generic(r);
}

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
        if (!InRange(r.v, 0, 23))
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

RuleEnd repeatOrDelay(Rule& r, bool delay) {
    const QString sec = r.tx(u"seconds").left(3);
    if (r.v.startsWith(u'M')) {
        const QString marker = r.v.mid(1);
        if (!marker.isEmpty() && !SignedValue(marker))
            return Rule::error();
        if (!marker.isEmpty() && *SignedValue(marker) < 0)
            return Rule::error();
        r.E(2) = u'(' + r.tx(u"Value in marker no. ") + marker +
                 (delay ? QStringLiteral(") *1/10 ") + sec + u'.'
                        : QStringLiteral(") x-") + r.tx(u"times") + u'.');
        return Rule::normal();
    }
    if (!delay) {
        if (r.v.isEmpty())
            return r.quiet();
        if (!InRange(r.v, 0, 999))
            return Rule::error();
        r.E(2) = r.v + u' ' + r.tx(u"times") + u'.';
        return Rule::normal();
    }
    if (!r.v.isEmpty() && !InRange(r.v, 0, 999))
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

RuleEnd operating(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    const int row = r.row();
    auto freeText = [&r](const char16_t* what) {
        r.msk(3).visible = false;
        r.form.txbTxt3.visible = true;
        r.form.txbTxt3.maxLength = 50;
        r.E(2) = u' ' + r.tx(what) + QStringLiteral(": ");
        r.setHint(2, r.tx(what));
    };
    switch (r.v.front().unicode()) {
    case u'I':
        freeText(u"Information text");
        break;
    case u'M':
        freeText(u"Message text");
        break;
    case u'D': {
        r.E(2).clear();
        r.setMask(2, QStringLiteral("A###"), r.msk(2).prompt);
        r.msk(3).visible = false;
        r.form.txbTxt3.visible = true;
        r.E(1) = u' ' + r.tx(u"Data input with storing into ") + r.tx(u"Marker no.");
        r.form.renamedCommand = row;
        QString& name = r.form.renamedName;
        name = r.tx(u"Input").toUpper() + QStringLiteral(" ==> ") + r.tx(u"Marker no.");
        const QString marker = r.v.mid(1);
        if (!marker.isEmpty()) {
            if (!markerOk(marker))
                return Rule::error();
            r.E(2) = marker;
            name += marker;
        }
        break;
    }
    case u'T':
        r.form.txbTxt3.visible = false;
        r.msk(3).visible = true;
        r.setMask(3, QStringLiteral("a"), u' ');
        r.E(2) = QStringLiteral(" TRACE: ");
        r.setHint(2, r.tx(u"TRACE switching off/on¶0 = switching off¶1 = switching on"));
        break;
    default:
        return generic(r);
    }
    return Rule::normal();
}

RuleEnd unknownCommand(Rule& r) {
    r.E(1) = r.tx(u"Unknown command");
    r.E(2).clear();
    r.events.selectListIndex(0); // the heading line of the command list
    return Rule::normal();
}

} // namespace

RuleEnd Operand1(Rule& r) {
    const QChar c = r.letter;
    if (c.isNull())
        return unknownCommand(r);
    switch (c.unicode()) {
    case u'A':
        return allToInitial(r);
    case u'B':
    case u'K':
        return numberPart(r, 0, MaxContact);
    case u'C':
        return functionModule(r);
    case u'D':
        return numberPart(r, 1, MaxMarker);
    case u'E':
        return endOf(r);
    case u'F':
        return condition(r);
    case u'G':
        r.E(2) = r.raw;
        return Rule::normal();
    case u'H':
        return fetchLoco(r);
    case u'I':
        return randomNumber(r);
    case u'J':
        return jam(r);
    case u'L':
        return locomotive(r);
    case u'M':
        return articleOrSignal(r, u"Magnetic article no. ");
    case u'S':
        return articleOrSignal(r, u"Signal no. ");
    case u'O':
        return turntable(r);
    case u'P':
        return sound(r);
    case u'Q':
        return queue(r);
    case u'T':
        return modelTime(r);
    case u'U':
        if (r.v.isEmpty())
            return r.quiet();
        r.E(2) = QStringLiteral(": ") + r.v + u'.';
        return Rule::normal();
    case u'V':
        return setVariable(r);
    case u'W':
        return repeatOrDelay(r, false);
    case u'Z':
        return repeatOrDelay(r, true);
    case u'X':
        if (r.v.isEmpty())
            return r.quiet();
        return InRange(r.v, 0, MaxRoute) ? generic(r) : Rule::error();
    case u'Y':
        if (r.v.isEmpty())
            return r.quiet();
        return InRange(r.v, 1, MaxMarker) ? generic(r) : Rule::error();
    case u'/':
        return operating(r);
    case u'N':
    case u'R':
    case u'!':
    case u'*':
        return generic(r);
    default:
        return unknownCommand(r);
    }
}

} // namespace vx::rules
