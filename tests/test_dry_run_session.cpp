// The dry run as the window drives it: slices, breakpoints, the contacts
// switched by hand, the reset when the schedule is edited, the trace's cap.

#include "editor/dry_run_session.h"
#include "texts/text_catalogue.h"

#include <QSignalSpy>
#include <QTest>

using namespace vx;

namespace {

const QString File = QStringLiteral("/layout/shuttle.vfp");

class Session {
public:
    explicit Session(const QStringList& lines, bool timer = false)
        : session(DryRunSession::Parts{catalogue, [] { return nullptr; }}) {
        session.setTimerDriven(timer);
        edit(lines);
    }
    void edit(const QStringList& lines, const QString& file = File) {
        lines_ = lines;
        session.follow(file, ++generation, [this] { return lines_; });
    }
    // Slices until the run stops or waits; the number of slices it took.
    int slices(int most = 10000) {
        int n = 0;
        while (session.mode() != DryRunSession::Mode::Idle && n < most) {
            const qint64 before = session.steps();
            session.runSlice();
            ++n;
            if (session.steps() == before)
                break; // waiting for the user
        }
        return n;
    }
    TextCatalogue catalogue;
    DryRunSession session;
    quint64 generation = 0;

private:
    QStringList lines_;
};

QStringList Loop() {
    // Runs for ever, with a delay in each pass: never a busy loop.
    return {QStringLiteral("!, LOOP"), QStringLiteral("Z, 1"), QStringLiteral("D, 1, A, 1"),
            QStringLiteral("G, LOOP")};
}

} // namespace

class TestDryRunSession : public QObject {
    Q_OBJECT
private slots:
    void stepsOneRowAtATime();
    void runGoesOnInSlicesUntilPaused();
    void runsInTheEventLoopAndPauses();
    void breakpointsStopBeforeTheirRow();
    void waitsForAContactSwitchedByHand();
    void editingResets();
    void traceKeepsTheLastEntries();
    void findingsAreCounted();
    void neverSatisfiedGoesWithTheWait();
};

void TestDryRunSession::stepsOneRowAtATime() {
    Session s({QStringLiteral("* a remark"), QStringLiteral("Z, 5"), QStringLiteral("E")});
    QCOMPARE(s.session.started(), false);
    QCOMPARE(s.session.runningRow(), 0);
    s.session.step();
    // The remark is passed over: the delay ran, the end is next.
    QCOMPARE(s.session.steps(), 1);
    QCOMPARE(s.session.runningRow(), 3);
    QCOMPARE(s.session.trace().rowCount(), 1);
    QCOMPARE(s.session.trace().entry(0).line, 2);
    s.session.step();
    QCOMPARE(s.session.end(), RunEnd::Ended);
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Idle);
}

void TestDryRunSession::runGoesOnInSlicesUntilPaused() {
    Session s(Loop());
    s.session.run();
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Running);
    s.session.runSlice();
    const qint64 first = s.session.steps();
    QVERIFY(first > 0);
    // A slice gives the window its events back: the run is not over.
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Running);
    QCOMPARE(s.session.end(), RunEnd::None);
    s.session.runSlice();
    QVERIFY(s.session.steps() > first);
    s.session.pause();
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Idle);
    const qint64 paused = s.session.steps();
    s.session.runSlice();
    QCOMPARE(s.session.steps(), paused);
    QCOMPARE(s.session.state().rowCount() > 0, true);
}

void TestDryRunSession::runsInTheEventLoopAndPauses() {
    Session s(Loop(), true);
    QSignalSpy changed(&s.session, &DryRunSession::changed);
    s.session.run();
    QTRY_VERIFY(s.session.steps() > 3 * DryRunSession::SliceRows);
    QTRY_VERIFY(changed.count() >= 2);
    s.session.pause();
    const qint64 paused = s.session.steps();
    QTest::qWait(50);
    QCOMPARE(s.session.steps(), paused);
}

void TestDryRunSession::breakpointsStopBeforeTheirRow() {
    Session s(Loop());
    s.session.toggleBreakpoint(3);
    QVERIFY(s.session.breakpoints().contains(3));
    s.session.run();
    s.slices();
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Idle);
    QCOMPARE(s.session.runningRow(), 3);
    // The address line is passed over, not run.
    QCOMPARE(s.session.steps(), 1);
    // Going on runs the row it stands at, and stops there again a pass later.
    s.session.run();
    s.slices();
    QCOMPARE(s.session.runningRow(), 3);
    QCOMPARE(s.session.steps(), 4);
    s.session.toggleBreakpoint(3);
    QVERIFY(s.session.breakpoints().isEmpty());
    s.session.run();
    s.session.runSlice();
    QVERIFY(s.session.steps() > 100);
}

void TestDryRunSession::waitsForAContactSwitchedByHand() {
    Session s({QStringLiteral("B, 5, F"), QStringLiteral("K, 12, B"), QStringLiteral("Z, 10"),
               QStringLiteral("K, 12, F"), QStringLiteral("E")});
    QCOMPARE(s.session.contacts(), QList<int>({5, 12}));
    QCOMPARE(s.session.contactState(12), QChar(u'F'));
    s.session.runToWait();
    s.slices();
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Idle);
    QCOMPARE(s.session.runningRow(), 2);
    QVERIFY(!s.session.waitingFor().isEmpty());
    // A plain run waits for the user too, and goes on once the contact is busy.
    s.session.run();
    s.slices();
    QCOMPARE(s.session.runningRow(), 2);
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Running);
    s.session.toggleContact(12);
    QCOMPARE(s.session.contactState(12), QChar(u'B'));
    s.slices();
    QCOMPARE(s.session.runningRow(), 4);
    s.session.toggleContact(12);
    s.slices();
    QCOMPARE(s.session.end(), RunEnd::Ended);
    QCOMPARE(s.session.mode(), DryRunSession::Mode::Idle);
}

void TestDryRunSession::editingResets() {
    Session s(Loop());
    s.session.toggleBreakpoint(2);
    s.session.step();
    s.session.step();
    QCOMPARE(s.session.steps(), 2);
    // Another generation of the same lines (an undo of an edit) leaves the run.
    s.edit(Loop());
    QCOMPARE(s.session.steps(), 2);
    QStringList edited = Loop();
    edited[1] = QStringLiteral("Z, 2");
    s.edit(edited);
    QCOMPARE(s.session.started(), false);
    QCOMPARE(s.session.steps(), 0);
    QCOMPARE(s.session.trace().rowCount(), 0);
    QCOMPARE(s.session.runningRow(), 0);
    QVERIFY(s.session.breakpoints().contains(2));
    // Another schedule: its rows are not the rows the breakpoints marked.
    s.edit(edited, QStringLiteral("/layout/other.vfp"));
    QVERIFY(s.session.breakpoints().isEmpty());
    // Reset by hand: from row 1 again, with the contacts as they were at start.
    s.edit({QStringLiteral("K, 3, B"), QStringLiteral("E")});
    s.session.toggleContact(3);
    s.session.step();
    QCOMPARE(s.session.runningRow(), 2);
    s.session.reset();
    QCOMPARE(s.session.contactState(3), QChar(u'F'));
    QCOMPARE(s.session.steps(), 0);
}

void TestDryRunSession::traceKeepsTheLastEntries() {
    Session s(Loop());
    s.session.run();
    while (s.session.steps() < DryRunSession::TraceLimit + 2500)
        s.session.runSlice();
    s.session.pause();
    const RunTraceModel& trace = s.session.trace();
    QCOMPARE(trace.rowCount(), DryRunSession::TraceLimit);
    QCOMPARE(trace.entry(trace.rowCount() - 1).step, s.session.steps());
    QCOMPARE(trace.entry(0).step, s.session.steps() - DryRunSession::TraceLimit + 1);
}

void TestDryRunSession::findingsAreCounted() {
    Session s({QStringLiteral("Z, 1"), QStringLiteral("E, U")});
    const quint64 before = s.session.findingsGeneration();
    s.session.run();
    s.slices();
    QCOMPARE(s.session.end(), RunEnd::Error);
    QCOMPARE(s.session.findings().size(), 1);
    QCOMPARE(s.session.findings().front().kind, QStringLiteral("return-without-call"));
    QVERIFY(s.session.findingsGeneration() != before);
    QVERIFY(s.session.statusLine().contains(QStringLiteral("error")));
    s.session.reset();
    QVERIFY(s.session.findings().isEmpty());
}

void TestDryRunSession::neverSatisfiedGoesWithTheWait() {
    // Nothing in the schedule sets contact 12: each wait is found hopeless,
    // until the user sets the contact by hand.
    Session s({QStringLiteral("K, 12, B"), QStringLiteral("K, 12, F"), QStringLiteral("E")});
    const auto kinds = [&s] {
        QStringList k;
        for (const RunFinding& f : s.session.findings())
            k.append(f.kind + u':' + QString::number(f.line));
        return k;
    };
    s.session.step();
    QCOMPARE(kinds(), QStringList{QStringLiteral("never-satisfied:1")});
    quint64 shown = s.session.findingsGeneration();
    s.session.toggleContact(12);
    s.session.step();
    QCOMPARE(s.session.runningRow(), 2);
    QVERIFY(kinds().isEmpty());
    QVERIFY(s.session.findingsGeneration() != shown);
    // Released in a plain run, the same.
    s.session.run();
    s.slices();
    QCOMPARE(kinds(), QStringList{QStringLiteral("never-satisfied:2")});
    s.session.toggleContact(12);
    s.slices();
    QCOMPARE(s.session.end(), RunEnd::Ended);
    QVERIFY(kinds().isEmpty());
    // A finding still standing goes with the reset.
    s.session.reset();
    s.session.step();
    QCOMPARE(kinds(), QStringList{QStringLiteral("never-satisfied:1")});
    shown = s.session.findingsGeneration();
    s.session.reset();
    QVERIFY(s.session.findings().isEmpty());
    QVERIFY(s.session.findingsGeneration() != shown);
}

QTEST_GUILESS_MAIN(TestDryRunSession)
#include "test_dry_run_session.moc"
