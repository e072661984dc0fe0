// Contacts and occupancy: occupy a contact (B), wait for a contact (K) and
// fetch the locomotive number a contact saw (H).

#include "commands/command_family.h"
#include "commands/operand_rule.h"
#include "commands/parsed_command.h"
#include "commands/run_machine.h"
#include "texts/basic_numbers.h"

namespace vx {

namespace {

using namespace rules;
using namespace layout;

// ---- B: occupy a contact ----

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

// ---- K: wait for a contact ----

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

// ---- H: fetch the locomotive number from a contact ----

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
    if (!InRange(r.v, 1, MaxSchedule))
        return Rule::error();
    r.E(3) = r.tx(u" and store into SET variable") + r.tx(u" of schedule no. ") + r.v + u'.';
    return Rule::normal();
}

// Entering operand 1 shows the connector field of K, which the field count
// hides.
void showConnector(EntryFormState& f) {
    f.msk[4].visible = true;
}

RuleEnd contactNumber(Rule& r) {
    return numberPart(r, 0, MaxContact);
}

// ---- What the lines name ----

void occupyUses(ParsedCommand& p) {
    p.number(1, Thing::Contact, Access::Sets);
    p.numberOrMarker(3, Thing::Loco, Access::Reads, Access::Reads);
}

void waitUses(ParsedCommand& p) {
    p.number(1, Thing::Contact, Access::Waits);
}

void fetchUses(ParsedCommand& p) {
    p.number(1, Thing::Contact, Access::Reads);
    p.numberOrMarker(2, Thing::SetVar, Access::Writes, Access::Writes);
}

// ---- The listing ----

ListedLine listedContact(ListingWords& w, const ListingSplit& s) {
    const QString number = Trim(s.op[1]).toLower();
    const bool occupy = s.code == u'B';
    QString text = occupy ? QString(w.T(u"Occupy contact") + u' ' + number + QStringLiteral(" =>"))
                          : QString(w.T(u"Contact no. ") + u' ' + number);
    text += w.contactState(FirstUpper(s.op[2]));
    if (occupy) {
        if (!s.op[3].isEmpty() && Val(s.op[3]) >= 0) {
            // The listing prints whatever number the field holds.
            const int loco = Held(Val(s.op[3]), 0, 999999);
            text += u' ' + w.T(u" with ") + u' ' +
                    (loco == 0 ? w.T(u"SET variable") : w.T(u"Loco no.") + Str(loco));
        }
    } else {
        const QString joined = w.connector(s.op[3]);
        text += joined.isEmpty() ? w.T(u" waiting") : joined;
    }
    return text;
}

ListedLine listedFetch(ListingWords& w, const ListingSplit& s) {
    QString text = w.T(u"Fetch locomotive number from contact no. ") + u' ' +
                   (s.op[1].startsWith(u'?') ? w.T(u"1. triggered contact") : s.op[1]);
    const QString& target = s.op[2];
    if (target.startsWith(u'M'))
        return text + QStringLiteral(" --> ") + w.T(u"Marker no.") + target.mid(1);
    return text + QStringLiteral(" --> ") + w.T(u"SET variable") + u'[' + target + u']';
}

// ---- The dry run ----

RunStep occupyRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const int contact = RunValue(p, s, 1);
    const bool occupied = p.upper(2) == u"B";
    s.setContact(contact, occupied);
    if (occupied && !p.operands[3].isEmpty()) {
        s.locoOnContact.insert(contact, RunValue(p, s, 3));
    } else if (!occupied && s.locoOnContact.remove(contact) > 0) {
        m.assumed(); // the locomotive leaves the contact it frees
    }
    return RunStep::Next;
}

RunStep waitRun(const ParsedCommand& p, RunMachine& m) {
    const RunState& s = m.state();
    const int contact = RunValue(p, s, 1);
    if (s.occupied(contact) == (p.upper(2) == u"B"))
        return RunStep::Next;
    return m.wait({.thing = Thing::Contact, .id = QString::number(contact)});
}

RunStep fetchRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    const int loco = s.locoOnContact.value(RunValue(p, s, 1), 0);
    if (IsMarkerOperand(p, 2)) {
        s.setMarker(p.operands[2].mid(1).toInt(), loco);
        return RunStep::Next;
    }
    const QString key = p.operands[2].trimmed();
    if (loco == 0)
        s.setVars.remove(key);
    else
        s.setVars.insert(key, loco);
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'B',
                980,
                {},
                {F(u"####", Under, 4, 56), F(u"A", Blank, 1, 32), F(u"A###", Under, 4, 56)},
                {},
                {}},
     .hints = {u"Contact number¶0 up to 1056", u"B (occupied) or¶F (free)",
               u"optionally: locomotive no.¶0 up to 9999¶or¶M with following  marker number 1 "
               u"to 999"},
     .head = u"Occupy contact-no. ",
     .operands = {contactNumber, occupyContact, occupyingLoco},
     .uses = occupyUses,
     .listing = listedContact,
     .run = occupyRun},
    {.layout = {u'K',
                1060,
                {},
                {F(u"####", Under, 4, 56), F(u"?", Blank, 1, 32), Shown(F(u"CCC", Under, 3, 48))},
                {},
                {}},
     .hints = {u"Contact number¶0 up to 1056", u"B (occupied) or¶F (free)",
               u"optionally: AND or OR"},
     .head = u"Wait until contact no. ",
     .operands = {contactNumber, waitContact},
     .operand1Entry = showConnector,
     .uses = waitUses,
     .listing = listedContact,
     .run = waitRun},
    {.layout = {u'H', 1040, {}, {F(u"####", Under, 4, 56), F(u"A999", Blank, 4, 56)}, {}, {}},
     .hints = {u"Contact number¶1 up to 1056"},
     .head = u"Fetch locomotive number from contact no. ",
     .operands = {fetchLoco, fetchLocoTarget},
     .uses = fetchUses,
     .listing = listedFetch,
     .run = fetchRun},
};

} // namespace

const CommandFamily& ContactsFamily() {
    static constexpr CommandFamily family{Commands, {}};
    return family;
}

} // namespace vx
