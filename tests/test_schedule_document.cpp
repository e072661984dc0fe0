#include "document/schedule_document.h"
#include "script/scripted_platform.h"
#include "texts/text_catalogue.h"

#include <QtTest>
#include <climits>

using namespace vx;

namespace {

struct Fixture {
    ScriptedPlatform scripted;
    Platform platform = scripted.platform();
    TextCatalogue catalogue;
    ScheduleDocument doc{platform, catalogue};

    Fixture() { catalogue.LoadCatalogue(u"EN"_qs); }

    // Grows the table to rows without asking.
    void growTo(int rows) {
        while (doc.RowCount < rows) {
            int n = std::min(99, rows - doc.RowCount);
            doc.ExpandRows(n);
        }
    }
};

} // namespace

class TestScheduleDocument : public QObject {
    Q_OBJECT

private slots:
    void startsWith99EmptyRows() {
        Fixture f;
        QCOMPARE(f.doc.RowCount, qint16(99));
        QCOMPARE(f.doc.grid.rows, 100);
        for (int r = 1; r <= 99; ++r) {
            QVERIFY(f.doc.line(r).isEmpty());
            QCOMPARE(f.doc.RowNumbers[size_t(r)], qint16(r));
            QCOMPARE(f.doc.grid.numberColumn[size_t(r)], QString::number(r));
        }
        QVERIFY(!f.doc.Modified);
        QVERIFY(f.doc.FilePath.isEmpty());
        QCOMPARE(f.doc.Answer, qint16(ScheduleDocument::AnswerNone));
    }

    void expandRows_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("answer"); // queued; 0 = nothing queued
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<int>("answerAfter");
        QTest::newRow("zero") << 99 << 0 << 0 << 99 << false << 5;
        QTest::newRow("negative") << 99 << -3 << 0 << 99 << false << 5;
        QTest::newRow("one") << 99 << 1 << 0 << 100 << false << 5;
        QTest::newRow("99 asks nothing") << 99 << 99 << 0 << 198 << false << 5;
        QTest::newRow("100 asks, yes") << 99 << 100 << MsgAnswer::Yes << 199 << true << 6;
        QTest::newRow("100 asks, no") << 99 << 100 << MsgAnswer::No << 99 << true << 9;
        QTest::newRow("capped at 1999") << 1990 << 50 << 0 << 1999 << false << 5;
        QTest::newRow("full table stays") << 1999 << 1 << 0 << 1999 << false << 5;
        QTest::newRow("just to the top") << 1990 << 9 << 0 << 1999 << false << 5;
        QTest::newRow("huge, yes") << 99 << INT_MAX << MsgAnswer::Yes << 1999 << true << 6;
    }

    void expandRows() {
        QFETCH(int, start);
        QFETCH(int, n);
        QFETCH(int, answer);
        QFETCH(int, rows);
        QFETCH(bool, asked);
        QFETCH(int, answerAfter);
        Fixture f;
        f.growTo(start);
        f.doc.Answer = 5; // a question leaves its own answer, no question leaves this
        f.doc.Modified = false;
        if (answer)
            f.scripted.answers.push_back(answer);
        int count = n;
        f.doc.ExpandRows(count);
        QCOMPARE(int(f.doc.RowCount), rows);
        QCOMPARE(f.doc.grid.rows, rows + 1);
        QCOMPARE(f.scripted.messages.size(), asked ? 1 : 0);
        QCOMPARE(int(f.doc.Answer), answerAfter);
        QVERIFY(!f.doc.Modified);
        QVERIFY(!f.scripted.busy);
        QVERIFY(f.doc.Lines.size() >= size_t(rows + 1));
        for (int r = 1; r <= rows; ++r)
            QCOMPARE(f.doc.RowNumbers[size_t(r)], qint16(r));
    }

    void expandQuestion() {
        Fixture f;
        int n = 100;
        f.doc.ExpandRows(n);
        QCOMPARE(f.scripted.messages.size(), 1);
        QCOMPARE(f.scripted.messages[0].title, u"VX-Editor"_qs);
        QCOMPARE(f.scripted.messages[0].prompt, u"Expand table really for  100 lines?"_qs);
        QCOMPARE(f.scripted.messages[0].style, MsgStyle::YesNo);
    }

    void gridNumbering() {
        Fixture f;
        f.doc.grid.currentColumn = 0;
        int n = 1;
        f.doc.ExpandRows(n);
        QCOMPARE(f.doc.grid.rows, 101);
        QCOMPARE(f.doc.grid.numberColumn[99], u"99"_qs);
        QCOMPARE(f.doc.grid.numberColumn[100], u" 100"_qs);
        QCOMPARE(f.doc.grid.currentColumn, 1);
        f.doc.ClearDocument();
        QCOMPARE(f.doc.grid.rows, 100);
        QCOMPARE(f.doc.grid.numberColumn[99], u"99"_qs);
    }

    void clearForgetsLongerSchedule() {
        Fixture f;
        f.growTo(300);
        for (int r = 1; r <= 300; ++r)
            f.doc.setLine(r, u"K, "_qs + QString::number(r));
        f.doc.FilePath = u"/p/long.vfp"_qs;
        f.doc.Modified = true;
        f.doc.ClearDocument();
        QCOMPARE(f.doc.RowCount, qint16(99));
        QCOMPARE(f.doc.grid.rows, 100);
        QCOMPARE(f.doc.FilePath, u"/p/long.vfp"_qs);
        QVERIFY(f.doc.Modified);
        f.growTo(400);
        for (int r = 1; r <= 400; ++r) {
            QVERIFY(f.doc.line(r).isEmpty());
            QVERIFY(f.doc.grid.textColumn[size_t(r)].isEmpty());
        }
    }

    void rowContent_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("content");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks") << u"    "_qs << false;
        QTest::newRow("tab is content") << u"\t"_qs << true;
        QTest::newRow("text") << u" K "_qs << true;
    }

    void rowContent() {
        QFETCH(QString, text);
        QFETCH(bool, content);
        Fixture f;
        f.doc.setLine(50, text);
        QCOMPARE(f.doc.anyRowHasContent(), content);
    }

    void extractFileName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslash") << u"C:\\Data\\plan1.vfp"_qs << u"plan1.vfp"_qs;
        QTest::newRow("no separator") << u"plan1.vfp"_qs << QString();
        QTest::newRow("slash") << u"/home/u/a.vfp"_qs << u"a.vfp"_qs;
        QTest::newRow("mixed, last wins") << u"C:\\x/y\\z.vfp"_qs << u"z.vfp"_qs;
        QTest::newRow("folder only") << u"C:\\Data\\"_qs << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void extractFileName() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        Fixture f;
        f.doc.FileName = u"stale"_qs;
        f.doc.FilePath = path;
        f.doc.ExtractFileName();
        QCOMPARE(f.doc.FileName, name);
    }
};

QTEST_APPLESS_MAIN(TestScheduleDocument)
#include "test_schedule_document.moc"
