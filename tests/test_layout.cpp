// A layout of schedules: the cross-references over it, renumbering that keeps
// every other byte and writes every file or none, and the findings that only
// the whole folder shows.

#include "layout/layout_findings.h"
#include "layout/renumber.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace vx;
using namespace vx::test;
using namespace Qt::Literals::StringLiterals;

namespace {

// Three schedules sharing contact 12, marker 20 and the address START. West
// ends its lines with a lone LF, keeps an empty line and trailing blanks,
// and holds a byte beyond ASCII: none of it may change.
const QByteArray East = "K, 12, B\r\nB, 12, B\r\nH, 12, M20\r\nN, west, 1, START\r\n"
                        "G, START\r\n!, START\r\nD, 30, A, M7\r\n";
const QByteArray West = "B, 0012, F  \n\nF, K, 12, B * caf\xe9\nD, 20, TS\n!, START\nG, START";
const QByteArray Mid = "K, 5, B\r\nN, north.vfp\r\nF, D, 21, 1\r\n";

struct Layout {
    QTemporaryDir dir;
    Layout() {
        WriteBytes(dir.filePath(u"east.vfp"_s), East);
        WriteBytes(dir.filePath(u"west.vfp"_s), West);
        WriteBytes(dir.filePath(u"mid.vfp"_s), Mid);
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytes(const QString& name) const { return ReadBytes(path(name)); }
};

QStringList editsOf(const RenumberPlan& plan) {
    QStringList out;
    for (const LineEdit& e : plan.edits)
        out << QFileInfo(e.file).fileName() + u':' + QString::number(e.line) + u' ' + e.newText;
    return out;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    // The order of the list (kind, id as a number, file as given, line,
    // operand) and its three forms; implied uses carry operand 0.
    void xrefOrderAndForms() {
        Layout l;
        const QString d = l.dir.path();
        const CliRun plain = RunCli({u"xref"_s, u"--kind"_s, u"contact"_s, d});
        QCOMPARE(plain.exitCode, 0);
        const QString e = d + u"/east.vfp"_s, w = d + u"/west.vfp"_s, m = d + u"/mid.vfp"_s;
        QCOMPARE(QString::fromUtf8(plain.out),
                 u"contact 5 %3:1: waits: K, 5, B\n"
                 u"contact 12 %1:1: waits: K, 12, B\n"
                 u"contact 12 %1:2: sets: B, 12, B\n"
                 u"contact 12 %1:3: reads: H, 12, M20\n"
                 u"contact 12 %2:1: sets: B, 0012, F  \n"
                 u"contact 12 %2:3: tests: F, K, 12, B * café\n"_s.arg(e, w, m));

        const CliRun json = RunCli({u"xref"_s, u"--json"_s, u"--kind"_s, u"marker"_s, w});
        const QList<QByteArray> objects = json.out.trimmed().split('\n');
        QCOMPARE(objects.size(), 4);
        QCOMPARE(objects[0], "{\"kind\": \"marker\", \"id\": \"20\", \"file\": \"" + w.toUtf8() +
                                 "\", \"line\": 4, \"operand\": 1, \"access\": \"writes\", "
                                 "\"text\": \"D, 20, TS\"}");
        QVERIFY(objects[1].contains("\"id\": \"21\"") && objects[1].contains("\"operand\": 0"));

        const CliRun csv = RunCli({u"xref"_s, u"--csv"_s, u"--kind"_s, u"address"_s, e});
        QCOMPARE(csv.out, "kind,id,file,line,access,text\r\n"
                          "address,START," +
                              e.toUtf8() +
                              ",4,loads,\"N, west, 1, START\"\r\n"
                              "address,START," +
                              e.toUtf8() +
                              ",5,jumps,\"G, START\"\r\n"
                              "address,START," +
                              e.toUtf8() + ",6,defines,\"!, START\"\r\n");

        // A binary file is named and skipped; a missing one makes the exit 2.
        WriteBytes(l.path(u"blob.vfp"_s), QByteArray("K, 1\0\x01", 6));
        const CliRun skipped = RunCli({u"xref"_s, d});
        QCOMPARE(skipped.exitCode, 0);
        QVERIFY(skipped.err.contains("blob.vfp") && !skipped.out.contains("blob.vfp"));
        const CliRun missing = RunCli({u"xref"_s, d, l.path(u"none.vfp"_s)});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.contains("none.vfp") && missing.out.contains("K, 12, B"));
    }

    // Only the id's characters change, in every file; the old content stays
    // as NAME.vfp.bak; a file that does not use the thing is not touched.
    void renumberKeepsEveryOtherByte() {
        Layout l;
        const CliRun run =
            RunCli({u"renumber"_s, u"--kind"_s, u"contact"_s, u"12=112"_s, l.dir.path()});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count('\n'), 5);
        QVERIFY(run.out.contains("/west.vfp:1: B, 0012, F   -> B, 112, F  \n"));
        QByteArray east = East, west = West;
        east.replace("12, ", "112, ");
        west.replace("0012", "112").replace("K, 12", "K, 112");
        QCOMPARE(l.bytes(u"east.vfp"_s), east);
        QCOMPARE(l.bytes(u"west.vfp"_s), west);
        QCOMPARE(l.bytes(u"east.vfp.bak"_s), East);
        QCOMPARE(l.bytes(u"west.vfp.bak"_s), West);
        QVERIFY(!QFile::exists(l.path(u"mid.vfp.bak"_s)));

        // An address is renamed within the schedules that own it, and in the N
        // that starts west there.
        const CliRun address = RunCli({u"renumber"_s, u"--kind"_s, u"address"_s, u"--dry-run"_s,
                                       u"START=BEGIN"_s, l.path(u"west.vfp"_s)});
        QCOMPARE(address.exitCode, 0);
        QCOMPARE(address.out.count('\n'), 2);
        LayoutIndex index;
        index.addPaths({l.path(u"east.vfp"_s), l.path(u"west.vfp"_s)});
        WriteBytes(l.path(u"east.vfp"_s), "N, west, 1, START\r\n");
        index.readFile(l.path(u"east.vfp"_s));
        QCOMPARE(editsOf(PlanRenumber(index, Thing::Address, u"start"_s, u"Begin"_s, {})),
                 (QStringList{u"east.vfp:1 N, west, 1, Begin"_s, u"west.vfp:5 !, Begin"_s,
                              u"west.vfp:6 G, Begin"_s}));
        // Within one schedule only: the N of east stays.
        QCOMPARE(editsOf(PlanRenumber(index, Thing::Address, u"START"_s, u"B"_s, {},
                                      l.path(u"west.vfp"_s)))
                     .size(),
                 2);
    }

    // Each refusal leaves every file as it was and writes no copy.
    void refusalsWriteNothing_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("reason");
        QTest::newRow("too large for K") << QStringList{u"contact"_s, u"12=1057"_s}
                                         << QByteArray("east.vfp:1: contact 1057 is not valid");
        QTest::newRow("H needs 1 and more") << QStringList{u"contact"_s, u"12=0"_s}
                                            << QByteArray("east.vfp:3: contact 0 is not valid");
        QTest::newRow("no number")
            << QStringList{u"contact"_s, u"12=A"_s} << QByteArray("A is no valid contact");
        QTest::newRow("implied by TS") << QStringList{u"marker"_s, u"21=40"_s}
                                       << QByteArray("west.vfp:4: uses marker 21 without");
        QTest::newRow("already used")
            << QStringList{u"contact"_s, u"12=5"_s} << QByteArray("contact 5 ");
        QTest::newRow("TS moves 21 away")
            << QStringList{u"marker"_s, u"20=40"_s} << QByteArray("marker 21 ");
        QTest::newRow("unreadable file")
            << QStringList{u"contact"_s, u"12=13"_s, u"@none"_s} << QByteArray("none.vfp");
    }
    void refusalsWriteNothing() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, reason);
        Layout l;
        QStringList cli{u"renumber"_s, u"--kind"_s, args[0], args[1], l.dir.path()};
        if (args.size() > 2)
            cli << l.path(u"none.vfp"_s);
        const CliRun run = RunCli(cli);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(reason), run.err.constData());
        QVERIFY(run.err.contains("nothing written"));
        QCOMPARE(l.bytes(u"east.vfp"_s), East);
        QCOMPARE(l.bytes(u"west.vfp"_s), West);
        QCOMPARE(QDir(l.dir.path()).entryList({u"*.bak"_s}), QStringList());
    }

    // --force merges with the uses of NEW.
    void forceMergesConflicts() {
        Layout l;
        const CliRun run = RunCli({u"renumber"_s, u"--kind"_s, u"contact"_s, u"--force"_s,
                                   u"--json"_s, u"5=12"_s, l.dir.path()});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("\"old\": \"K, 5, B\", \"new\": \"K, 12, B\""));
        QVERIFY(l.bytes(u"mid.vfp"_s).startsWith("K, 12, B\r\n"));
    }

    // A write that fails part-way puts back the files already replaced and
    // the copy that was there before; the message names the failed file.
    void failedWriteRollsBack() {
        Layout l;
        WriteBytes(l.path(u"west.vfp.bak"_s), "an older copy");
        LayoutIndex index;
        index.addPaths({l.dir.path()});
        const RenumberPlan plan = PlanRenumber(index, Thing::Contact, u"12"_s, u"13"_s, {});
        QVERIFY(plan.refusals.isEmpty() && plan.conflicts.isEmpty());
        const FileWriter real = AtomicFileWriter();
        int writes = 0;
        const FileWriter failing = [&](const QString& path, const QByteArray& b) -> Status {
            if (path.endsWith(u"west.vfp"_s) && ++writes == 1)
                return Failure{u"No space left on device"_s};
            return real(path, b);
        };
        const RenumberOutcome outcome = ApplyRenumber(index, plan, failing);
        QVERIFY(!outcome.done);
        QVERIFY2(outcome.message.startsWith(l.path(u"west.vfp"_s) + u": No space"_s),
                 qPrintable(outcome.message));
        QCOMPARE(l.bytes(u"east.vfp"_s), East);
        QCOMPARE(l.bytes(u"west.vfp"_s), West);
        QCOMPARE(l.bytes(u"west.vfp.bak"_s), QByteArray("an older copy"));
        QVERIFY(!QFile::exists(l.path(u"east.vfp.bak"_s)));

        // A file changed on disk after it was read is not overwritten.
        WriteBytes(l.path(u"west.vfp"_s), "K, 12, F\r\n");
        QVERIFY(!ApplyRenumber(index, plan).done);
        QCOMPARE(l.bytes(u"east.vfp"_s), East);
    }

    // Findings of the folder: a schedule N loads that is missing (error), a
    // marker read that nothing writes (warning), a contact two schedules
    // occupy (info: alone it leaves the exit 0). Files checked one by one
    // show none of them.
    void folderFindings() {
        Layout l;
        const CliRun run = RunCli({u"check"_s, u"--json"_s, l.dir.path()});
        QCOMPARE(run.exitCode, 1);
        // "N, west" names west.vfp; only mid's north.vfp is missing.
        QCOMPARE(run.out.count("missing-schedule"), 1);
        QVERIFY(run.out.contains("\"kind\": \"missing-schedule\", \"severity\": \"error\""));
        QVERIFY(run.out.contains("east.vfp\", \"line\": 7, \"kind\": \"unwritten-marker\", "
                                 "\"severity\": \"warning\""));
        QVERIFY(run.out.contains("west.vfp\", \"line\": 1, \"kind\": \"shared-contact\", "
                                 "\"severity\": \"info\""));
        QCOMPARE(run.out.count("unwritten-marker"), 1); // marker 21 is written by TS in west

        const CliRun files = RunCli({u"check"_s, l.path(u"mid.vfp"_s), l.path(u"west.vfp"_s)});
        QCOMPARE(files.exitCode, 0);
        QVERIFY(!files.out.contains("marker") && !files.out.contains("contact"));

        WriteBytes(l.path(u"north.vfp"_s), "B, 12, B\r\nD, 7, A, 1\r\n");
        const CliRun infoOnly = RunCli({u"check"_s, l.dir.path()});
        QCOMPARE(infoOnly.exitCode, 0);
        QVERIFY(infoOnly.out.contains("north.vfp:1: info: contact 12"));
    }

    // The problems list reads only the open schedule again: its findings
    // are those of the whole layout at that schedule, whichever it is, also
    // after it changed (west's marker 21 goes; mid's read of it shows).
    void findingsOfOneSchedule() {
        Layout l;
        WriteBytes(l.path(u"north.vfp"_s), "B, 12, B\r\n");
        LayoutIndex index;
        index.addPaths({l.dir.path()});
        const auto same = [&] {
            const QList<LayoutFinding> all = CheckLayout(index);
            for (const LayoutSchedule& s : index.schedules()) {
                QStringList want, got;
                for (const LayoutFinding& f : all)
                    if (f.file == s.path)
                        want << QString::number(f.line) + u' ' + f.message;
                for (const LayoutFinding& f :
                     CheckLayoutSchedule(index, LayoutOthers(index, s.path)))
                    got << QString::number(f.line) + u' ' + f.message;
                if (got != want)
                    return QString(s.path + u": "_s + got.join(u'|') + u" / "_s + want.join(u'|'));
            }
            return QString();
        };
        QCOMPARE(same(), QString());
        const LayoutOthers ofWest(index, l.path(u"west.vfp"_s));
        index.setLines(l.path(u"west.vfp"_s), {u"B, 5, B"_s, u"B, 12, F"_s});
        QCOMPARE(same(), QString());
        const QList<LayoutFinding> west = CheckLayoutSchedule(index, ofWest);
        QCOMPARE(west.size(), 1);
        QCOMPARE(west[0].line, 2);
        QCOMPARE(west[0].kind, LayoutFinding::Kind::SharedContact);
    }
};

QTEST_GUILESS_MAIN(TestLayout)
#include "test_layout.moc"
