// The parsed command: where each field stands in the line, and what each
// command family says its lines name (thing, access, the characters of the
// id), as the cross-references and the renumbering will read it.

#include "commands/line_syntax.h"
#include "commands/parsed_command.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;

namespace {

QString describe(const ParsedCommand& p) {
    QStringList out;
    for (const Use& u : p.uses)
        out.append(ThingName(u.thing) + u':' + u.id + u':' + AccessName(u.access) + u':' +
                   QString::number(u.operand) + u'@' +
                   (u.span.isEmpty() ? QStringLiteral("-")
                                     : p.text().mid(u.span.from, u.span.to - u.span.from)));
    return out.join(u' ');
}

// Lines of every shape SplitLine meets: blanks around commas, remarks,
// operating commands, more commas than fields.
QString randomLine(QRandomGenerator& rng) {
    static const QStringList pieces = {u"B"_qs,  u"/"_qs,  u"*"_qs,  u"N5"_qs, u" "_qs,   u","_qs,
                                       u", "_qs, u" ,"_qs, u" *"_qs, u"12"_qs, u"M 7"_qs, u"x"_qs,
                                       u"  "_qs, u"R"_qs,  u"ÄÖ"_qs, u"\t"_qs, u"007"_qs};
    QString line;
    const int n = rng.bounded(1, 14);
    for (int i = 0; i < n; ++i)
        line += pieces[rng.bounded(pieces.size())];
    return line;
}

} // namespace

class TestParsedCommand : public QObject {
    Q_OBJECT

private slots:
    void spansMatchSplitLine();
    void uses_data();
    void uses();
    void spansReplaceExactlyTheId();
    void blocksAndCommandField();
};

void TestParsedCommand::spansMatchSplitLine() {
    QRandomGenerator rng(20);
    for (int i = 0; i < 20000; ++i) {
        const QString line = randomLine(rng);
        const auto fields = SplitLine(line);
        const auto spans = SplitSpans(line);
        for (size_t k = 0; k < 6; ++k) {
            const TextSpan s = spans[k];
            const QString at = s.isEmpty() ? QString() : line.mid(s.from, s.to - s.from);
            QVERIFY2(at == fields[k], qPrintable(u"\""_qs + line + u"\" field "_qs +
                                                 QString::number(k) + u": "_qs + at));
        }
    }
}

void TestParsedCommand::uses_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("uses"); // kind:id:access:operand@text at the span

    // One row per family, with the forms whose span or access is easy to get wrong.
    QTest::newRow("contacts: number and occupying loco via marker")
        << u"B, 0012, B, M 7  * yard"_qs << u"contact:12:sets:1@0012 marker:7:reads:3@7"_qs;
    QTest::newRow("contacts: fetch into a schedule's SET variable")
        << u"h,5,3"_qs << u"contact:5:reads:1@5 setvar:3:writes:2@3"_qs;
    QTest::newRow("articles: route reserved, jump if taken")
        << u"X, 12, R, west"_qs << u"route:12:sets:1@12 address:WEST:jumps:3@west"_qs;
    QTest::newRow("articles: route via marker waits, no jump")
        << u"Y, 20, W, west"_qs << u"marker:20:reads:1@20"_qs;
    QTest::newRow("articles: signal via marker") << u"S, M12, G"_qs << u"marker:12:reads:1@12"_qs;
    QTest::newRow("locomotives: window sign is no part of the number")
        << u"L, 12+, S, 40"_qs << u"loco:12:drives:1@12"_qs;
    QTest::newRow("locomotives: module switched")
        << u"C, 9999, 3, ON"_qs << u"module:9999:switches:1@9999"_qs;
    QTest::newRow("markers: system time fills three more")
        << u"D, 10, TS"_qs
        << u"marker:10:writes:1@10 marker:11:writes:0@- marker:12:writes:0@- marker:13:writes:0@-"_qs;
    QTest::newRow("markers: numbered SET variable from the digit")
        << u"V3, M5"_qs << u"setvar:3:writes:0@3 marker:5:reads:1@5"_qs;
    QTest::newRow("time: via marker") << u"T, TM, 30"_qs << u"marker:30:reads:2@30"_qs;
    QTest::newRow("flow: condition on a marker against a marker")
        << u"F, D, 5, M6, AND"_qs << u"marker:5:tests:2@5 marker:6:tests:3@6"_qs;
    QTest::newRow("flow: call hands a value")
        << u"R, sub1, 4"_qs << u"address:SUB1:calls:1@sub1 setvar::writes:2@-"_qs;
    QTest::newRow("flow: load by number and file, start by name")
        << u"N2, west.vfp, START"_qs
        << u"schedule-no:2:loads:0@2 schedule-file:west.vfp:loads:1@west.vfp "
           u"address:START:loads:2@START"_qs;
    QTest::newRow("operating: data input, letter behind the slash")
        << u"/D 12, How many?"_qs << u"marker:12:writes:1@12"_qs;
    QTest::newRow("operating: remark names nothing") << u"* B, 12"_qs << QString();
    QTest::newRow("no number, no use") << u"K, 1x2, B"_qs << QString();
}

void TestParsedCommand::uses() {
    QFETCH(QString, line);
    QFETCH(QString, uses);
    const ParsedCommand all = ParseCommand(line);
    QCOMPARE(describe(all), uses);
    // A reader of one thing gets the same uses of it as from the whole parse.
    for (int t = 0; t <= static_cast<int>(Thing::Address); ++t) {
        const Thing thing = static_cast<Thing>(t);
        QCOMPARE(ParseCommand(line, thing).uses, all.usesOf(thing));
    }
}

// What a renumbering does: the characters of the span replaced, the line
// parsed again. Every number use must come back with the new id and nothing
// else of the line may change.
void TestParsedCommand::spansReplaceExactlyTheId() {
    const QStringList lines = {u"B, 12, B, 34"_qs, u"F, K, 7, X, OR"_qs,   u"L, M 9-, U"_qs,
                               u"D,5, A, M6"_qs,   u"H, 3, M8  * x, y"_qs, u"/, D4, text"_qs,
                               u"I, 1, 9, 44"_qs,  u"J, S, 2"_qs,          u"O, 1, 5"_qs};
    for (const QString& line : lines) {
        const ParsedCommand before = ParseCommand(line);
        QVERIFY2(!before.uses.isEmpty(), qPrintable(line));
        for (qsizetype i = 0; i < before.uses.size(); ++i) {
            const Use& u = before.uses[i];
            QString changed = line;
            changed.replace(u.span.from, u.span.to - u.span.from, u"777"_qs);
            const ParsedCommand after = ParseCommand(changed);
            QCOMPARE(after.uses.size(), before.uses.size());
            QCOMPARE(after.uses[i].id, u"777"_qs);
            QCOMPARE(after.uses[i].thing, u.thing);
            QCOMPARE(after.uses[i].access, u.access);
            QCOMPARE(changed.left(u.span.from), line.left(u.span.from));
            QCOMPARE(changed.mid(u.span.from + 3), line.mid(u.span.to));
        }
    }
}

void TestParsedCommand::blocksAndCommandField() {
    QCOMPARE(ParseCommand(u"e, u"_qs).block, Block::EndsSubroutine);
    QCOMPARE(ParseCommand(u"E, W"_qs).block, Block::EndsRepeat);
    QCOMPARE(ParseCommand(u"E"_qs).block, Block::Ends);
    QCOMPARE(ParseCommand(u"E, X"_qs).block, Block::None);
    QCOMPARE(ParseCommand(u"U, SUB"_qs).block, Block::OpensSubroutine);
    QCOMPARE(ParseCommand(u"F, K, 1, B"_qs).block, Block::Condition);

    // A digit behind the code only where the command takes one.
    QVERIFY(ParseCommand(u"N5, a.vfp"_qs).wellFormed);
    QCOMPARE(ParseCommand(u"N5, a.vfp"_qs).variant, 5);
    QVERIFY(!ParseCommand(u"G1, START"_qs).wellFormed);
    QVERIFY(!ParseCommand(u"NX, a.vfp"_qs).wellFormed);
    QVERIFY(ParseCommand(u"#, 1"_qs).family == nullptr);
}

QTEST_APPLESS_MAIN(TestParsedCommand)
#include "test_parsed_command.moc"
