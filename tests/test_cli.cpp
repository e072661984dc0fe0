// vxedit-cli as a user runs it: the built binary, its output bytes and its
// exit codes, for the frame, split and import.

#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

    void runTraceIsTheExplanation();
    void runEnds_data();
    void runEnds();
    void runBadInput();
    void runJson();

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
    QVERIFY(WriteBytes(in, QByteArray(source + "\r\n")));
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

namespace {

// A schedule in a folder of its own (the folder is the run's layout).
QString WriteSchedule(const QTemporaryDir& dir, const QString& name, const QByteArray& lines) {
    QDir(dir.path()).mkpath(name);
    const QString file = dir.filePath(name + u'/' + name + u".vfp"_s);
    return WriteBytes(file, lines) ? file : QString();
}

QList<QByteArray> OutputLines(const QByteArray& out) {
    QList<QByteArray> lines = out.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

void TestCli::runTraceIsTheExplanation() {
    const QString file =
        WriteSchedule(dir_, u"trace"_s, "K, 12, B\r\nM, 5, G\r\nD, 20, 8\r\nZ, 5\r\nE\r\n");
    QVERIFY(WriteBytes(path(u"trace.events"_s), "# the train comes\n2 contact 12 B\n"));
    const CliRun run =
        RunCli({u"run"_s, u"--lang"_s, u"EN"_s, u"--events"_s, path(u"trace.events"_s), file});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const CliRun explain = RunCli({u"explain"_s, u"--lang"_s, u"EN"_s, file});
    const QList<QByteArray> sentences = OutputLines(explain.out);
    const QList<QByteArray> lines = OutputLines(run.out);
    QCOMPARE(lines.size(), 6);
    for (int i = 0; i < 5; ++i) {
        const QJsonObject e = QJsonDocument::fromJson(sentences[i]).object();
        const QString expected = QString::number(i + 1) + (i == 4 ? u" 2.5 "_s : u" 2.0 "_s) +
                                 file + u':' + QString::number(i + 1) + u": "_s +
                                 e.value(u"text"_s).toString() + u" -> "_s +
                                 e.value(u"explanation"_s).toString();
        QCOMPARE(QString::fromUtf8(lines[i]), expected);
    }
    QCOMPARE(QString::fromUtf8(lines[5]), u"END ended at "_s + file + u":5, 2.5 s"_s);
}

void TestCli::runEnds_data() {
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("events");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("end");
    QTest::addColumn<int>("exitCode");
    const QStringList none;
    QTest::newRow("ended") << QByteArray("Z, 1\r\nE\r\n") << QByteArray() << none
                           << QByteArray("ended") << 0;
    QTest::newRow("past the last row: a finding")
        << QByteArray("Z, 1\r\n") << QByteArray() << none << QByteArray("ended") << 1;
    QTest::newRow("waits for what an event names")
        << QByteArray("K, 5, B\r\nE\r\n") << QByteArray("1 contact 5 F\n") << none
        << QByteArray("waiting") << 0;
    QTest::newRow("waits for what nothing sets")
        << QByteArray("K, 5, B\r\nE\r\n") << QByteArray() << none << QByteArray("waiting") << 1;
    QTest::newRow("jam") << QByteArray("J, 0\r\n") << QByteArray() << none << QByteArray("jam")
                         << 0;
    QTest::newRow("step limit") << QByteArray("!, L\r\nZ, 1\r\nG, L\r\n") << QByteArray()
                                << QStringList{u"--max-steps"_s, u"50"_s} << QByteArray("limit")
                                << 0;
    QTest::newRow("stopped by a finding")
        << QByteArray("!, L\r\nG, L\r\n") << QByteArray() << none << QByteArray("error") << 1;
}

void TestCli::runEnds() {
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, events);
    QFETCH(QStringList, options);
    QFETCH(QByteArray, end);
    QFETCH(int, exitCode);
    const QString file = WriteSchedule(dir_, u"ends"_s, lines);
    QStringList args{u"run"_s};
    if (!events.isEmpty()) {
        QVERIFY(WriteBytes(path(u"ends.events"_s), events));
        args << u"--events"_s << path(u"ends.events"_s);
    }
    const CliRun run = RunCli(args + options + QStringList{file});
    QCOMPARE(run.exitCode, exitCode);
    const QList<QByteArray> out = OutputLines(run.out);
    QVERIFY(!out.isEmpty());
    // The summary line, then one line per finding.
    qsizetype at = out.size() - 1;
    while (at > 0 && !out[at].startsWith("END "))
        --at;
    QVERIFY2(out[at].startsWith(QByteArray("END " + end + " at ")), out[at].constData());
    QCOMPARE(out.size() - at - 1 > 0, exitCode == 1);
}

void TestCli::runBadInput() {
    const QString file = WriteSchedule(dir_, u"bad"_s, "K, 1, B\r\nE\r\n");
    QVERIFY(WriteBytes(path(u"bad.events"_s), "0 contact 1 B\n1,5 contact 1 F\n"));
    const QList<QStringList> cases = {
        {u"run"_s, path(u"missing.vfp"_s)},
        {u"run"_s, dir_.path()},
        {u"run"_s, u"--events"_s, path(u"bad.events"_s), file},
        {u"run"_s, u"--events"_s, path(u"missing.events"_s), file},
        {u"run"_s, u"--max-steps"_s, u"0"_s, file},
    };
    for (const QStringList& args : cases) {
        const CliRun run = RunCli(args);
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith("vxedit-cli: run: "));
    }
    // The events file's line is named.
    const CliRun events = RunCli(cases[2]);
    QVERIFY2(events.err.contains("bad.events:2: "), events.err.constData());
}

void TestCli::runJson() {
    const QString file =
        WriteSchedule(dir_, u"json"_s, "K, 12, B\r\nM, 5, G\r\nD, 20, 8\r\nZ, 5\r\n");
    QVERIFY(WriteBytes(path(u"json.events"_s), "2 contact 12 B\n"));
    const CliRun run = RunCli({u"run"_s, u"--json"_s, u"--events"_s, path(u"json.events"_s), file});
    QCOMPARE(run.exitCode, 1);
    const QList<QByteArray> lines = OutputLines(run.out);
    QCOMPARE(lines.size(), 5);
    const QJsonObject first = QJsonDocument::fromJson(lines[0]).object();
    QCOMPARE(first.value(u"step"_s).toInt(), 1);
    QCOMPARE(first.value(u"time"_s).toDouble(), 2.0);
    QCOMPARE(first.value(u"file"_s).toString(), file);
    QCOMPARE(first.value(u"line"_s).toInt(), 1);
    QCOMPARE(first.value(u"text"_s).toString(), u"K, 12, B"_s);
    QVERIFY(!first.value(u"effect"_s).toString().isEmpty());
    const QJsonObject last = QJsonDocument::fromJson(lines[4]).object();
    QCOMPARE(last.value(u"end"_s).toString(), u"ended"_s);
    QCOMPARE(last.value(u"time"_s).toDouble(), 2.5);
    const QJsonArray findings = last.value(u"findings"_s).toArray();
    QCOMPARE(findings.size(), 1);
    QCOMPARE(findings[0].toObject().value(u"kind"_s).toString(), u"no-end"_s);
    const QJsonObject state = last.value(u"state"_s).toObject();
    QCOMPARE(state.value(u"contacts"_s).toObject(), QJsonObject({{u"12"_s, u"B"_s}}));
    QCOMPARE(state.value(u"articles"_s).toObject(), QJsonObject({{u"5"_s, u"G"_s}}));
    QCOMPARE(state.value(u"markers"_s).toObject(), QJsonObject({{u"20"_s, 8}}));
    QCOMPARE(state.value(u"setvar"_s).toObject(), QJsonObject({{u""_s, 0}}));
    QCOMPARE(state.value(u"clock"_s).toString(), u"00:00"_s);
}

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
