#include "document/mts_import.h"

#include <QtTest>

using namespace vx;

class TestMtsImport : public QObject {
    Q_OBJECT

private slots:
    void address_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("note");
        const struct {
            int n;
            char16_t letter;
            int expected;
            const char16_t* note;
        } rows[] = {
            {0, u'A', 0, u""},
            {-1, u'B', -1, u""},
            {1, u'A', 1, u" [1a]"},
            {1, u'B', 2, u" [1b]"},
            {1, u'V', 801, u" [1v]"},
            {128, u'A', 255, u" [128a]"},
            {128, u'B', 256, u" [128b]"},
            {128, u'V', 928, u" [128v]"},
            {129, u'A', 513, u" [129a]"},
            {129, u'B', 514, u" [129b]"},
            {256, u'A', 767, u" [256a]"},
            {256, u'B', 768, u" [256b]"},
            {256, u'V', 1056, u" [256v]"},
            {257, u'A', 257, u""},
            {5, u'a', 9, u" [5a]"},
            {5, u'v', 805, u" [5v]"},
            {5, u'C', 5, u""},
        };
        for (const auto& r : rows)
            QTest::addRow("%d%c", r.n, char(r.letter))
                << r.n << QChar(r.letter) << r.expected << QString::fromUtf16(r.note);
    }

    void address() {
        QFETCH(int, n);
        QFETCH(QChar, letter);
        QFETCH(int, expected);
        QFETCH(QString, note);
        int number = -12345;
        QString got = QStringLiteral("stale");
        ConvertMtsAddress(n, letter, number, got);
        QCOMPARE(number, expected);
        QCOMPARE(got, note);
    }

    void line_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("row");
        const struct {
            const char* name;
            const char16_t* source;
            const char16_t* row;
        } rows[] = {
            // Contacts and magnetic articles: B, H, K, V (the decoder ranges
            // are in the address table above).
            {"contact A", u"K, 5A", u"K, 9  * [5a]"},
            {"following field keeps its blank", u"K, 5B, 2", u"K, 10, 2  * [5b]"},
            {"V output", u"K, 12V", u"K, 812  * [12v]"},
            {"out of the table, empty note", u"K, 300A", u"K, 300  *"},
            {"257 out of the table", u"H, 257B", u"H, 257  *"},
            {"overlong number kept as written", u"K, 99999999999999999999A",
             u"K, 99999999999999999999  *"},
            {"no letter", u"K, 7", u"K, 7"},
            {"other letter", u"K, 5C", u"K, 5C"},
            {"only the last letter counts", u"K, 5XA", u"K, 9  * [5a]"},
            {"lower case keeps the code's case", u"k, 5a", u"k, 9  * [5a]"},
            {"tail of the address field", u"K, 5A W", u"K, 9 W  * [5a]"},
            {"further fields keep their blanks", u"K, 5A,  x ", u"K, 9,  x   * [5a]"},
            {"leading blanks are cut", u"   K, 5A", u"K, 9  * [5a]"},
            // F with K, and R.
            {"F with K", u"F, K, 5A", u"F, K, 9  * [5a]"},
            {"F with lower-case k", u"f,k , 5a", u"f,k , 9  * [5a]"},
            {"F with M stays", u"F, M, 5A", u"F, M, 5A"},
            {"R tail from the address field", u"R,3,4B xyz", u"R, 3, 8 xyz  * [4b]"},
            {"R keeps p1 as it stands", u"R, 3, 4B", u"R,  3, 8  * [4b]"},
            // G, U and ! with prefix and postfix.
            {"G prefix", u"G, X5A", u"G, X9  * [5a]"},
            {"U postfix after A", u"U, 5AY", u"U, 9Y  * [5a]"},
            {"! with V", u"!, 5V", u"!, 805  * [5v]"},
            {"postfix after V refused", u"!, 5VX", u"!, 5VX"},
            {"prefix and postfix upper-cased", u"g, x5ay", u"g, X9Y  * [5a]"},
            {"G above 256 stays", u"G, X300A", u"G, X300A"},
            {"G token ends at asterisk", u"G, x5a*rem", u"G, X9 *rem  * [5a]"},
            {"! 256B", u"!, 256B", u"!, 768  * [256b]"},
            // Everything else.
            {"time stays", u"T, 12:30", u"T, 12:30"},
            {"remark", u"* K, 5A", u"* K, 5A"},
            {"blanks only", u"   ", u""},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString::fromUtf16(r.source) << QString::fromUtf16(r.row);
    }

    void line() {
        QFETCH(QString, source);
        QFETCH(QString, row);
        QString s = source;
        QString target = QStringLiteral("stale");
        ConvertMtsLine(s, target);
        QCOMPARE(target, row);
        QCOMPARE(s, QString(source).remove(QRegularExpression(QStringLiteral("^ +"))));
    }
};

QTEST_APPLESS_MAIN(TestMtsImport)
#include "test_mts_import.moc"
