// Operating commands and remarks: operating commands (/), remark lines (*),
// jam or blockade (J) and sounds (P).

#include "commands/command_family.h"
#include "commands/operand_rule.h"
#include "commands/parsed_command.h"
#include "commands/run_machine.h"
#include "texts/basic_numbers.h"

#include <algorithm>

namespace vx {

namespace {

using namespace rules;
using namespace layout;

// ---- /: operating commands ----

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

// Information, message and input texts go into the free-text box of
// operand 2.
void operatingOperand1Entry(EntryFormState& f) {
    const QString type = f.msk[2].text.toUpper();
    if (type == u"I" || type == u"M" || type.startsWith(u'D')) {
        f.msk[3].visible = false;
        f.txbTxt3.visible = true;
        f.txbTxt3.left = f.msk[3].left;
    } else {
        f.txbTxt3.visible = false;
        f.msk[3].visible = true;
    }
    f.txbTxt2.left = f.msk[2].left;
}

void operatingTextBoxEntry(EntryFormState& f) {
    const QString type = Trim(f.msk[2].text).toUpper();
    if (type == u"I" || type == u"M" || type == u"D") {
        f.msk[3].visible = false;
        f.txbTxt3.visible = true;
    }
}

// The remark text and the sound's file name fill one wide box.
void wideTextBox(EntryFormState& f) {
    f.msk[3].visible = false;
    f.txbTxt2.left = f.msk[2].left;
    f.txbTxt2.width = 480;
    f.txbTxt2.maxLength = 76;
}

// ---- *: remark line ----

void remarkOperand1Entry(EntryFormState& f) {
    f.msk[2].visible = false;
    f.txbTxt2.visible = true;
}

QString remarkHead(const TextCatalogue&) {
    return QStringLiteral("* ");
}

// ---- J: jam or blockade ----

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

RuleEnd jamOperand2(Rule& r) {
    if (r.v.isEmpty())
        return r.quiet();
    if (r.operandLetter(1) == u'S') {
        if (!InRange(r.v, 1, MaxSchedule))
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

RuleEnd jamCode(Rule& r) {
    r.E(1) = r.tx(u"Jam/blockade generating: ");
    return Rule::normal();
}

QString jamHint(const TextCatalogue& c) {
    const QString& br = TextCatalogue::HintLineBreak();
    return c.tx(u"activity type: ") + c.tx(u"0, 1, 2 or S") + br + QStringLiteral(" 0 = ") +
           c.tx(u"all locomotives get direct STOP") + br + QStringLiteral(" 1 = ") +
           c.tx(u"direct ALL OFF") + br + QStringLiteral(" 2 = ") +
           c.tx(u"all locomotives get direct STOP") + c.tx(u" and then ALL OFF") + br +
           QStringLiteral(" S = ") + c.tx(u"Cancel-Stop of schedule no.");
}

QString autoStopHint(const TextCatalogue& c) {
    return QStringLiteral("0 =") + c.tx(u" without Auto=>Stop") + TextCatalogue::HintLineBreak() +
           QStringLiteral("1 =") + c.tx(u" with Auto=>Stop");
}

QString scheduleNumberHint(const TextCatalogue& c) {
    return u' ' + c.tx(u"1 up to 9 = schedule-number");
}

// ---- P: sound ----

void soundOperand1Entry(EntryFormState& f) {
    f.msk[2].visible = false;
    f.txbTxt2.visible = true;
    f.msk[3].visible = false;
    f.txbTxt2.left = f.msk[2].left;
}

RuleEnd sound(Rule& r) {
    if (LeadingValue(QStringView(r.v).left(3)) > 99)
        return Rule::error();
    return generic(r);
}

// ---- What the lines name ----

// "/D12, text" or "/, D12, text": data input into a marker.
void operatingUses(ParsedCommand& p) {
    TextSpan kind = p.spans[0];
    if (kind.to - kind.from > 1)
        ++kind.from;
    else
        kind = p.spans[1];
    const QString& text = p.text();
    while (kind.from < kind.to && text[kind.from] == u' ')
        ++kind.from;
    if (kind.isEmpty() || text[kind.from].toUpper() != u'D')
        return;
    ++kind.from;
    while (kind.from < kind.to && text[kind.from] == u' ')
        ++kind.from;
    p.numberAt(kind, 1, Thing::Marker, Access::Writes);
}

void jamUses(ParsedCommand& p) {
    if (p.upper(1).startsWith(u'S'))
        p.number(2, Thing::ScheduleNo, Access::Sets);
}

// ---- The listing ----

// Everything behind the k-th comma of an operating command, left-trimmed: its
// free text, commas included.
QString TextAfterComma(QStringView line, int k) {
    qsizetype at = -1;
    for (int i = 0; i < k; ++i) {
        at = line.indexOf(u',', at + 1);
        if (at < 0)
            return QString();
    }
    return Trim(line.mid(at + 1));
}

QString listedDisplaySwitch(ListingWords& w, QChar value, bool display) {
    switch (value.unicode()) {
    case u'0':
    case u'n':
    case u'N':
        return w.T(u"switch off") + u'!';
    case u'1':
    case u'j':
    case u'J':
    case u'y':
    case u'Y':
        return w.T(u"switch on") + u'!';
    case u'2':
        return display ? w.T(u"switch to display only K-,Z-commands") + u'!' : QString();
    default:
        return QString();
    }
}

ListedLine listedOperating(ListingWords& w, const ListingSplit& s) {
    const QString& kind = s.op[1];
    const QString text = TextAfterComma(s.work, s.textComma);
    const QChar value = s.op[2].isEmpty() ? QChar() : s.op[2].front();
    switch (FirstUpper(kind).unicode()) {
    case u'A':
        return QStringLiteral("Anzeige ") + listedDisplaySwitch(w, value, true);
    case u'T':
        return QStringLiteral("TRACE ") + listedDisplaySwitch(w, value, false);
    case u'I':
        return QStringLiteral("INFO: ") + text;
    case u'M':
        return w.T(u"Message text") + QStringLiteral(": ") + text;
    case u'D': {
        const QString number = Trim(QStringView(kind).mid(1));
        if (text.isEmpty())
            return w.T(u"Please, input the wanted value for marker no.") + u' ' + number;
        return w.T(u"Input") + QStringLiteral(" ==> ") + w.T(u"Marker no.") + number +
               QStringLiteral(": ") + text;
    }
    default:
        return w.T(u"Operating command") + u' ' + kind +
               (text.isEmpty() ? QString() : QStringLiteral(", ") + text);
    }
}

ListedLine listedJam(ListingWords& w, const ListingSplit& s) {
    const bool autoStop = Val(s.op[2]) > 0;
    const QString& stop = w.T(u"all locomotives get direct STOP");
    QString text;
    switch (FirstUpper(s.op[1]).unicode()) {
    case u'0':
        text = stop + (autoStop ? QStringLiteral(" + Auto=>Stop!") : QStringLiteral("!"));
        break;
    case u'1':
        text = w.T(u"direct ALL OFF") + u'!';
        break;
    case u'2':
        text = autoStop ? QString(stop + QStringLiteral(" + Auto=>Stop ") + u' ' +
                                  w.T(u" and then ALL OFF") + u'!')
                        : QString(stop + w.T(u" and then ALL OFF") + u'!');
        break;
    case u'S':
        text = w.T(u"Cancel-Stop of schedule no.") + u' ' + Trim(s.op[2]);
        break;
    default:
        text = s.op[1];
        break;
    }
    return w.T(u"Jam/blockade generating: ") + text;
}

ListedLine listedSound(ListingWords& w, const ListingSplit& s) {
    const QString& name = s.op[1];
    if (QString::compare(name, u"99") > 0 || QString::compare(name, u"0") <= 0) {
        const QString& word = w.T(u"Sound no.");
        return word.left(std::max<qsizetype>(0, word.size() - 4)) + QStringLiteral(": ") + name;
    }
    return w.T(u"Sound no.") + u' ' + name;
}

ListedLine listedRemark(ListingWords&, const ListingSplit& s) {
    return Trim(s.op[1]);
}

// ---- The dry run ----

// "/D12, text" or "/, D12, text": the sub-command and the text behind it.
RunStep operatingRun(const ParsedCommand& p, RunMachine& m) {
    RunState& s = m.state();
    QString kind = p.codeField().mid(1).trimmed().toUpper();
    QString text = p.operands[1];
    if (kind.isEmpty()) {
        kind = p.upper(1);
        text = p.operands[2];
    }
    const QChar sub = kind.isEmpty() ? QChar() : kind.front();
    if (sub == u'D') {
        const int marker = kind.mid(1).trimmed().toInt();
        int value = 0;
        if (!m.takeInput(marker, &value))
            return m.wait({.thing = Thing::Marker, .id = QString::number(marker), .input = true});
        s.setMarker(marker, value);
    } else if (sub == u'I' || sub == u'M') {
        s.shown.append(text);
    } else {
        m.assumed(); // the trace switch changes nothing on the layout
    }
    return RunStep::Next;
}

RunStep jamRun(const ParsedCommand& p, RunMachine& m) {
    if (p.upper(1).startsWith(u'S'))
        m.state().shown.append(p.text().trimmed());
    else
        m.jam();
    return RunStep::Next;
}

RunStep soundRun(const ParsedCommand& p, RunMachine& m) {
    m.state().shown.append(p.operands[1]);
    return RunStep::Next;
}

constexpr CommandBehaviour Commands[] = {
    {.layout = {u'/', 1210, {}, {F(u"a999", Blank, 4, 56), F(u"", Blank, 1, 32)}, {}, {420, 50}},
     .hints = {u"Command type¶I = Information,¶M = Message or¶T = Trace"},
     .head = u"Operating command",
     .operands = {operating, operatingOperand2},
     .operand1Entry = operatingOperand1Entry,
     .textBoxEntry = operatingTextBoxEntry,
     .uses = operatingUses,
     .listing = listedOperating,
     .noTrailingRemark = true,
     .textForms = u"MID",
     .run = operatingRun},
    {.layout = {u'*', 1230, {true, u"&", Blank, 1, 32, false, false}, {}, {480, 76}, {}},
     .hints = {u"Remark¶free text, max. up to 76 digits"},
     .head = remarkHead,
     .operands = {generic},
     .operand1Entry = remarkOperand1Entry,
     .textBoxEntry = wideTextBox,
     .listing = listedRemark,
     .remarkLine = true,
     .noTrailingRemark = true,
     .operand1InBox = true},
    {.layout = {u'J', -1, {}, {F(u"", Blank, 1, 32), WidthOnly(32)}, {}, {}},
     .hints = {jamHint},
     .head = u"Jam/blockade generating: ",
     .commandField = jamCode,
     .operands = {jam, jamOperand2},
     .uses = jamUses,
     .listing = listedJam,
     .run = jamRun},
    {.layout = {u'P', 1100, {}, {}, {480, 0}, {}},
     .hints = {u"1 up to 99 (Sound no.) or full WAV filename"},
     .head = u"Start of sound ",
     .operands = {sound},
     .operand1Entry = soundOperand1Entry,
     .textBoxEntry = wideTextBox,
     .listing = listedSound,
     .operand1InBox = true,
     .run = soundRun},
};

constexpr Operand2Form Operand2Forms[] = {
    {.command = u'J', .type = u'0', .hintsOf = u'J', .hints = {Kept, autoStopHint}},
    {.command = u'J', .type = u'2', .hintsOf = u'J', .hints = {Kept, autoStopHint}},
    {.command = u'J',
     .type = u'S',
     .mask2 = u"#",
     .hintsOf = u'J',
     .hints = {Kept, scheduleNumberHint}},
    // The texts of an information line and of an input request go into the
    // text box, whatever the command.
    {.type = u'I', .whole = true, .textBox = 1},
    {.type = u'D', .textBox = 1},
};

} // namespace

const CommandFamily& OperatingFamily() {
    static constexpr CommandFamily family{Commands, Operand2Forms};
    return family;
}

} // namespace vx
