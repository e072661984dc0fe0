// The layout inside the editor: the uses of the thing a row names, in the
// open schedule and in the folder, renumbering that the open schedule undoes
// in one step, and the cross-reference table behind its filter.

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "test_driver.h"
#include "test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>

using namespace vx;
using namespace vx::test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QByteArray East = "K, 12, B\r\nB, 12, B\r\nM, 3, G\r\nF, K, 12, B\r\n";
const QByteArray West = "B, 0012, F  \n\nK, 7, B\nH, 12, M20";

struct Opened {
    QTemporaryDir dir;
    Driver driver;
    Opened() {
        WriteBytes(dir.filePath(u"east.vfp"_s), East);
        WriteBytes(dir.filePath(u"west.vfp"_s), West);
        const QString east = dir.filePath(u"east.vfp"_s);
        VX_TRY(driver.run({u"file "_s + east, u"menu Dat_Ein"_s}));
    }
    Editor& ed() { return *driver.editor; }
};

} // namespace

class TestLayoutView : public QObject {
    Q_OBJECT

private slots:
    // A contact row lists its rows here and its lines in the rest of the
    // folder; a row that names nothing beeps and lists nothing.
    void usesOfAContactRow() {
        Opened o;
        VX_TRY(o.driver.run({u"row 6"_s, u"key Shift+F12"_s}));
        QVERIFY(!o.driver.state().contains(u"layoutUses"_s));
        VX_TRY(o.driver.run({u"row 1"_s, u"key Shift+F12"_s}));
        const QJsonObject s = o.driver.state();
        QCOMPARE(s[u"uses"_s].toArray(), (QJsonArray{1, 2, 4}));
        const QJsonArray layout = s[u"layoutUses"_s].toArray();
        QCOMPARE(layout.size(), 2);
        QCOMPARE(QFileInfo(layout[0][u"file"_s].toString()).fileName(), u"west.vfp"_s);
        QCOMPARE(layout[0][u"line"_s].toInt(), 1);
        QCOMPARE(layout[1][u"line"_s].toInt(), 4);

        // The open schedule is taken from the document, not from the disk.
        VX_TRY(o.driver.run({u"row-text 3 K, 12, F"_s, u"row 1"_s, u"key Shift+F12"_s}));
        QCOMPARE(o.driver.state()[u"uses"_s].toArray(), (QJsonArray{1, 2, 3, 4}));
        // A blank row counts as a row, though a saved file leaves it out.
        VX_TRY(o.driver.run({u"row 2"_s, u"click insert"_s, u"row 1"_s, u"key Shift+F12"_s}));
        QCOMPARE(o.driver.state()[u"uses"_s].toArray(), (QJsonArray{1, 3, 4, 5}));
    }

    // The open schedule changes in memory as one undo step with every other
    // character kept; the other schedule on disk, with its copy.
    void renumberAcrossTheLayout() {
        Opened o;
        LayoutView& layout = *o.ed().layout;
        const RenumberPlan plan = layout.plan(Thing::Contact, u"12"_s, u"112"_s, true);
        QVERIFY(plan.refusals.isEmpty());
        QCOMPARE(plan.edits.size(), 5);
        QVERIFY(layout.apply(plan).done);
        QCOMPARE(o.ed().document.line(2), u"B, 112, B"_s);
        QCOMPARE(o.ed().document.line(4), u"F, K, 112, B"_s);
        QCOMPARE(o.ed().document.line(3), u"M, 3, G"_s);
        QByteArray west = West;
        west.replace("0012", "112").replace("H, 12", "H, 112");
        QCOMPARE(ReadBytes(o.dir.filePath(u"west.vfp"_s)), west);
        QCOMPARE(ReadBytes(o.dir.filePath(u"west.vfp.bak"_s)), West);
        // The disk copy of the open schedule is the user's to save.
        QCOMPARE(ReadBytes(o.dir.filePath(u"east.vfp"_s)), East);

        VX_TRY(o.driver.run({u"menu Wrk_Undo"_s}));
        for (int r = 1; r <= 4; ++r)
            QCOMPARE(o.ed().document.line(r),
                     QString::fromLatin1(East.split('\n')[r - 1]).trimmed());

        // This schedule only: the folder stays as it is.
        const RenumberPlan mine = layout.plan(Thing::Contact, u"12"_s, u"13"_s, false);
        QCOMPARE(mine.edits.size(), 3);
        for (const LineEdit& e : mine.edits)
            QCOMPARE(QFileInfo(e.file).fileName(), u"east.vfp"_s);
    }

    // A failed write elsewhere leaves the open rows as they were too.
    void failedWriteChangesNothing() {
        Opened o;
        LayoutView& layout = *o.ed().layout;
        const RenumberPlan plan = layout.plan(Thing::Contact, u"12"_s, u"112"_s, true);
        const RenumberOutcome out =
            layout.apply(plan, [](const QString&, const QByteArray&) -> Status {
                return Failure{u"disk full"_s};
            });
        QVERIFY(!out.done);
        QVERIFY(out.message.contains(u"west.vfp"_s));
        QCOMPARE(o.ed().document.line(2), u"B, 12, B"_s);
        QCOMPARE(ReadBytes(o.dir.filePath(u"west.vfp"_s)), West);
    }

    // Kind and a typed number filter whole ids; text finds the schedule.
    void filterByKindAndText() {
        Opened o;
        XrefFilter& f = o.ed().layout->filter();
        const int all = f.rowCount();
        QVERIFY(all >= 8);
        f.setKind(Thing::Contact);
        f.setText(u"12"_s);
        QCOMPARE(f.rowCount(), 5);
        f.setText(u"1"_s);
        QCOMPARE(f.rowCount(), 0);
        f.setKind(std::nullopt);
        f.setText(u"west"_s);
        QCOMPARE(f.rowCount(), 4);
        f.setText(QString());
        f.sort(XrefModel::IdColumn, Qt::DescendingOrder);
        QCOMPARE(f.index(0, XrefModel::IdColumn).data().toString(), u"20"_s);
        QCOMPARE(f.rowCount(), all);
    }

    // The export quotes what holds commas; a folder that cannot be written
    // gets a message and leaves nothing behind.
    void exportCsv() {
        Opened o;
        const QString out = o.dir.filePath(u"xref.csv"_s);
        VX_TRY(o.driver.run({u"file "_s + out, u"menu Dat_Xref"_s}));
        const QList<QByteArray> lines = ReadBytes(out).split('\n');
        QCOMPARE(lines[0], "kind,id,schedule,row,access,line\r");
        QVERIFY(lines[1].startsWith("contact,7,"));
        QVERIFY(lines[1].endsWith(",3,waits,\"K, 7, B\"\r"));

        const QString bad = o.dir.filePath(u"missing/xref.csv"_s);
        VX_TRY(o.driver.run({u"file "_s + bad, u"menu Dat_Xref"_s}));
        QVERIFY(!QFile::exists(bad));
        const QJsonArray messages = o.driver.state()[u"messages"_s].toArray();
        QVERIFY(!messages.isEmpty());
        QVERIFY(messages.last().toObject()[u"prompt"_s].toString().contains(bad));
    }
};

QTEST_GUILESS_MAIN(TestLayoutView)
#include "test_layout_view.moc"
