// The layout inside the editor: the uses of the thing a row names, in the
// open schedule and in the folder, renumbering that the open schedule undoes
// in one step, and the cross-reference table behind its filter.

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "layout/xref_listing.h"
#include "test_driver.h"
#include "test_support.h"
#include "texts/text_catalogue.h"

#include <QAbstractItemModelTester>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

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

// The table as the user reads it, row by row.
QStringList Shown(const QAbstractItemModel& model) {
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < XrefModel::ColumnCount; ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(u'|');
    }
    return rows;
}

// A layout view over lines in memory, its table checked by Qt's model tester.
struct Memory {
    QString path;
    QStringList lines;
    int changedOnDisk = 0;
    TextCatalogue catalogue;
    LayoutView view;
    QAbstractItemModelTester table;
    QAbstractItemModelTester filtered;
    explicit Memory(const QString& open)
        : path(open),
          view(LayoutView::Parts{catalogue, [this] { return path; }, [this] { return lines; },
                                 [](const QList<QPair<int, QString>>&) {},
                                 [this] { ++changedOnDisk; }}),
          table(&view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest),
          filtered(&view.filter(), QAbstractItemModelTester::FailureReportingMode::QtTest) {}
};

// Schedules whose lines name the same contacts and markers in each.
void WriteLayout(const QTemporaryDir& dir, int count, int lines) {
    static const char* const forms[] = {"K, %1, B", "D, %1, A, M%2", "H, %1, M%2", "B, %1, F",
                                        "G, A%1",   "!, A%1",        "F, K, %1, B"};
    for (int s = 0; s < count; ++s) {
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += QString::fromLatin1(forms[i % 7])
                         .replace(u"%2"_s, QString::number(s + 2))
                         .replace(u"%1"_s, QString::number(i % 13 + 1))
                         .toLatin1() +
                     "\r\n";
        WriteBytes(dir.filePath(u"s%1.vfp"_s.arg(s, 2, 10, QChar(u'0'))), bytes);
    }
}

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
        // The table shows the new numbers everywhere.
        XrefModel fresh(o.ed().catalogue, layout.index());
        fresh.reset();
        QCOMPARE(Shown(layout.filter()), Shown(fresh));
        QVERIFY(Shown(fresh).filter(u"|112|"_s).size() == 5);

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

    // Each edit of the open schedule changes only its rows, in place; the
    // table must then equal one made afresh, in every sort order, and the
    // index one parsed afresh.
    void editsKeepTheTableSorted_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("order");
        for (int c = -1; c < XrefModel::ColumnCount; ++c)
            for (const int o : {0, 1})
                QTest::addRow("column %d order %d", c, o) << c << o;
    }
    void editsKeepTheTableSorted() {
        QFETCH(int, column);
        QFETCH(int, order);
        QTemporaryDir dir;
        WriteLayout(dir, 3, 14);
        Memory m(dir.filePath(u"s01.vfp"_s));
        m.lines = QString::fromLatin1(ReadBytes(m.path)).split(u"\r\n"_s);
        m.lines.removeLast();
        m.view.followOpenSchedule();
        m.view.filter().sort(column, static_cast<Qt::SortOrder>(order));
        const std::function<void(QStringList&)> edits[] = {
            [](QStringList& l) { l[3] = u"K, 77, B"_s; },                      // another thing
            [](QStringList& l) { l[0] = u"K, 1, F"_s; },                       // the same thing
            [](QStringList& l) { l.insert(5, u"D, 9, ZS, M40"_s); },           // rows below move
            [](QStringList& l) { l.insert(0, QString()); },                    // a blank row on top
            [](QStringList& l) { l.remove(7, 3); },                            // rows go
            [](QStringList& l) { l[2] = u"K, 5, B * Weiche \u00e4\u2192"_s; }, // stored lossy
            [](QStringList& l) { l.append(u"M, 3, G"_s); },                    // at the end
            [](QStringList& l) { l[4] = u"K, 6\u0001, B"_s; }, // no schedule any more
            [](QStringList& l) { l[4] = u"K, 6, B"_s; },       // a schedule again
            [](QStringList& l) { l.clear(); },
        };
        for (const auto& edit : edits) {
            edit(m.lines);
            m.view.syncOpenSchedule();
            XrefModel fresh(m.catalogue, m.view.index());
            fresh.reset();
            fresh.sort(column, static_cast<Qt::SortOrder>(order));
            QCOMPARE(Shown(m.view.filter()), Shown(fresh));

            LayoutIndex parsed;
            const LayoutSchedule& once = parsed.setLines(m.path, m.lines);
            const LayoutSchedule* kept = m.view.index().find(m.path);
            QVERIFY(kept);
            QCOMPARE(kept->lines, once.lines);
            QCOMPARE(kept->state, once.state);
            QCOMPARE(kept->uses.size(), once.uses.size());
            for (qsizetype i = 0; i < once.uses.size(); ++i) {
                const LayoutUse& a = kept->uses[i];
                const LayoutUse& b = once.uses[i];
                QVERIFY(a.thing == b.thing && a.id == b.id && a.access == b.access &&
                        a.line == b.line && a.operand == b.operand && a.span == b.span);
            }
        }
    }

    // Read in slices, the layout answers as one read at once; what asks
    // about it before the end waits for the rest, the findings come after.
    void folderReadInSteps() {
        QTemporaryDir dir;
        WriteLayout(dir, 40, 300);
        Memory whole(dir.filePath(u"s07.vfp"_s));
        whole.lines = {u"K, 3, B"_s, u"D, 5, A, M99"_s};
        whole.view.followOpenSchedule();

        Memory stepped(whole.path);
        stepped.lines = whole.lines;
        stepped.view.setStepped(true);
        int told = 0;
        stepped.view.rescanned = [&] { ++told; };
        stepped.view.followOpenSchedule();
        QVERIFY(stepped.view.reading());
        QVERIFY(stepped.view.openFindings().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!stepped.view.reading(), 60000);
        QCOMPARE(told, 1);
        QCOMPARE(Shown(stepped.view.filter()), Shown(whole.view.filter()));
        QCOMPARE(stepped.view.openFindings().size(), whole.view.openFindings().size());
        QVERIFY(!whole.view.openFindings().isEmpty()); // marker 99 is written by none

        Memory asked(whole.path);
        asked.lines = whole.lines;
        asked.view.setStepped(true);
        asked.view.followOpenSchedule();
        const auto uses = asked.view.usesOfLine(u"K, 3, B"_s);
        QVERIFY(!asked.view.reading());
        QVERIFY(uses && uses->layoutLines.size() > 100);
        QCOMPARE(Shown(asked.view.filter()), Shown(whole.view.filter()));
    }

    // The schedule the user leaves stays in the layout as its file holds it:
    // after opening another one, after New, without saving its edits.
    void leftScheduleStaysAsSaved() {
        Opened o;
        LayoutView& layout = *o.ed().layout;
        const auto contact12 = [&] {
            XrefFilter& f = layout.filter();
            f.setKind(Thing::Contact);
            f.setText(u"12"_s);
            return Shown(f);
        };
        const QStringList before = contact12();
        QCOMPARE(before.size(), 5);
        VX_TRY(o.driver.run({u"row-text 2 K, 55, B"_s, u"answer no"_s,
                             u"file "_s + o.dir.filePath(u"west.vfp"_s), u"menu Dat_Ein"_s}));
        QCOMPARE(QFileInfo(o.ed().document.FilePath).fileName(), u"west.vfp"_s);
        QCOMPARE(contact12().size(), 5);
        QVERIFY(contact12().filter(u"east.vfp"_s).size() == 3);

        VX_TRY(o.driver.run({u"answer no"_s, u"menu Dat_Neu"_s}));
        QCOMPARE(contact12().size(), 5);
        QVERIFY(layout.openFindings().isEmpty());
        // "This schedule" is no schedule of the layout now.
        QVERIFY(layout.plan(Thing::Contact, u"12"_s, u"13"_s, false).edits.isEmpty());
    }

    // A chosen layout folder holds while its schedules are open; opening one
    // of another folder makes that folder the layout.
    void scheduleElsewhereBringsItsFolder() {
        Opened o;
        QTemporaryDir other;
        WriteBytes(other.filePath(u"north.vfp"_s), "K, 12, B\r\n");
        o.ed().chooseLayoutFolder(o.dir.path());
        VX_TRY(o.driver.run({u"file "_s + o.dir.filePath(u"west.vfp"_s), u"menu Dat_Ein"_s}));
        QVERIFY(o.ed().layout->folderChosen());
        VX_TRY(o.driver.run({u"file "_s + other.filePath(u"north.vfp"_s), u"menu Dat_Ein"_s}));
        QVERIFY(!o.ed().layout->folderChosen());
        QCOMPARE(QFileInfo(o.ed().layout->folder()).absoluteFilePath(),
                 QFileInfo(other.path()).absoluteFilePath());
        QCOMPARE(o.ed().layout->index().schedules().size(), 1);
    }

    // Files changed by another program are read again, their rows alone
    // replaced; the open one is only reported, its rows stay the document's.
    void filesChangedOnDisk() {
        QTemporaryDir dir;
        WriteLayout(dir, 3, 20);
        Memory m(dir.filePath(u"s00.vfp"_s));
        m.lines = {u"K, 1, B"_s, u"M, 5, G"_s};
        m.view.followOpenSchedule();
        m.view.filter().sort(XrefModel::IdColumn, Qt::AscendingOrder);
        const auto same = [&] {
            XrefModel fresh(m.catalogue, m.view.index());
            fresh.reset();
            fresh.sort(XrefModel::IdColumn, Qt::AscendingOrder);
            return Shown(m.view.filter()) == Shown(fresh);
        };
        WriteBytes(dir.filePath(u"s01.vfp"_s), "K, 1, F\r\nS, 44, R\r\n");
        WriteBytes(dir.filePath(u"s02.vfp"_s), "\x01\x02 not a schedule");
        WriteBytes(m.path, "E\r\n");
        m.view.rescan();
        QVERIFY(same());
        QCOMPARE(m.changedOnDisk, 1);
        QCOMPARE(m.view.index().find(dir.filePath(u"s02.vfp"_s))->state,
                 LayoutSchedule::State::NotSchedule);
        QCOMPARE(m.view.filter().rowCount(), 4); // 2 of the open rows, 2 of s01
        WriteBytes(dir.filePath(u"s02.vfp"_s), "M, 44, R\r\n");
        m.view.rescan();
        QVERIFY(same());
        QCOMPARE(m.view.filter().rowCount(), 5);
        QCOMPARE(m.changedOnDisk, 1);
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
