// The dry-run engine: the control flow of a schedule row by row, the state of
// the simulated layout, the findings, and the same trace for the same input.

#include "form/line_explanation.h"
#include "layout/layout_index.h"
#include "run/dry_run.h"

#include <QTest>

using namespace vx;

namespace {

const QString File = QStringLiteral("/layout/shuttle.vfp");

const ExplanationLanguage& RunLanguage() {
    static const ExplanationLanguage language;
    return language;
}

QList<RunEvent> Events(const char* text) {
    const RunEventsParse parsed = ParseRunEvents(QString::fromUtf8(text));
    Q_ASSERT(parsed.ok());
    return parsed.events;
}

// One run of lines, its trace collected.
struct Trial {
    explicit Trial(const QStringList& lines, const QList<RunEvent>& events = {}, quint32 seed = 1,
                   const LayoutIndex* layout = nullptr)
        : run(RunLanguage(), layout, File, lines, seed) {
        run.setEvents(events);
        run.setTraceSink([this](const RunTraceEntry& e) { trace.append(e); });
    }
    RunEnd go(qint64 steps = 10000) { return RunToEnd(run, steps); }
    // The rows run, "1 2 4".
    QString rows() const {
        QStringList out;
        for (const RunTraceEntry& e : trace)
            out.append(QString::number(e.line));
        return out.join(u' ');
    }
    QString findings() const {
        QStringList out;
        for (const RunFinding& f : run.findings())
            out.append(f.kind);
        return out.join(u' ');
    }
    int marker(int n) const { return run.state().marker(n); }
    QString plain() const {
        QString out;
        for (const RunTraceEntry& e : trace)
            out += RunTracePlain(e) + u'\n';
        return out + RunSummaryPlain(run, run.end());
    }
    DryRun run;
    QList<RunTraceEntry> trace;
};

QStringList Lines(std::initializer_list<const char*> lines) {
    QStringList out;
    for (const char* line : lines)
        out.append(QString::fromUtf8(line));
    return out;
}

} // namespace

class TestDryRun : public QObject {
    Q_OBJECT
private slots:
    void controlFlow_data();
    void controlFlow();
    void callDepthOver100Stops();
    void busyLoop();
    void contactWaitsAndEvents();
    void contactsCarryLocomotives();
    void neverSatisfied_data();
    void neverSatisfied();
    void conditionsReadTheState_data();
    void conditionsReadTheState();
    void articlesAndSignals();
    void switchRoutes();
    void markerArithmetic_data();
    void markerArithmetic();
    void locomotives_data();
    void locomotives();
    void clockAndVirtualTime();
    void resets_data();
    void resets();
    void randomFollowsTheSeed();
    void loadContinuesInASchedule();
    void inputAndJam();
    void sameInputSameTrace();
};

void TestDryRun::controlFlow_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<RunEnd>("end");
    QTest::addColumn<QString>("findings");
    const RunEnd ended = RunEnd::Ended;
    const RunEnd error = RunEnd::Error;
    QTest::newRow("remarks, empty rows, addresses passed over")
        << Lines({"* remark", "", "!, A", "Z, 1", "E"}) << "4 5" << ended << "";
    QTest::newRow("past the last row") << Lines({"Z, 1"}) << "1" << ended << "no-end";
    QTest::newRow("goto") << Lines({"G, ON", "Z, 1", "!, ON", "E"}) << "1 4" << ended << "";
    QTest::newRow("goto nowhere") << Lines({"G, NOWHERE", "E"}) << "1" << error
                                  << "undefined-address";
    QTest::newRow("call and return")
        << Lines({"R, SUB", "E", "U, SUB", "Z, 1", "E, U"}) << "1 4 5 2" << ended << "";
    QTest::newRow("nested calls return in turn")
        << Lines({"R, A", "E", "U, A", "R, B", "E, U", "U, B", "Z, 1", "E, U"}) << "1 4 7 8 5 2"
        << ended << "";
    QTest::newRow("call nowhere") << Lines({"R, NONE", "E"}) << "1" << error << "undefined-address";
    QTest::newRow("return without call")
        << Lines({"E, U"}) << "1" << error << "return-without-call";
    QTest::newRow("flow runs into a subroutine")
        << Lines({"Z, 1", "U, SUB", "Z, 2", "E, U"}) << "1 2 3 4" << error
        << "enters-subroutine return-without-call";
    QTest::newRow("repeat 3 times")
        << Lines({"W, 3", "Z, 1", "E, W", "E"}) << "1 2 3 2 3 2 3 4" << ended << "";
    QTest::newRow("repeat 0 times") << Lines({"W, 0", "Z, 1", "E, W", "E"}) << "1 4" << ended << "";
    QTest::newRow("repeat count in a marker")
        << Lines({"D, 5, 2", "W, M5", "Z, 1", "E, W", "E"}) << "1 2 3 4 3 4 5" << ended << "";
    QTest::newRow("nested repeats") << Lines({"W, 2", "W, 2", "Z, 1", "E, W", "E, W", "E"})
                                    << "1 2 3 4 3 4 5 2 3 4 3 4 5 6" << ended << "";
    QTest::newRow("repeat 0 times passes over the inner loop too")
        << Lines({"W, 0", "W, 2", "Z, 1", "E, W", "E, W", "E"}) << "1 6" << ended << "";
    QTest::newRow("repeat end without repeat")
        << Lines({"E, W"}) << "1" << error << "repeat-end-without-repeat";
    QTest::newRow("condition holds")
        << Lines({"F, D, 1, 0", "Z, 1", "E"}) << "1 2 3" << ended << "";
    QTest::newRow("condition fails: next line passed over")
        << Lines({"F, D, 1, 5", "Z, 1", "Z, 2", "E"}) << "1 3 4" << ended << "";
    QTest::newRow("a remark is not the line after the group")
        << Lines({"F, D, 1, 5", "* why", "Z, 1", "Z, 2", "E"}) << "1 4 5" << ended << "";
    QTest::newRow("OR holds when the first holds")
        << Lines({"F, D, 1, 0, OR", "F, D, 1, 7", "Z, 1", "E"}) << "1 2 3 4" << ended << "";
    // true OR false AND false: false from left to right, true with precedence.
    QTest::newRow("OR then AND, left to right")
        << Lines({"F, D, 1, 0, OR", "F, D, 1, 7, AND", "F, D, 1, 9", "Z, 1", "E"}) << "1 2 3 5"
        << ended << "";
    // false AND true OR true: no shortcut at the first false.
    QTest::newRow("AND then OR, left to right")
        << Lines({"F, D, 1, 5, AND", "F, D, 1, 0, OR", "F, D, 1, 0", "Z, 1", "E"}) << "1 2 3 4 5"
        << ended << "";
    QTest::newRow("connector without a next condition ends the group")
        << Lines({"F, D, 1, 5, AND", "Z, 1", "Z, 2", "E"}) << "1 3 4" << ended << "";
    QTest::newRow("unknown command passed over")
        << Lines({"KX, 5, B", "Z, 1", "E"}) << "2 3" << ended << "invalid-line";
    // The check takes any second character behind a command with a digit.
    QTest::newRow("what the check accepts runs")
        << Lines({"V0, 5", "Z, 1", "E"}) << "1 2 3" << ended << "";
    QTest::newRow("false input passed over")
        << Lines({"W, 5000", "Z, 1", "E"}) << "2 3" << ended << "invalid-line";
    QTest::newRow("malformed address defines none")
        << Lines({"!X, A", "G, A", "E"}) << "2" << error << "invalid-line undefined-address";
}

void TestDryRun::controlFlow() {
    QFETCH(QStringList, lines);
    QFETCH(QString, rows);
    QFETCH(RunEnd, end);
    QFETCH(QString, findings);
    Trial t(lines);
    QCOMPARE(t.go(), end);
    QCOMPARE(t.rows(), rows);
    QCOMPARE(t.findings(), findings);
}

void TestDryRun::callDepthOver100Stops() {
    // Each call goes one deeper until marker 1 reaches the limit.
    const auto recursion = [](const char* limit) {
        return Lines({"R, DEEP", "E", "U, DEEP", "D, 1, A, 1", limit, "R, DEEP", "E, U"});
    };
    Trial hundred(recursion("F, D, 1, <100"));
    QCOMPARE(hundred.go(), RunEnd::Ended);
    QCOMPARE(hundred.findings(), QString());
    QCOMPARE(hundred.marker(1), 100);
    QVERIFY(hundred.run.state().callStack.isEmpty());

    Trial over(recursion("F, D, 1, <101"));
    QCOMPARE(over.go(), RunEnd::Error);
    QCOMPARE(over.findings(), QStringLiteral("call-depth"));
    QCOMPARE(over.run.line(), 6);
    QCOMPARE(over.run.state().callStack.size(), 100);
}

void TestDryRun::busyLoop() {
    Trial busy(Lines({"!, L", "G, L"}));
    QCOMPARE(busy.go(), RunEnd::Error);
    QCOMPARE(busy.findings(), QStringLiteral("busy-loop"));
    QCOMPARE(busy.run.steps(), 1000);

    // A delay, or a wait that the layout releases, is not busy.
    Trial delayed(Lines({"!, L", "Z, 1", "G, L"}));
    QCOMPARE(delayed.go(5000), RunEnd::Limit);
    QCOMPARE(delayed.findings(), QString());
    Trial waiting(Lines({"!, L", "K, 1, B", "K, 1, F", "G, L"}));
    QList<RunEvent> events;
    for (int i = 1; i <= 1000; ++i)
        events.append({.tenths = i, .id = 1, .value = QString(i % 2 ? u'B' : u'F')});
    waiting.run.setEvents(events);
    QCOMPARE(waiting.go(1200), RunEnd::Limit);
    QCOMPARE(waiting.findings(), QString());
}

void TestDryRun::contactWaitsAndEvents() {
    // Virtual time jumps to the event that releases the wait.
    Trial t(Lines({"K, 12, B", "Z, 10", "E"}), Events("4.5 contact 12 B\n"));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.trace.first().tenths, 45);
    QCOMPARE(t.run.state().tenths, 55);

    // Nothing releases it yet: the run waits on the row, the hand goes on.
    Trial hand(Lines({"K, 7, F", "K, 7, B", "B, 7, F", "F, K, 7, X", "Z, 1", "E"}));
    QCOMPARE(hand.go(), RunEnd::Waiting);
    QCOMPARE(hand.rows(), QStringLiteral("1"));
    QCOMPARE(hand.run.line(), 2);
    QCOMPARE(hand.run.waitingFor(),
             ExplainLine(QStringLiteral("K, 7, B"), RunLanguage()).explanation);
    hand.run.setContact(7, u'B');
    QCOMPARE(hand.go(), RunEnd::Ended);
    // Freed by the schedule: "changing to free" holds.
    QCOMPARE(hand.rows(), QStringLiteral("1 2 3 4 5 6"));
    QCOMPARE(hand.findings(), QString());
    QVERIFY(hand.run.state().contacts.isEmpty());
}

void TestDryRun::contactsCarryLocomotives() {
    Trial t(Lines({"B, 3, B, 25", "H, 3, M9", "H, 4, M10", "B, 3, F", "H, 3, M11", "E"}),
            Events("0 loco-on 4 31\n"));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.marker(9), 25);
    QCOMPARE(t.marker(10), 31);
    QCOMPARE(t.marker(11), 0); // the locomotive left the contact it freed
}

void TestDryRun::neverSatisfied_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("other");
    QTest::addColumn<QString>("events");
    QTest::addColumn<QString>("findings");
    const QStringList none;
    QTest::newRow("contact nothing sets") << Lines({"K, 5, B", "E"}) << none << ""
                                          << "never-satisfied";
    QTest::newRow("contact an event names") << Lines({"K, 5, B", "E"}) << none << "0 contact 5 F"
                                            << "";
    QTest::newRow("contact another schedule sets")
        << Lines({"K, 5, B", "E"}) << Lines({"B, 5, B"}) << ""
        << "";
    QTest::newRow("route nothing reserves") << Lines({"X, 4, W, R", "E"}) << none << ""
                                            << "never-satisfied";
    QTest::newRow("stopped clock") << Lines({"T, 8, 30", "E"}) << none << ""
                                   << "never-satisfied";
    QTest::newRow("clock another schedule sets")
        << Lines({"T, 8, 30", "E"}) << Lines({"T, 8, 0, S"}) << ""
        << "";
    QTest::newRow("input nobody gives") << Lines({"/, D5", "E"}) << none << ""
                                        << "never-satisfied";
}

void TestDryRun::neverSatisfied() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, other);
    QFETCH(QString, events);
    QFETCH(QString, findings);
    LayoutIndex layout;
    layout.setLines(File, lines);
    layout.setLines(QStringLiteral("/layout/west.vfp"), other);
    Trial t(lines, Events(events.toUtf8().constData()), 1, &layout);
    QCOMPARE(t.go(), RunEnd::Waiting);
    QCOMPARE(t.findings(), findings);
    QCOMPARE(t.run.line(), 1);
}

void TestDryRun::conditionsReadTheState_data() {
    QTest::addColumn<QStringList>("lines"); // the condition last
    QTest::addColumn<bool>("holds");
    QTest::newRow("contact occupied") << Lines({"B, 4, B", "F, K, 4, B"}) << true;
    QTest::newRow("contact free at start") << Lines({"F, K, 4, F"}) << true;
    QTest::newRow("never occupied is not changing to free") << Lines({"F, K, 4, X"}) << false;
    QTest::newRow("marker less") << Lines({"D, 2, 4", "F, D, 2, <5"}) << true;
    QTest::newRow("marker greater, equal") << Lines({"D, 2, 5", "F, D, 2, >5"}) << false;
    QTest::newRow("marker even") << Lines({"D, 2, 4", "F, D, 2, E"}) << true;
    QTest::newRow("marker against marker") << Lines({"D, 2, 4", "D, 3, 4", "F, D, 2, M3"}) << true;
    QTest::newRow("SET variable greater") << Lines({"V, 12", "F, V, >10"}) << true;
    QTest::newRow("SET variable equal") << Lines({"V, 12", "F, V, 11"}) << false;
    QTest::newRow("counter 0 is even") << Lines({"F, Z, 3, E"}) << true;
    QTest::newRow("model clock equal") << Lines({"T, 8, 30, S", "F, T, 8, 30"}) << true;
    QTest::newRow("model clock later") << Lines({"T, 8, 30, S", "F, T, >9, 0"}) << false;
    QTest::newRow("route free at start") << Lines({"F, X, 2, F"}) << true;
    QTest::newRow("article unknown is no colour") << Lines({"F, M, 6, R"}) << false;
}

void TestDryRun::conditionsReadTheState() {
    QFETCH(QStringList, lines);
    QFETCH(bool, holds);
    Trial t(lines + Lines({"D, 1, 1", "E"}));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.findings(), QString());
    QCOMPARE(t.marker(1), holds ? 1 : 0);
}

void TestDryRun::articlesAndSignals() {
    Trial t(Lines(
        {"M, 5, G", "S, 9, R", "M, 5, R", "F, M, 5, R", "D, 1, 1", "F, S, 9, G", "D, 2, 1", "E"}));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.run.state().articles, (QMap<int, QChar>{{5, u'R'}}));
    QCOMPARE(t.run.state().signalColours, (QMap<int, QChar>{{9, u'R'}}));
    QCOMPARE(t.marker(1), 1);
    QCOMPARE(t.marker(2), 0); // the signal's colour, not the article's
}

void TestDryRun::switchRoutes() {
    Trial t(
        Lines({"X, 3, R", "X, 3, R, BUSY", "D, 1, 1", "!, BUSY", "F, X, 3, R", "D, 2, 1", "X, 3, F",
               "D, 9, 3", "Y, 9, R", "X, 3, R, TAKEN", "E", "!, TAKEN", "D, 4, 1", "E"}));
    QCOMPARE(t.go(), RunEnd::Ended);
    // Reserving a reserved route jumps; Y reserved the route in marker 9.
    QCOMPARE(t.run.state().markers, (QMap<int, int>{{2, 1}, {4, 1}, {9, 3}}));
    QCOMPARE(t.run.state().routes, (QMap<int, QChar>{{3, u'R'}}));
    QCOMPARE(t.findings(), QString());

    Trial waits(Lines({"X, 4, R", "X, 4, W, F", "E"}));
    QCOMPARE(waits.go(), RunEnd::Waiting);
    QCOMPARE(waits.run.line(), 2);
}

void TestDryRun::markerArithmetic_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("marker1");
    QTest::addColumn<QString>("findings");
    QTest::newRow("constant") << Lines({"D, 1, 42"}) << 42 << "";
    QTest::newRow("SET variable") << Lines({"V, 17", "D, 1, &"}) << 17 << "";
    QTest::newRow("add") << Lines({"D, 1, 5", "D, 1, A, 3"}) << 8 << "";
    QTest::newRow("subtract below 0") << Lines({"D, 1, 2", "D, 1, S, 5"}) << -3 << "";
    QTest::newRow("multiply by a marker")
        << Lines({"D, 1, 6", "D, 2, 7", "D, 1, M, M2"}) << 42 << "";
    QTest::newRow("divide, cut to whole") << Lines({"D, 1, 7", "D, 1, D, 2"}) << 3 << "";
    QTest::newRow("divisor 0 is false input")
        << Lines({"D, 1, 7", "D, 1, D, 0"}) << 7 << "invalid-line";
    QTest::newRow("divide by a marker of 0")
        << Lines({"D, 1, 7", "D, 1, D, M2"}) << 7 << "division-by-zero";
    QTest::newRow("counter value") << Lines({"D, 1, 5", "D, 1, UZ, 4"}) << 0 << "";
}

void TestDryRun::markerArithmetic() {
    QFETCH(QStringList, lines);
    QFETCH(int, marker1);
    QFETCH(QString, findings);
    Trial t(lines + Lines({"E"}));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.marker(1), marker1);
    QCOMPARE(t.findings(), findings);
}

void TestDryRun::locomotives_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("speed");
    QTest::addColumn<QChar>("direction");
    QTest::addColumn<bool>("light");
    QTest::newRow("step") << Lines({"L, 3, S, 40"}) << 40 << QChar(u'V') << false;
    QTest::newRow("change by steps")
        << Lines({"L, 3, S, 40", "L, 3, B, -15"}) << 25 << QChar(u'V') << false;
    QTest::newRow("at most 126") << Lines({"L, 3, S, 120", "L, 3, B, +20"}) << 126 << QChar(u'V')
                                 << false;
    QTest::newRow("speed before braking")
        << Lines({"L, 3, S, 40", "L, 3, S, 0", "L, 3, S, OLD"}) << 40 << QChar(u'V') << false;
    QTest::newRow("direction") << Lines({"L, 3, S, 40", "L, 3, U, R"}) << 40 << QChar(u'R')
                               << false;
    QTest::newRow("direction switched") << Lines({"L, 3, U"}) << 0 << QChar(u'R') << false;
    QTest::newRow("light") << Lines({"L, 3, S, 10, F, 1"}) << 10 << QChar(u'V') << true;
    QTest::newRow("number in a marker")
        << Lines({"D, 7, 3", "L, M7, S, 20"}) << 20 << QChar(u'V') << false;
}

void TestDryRun::locomotives() {
    QFETCH(QStringList, lines);
    QFETCH(int, speed);
    QFETCH(QChar, direction);
    QFETCH(bool, light);
    Trial t(lines + Lines({"E"}));
    QCOMPARE(t.go(), RunEnd::Ended);
    QCOMPARE(t.findings(), QString());
    const RunLoco loco = t.run.state().locos.value(3);
    QCOMPARE(loco.speed, speed);
    QCOMPARE(loco.direction, direction);
    QCOMPARE(loco.light, light);
}

void TestDryRun::clockAndVirtualTime() {
    // Ten times faster: half an hour of the model is three minutes.
    Trial lapse(Lines({"T, 8, 0, S, 10", "T, 8, 30", "D, 20, TM", "E"}));
    QCOMPARE(lapse.go(), RunEnd::Ended);
    QCOMPARE(lapse.run.state().tenths, 1800);
    QCOMPARE(lapse.run.state().clockText(), QStringLiteral("08:30"));
    QCOMPARE(lapse.marker(20), 8);
    QCOMPARE(lapse.marker(21), 30);

    Trial stopped(Lines({"T, 8, 0, S", "T, 8, 0, H", "Z, 600", "D, 20, TM", "E"}));
    QCOMPARE(stopped.go(), RunEnd::Ended);
    QCOMPARE(stopped.run.state().tenths, 600);
    QCOMPARE(stopped.marker(21), 0);

    // The system clock is the virtual time from 00:00:00; Z also from a marker.
    Trial system(
        Lines({"W, 100", "Z, 366", "E, W", "Z, 10", "D, 1, 5", "Z, M1", "D, 30, ZS", "E"}));
    QCOMPARE(system.go(), RunEnd::Ended);
    QCOMPARE(system.run.state().tenths, 36615);
    QCOMPARE(system.marker(30), 1);
    QCOMPARE(system.marker(31), 1);
    QCOMPARE(system.marker(32), 1);
    QCOMPARE(system.marker(33), 3661);
    QCOMPARE(system.run.state().clockText(), QStringLiteral("00:00")); // never set
}

void TestDryRun::resets_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("left"); // contacts articles signals routes markers
    QTest::newRow("all but markers") << "A"
                                     << "0 0 0 0 1";
    QTest::newRow("markers") << "A, MK"
                             << "1 1 1 1 0";
    QTest::newRow("signals") << "A, S"
                             << "1 1 0 1 1";
    QTest::newRow("contacts") << "A, K"
                              << "0 1 1 1 1";
}

void TestDryRun::resets() {
    QFETCH(QString, line);
    QFETCH(QString, left);
    Trial t(Lines({"B, 1, B", "M, 2, G", "S, 3, R", "X, 4, R", "D, 5, 9"}) +
            QStringList{line, QStringLiteral("E")});
    QCOMPARE(t.go(), RunEnd::Ended);
    const RunState& s = t.run.state();
    const QList<qsizetype> sizes{s.contacts.size(), s.articles.size(), s.signalColours.size(),
                                 s.routes.size(), s.markers.size()};
    QStringList got;
    for (qsizetype n : sizes)
        got.append(QString::number(n));
    QCOMPARE(got.join(u' '), left);
}

void TestDryRun::randomFollowsTheSeed() {
    const QStringList lines = Lines({"I, 1, 1000, 5", "I, 1, 1000, 6", "I, 3, 5, 7", "E"});
    const auto draws = [&lines](quint32 seed) {
        Trial t(lines, {}, seed);
        t.go();
        return QList<int>{t.marker(5), t.marker(6), t.marker(7)};
    };
    // The editor's own generator: the same numbers in every build.
    QCOMPARE(draws(1).first(), 370);
    QCOMPARE(draws(1), draws(1));
    QCOMPARE(draws(0), draws(1));
    QVERIFY(draws(2) != draws(1));
    for (quint32 seed : {1u, 2u, 77u, 4294967295u}) {
        const int v = draws(seed).last();
        QVERIFY2(v >= 3 && v <= 5, qPrintable(QString::number(v)));
    }
}

void TestDryRun::loadContinuesInASchedule() {
    // N without a number continues in the schedule itself, at its start line.
    Trial self(Lines({"D, 1, A, 1", "F, D, 1, 3", "E", "N, shuttle.vfp, 1"}));
    QCOMPARE(self.go(), RunEnd::Ended);
    QCOMPARE(self.rows(), QStringLiteral("1 2 4 1 2 4 1 2 3"));
    QCOMPARE(self.findings(), QString());
    Trial address(Lines({"R, SUB", "E", "U, SUB", "N, SHUTTLE, , GO", "E, U", "!, GO", "E"}));
    QCOMPARE(address.go(), RunEnd::Ended);
    QCOMPARE(address.rows(), QStringLiteral("1 4 7"));
    QVERIFY(address.run.state().callStack.isEmpty());

    // Another number only records the loading.
    Trial other(Lines({"N2, west.vfp", "E"}));
    QCOMPARE(other.go(), RunEnd::Ended);
    QCOMPARE(other.rows(), QStringLiteral("1 2"));
    QCOMPARE(other.run.state().shown, QStringList{QStringLiteral("N2, west.vfp")});

    LayoutIndex layout;
    layout.setLines(QStringLiteral("/layout/west.vfp"), Lines({"D, 1, 7", "E"}));
    Trial west(Lines({"N, west"}), {}, 1, &layout);
    QCOMPARE(west.go(), RunEnd::Ended);
    QCOMPARE(west.run.file(), QStringLiteral("/layout/west.vfp"));
    QCOMPARE(west.marker(1), 7);
    Trial east(Lines({"N, east"}), {}, 1, &layout);
    QCOMPARE(east.go(), RunEnd::Error);
    QCOMPARE(east.findings(), QStringLiteral("missing-schedule"));
}

void TestDryRun::inputAndJam() {
    Trial asked(Lines({"/, D5", "/, D6", "E"}), Events("3 input 5 42\n"));
    QCOMPARE(asked.go(), RunEnd::Waiting);
    QCOMPARE(asked.marker(5), 42);
    QCOMPARE(asked.trace.first().tenths, 30);
    asked.run.answerInput(6, -4);
    QCOMPARE(asked.go(), RunEnd::Ended);
    QCOMPARE(asked.marker(6), -4);

    Trial jam(Lines({"J, 1", "E"}));
    QCOMPARE(jam.go(), RunEnd::Jam);
    QCOMPARE(jam.rows(), QStringLiteral("1"));
    Trial cancel(Lines({"J, S, 3", "E"}));
    QCOMPARE(cancel.go(), RunEnd::Ended);
}

void TestDryRun::sameInputSameTrace() {
    const QStringList lines = Lines({"!, L", "K, 2, B", "I, 1, 9, 4", "L, 3, B, +5", "Z, 3",
                                     "K, 2, F", "W, M4", "D, 1, A, 1", "E, W", "G, L"});
    const QList<RunEvent> events =
        Events("1 contact 2 B\n2.5 contact 2 F\n4 contact 2 B\n9 contact 2 F\n");
    Trial first(lines, events);
    QCOMPARE(first.go(), RunEnd::Waiting);
    Trial second(lines, events);
    second.go();
    QCOMPARE(second.plain(), first.plain());
    // A reset plays the events again and draws the same numbers.
    const QString once = first.plain();
    first.trace.clear();
    first.run.reset();
    first.go();
    QCOMPARE(first.plain(), once);
    // The trace shows the lines as given, the effects as the explanation has them.
    for (const RunTraceEntry& e : first.trace) {
        QCOMPARE(e.text, lines[e.line - 1]);
        QVERIFY(e.effect.startsWith(ExplainLine(e.text, RunLanguage()).explanation));
    }
}

QTEST_GUILESS_MAIN(TestDryRun)
#include "test_dry_run.moc"
