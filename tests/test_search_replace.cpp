#include "document/schedule_document.h"
#include "editing/search_replace.h"
#include "script/scripted_platform.h"
#include "texts/text_catalogue.h"

#include <QtTest>

using namespace vx;

class TestSearchReplace : public QObject {
    Q_OBJECT

private slots:
    void find_data() {
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("position");
        QTest::newRow("from row 1") << 1 << u"12"_qs << 2 << 4;
        QTest::newRow("continued") << 2 << u"12"_qs << 5 << 5;
        QTest::newRow("wraps round") << 5 << u"12"_qs << 2 << 4;
        QTest::newRow("from the last row starts at 1") << 99 << u"12"_qs << 2 << 4;
        QTest::newRow("trailing blanks ignored") << 1 << u"12   "_qs << 2 << 4;
        QTest::newRow("leading blank is searched") << 1 << u" 312"_qs << 5 << 3;
        QTest::newRow("lower case finds upper") << 1 << u"k, 1"_qs << 2 << 1;
        QTest::newRow("upper case misses lower remark") << 1 << u"WEST"_qs << 0 << 0;
        QTest::newRow("lower remark found as typed") << 1 << u"west"_qs << 7 << 12;
        QTest::newRow("only the first in a line") << 7 << u"R"_qs << 5 << 9;
        QTest::newRow("current row searched last") << 2 << u"K, 12"_qs << 2 << 1;
        QTest::newRow("blank text finds nothing") << 1 << u"   "_qs << 0 << 0;
        QTest::newRow("not there") << 1 << u"xyz"_qs << 0 << 0;
    }

    void find() {
        QFETCH(int, currentRow);
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, position);
        ScriptedPlatform p;
        Platform platform = p.platform();
        TextCatalogue catalogue;
        ScheduleDocument doc(platform, catalogue);
        doc.setLine(2, u"K, 12, B"_qs);
        doc.setLine(5, u"M, 312, R"_qs);
        doc.setLine(7, u"M, 1, G  * west RR"_qs);
        const Occurrence o = FindOccurrence(doc, currentRow, text);
        QCOMPARE(o.row, row);
        QCOMPARE(o.position, position);
    }

    // With "whole number" a digit next to a text that begins or ends with
    // one hides it; blanks, signs and letters do not (the replace flow has
    // the numbers inside numbers).
    void findWholeNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("position");
        QTest::newRow("digit before") << u"12, R"_qs << 0 << 0;
        QTest::newRow("sign before, end of line") << u"5"_qs << 7 << 12;
        QTest::newRow("letters at both ends") << u"K, 1"_qs << 0 << 0;
        QTest::newRow("no digit at the ends") << u", F"_qs << 7 << 6;
    }
    void findWholeNumber() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, position);
        ScriptedPlatform p;
        Platform platform = p.platform();
        TextCatalogue catalogue;
        ScheduleDocument doc(platform, catalogue);
        doc.setLine(2, u"K, 112, B"_qs);
        doc.setLine(5, u"M, 312, R"_qs);
        doc.setLine(7, u"K, 12, F, -5"_qs);
        const Occurrence o = FindOccurrence(doc, 1, text, true);
        QCOMPARE(o.row, row);
        QCOMPARE(o.position, position);
    }

    void replace_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("of");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same length")
            << u"K, 12, B"_qs << 4 << u"12"_qs << u"13"_qs << u"K, 13, B"_qs;
        QTest::newRow("by nothing") << u"K, 12, B"_qs << 4 << u"12"_qs << u""_qs << u"K, , B"_qs;
        QTest::newRow("texts trimmed")
            << u"K, 12, B"_qs << 4 << u" 12 "_qs << u" 7 "_qs << u"K, 7, B"_qs;
        QTest::newRow("longer") << u"M, 1, G"_qs << 4 << u"1"_qs << u"1024"_qs << u"M, 1024, G"_qs;
        QTest::newRow("at the end") << u"E, W"_qs << 4 << u"W"_qs << u"U"_qs << u"E, U"_qs;
    }

    void replace() {
        QFETCH(QString, line);
        QFETCH(int, position);
        QFETCH(QString, of);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QCOMPARE(ReplaceAt(line, position, of, to), expected);
    }
};

QTEST_GUILESS_MAIN(TestSearchReplace)
#include "test_search_replace.moc"
