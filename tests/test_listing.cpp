// The printed listing through vxedit-cli listing: every command family in
// tests/data/listing/families.vfp renders as families.txt with the messages of
// families.err (double addresses, values beyond their limits); then the page
// breaks, the address table's limit, the text form and the tool's own options.

#include "print/listing.h"
#include "test_support.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;
using namespace vx::test;
using namespace Qt::StringLiterals;

namespace {

QString listingData(const char* name) {
    return QStringLiteral(VX_TEST_DATA "/listing/") + QLatin1StringView(name);
}

QByteArray rows(const QStringList& lines) {
    return lines.join(u"\r\n"_s).toLatin1() + "\r\n";
}

// The listing of the schedule given on stdin, in English.
CliRun listing(const QByteArray& schedule, const QStringList& more = {}) {
    return RunCli(QStringList{u"listing"_s, u"--lang"_s, u"EN"_s, u"--date"_s, u"24.12.2024"_s} +
                      more + QStringList{u"-"_s},
                  schedule);
}

int pdfPages(const QByteArray& pdf) {
    static const QRegularExpression page(u"/Type\\s*/Page(?![s\\w])"_s);
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void everyFamily() {
        const CliRun run = listing(ReadBytes(listingData("families.vfp")));
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        const QStringList expected =
            QString::fromUtf8(ReadBytes(listingData("families.txt"))).split(u'\n');
        const QStringList actual = QString::fromUtf8(run.out).split(u'\n');
        for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i)
            QVERIFY2(actual[i] == expected[i], qPrintable(u"line %1: "_s.arg(i + 1) + actual[i]));
        QCOMPARE(actual.size(), expected.size());
        QCOMPARE(run.err, ReadBytes(listingData("families.err")));
    }

    // 55 printed lines fill a page; empty rows print nothing.
    void pageBreaks() {
        QStringList lines(55, u"E"_s);
        lines.append(u"   "_s);
        QCOMPARE(listing(rows(lines)).out.count('\f'), 0);
        lines.append(u"E"_s);
        const CliRun two = listing(rows(lines));
        QCOMPARE(two.out.count('\f'), 1);
        QVERIFY(two.out.endsWith(
            QByteArray("command line\n         57    End schedule" + QByteArray(67, ' ') + "E\n")));
        QCOMPARE(listing(rows({QString(), u"    "_s})).out, QByteArray());
        // A four-digit line number ends in the same column.
        QStringList far(1999);
        far.back() = u"E"_s;
        QVERIFY(listing(rows(far)).out.contains("\n       1999    End schedule"));
    }

    // The table of addresses holds 999; a full table is told per further line.
    void addressTableFull() {
        QStringList lines;
        for (int i = 1; i <= 1000; ++i)
            lines.append(u"!, A%1"_s.arg(i));
        lines << u"G, A1"_s << u"G, ELSEWHERE"_s;
        const CliRun run = listing(rows(lines));
        QCOMPARE(run.exitCode, 0);
        const QList<QByteArray> messages = run.err.trimmed().split('\n');
        QCOMPARE(messages.size(), 2);
        for (const QByteArray& m : messages)
            QCOMPARE(QJsonDocument::fromJson(m).object()[u"number"_s].toInt(), 27013);
        QVERIFY(run.out.contains("Goto A1 <LNo.= 1>"));
        QVERIFY(run.out.contains("Goto ELSEWHERE <LNo.=undefined>"));
    }

    // Pieces at their character columns, a later piece cutting an earlier
    // one, form feeds between pages, no trailing blanks.
    void textForm() {
        ListingPage first;
        first.lines.append(ListingLine{});
        first.lines.append(ListingLine{{{3, u"ab  "_s}, {8, u"c"_s, true, true}}});
        first.lines.append(ListingLine{{{1, u"123456789"_s}, {4, u"X"_s}}});
        ListingPage second;
        second.lines.append(ListingLine{{{2, u"z"_s}}});
        ListingDocument document;
        document.pages = {first, second};
        QCOMPARE(ListingText(document), u"\n  ab   c\n123X\n\f\n z\n"_s);
    }

    void spanishByDefaultAndToAFile() {
        QVERIFY(dir_.isValid());
        const QString in = dir_.filePath(u"in.vfp"_s);
        const QString out = dir_.filePath(u"out.txt"_s);
        QVERIFY(WriteBytes(in, "E\r\n"));
        const CliRun run = RunCli({u"listing"_s, u"--date"_s, u"x"_s, u"-o"_s, out, in});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(ReadBytes(out).contains("Fin"));
    }

    void pdf() {
        const QString out = dir_.filePath(u"out.pdf"_s);
        const CliRun run =
            listing(rows(QStringList(56, u"M, 1, G"_s)), {u"--format"_s, u"pdf"_s, u"-o"_s, out});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(pdfPages(ReadBytes(out)), 2);
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("pdf without output") << QStringList{u"--format"_s, u"pdf"_s, u"-"_s};
        QTest::newRow("unknown format") << QStringList{u"--format"_s, u"html"_s, u"-"_s};
        QTest::newRow("no file") << QStringList{};
        QTest::newRow("missing file") << QStringList{u"/no/such.vfp"_s};
        QTest::newRow("unwritable output") << QStringList{u"-o"_s, u"/no/dir/out.txt"_s, u"-"_s};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const CliRun run = RunCli(QStringList{u"listing"_s} + args, "E\r\n");
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(!run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestListing)
#include "test_listing.moc"
