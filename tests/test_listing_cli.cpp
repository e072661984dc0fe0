// vxedit-cli listing: the text form, the PDF form, the messages on stderr and
// the usage errors.

#include "print/listing.h"
#include "test_support.h"
#include "texts/text_catalogue.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;

namespace {

// A row as its pieces at their columns.
QString Row(std::initializer_list<std::pair<int, QString>> pieces) {
    QString row;
    for (const auto& [column, text] : pieces)
        row = row.leftJustified(column - 1) + text;
    return row;
}

QString Header(const QString& path, const QString& date, int page) {
    return u"\n\n"_qs +
           Row({{8, u"VX-EDIT   schedule file: "_qs + path},
                {80, date},
                {95, u"Page: %1"_qs.arg(page)}}) +
           u"\n\n"_qs +
           Row({{10, u"LNo."_qs},
                {16, u"S c h e d u l e - command as text"_qs},
                {95, u"command line"_qs}}) +
           u'\n';
}

QString Line(int n, const QString& text, const QString& commandLine) {
    const QString number = u' ' + QString::number(n);
    return Row({{12 - static_cast<int>(number.size()), number}, {16, text}, {95, commandLine}}) +
           u'\n';
}

QList<QJsonObject> Messages(const QByteArray& err) {
    QList<QJsonObject> messages;
    for (const QByteArray& line : err.split('\n')) {
        if (line.isEmpty())
            continue;
        const QJsonDocument json = QJsonDocument::fromJson(line);
        if (!json.isObject())
            return {}; // anything else on stderr fails the caller's count
        messages.append(json.object());
    }
    return messages;
}

int PdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

} // namespace

class TestListingCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Writes rows as a schedule file (Windows-1252, CR LF) and returns its path.
    QString schedule(const char* name, const QStringList& rows) {
        const QString path = dir_.filePath(QString::fromLatin1(name));
        QByteArray bytes;
        for (const QString& row : rows)
            bytes += row.toLatin1() + "\r\n";
        test::WriteBytes(path, bytes);
        return path;
    }

    test::CliRun listing(const QStringList& args) {
        return test::RunCli(QStringList{u"listing"_qs} + args);
    }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // The example renderings, each at its columns, the target suffixes, the
    // indent after an If, a gap in the numbering.
    void examplesToTheCharacter() {
        const QString path = schedule("examples.vfp", {u"B, 12, B, 7"_qs,
                                                       u"K, 5, F"_qs,
                                                       u"M, 12, G"_qs,
                                                       u"S, 7, R"_qs,
                                                       u"M, M5, O"_qs,
                                                       u"X, 5, S"_qs,
                                                       u"X, 5, R"_qs,
                                                       u"Y, 12, F"_qs,
                                                       u"X, 7, W, R"_qs,
                                                       u"T, 9, 5"_qs,
                                                       u"T, 12, 30, S, 10"_qs,
                                                       u"T, 6, 0, H"_qs,
                                                       u"V3, 25"_qs,
                                                       u"V, 25"_qs,
                                                       u"W, 5"_qs,
                                                       u"W, 0"_qs,
                                                       u"W, M12"_qs,
                                                       u"Z, 5"_qs,
                                                       u"Z, 25"_qs,
                                                       u"Z, M17"_qs,
                                                       QString(),
                                                       u"F, K, 5, B"_qs,
                                                       u"G, HERE"_qs,
                                                       u"!, HERE"_qs,
                                                       u"G, THERE"_qs});
        const test::CliRun run =
            listing({u"--lang"_qs, u"EN"_qs, u"--date"_qs, u"31.12.2024"_qs, path});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QString expected =
            Header(path, u"31.12.2024"_qs, 1) +
            Line(1, u"Occupy contact 12 => RESERVED (CLOSED)  with  Loco no. 7"_qs,
                 u"B, 12, B, 7"_qs) +
            Line(2, u"Contact no.  5 FREE (OPEN) waiting"_qs, u"K, 5, F"_qs) +
            Line(3, u"Magnetic-no: 12 set to  => GREEN/STRAIGHT"_qs, u"M, 12, G"_qs) +
            Line(4, u"Signal no.  7 set to  => STOP/RED"_qs, u"S, 7, R"_qs) +
            Line(5, u"Magnetic(no. in marker 5) set to  => ORANGE/2. DIVERGING"_qs,
                 u"M, M5, O"_qs) +
            Line(6, u"Switch route-no.  5 switch"_qs, u"X, 5, S"_qs) +
            Line(7, u"Reserve switch route-no.  5"_qs, u"X, 5, R"_qs) +
            Line(8, u"Release switch route via marker no. 12"_qs, u"Y, 12, F"_qs) +
            Line(9, u"wait until Switch route-no.  7 RESERVED"_qs, u"X, 7, W, R"_qs) +
            Line(10, u"Model clock time 09:05 o'clock waiting"_qs, u"T, 9, 5"_qs) +
            Line(11, u"Set to  Model clock time 12:30 o'clock + start with time lapse value=10"_qs,
                 u"T, 12, 30, S, 10"_qs) +
            Line(12, u"Model clock time 06:00 o'clock stop"_qs, u"T, 6, 0, H"_qs) +
            Line(13, u"Set the  SET variable[3] ==> 25"_qs, u"V3, 25"_qs) +
            Line(14, u"Set the  SET variable[] ==>  25"_qs, u"V, 25"_qs) +
            Line(15, u"Repeat 5 times"_qs, u"W, 5"_qs) +
            Line(16, u"Repeat SETVar times"_qs, u"W, 0"_qs) +
            Line(17, u"Repeat(Value in marker no. 12) x-times"_qs, u"W, M12"_qs) +
            Line(18, u"Time delay: 0,5 sec."_qs, u"Z, 5"_qs) +
            Line(19, u"Time delay:  2,5 sec."_qs, u"Z, 25"_qs) +
            Line(20, u"Time delay: (Value in marker no. 17) *1/10 sec."_qs, u"Z, M17"_qs) +
            Line(22, u"If contact 5 RESERVED (CLOSED)"_qs, u"F, K, 5, B"_qs) +
            Line(23, u"      Goto HERE <LNo.= 24>"_qs, u"G, HERE"_qs) +
            Line(24, u"GOTO address HERE"_qs, u"!, HERE"_qs) +
            Line(25, u"Goto THERE <LNo.=undefined>"_qs, u"G, THERE"_qs);
        QCOMPARE(QString::fromUtf8(run.out), expected);
    }

    void fiftySixLinesTwoPages() {
        QStringList rows;
        for (int r = 1; r <= 56; ++r)
            rows.append(u"K, %1, B"_qs.arg(r));
        const QString path = schedule("pages.vfp", rows);
        const test::CliRun run = listing({u"--lang=EN"_qs, u"--date=D"_qs, path});
        QCOMPARE(run.exitCode, 0);
        const QStringList pages = QString::fromUtf8(run.out).split(u"\f\n"_qs);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].count(u'\n'), 60);
        QVERIFY(pages[0].startsWith(Header(path, u"D"_qs, 1)));
        QCOMPARE(pages[1],
                 Header(path, u"D"_qs, 2) +
                     Line(56, u"Contact no.  56 RESERVED (CLOSED) waiting"_qs, u"K, 56, B"_qs));
    }

    void doubleAddressOnce() {
        const QString path =
            schedule("double.vfp", {u"E"_qs, u"E"_qs, u"!, TWICE"_qs, u"E"_qs, u"E"_qs, u"E"_qs,
                                    u"E"_qs, u"E"_qs, u"U, twice"_qs});
        const test::CliRun run = listing({u"--lang"_qs, u"EN"_qs, path});
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> messages = Messages(run.err);
        QCOMPARE(messages.size(), 1);
        const QJsonObject& m = messages[0];
        QCOMPARE(m.keys(), (QStringList{u"number"_qs, u"prompt"_qs, u"style"_qs, u"title"_qs}));
        QCOMPARE(m[u"number"_qs].toInt(), 27016);
        QCOMPARE(m[u"title"_qs].toString(), u"VX-EDIT message  27016"_qs);
        QVERIFY(m[u"prompt"_qs].toString().contains(u"defined at: < 3 >  and also at: < 9 >"_qs));
        QCOMPARE(m[u"style"_qs].toInt(), 4112);
        // Both lines are printed.
        QVERIFY(run.out.contains("!, TWICE"));
        QVERIFY(run.out.contains("U, twice"));
    }

    void valueBeyondLimit() {
        const QString path = schedule("limit.vfp", {u"S, M1000, G"_qs, u"Z, M0"_qs});
        const test::CliRun run = listing({u"--lang"_qs, u"EN"_qs, path});
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> messages = Messages(run.err);
        QCOMPARE(messages.size(), 2);
        QCOMPARE(messages[0][u"number"_qs].toInt(), 27019);
        QVERIFY(messages[0][u"prompt"_qs].toString().startsWith(
            u" 27019 The value of a variable is outside of its limits! "_qs));
        QCOMPARE(messages[1][u"number"_qs].toInt(), 27013);
        QVERIFY(run.out.contains("Signal {=>999}"));
    }

    void spanishByDefault() {
        const QString path = schedule("es.vfp", {u"E"_qs});
        const test::CliRun run = listing({path});
        QCOMPARE(run.exitCode, 0);
        TextCatalogue spanish;
        QVERIFY(spanish.LoadCatalogue(u"ES"_qs));
        const QString text = QString::fromUtf8(run.out);
        QVERIFY(text.contains(spanish.tx(u"Page:") + u" 1"_qs));
        QVERIFY(text.contains(spanish.tx(u"End") + u' ' + spanish.tx(u"schedule")));
    }

    void outputFileAndStdin() {
        const QString path = schedule("in.vfp", {u"K, 5, F"_qs, u"E"_qs});
        const QString out = dir_.filePath(u"out.txt"_qs);
        const test::CliRun toFile = listing({u"--date"_qs, u"x"_qs, u"-o"_qs, out, path});
        QCOMPARE(toFile.exitCode, 0);
        QCOMPARE(toFile.out, QByteArray());
        const test::CliRun toStdout = listing({u"--date"_qs, u"x"_qs, path});
        QCOMPARE(test::ReadBytes(out), toStdout.out);
        const test::CliRun fromStdin =
            test::RunCli({u"listing"_qs, u"--date"_qs, u"x"_qs, u"-"_qs}, "K, 5, F\r\nE\r\n");
        QCOMPARE(fromStdin.exitCode, 0);
        QCOMPARE(fromStdin.out.count('\n'), toStdout.out.count('\n'));
    }

    void emptyScheduleHasNoPage() {
        const QString path = schedule("empty.vfp", {u"   "_qs});
        const test::CliRun run = listing({path});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
    }

    void pdf_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("56 lines") << 56 << 2;
        QTest::newRow("3 lines") << 3 << 1;
    }
    void pdf() {
        QFETCH(int, rows);
        QFETCH(int, pages);
        QStringList lines;
        for (int r = 1; r <= rows; ++r)
            lines.append(u"M, %1, G"_qs.arg(r));
        const QString path = schedule("pdf.vfp", lines);
        const QString out = dir_.filePath(u"out.pdf"_qs);
        QFile::remove(out);
        const test::CliRun run =
            listing({u"--format"_qs, u"pdf"_qs, u"-o"_qs, out, u"--lang"_qs, u"EN"_qs, path});
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const QByteArray pdf = test::ReadBytes(out);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(pdf), pages);
    }

    void pdfMessagesStayJson() {
        const QString path = schedule("pdfmsg.vfp", {u"!, A"_qs, u"!, A"_qs});
        const test::CliRun run =
            listing({u"--format"_qs, u"pdf"_qs, u"-o"_qs, dir_.filePath(u"msg.pdf"_qs), path});
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> messages = Messages(run.err);
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0][u"number"_qs].toInt(), 27016);
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        const QString file = dir_.filePath(u"usage.vfp"_qs);
        test::WriteBytes(file, "E\r\n");
        QTest::newRow("pdf without output") << QStringList{u"--format"_qs, u"pdf"_qs, file};
        QTest::newRow("pdf to stdout")
            << QStringList{u"--format"_qs, u"pdf"_qs, u"-o"_qs, u"-"_qs, file};
        QTest::newRow("unknown format") << QStringList{u"--format"_qs, u"html"_qs, file};
        QTest::newRow("no file") << QStringList{};
        QTest::newRow("two files") << QStringList{file, file};
        QTest::newRow("missing file") << QStringList{dir_.filePath(u"none.vfp"_qs)};
        QTest::newRow("folder") << QStringList{dir_.path()};
        QTest::newRow("unknown option") << QStringList{u"--colour"_qs, file};
        QTest::newRow("unwritable output")
            << QStringList{u"-o"_qs, dir_.filePath(u"no/dir/out.txt"_qs), file};
        QTest::newRow("unwritable pdf") << QStringList{u"--format"_qs, u"pdf"_qs, u"-o"_qs,
                                                       dir_.filePath(u"no/dir/o.pdf"_qs), file};
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        const test::CliRun run = listing(args);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY(!run.err.isEmpty());
        QVERIFY(!QFile::exists(dir_.filePath(u"no/dir"_qs)));
    }
};

QTEST_GUILESS_MAIN(TestListingCli)
#include "test_listing_cli.moc"
