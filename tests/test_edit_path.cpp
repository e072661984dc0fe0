// The one edit path: every change of the rows is an undo step, the unsaved
// mark follows the rows against those in the file, and rows travel over the
// clipboard as text lines. Driven as a user drives the editor.

#include "editor/document_files.h"
#include "test_driver.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using namespace vx::test;

namespace {

struct Rows {
    QJsonObject lines;
    int rowCount = 0;
    bool operator==(const Rows&) const = default;
};

Rows rowsOf(Driver& d) {
    const QJsonObject s = d.state();
    return {s[u"lines"_s].toObject(), s[u"rowCount"_s].toInt()};
}

QString describe(const Rows& r) {
    return QString::fromUtf8(QJsonDocument(r.lines).toJson(QJsonDocument::Compact)) +
           u" in %1 rows"_s.arg(r.rowCount);
}

// A schedule of lines 1..n opened from a file, so that the clean mark is set.
QString openSchedule(Driver& d, const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(u"plan.vfp"_s);
    if (!WriteBytes(path, bytes))
        return u"cannot write "_s + path;
    return d.run({u"file "_s + path, u"menu Dat_Ein"_s});
}

} // namespace

class TestEditPath : public QObject {
    Q_OBJECT

private slots:
    // Each path changes rows or the row count; undoing them all gives back the
    // rows and the row count as loaded, and the unsaved mark goes with them.
    void undoWalksBackEveryEditPath() {
        QTemporaryDir dir;
        Driver d;
        VX_TRY(openSchedule(d, dir, "K, 12, B\r\nL, 3, S, 40\r\nE\r\n"));
        const Rows start = rowsOf(d);
        QCOMPARE(d.state()[u"unsaved"_s].toBool(), false);

        const QList<QStringList> paths = {
            {u"enter K, 7"_s, u"set mskTxt0 5"_s, u"click transfer"_s},
            {u"click transfer-empty"_s},
            {u"row 2"_s, u"click insert"_s},
            {u"row 1"_s, u"click delete"_s},
            {u"row 3"_s, u"gridkey 65"_s, u"gridkey 8"_s, u"gridkey 8"_s, u"gridkey 27"_s},
            {u"row 1"_s, u"replace-of 3"_s, u"replace-to 33"_s, u"click replace-search"_s,
             u"click replace"_s},
            {u"set mskTxt0 150"_s}, // the table grows under a typed line number
            {u"rows 1 2"_s, u"key Ctrl+C"_s, u"row 140"_s, u"key Ctrl+V"_s},
            {u"rows 2 3"_s, u"key Ctrl+X"_s},
        };
        QList<Rows> after;
        for (const QStringList& path : paths) {
            const Rows before = rowsOf(d);
            for (const QString& action : path)
                VX_TRY(d.act(action));
            after.append(rowsOf(d));
            QVERIFY2(after.last() != before,
                     qPrintable(path.join(u" | "_s) + u" changed nothing"_s));
            QVERIFY(d.state()[u"unsaved"_s].toBool());
        }
        QCOMPARE(rowsOf(d).rowCount, 151);

        int undone = 0;
        while (d.state()[u"undo"_s][u"can"_s].toBool() && undone < 100) {
            VX_TRY(d.act(u"key Ctrl+Z"_s));
            ++undone;
        }
        // The transfer-empty after the typed-in K, 7 and the grid keys each count.
        QVERIFY2(rowsOf(d) == start, qPrintable(describe(rowsOf(d))));
        const QJsonObject back = d.state();
        QCOMPARE(back[u"unsaved"_s].toBool(), false);
        QCOMPARE(back[u"modified"_s].toBool(), true);

        // Redo walks forward to the same rows; the view stays out of it.
        while (d.state()[u"undo"_s][u"canRedo"_s].toBool())
            VX_TRY(d.act(u"key Ctrl+Y"_s));
        QVERIFY2(rowsOf(d) == after.last(), qPrintable(describe(rowsOf(d))));
    }

    // Unsaved: the rows against those last loaded or saved, not Modified.
    void unsavedFollowsTheRowsInTheFile() {
        QTemporaryDir dir;
        Driver d;
        const auto unsaved = [&d] { return d.state()[u"unsaved"_s].toBool(); };
        QVERIFY(!unsaved());
        VX_TRY(openSchedule(d, dir, "K, 1\r\n"));
        VX_TRY(d.run({u"row 1"_s, u"click fetch"_s}));
        QVERIFY(!unsaved()); // a fetch changes no row
        VX_TRY(d.run({u"gridkey 50"_s}));
        QVERIFY(unsaved());
        VX_TRY(d.run({u"gridkey 8"_s}));
        QVERIFY(!unsaved()); // typed back to the saved text
        VX_TRY(d.run({u"gridkey 27"_s}));
        QVERIFY(!unsaved()); // no row has content: nothing to lose
        VX_TRY(d.run({u"key Ctrl+Z"_s, u"row 2"_s, u"gridkey 69"_s}));
        QVERIFY(unsaved());
        VX_TRY(d.run({u"file "_s + dir.filePath(u"saved.vfp"_s), u"menu Dat_Sav"_s}));
        QVERIFY(!unsaved());
        VX_TRY(d.run({u"key Ctrl+Z"_s}));
        QVERIFY(unsaved()); // undo past the save
        VX_TRY(d.run({u"key Ctrl+Y"_s}));
        QVERIFY(!unsaved());

        // An import was never saved as a schedule: New asks although Modified is false.
        const QString lsp = dir.filePath(u"old.lsp"_s);
        QVERIFY(WriteBytes(lsp, "K, 5A\r\n"));
        VX_TRY(d.run({u"answer no"_s, u"file "_s + lsp, u"menu Dat_Imp"_s}));
        QJsonObject s = d.state();
        QVERIFY(s[u"unsaved"_s].toBool() && !s[u"modified"_s].toBool());
        VX_TRY(d.run({u"answer no"_s, u"menu Dat_Neu"_s}));
        s = d.state();
        QCOMPARE(Driver::at(s, u"messages.0.prompt").toString(), u"Save actual data?"_s);
        QCOMPARE(s[u"lines"_s].toObject().size(), 0);
    }

    void rowsTravelOverTheClipboard() {
        Driver d;
        VX_TRY(d.run({u"row-text 1 A"_s, u"row-text 2 B"_s, u"row-text 3 C"_s, u"row-text 4 D"_s}));
        // Selected upwards: the current row is the first one named.
        VX_TRY(d.run({u"rows 3 2"_s, u"key Ctrl+C"_s}));
        QJsonObject s = d.state();
        QCOMPARE(s[u"clipboard"_s].toString(), u"B\nC"_s);
        QCOMPARE(s[u"selection"_s].toArray(), QJsonArray({2, 3}));
        QCOMPARE(s[u"currentRow"_s].toInt(), 3);
        QCOMPARE(s[u"modified"_s].toBool(), false); // copying changes nothing

        // Paste inserts before the current row; the rows below move down.
        VX_TRY(d.run({u"row 1"_s, u"key Ctrl+V"_s}));
        s = d.state();
        QCOMPARE(s[u"lines"_s].toObject(), QJsonObject({{u"1"_s, u"B"_s},
                                                        {u"2"_s, u"C"_s},
                                                        {u"3"_s, u"A"_s},
                                                        {u"4"_s, u"B"_s},
                                                        {u"5"_s, u"C"_s},
                                                        {u"6"_s, u"D"_s}}));
        QCOMPARE(s[u"selection"_s].toArray(), QJsonArray({1, 2}));
        QCOMPARE(s[u"modified"_s].toBool(), true);

        // Cut takes them out; the rows below move up. One undo step each.
        VX_TRY(d.run({u"rows 3 5"_s, u"key Ctrl+X"_s}));
        s = d.state();
        QCOMPARE(s[u"lines"_s].toObject(),
                 QJsonObject({{u"1"_s, u"B"_s}, {u"2"_s, u"C"_s}, {u"3"_s, u"D"_s}}));
        QCOMPARE(s[u"clipboard"_s].toString(), u"A\nB\nC"_s);
        VX_TRY(d.act(u"key Ctrl+Z"_s));
        QCOMPARE(d.state()[u"lines"_s].toObject().size(), 6);

        // Text from elsewhere: every line end counts, as when loading.
        d.platform.clipboardText = u"X\r\nY\rZ\n"_s;
        VX_TRY(d.run({u"row 90"_s, u"key Ctrl+V"_s}));
        s = d.state();
        QCOMPARE(Driver::at(s, u"lines.90").toString(), u"X"_s);
        QCOMPARE(Driver::at(s, u"lines.92").toString(), u"Z"_s);
        QVERIFY(Driver::at(s, u"lines.93").isUndefined());

        // Pasting past the last row the table can have changes nothing.
        QString many;
        for (int i = 0; i < 1995; ++i)
            many += u"K, 1\n"_s;
        d.platform.clipboardText = many;
        const Rows before = rowsOf(d);
        VX_TRY(d.run({u"row 1"_s, u"key Ctrl+V"_s}));
        QVERIFY(rowsOf(d) == before);
        QCOMPARE(d.state()[u"explanation"_s][u"text"_s].toString(), u"No free space"_s);
        // Within the limit the table grows without asking, a reserve row left free.
        d.platform.clipboardText = many.left(1900 * 5);
        VX_TRY(d.run({u"row 1"_s, u"key Ctrl+V"_s}));
        s = d.state();
        QCOMPARE(s[u"rowCount"_s].toInt(), 92 + 1900 + 1);
        QCOMPARE(s[u"messages"_s].toArray().size(), 0);
        QCOMPARE(s[u"lines"_s].toObject().size(), 1900 + 9);
    }

    void saveProposesAScheduleName_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("none") << QString() << u"*.vfp"_s;
        QTest::newRow("a schedule") << u"plan.vfp"_s << u"plan.vfp"_s;
        QTest::newRow("upper case") << u"PLAN.VFP"_s << u"PLAN.VFP"_s;
        QTest::newRow("other extension") << u"plan.txt"_s << u"plan.vfp"_s;
        QTest::newRow("no extension") << u"plan"_s << u"plan.vfp"_s;
    }

    void saveProposesAScheduleName() {
        QFETCH(QString, fileName);
        QFETCH(QString, proposed);
        QCOMPARE(ProposedScheduleName(fileName), proposed);
    }

    // The whole way: an import of plan.txt keeps its name, Save proposes plan.vfp.
    void saveAfterImportingATextFile() {
        QTemporaryDir dir;
        Driver d;
        const QString txt = dir.filePath(u"plan.txt"_s);
        QVERIFY(WriteBytes(txt, "K, 5A\r\n"));
        VX_TRY(d.run({u"file "_s + txt, u"menu Dat_Imp"_s, u"file cancel"_s, u"menu Dat_Sav"_s}));
        QCOMPARE(d.platform.fileRequests.last().initialName, u"plan.vfp"_s);
    }
};

QTEST_GUILESS_MAIN(TestEditPath)
#include "test_edit_path.moc"
