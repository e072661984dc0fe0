// vxedit-cli as a user runs it: the built binary, its output bytes and its
// exit codes, for the frame, split and import.

#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace vx::test;
using namespace Qt::Literals::StringLiterals;

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void help();
    void badUsage_data();
    void badUsage();

    void split_data();
    void split();
    void splitFromFile();
    void splitUnreadable();

    void importExamples_data();
    void importExamples();
    void importWholeFileToStdout();
    void importKeepsOutputOnFailure();
    void importUnwritableOutput();
    void importLongFile();
    void importIntoPipe();
    void specialFiles();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

void TestCli::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(VX_CLI)), VX_CLI);
}

void TestCli::help() {
    const CliRun overall = RunCli({QStringLiteral("--help")});
    QVERIFY(overall.finished);
    QCOMPARE(overall.exitCode, 0);
    QVERIFY(overall.out.startsWith("Usage: vxedit-cli"));
    QVERIFY(overall.out.contains("split [FILE]"));
    QVERIFY(overall.out.contains("import FILE.lsp [-o OUT.vfp]"));

    const CliRun import = RunCli({QStringLiteral("import"), QStringLiteral("--help")});
    QCOMPARE(import.exitCode, 0);
    QVERIFY(import.out.contains("1999"));
    QVERIFY(import.err.isEmpty());
}

void TestCli::badUsage_data() {
    QTest::addColumn<QStringList>("args");
    const auto S = [](const char* text) { return QString::fromUtf8(text); };
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("unknown subcommand") << QStringList{S("frobnicate")};
    QTest::newRow("unknown option") << QStringList{S("--frobnicate"), S("split")};
    QTest::newRow("bad language") << QStringList{S("--lang"), S("FR"), S("split")};
}

void TestCli::badUsage() {
    QFETCH(QStringList, args);
    const CliRun run = RunCli(args);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.startsWith("vxedit-cli: "));
}

void TestCli::split_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("CR LF and lone CR")
        << QByteArray("M, 12, G  * west yard\r\n*  note\rL, 3, S, 7, F, 1, 2\r\n")
        << QByteArray("[\"M\",\"12\",\"G\",\"\",\"\",\"\"]\n"
                      "[\"*\",\"  note\",\"\",\"\",\"\",\"\"]\n"
                      "[\"L\",\"3\",\"S\",\"7\",\"F\",\"1, 2\"]\n");
    QTest::newRow("empty lines are lines") << QByteArray("\r\n  \r\nE\r\n")
                                           << QByteArray("[\"\",\"\",\"\",\"\",\"\",\"\"]\n"
                                                         "[\"\",\"\",\"\",\"\",\"\",\"\"]\n"
                                                         "[\"E\",\"\",\"\",\"\",\"\",\"\"]\n");
    // Windows-1252 in, UTF-8 out.
    QTest::newRow("Windows-1252")
        << QByteArray("P, Gr\xfc\xdf Gott \x80\r\n")
        << QByteArray("[\"P\",\"Gr\xc3\xbc\xc3\x9f Gott \xe2\x82\xac\",\"\",\"\",\"\",\"\"]\n");
    // A lone LF ends a line as CR LF does; JSON escapes controls.
    QTest::newRow("lone LF and escapes")
        << QByteArray("P, \"a\\b\"\t\x01"
                      "c\r\nK, 1\nE\r\n")
        << QByteArray("[\"P\",\"\\\"a\\\\b\\\"\\t\\u0001c\",\"\",\"\",\"\",\"\"]\n"
                      "[\"K\",\"1\",\"\",\"\",\"\",\"\"]\n[\"E\",\"\",\"\",\"\",\"\",\"\"]\n");
}

void TestCli::split() {
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, output);
    const CliRun run = RunCli({QStringLiteral("split")}, input);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, output);
    QVERIFY(run.err.isEmpty());

    const CliRun dash = RunCli({QStringLiteral("split"), QStringLiteral("-")}, input);
    QCOMPARE(dash.out, output);
}

void TestCli::splitFromFile() {
    // A name that looks like an option is a file after "--"; common options may
    // stand on either side of the subcommand.
    const QString file = path(QStringLiteral("-odd name.vfp"));
    QVERIFY(WriteBytes(file, "K, 12, b\r\nE"));
    const CliRun run =
        RunCli({QStringLiteral("--lang"), QStringLiteral("EN"), QStringLiteral("split"),
                QStringLiteral("--date=1.2.2024"), QStringLiteral("--"), file});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("[\"K\",\"12\",\"b\",\"\",\"\",\"\"]\n"
                                 "[\"E\",\"\",\"\",\"\",\"\",\"\"]\n"));
}

void TestCli::splitUnreadable() {
    const QStringList names = {path(QStringLiteral("missing.vfp")), dir_.path()};
    for (const QString& name : names) {
        const CliRun run = RunCli({QStringLiteral("split"), name});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QFile::encodeName(name)));
    }
}

void TestCli::importExamples_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("row");

    // The conversion itself is checked in test_mts_import; these rows check
    // that the tool hands lines through it byte for byte.
    const auto row = [](const char* source, const char* converted) {
        QTest::newRow(source) << QByteArray(source) << QByteArray(converted);
    };
    row("K, 5A", "K, 9  * [5a]");
    // Windows-1252 text in the tail comes back byte for byte.
    row("K, 5A \xe4\x80", "K, 9 \xe4\x80  * [5a]");
}

void TestCli::importExamples() {
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, row);
    const QString in = path(QStringLiteral("one.lsp"));
    const QString out = path(QStringLiteral("one.vfp"));
    QFile::remove(out);
    QVERIFY(WriteBytes(in, source + "\r\n"));
    const CliRun run = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), out});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.isEmpty());
    QCOMPARE(ReadBytes(out), row + "\r\n");
}

void TestCli::importWholeFileToStdout() {
    // Blank lines are no rows; a lone CR ends a line; the last line needs no end.
    const QString in = path(QStringLiteral("plan.LSP"));
    QVERIFY(WriteBytes(in, "K, 5A\r\n\r\n   \r\nB, 130A\rK, 7"));
    const CliRun run = RunCli({QStringLiteral("import"), in});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("K, 9  * [5a]\r\nB, 515  * [130a]\r\nK, 7\r\n"));

    const CliRun fromStdin =
        RunCli({QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("--output=-")},
               "K, 12V\r\n");
    QCOMPARE(fromStdin.exitCode, 0);
    QCOMPARE(fromStdin.out, QByteArray("K, 812  * [12v]\r\n"));

    // An empty source gives an empty schedule file.
    const QString empty = path(QStringLiteral("empty.lsp"));
    const QString out = path(QStringLiteral("empty.vfp"));
    QVERIFY(WriteBytes(empty, ""));
    QCOMPARE(RunCli({QStringLiteral("import"), empty, QStringLiteral("-o"), out}).exitCode, 0);
    QVERIFY(QFile::exists(out));
    QCOMPARE(ReadBytes(out), QByteArray());
}

void TestCli::importKeepsOutputOnFailure() {
    const QString out = path(QStringLiteral("kept.vfp"));
    const QString fresh = path(QStringLiteral("fresh.vfp"));
    QVERIFY(WriteBytes(out, "E\r\n"));
    const QStringList inputs = {path(QStringLiteral("missing.lsp")), dir_.path()};
    for (const QString& in : inputs) {
        const CliRun run = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), out});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(ReadBytes(out), QByteArray("E\r\n"));

        const CliRun none = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), fresh});
        QCOMPARE(none.exitCode, 2);
        QVERIFY(!QFile::exists(fresh));
    }
}

void TestCli::importUnwritableOutput() {
    const QString in = path(QStringLiteral("good.lsp"));
    QVERIFY(WriteBytes(in, "K, 5A\r\n"));
    const QString out = path(QStringLiteral("no such folder/out.vfp"));
    const CliRun run = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), out});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.contains("out.vfp"));
    QVERIFY(!QFile::exists(out));

    // A folder in the way of the output is no output file either.
    const QString folder = path(QStringLiteral("folder.vfp"));
    QVERIFY(QDir().mkpath(folder));
    const CliRun onFolder = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), folder});
    QCOMPARE(onFolder.exitCode, 2);
    QVERIFY(QFileInfo(folder).isDir());
}

void TestCli::importLongFile() {
    // Like the editor, the import holds 1999 rows; --all-lines converts all.
    QByteArray source;
    for (int i = 1; i <= 2001; ++i)
        source += "T, " + QByteArray::number(i) + "\r\n";
    const QString in = path(QStringLiteral("long.lsp"));
    QVERIFY(WriteBytes(in, source));

    // Lines left out are a problem for a script: exit 1.
    const CliRun run = RunCli({QStringLiteral("import"), in});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out.count("\r\n"), 1999);
    QVERIFY(run.out.endsWith("\r\nT, 1999\r\n"));
    QVERIFY(run.err.contains("1999"));
    QVERIFY(run.err.contains(" 2 "));

    const CliRun all = RunCli({QStringLiteral("import"), QStringLiteral("--all-lines"), in});
    QCOMPARE(all.exitCode, 0);
    QCOMPARE(all.out.count("\r\n"), 2001);
    QVERIFY(all.out.endsWith("\r\nT, 2001\r\n"));
    QVERIFY(all.err.isEmpty());

    // check names the cut as a problem at line 2000.
    const CliRun check = RunCli({QStringLiteral("check"), QStringLiteral("--json"), in});
    QCOMPARE(check.exitCode, 1);
    QVERIFY2(check.out.contains("\"line\": 2000, \"kind\": \"too-many-lines\""), check.out);
}

// Every subcommand reads regular files only and writes special files straight:
// no hang on a FIFO without a writer, no endless read of a device, and a
// device or FIFO given as output is still one afterwards.
void TestCli::specialFiles() {
#ifdef Q_OS_UNIX
    const QString fifo = path(QStringLiteral("in.pipe"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& sub : {u"split"_s, u"explain"_s, u"check"_s, u"listing"_s}) {
        for (const QString& input : {fifo, u"/dev/zero"_s}) {
            const CliRun run = RunCli({sub, input}, {}, 10000);
            QVERIFY2(run.finished, qPrintable(sub + u' ' + input));
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(QFile::encodeName(input)), run.err);
        }
    }
    const QString plan = path(QStringLiteral("plan.vfp"));
    QVERIFY(WriteBytes(plan, "K, 12, B\r\n"));
    for (const QStringList& args :
         {QStringList{u"listing"_s, plan, u"-o"_s, u"/dev/null"_s},
          QStringList{u"listing"_s, u"--format"_s, u"pdf"_s, plan, u"-o"_s, u"/dev/null"_s}}) {
        const CliRun run = RunCli(args);
        QCOMPARE(run.exitCode, 0);
        struct stat info {};
        QCOMPARE(::stat("/dev/null", &info), 0);
        QVERIFY(S_ISCHR(info.st_mode));
    }
#else
    QSKIP("needs named pipes");
#endif
}

void TestCli::importIntoPipe() {
#ifdef Q_OS_UNIX
    // An output that is a pipe (or a device such as /dev/stdout) is written
    // into, never replaced by a plain file.
    const QString in = path(QStringLiteral("pipe.lsp"));
    QVERIFY(WriteBytes(in, "K, 5A\r\n"));
    const QString fifo = path(QStringLiteral("out.pipe"));
    const QByteArray fifoName = QFile::encodeName(fifo);
    QCOMPARE(::mkfifo(fifoName.constData(), 0600), 0);
    // Held open for reading without blocking, so the tool's open succeeds and
    // what it writes waits in the pipe.
    const int fd = ::open(fifoName.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(fd >= 0);
    const CliRun run = RunCli({QStringLiteral("import"), in, QStringLiteral("-o"), fifo});
    QByteArray received;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        received.append(buffer, n);
    ::close(fd);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(received, QByteArray("K, 9  * [5a]\r\n"));
    struct stat info {};
    QCOMPARE(::stat(fifoName.constData(), &info), 0);
    QVERIFY(S_ISFIFO(info.st_mode));
#else
    QSKIP("needs named pipes");
#endif
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
