// The findings of a whole schedule: which schedules must (and must not) give
// which finding, and the row-by-row update against a check from scratch.

#include "document/schedule_document.h"
#include "editor/schedule_diagnostics.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;

namespace {

// "line:kind" per finding, in order.
QString Summary(const QList<ScheduleProblem>& problems) {
    QStringList out;
    for (const ScheduleProblem& p : problems)
        out.append(QString::number(p.line) + u':' + KindName(p.kind));
    return out.join(u' ');
}

QString Full(const QList<ScheduleProblem>& problems) {
    QStringList out;
    for (const ScheduleProblem& p : problems)
        out.append(QString::number(p.line) + u':' + KindName(p.kind) + u':' + p.field + u':' +
                   p.message());
    return out.join(u'\n');
}

} // namespace

class TestDiagnostics : public QObject {
    Q_OBJECT

private slots:
    void findings_data();
    void findings();
    void severityAndNavigation();
    void updateMatchesFreshCheck();
    void wholeScheduleAtOnce();
    void falseInputNamesTheOperand_data();
    void falseInputNamesTheOperand();
};

void TestDiagnostics::findings_data() {
    QTest::addColumn<QString>("schedule"); // lines joined by "|"
    QTest::addColumn<QString>("expected");

    // Valid structures give nothing.
    QTest::newRow("main, loop, subroutine") << "R, S|W, 3|K, 1, B|E, W|E|U, S|Z, 5|E, U"
                                            << "";
    QTest::newRow("nested loops in a subroutine") << "R, S|E|U, S|W, 2|W, 3|Z, 1|E, W|E, W|E, U"
                                                  << "";
    QTest::newRow("conditional exits") << "R, S|W, 5|F, K, 1, B|E, W|E, W|F, K, 2, B|E|E|U, S|"
                                          "F, K, 3, B|E, U|Z, 1|E, U"
                                       << "";
    QTest::newRow("blank lines between an If and its exit") << "W, 5|F, K, 1, B||E, W|Z, 1|E, W"
                                                            << "";
    QTest::newRow("E without operand closes the innermost block") << "U, S|Z, 1|E|R, S"
                                                                  << "";
    QTest::newRow("several main program ends") << "F, K, 1, B|E|Z, 1|E|E"
                                               << "";
    QTest::newRow("call of a second entry inside a subroutine")
        << "R, S2|E|U, S|Z, 1|!, S2|Z, 2|E, U|R, S"
        << "";
    QTest::newRow("goto within the main program") << "!, TOP|Z, 1|G, TOP"
                                                  << "";
    QTest::newRow("a reserving route jumps when taken") << "X, 5, R, TOP|Y, 7, F, X|!, TOP"
                                                        << "";

    // Each finding once; remarks and false lines do not confuse the blocks.
    QTest::newRow("end of repeat with none open") << "Z, 1|E, W"
                                                  << "2:end-without-block";
    QTest::newRow("end of subroutine with none open") << "W, 2|E, U"
                                                      << "1:unclosed-block "
                                                         "2:end-without-block";
    QTest::newRow("conditional exit with no block") << "F, K, 1, B|E, U"
                                                    << "2:end-without-block";
    QTest::newRow("repeat never closed") << "W, 2|Z, 1|* remark"
                                         << "1:unclosed-block";
    QTest::newRow("repeat closed by the subroutine's end") << "R, S|E|U, S|W, 2|E, U"
                                                           << "4:unclosed-block";
    QTest::newRow("subroutine runs into the next") << "R, A|R, B|E|U, A|Z, 1|U, B|E, U"
                                                   << "4:unclosed-block";
    QTest::newRow("subroutine never closed") << "R, S|U, S|Z, 1"
                                             << "2:unclosed-block";
    QTest::newRow("goto to a subroutine") << "G, S|R, S|E|U, S|E, U"
                                          << "1:wrong-target";
    QTest::newRow("call of a main program address") << "R, TOP|!, TOP|Z, 1"
                                                    << "1:wrong-target";
    QTest::newRow("unused subroutine") << "U, S|E, U"
                                       << "1:unused-subroutine";
    QTest::newRow("a goto is no call") << "G, S|U, S|E, U"
                                       << "1:wrong-target 2:unused-subroutine";
    QTest::newRow("double and undefined addresses, lower case")
        << "!, a|!, A|g, b|r, a"
        << "2:double-address 3:undefined-address 4:wrong-target";
    QTest::newRow("a reserving route's jump to nowhere or into a subroutine")
        << "X, 5, R, NOWHERE|R, S|X, 6, R, S|E|U, S|E, U"
        << "1:undefined-address 3:wrong-target";
    QTest::newRow("line findings come first")
        << "K, 7777, B|XX, 1|G, NOWHERE"
        << "1:false-input 2:unknown-command 3:undefined-address";
}

void TestDiagnostics::findings() {
    QFETCH(QString, schedule);
    QFETCH(QString, expected);
    ScheduleDiagnostics diagnostics(u"EN");
    QCOMPARE(Summary(CheckSchedule(diagnostics, schedule.split(u'|'))), expected);
}

void TestDiagnostics::severityAndNavigation() {
    ScheduleDiagnostics diagnostics(u"DE");
    const QStringList lines = {u"R, SUB"_qs, u"G, TOP"_qs, u"!, TOP"_qs, u"U, SUB"_qs,
                               u"E, U"_qs,   u"U, OLD"_qs, u"E, U"_qs,   u"G, top"_qs};
    QVERIFY(diagnostics.update(lines));
    QVERIFY(!diagnostics.update(lines));
    const QList<ScheduleProblem> problems = diagnostics.problems();
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].severity(), ScheduleProblem::Severity::Warning);
    QCOMPARE(problems[0].message(), u"Unterprogramm, das kein \"R\" aufruft: OLD"_qs);
    QCOMPARE(diagnostics.problemsAt(6).size(), 1);
    QVERIFY(diagnostics.problemsAt(99).isEmpty());

    QCOMPARE(diagnostics.definitionOf(1), 4);
    QCOMPARE(diagnostics.definitionOf(8), 3);
    QCOMPARE(diagnostics.definitionOf(3), 0); // no jump
    QCOMPARE(diagnostics.targetOf(8), u"TOP"_qs);
    QVERIFY(diagnostics.targetOf(3).isEmpty());
    QCOMPARE(diagnostics.usesOf(3), (QList<int>{2, 8}));
    QCOMPARE(diagnostics.usesOf(4), (QList<int>{1}));
    QVERIFY(diagnostics.usesOf(6).isEmpty());
    QVERIFY(diagnostics.usesOf(1).isEmpty());

    // Beyond the largest schedule: one finding at the first line left out.
    QStringList longFile(ScheduleDocument::MaxRows + 3, u"Z, 1"_qs);
    QCOMPARE(Summary(CheckSchedule(diagnostics, longFile)), u"2000:too-many-lines"_qs);
}

// Random edits of a schedule made of structure lines, jumps and false lines:
// after each, the kept findings equal those of a fresh check.
void TestDiagnostics::updateMatchesFreshCheck() {
    const QStringList pieces = {
        u"W, 3"_qs,   u"E, W"_qs,       u"E, U"_qs,       u"E"_qs,         u"U, A"_qs, u"U, B"_qs,
        u"R, A"_qs,   u"R, B"_qs,       u"R, C"_qs,       u"G, A"_qs,      u"G, C"_qs, u"!, C"_qs,
        u"!, A"_qs,   u"F, K, 1, B"_qs, u"K, 7777, B"_qs, u"XX"_qs,        u"Z, 1"_qs, u""_qs,
        u"* note"_qs, u"e, w"_qs,       u"X, 5, R, A"_qs, u"Y, 2, R, C"_qs};
    QRandomGenerator random(20261206);
    ScheduleDiagnostics kept(u"EN");
    for (int round = 0; round < 40; ++round) {
        QStringList lines;
        const int size = 5 + random.bounded(40);
        for (int i = 0; i < size; ++i)
            lines.append(pieces[random.bounded(pieces.size())]);
        for (int step = 0; step < 30; ++step) {
            const int at = random.bounded(lines.size());
            switch (random.bounded(4)) {
            case 0: // typing over a row
                lines[at] = pieces[random.bounded(pieces.size())];
                break;
            case 1: // insert, as the row buttons move the rows below
                lines.insert(at, pieces[random.bounded(pieces.size())]);
                break;
            case 2:
                if (lines.size() > 1)
                    lines.removeAt(at);
                break;
            default: // undo of a move: two rows swap
                lines.swapItemsAt(at, random.bounded(lines.size()));
                break;
            }
            kept.update(lines);
            ScheduleDiagnostics fresh(u"EN");
            fresh.update(lines);
            const QString context = lines.join(u" | ");
            QVERIFY2(Full(kept.problems()) == Full(fresh.problems()), qPrintable(context));
            QCOMPARE(kept.problemCount(), fresh.problemCount());
            for (int line = 1; line <= lines.size(); ++line) {
                QVERIFY2(kept.definitionOf(line) == fresh.definitionOf(line), qPrintable(context));
                QVERIFY2(kept.usesOf(line) == fresh.usesOf(line), qPrintable(context));
            }
        }
    }
}

void TestDiagnostics::wholeScheduleAtOnce() {
    // A schedule read at once is checked on every core; its findings are
    // those of the same lines typed one after another.
    QStringList lines;
    for (int i = 0; i < 1999; ++i) {
        const int n = i % 1300;
        switch (i % 5) {
        case 0:
            lines.append(u"K, %1, B"_qs.arg(n * 7)); // false input beyond 999
            break;
        case 1:
            lines.append(u"!, A%1"_qs.arg(n));
            break;
        case 2:
            lines.append(u"G, A%1"_qs.arg(n + 3));
            break;
        case 3:
            lines.append(i % 2 ? u"XX"_qs : u"W, %1"_qs.arg(n));
            break;
        default:
            lines.append(u"E, W"_qs);
        }
    }
    ScheduleDiagnostics whole(u"EN");
    whole.update(lines);
    ScheduleDiagnostics typed(u"EN");
    for (qsizetype n = 1; n <= lines.size(); ++n)
        typed.update(lines.first(n));
    QCOMPARE(whole.problemCount(), typed.problemCount());
    QVERIFY(Full(whole.problems()) == Full(typed.problems()));
    QVERIFY(whole.problemCount() > 1000);
    // vxedit-cli check reads them line by line, in place.
    QList<ScheduleProblem> visited;
    for (int line = 0; line <= lines.size() + 1; ++line)
        whole.visitProblemsAt(line, [&](const ScheduleProblem& p) {
            visited.append(p);
            visited.back().line = line;
        });
    QVERIFY(Full(visited) == Full(whole.problems()));

    // The next update knows the loaded lines again where the rows moved.
    QStringList moved = lines.mid(1);
    moved.append(lines.front());
    moved[7] = u"K, 5, B"_qs;
    whole.update(moved);
    ScheduleDiagnostics fresh(u"EN");
    fresh.update(moved);
    QVERIFY(Full(whole.problems()) == Full(fresh.problems()));
}

void TestDiagnostics::falseInputNamesTheOperand_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("finding"); // field:message

    // The operand by its number and the first line of its hint; the field
    // key stays the control's name.
    QTest::newRow("a number's name, inside a sentence")
        << "EN"
        << "B, 2000, B"
        << "mskTxt2:False input: operand 1 (contact number) 2000";
    QTest::newRow("German keeps its nouns' case")
        << "DE"
        << "B, 2000, B"
        << "mskTxt2:Falsche Eingabe: Operand 1 (Kontaktnummer) 2000";
    QTest::newRow("a list of choices names them all")
        << "EN"
        << "K, 12, X"
        << "mskTxt3:False input: operand 2 (B (occupied) or F (free)) X";
    QTest::newRow("the sub-form's hint, not the command's")
        << "ES"
        << "F, T, 24"
        << "mskTxt3:Entrada incorrecta: operando 2 (hora modelo) 24";
    QTest::newRow("the command field") << "EN"
                                       << "N0, a.vfp"
                                       << "mskTxt1:False input: command field N0";
}

void TestDiagnostics::falseInputNamesTheOperand() {
    QFETCH(QString, language);
    QFETCH(QString, line);
    QFETCH(QString, finding);
    ScheduleDiagnostics diagnostics(language);
    const QList<ScheduleProblem> problems = CheckSchedule(diagnostics, {line});
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems[0].field + u':' + problems[0].message(), finding);
}

QTEST_GUILESS_MAIN(TestDiagnostics)
#include "test_diagnostics.moc"
