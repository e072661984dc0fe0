// The layout inside the editor: the uses of the thing a row names, in the
// open schedule and in the folder, renumbering that the open schedule undoes
// in one step, and the cross-reference table behind its filter.

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "layout/xref_listing.h"
#include "test_driver.h"
#include "test_support.h"
#include "texts/text_catalogue.h"

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

    // An N line's start address belongs to the schedule it loads: F12 opens
    // that schedule at the definition, Shift+F12 lists the address's uses
    // there and the N lines that start it, not a same-named one here.
    void startAddressOfN() {
        QTemporaryDir dir;
        WriteBytes(dir.filePath(u"east.vfp"_s), "!, PARK\r\nN, WEST.VFP, 1, park\r\n");
        WriteBytes(dir.filePath(u"west.vfp"_s), "K, 1, B\r\nG, PARK\r\n!, PARK\r\n");
        WriteBytes(dir.filePath(u"north.vfp"_s), "N, west, 1, PARK\r\nN, east, 1, PARK\r\n");
        Driver driver;
        VX_TRY(driver.run({u"file "_s + dir.filePath(u"east.vfp"_s), u"menu Dat_Ein"_s, u"row 2"_s,
                           u"key Shift+F12"_s}));
        const QJsonObject s = driver.state();
        QCOMPARE(s[u"uses"_s].toArray(), (QJsonArray{2}));
        QStringList places;
        for (const QJsonValue& v : s[u"layoutUses"_s].toArray())
            places << QFileInfo(v[u"file"_s].toString()).fileName() + u':' +
                          QString::number(v[u"line"_s].toInt());
        QCOMPARE(places, (QStringList{u"north.vfp:1"_s, u"west.vfp:2"_s, u"west.vfp:3"_s}));

        VX_TRY(driver.run({u"row 2"_s, u"key F12"_s}));
        QCOMPARE(QFileInfo(driver.state()[u"filePath"_s].toString()).fileName(), u"west.vfp"_s);
        QCOMPARE(driver.state()[u"currentRow"_s].toInt(), 3);
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

    // The printed form: one group per thing under the listing's page head;
    // a group that runs over a page is named again at the top of the next.
    void xrefListingPages() {
        QTemporaryDir dir;
        QByteArray many;
        for (int i = 0; i < 60; ++i)
            many += "K, 5, B\r\n";
        many += "F, K, 7, B\r\n";
        WriteBytes(dir.filePath(u"a.vfp"_s), many);
        LayoutIndex index;
        index.addPaths({dir.path()});
        TextCatalogue c;
        c.LoadCatalogue(u"DE"_s);
        const ListingDocument doc = RenderXrefListing(index, u"/anlage"_s, u"1.2.2027"_s, c);
        QCOMPARE(doc.pages.size(), 2);
        const QStringList text = ListingText(doc).split(u'\n');
        const qsizetype second = text.indexOf(u"\f"_s);
        QVERIFY(second > 0);
        QCOMPARE(text.mid(0, second).size(), ListingLayout::LinesPerPage);
        QVERIFY(text[2].startsWith(u"       VX-EDIT   Anlagen-Ordner: /anlage"_s));
        QVERIFY(text[2].contains(u"1.2.2027"_s));
        QVERIFY(text[2].endsWith(u"Seite: 1"_s));
        QVERIFY(text[4].contains(u"Fahrplan"_s));
        QCOMPARE(text[5].trimmed(), u"Kontakt 5"_s);
        QVERIFY(text[6].contains(u"a.vfp"_s) && text[6].contains(u"wartet"_s) &&
                text[6].endsWith(u"K, 5, B"_s));
        QVERIFY(text[second + 3].endsWith(u"Seite: 2"_s));
        QCOMPARE(text[second + 6].trimmed(), u"Kontakt 5"_s);
        QCOMPARE(text.filter(u"Kontakt 7"_s).size(), 1);
        QVERIFY(text.last(2).first().contains(u"prüft"_s));
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
