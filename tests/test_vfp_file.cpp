#include "document/schedule_document.h"
#include "document/vfp_file.h"

#include "test_support.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace vx;
using namespace vx::test;

namespace {

// True when the file permissions below stop this user (they do not stop root).
bool permissionsHold(const QString& folder) {
    QFile probe(folder + QStringLiteral("/probe"));
    const bool stopped = !probe.open(QIODevice::WriteOnly);
    probe.remove();
    return stopped;
}

} // namespace

class TestVfpFile : public QObject {
    Q_OBJECT

private slots:
    void everyByteRoundTrips() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(static_cast<char>(b));
        const QString text = DecodeWindows1252(all);
        QCOMPARE(text.size(), 256);
        bool lossy = true;
        QCOMPARE(EncodeWindows1252(text, &lossy), all);
        QVERIFY(!lossy);
    }

    void decode_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("unicode");
        QTest::newRow("euro") << 0x80 << 0x20AC;
        QTest::newRow("undefined 81") << 0x81 << 0x0081;
        QTest::newRow("S caron") << 0x8A << 0x0160;
        QTest::newRow("a umlaut") << 0xE4 << 0x00E4;
    }

    void decode() {
        QFETCH(int, byte);
        QFETCH(int, unicode);
        const char b = static_cast<char>(byte);
        QCOMPARE(DecodeWindows1252(QByteArrayView(&b, 1)), QString(QChar(char16_t(unicode))));
    }

    void encodeUnmappable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("C1 control without byte") << QStringLiteral("a\u0080b") << QByteArray("a?b");
        QTest::newRow("CJK") << QStringLiteral("K, \u4E2D") << QByteArray("K, ?");
        QTest::newRow("astral is one character")
            << QString::fromUtf16(u"x\U0001F600y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?");
    }

    void encodeUnmappable() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        bool lossy = false;
        QCOMPARE(EncodeWindows1252(text, &lossy), bytes);
        QVERIFY(lossy);
    }

    void parse_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("last line without end")
            << QByteArray("a\r\nb") << QStringList{u"a"_qs, u"b"_qs};
        QTest::newRow("final CR LF adds no line") << QByteArray("a\r\n") << QStringList{u"a"_qs};
        QTest::newRow("lone CR ends a line")
            << QByteArray("a\rb\r") << QStringList{u"a"_qs, u"b"_qs};
        QTest::newRow("lone LF ends a line")
            << QByteArray("a\nb\n") << QStringList{u"a"_qs, u"b"_qs};
        QTest::newRow("LF before CR LF") << QByteArray("a\n\r\n") << QStringList{u"a"_qs, u""_qs};
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\r\nx\r\n\r\n") << QStringList{u""_qs, u""_qs, u"x"_qs, u""_qs};
        QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb")
                                  << QStringList{u"a"_qs, u""_qs, u"b"_qs};
        QTest::newRow("blanks untouched") << QByteArray("  K, 5  ") << QStringList{u"  K, 5  "_qs};
    }

    void parse() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const ScheduleFileContent content = ParseScheduleBytes(bytes, ScheduleDocument::MaxRows);
        QCOMPARE(content.lines, lines);
        QCOMPARE(content.linesNotLoaded, 0);
    }

    void parseCountsLinesBeyondTheLimit_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxLines");
        QTest::addColumn<int>("loaded");
        QTest::addColumn<int>("notLoaded");
        QTest::newRow("exactly the limit") << QByteArray("1\r\n2\r\n3\r\n") << 3 << 3 << 0;
        QTest::newRow("two beyond") << QByteArray("1\r\n2\r\n3\r\n4\r\n5") << 3 << 3 << 2;
        QTest::newRow("empty lines count too") << QByteArray("1\r\n\r\n\r\n") << 1 << 1 << 2;
    }

    void parseCountsLinesBeyondTheLimit() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxLines);
        QFETCH(int, loaded);
        QFETCH(int, notLoaded);
        const ScheduleFileContent content = ParseScheduleBytes(bytes, maxLines);
        QCOMPARE(content.lines.size(), loaded);
        QCOMPARE(content.linesNotLoaded, notLoaded);
    }

    void serialize_data() {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QByteArray>("bytes");
        QStringList sparse(9);
        sparse[2] = u"K, 5"_qs;
        sparse[6] = u"* rem"_qs;
        QTest::newRow("rows 3 and 7 give two lines") << sparse << QByteArray("K, 5\r\n* rem\r\n");
        QTest::newRow("a tab is content") << QStringList{u"\t"_qs} << QByteArray("\t\r\n");
        QTest::newRow("nothing to write") << QStringList{u" "_qs} << QByteArray();
    }

    void serialize() {
        QFETCH(QStringList, rows);
        QFETCH(QByteArray, bytes);
        bool lossy = true;
        QCOMPARE(SerializeSchedule(rows, &lossy), bytes);
        QVERIFY(!lossy);
    }

    void serializeTellsAboutLostCharacters() {
        bool lossy = false;
        QCOMPARE(SerializeSchedule({u"a"_qs, u"\u4E2D"_qs, u"b"_qs}, &lossy),
                 QByteArray("a\r\n?\r\nb\r\n"));
        QVERIFY(lossy);
    }

    void readRefusesHugeFiles() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"huge.vfp"_qs);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(MaxInputFileBytes + 1)); // sparse: costs no disk
        file.close();
        const Result<ScheduleFileContent> read = ReadScheduleFile(path);
        QVERIFY(!read);
        QCOMPARE(read.message(), u"The file is too large for a schedule"_qs);
    }

    void readWithoutPermission() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"locked.vfp"_qs);
        QVERIFY(WriteBytes(path, "K, 5\r\n"));
        QFile::setPermissions(path, QFileDevice::WriteOwner);
        QFile probe(path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("file permissions do not stop this user");
        const Result<ScheduleFileContent> read = ReadScheduleFile(path);
        QVERIFY(!read);
        QCOMPARE(read.message(), u"No permission to read the file"_qs);
    }

    void writeFailures() {
        QTemporaryDir dir;
        QCOMPARE(WriteScheduleFile(dir.path(), "x\r\n").message(),
                 u"This is a folder, not a file"_qs);
        QCOMPARE(WriteScheduleFile(dir.filePath(u"no/such/folder/a.vfp"_qs), "x\r\n").message(),
                 u"The folder does not exist"_qs);
        QVERIFY(WriteBytes(dir.filePath(u"plain"_qs), "x"));
        QCOMPARE(WriteScheduleFile(dir.filePath(u"plain/a.vfp"_qs), "x\r\n").message(),
                 u"The folder does not exist"_qs);
    }

    void writeIntoLockedFolderKeepsOldFile() {
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"locked"_qs);
        QVERIFY(QDir().mkdir(folder));
        const QString path = folder + u"/a.vfp"_qs;
        QVERIFY(WriteBytes(path, "old\r\n"));
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        const bool holds = permissionsHold(folder);
        const Status written = holds ? WriteScheduleFile(path, "new\r\n") : Status(Failure{});
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        if (!holds)
            QSKIP("file permissions do not stop this user");
        QVERIFY(!written);
        QCOMPARE(written.message(), u"No permission to write the file"_qs);
        QCOMPARE(ReadBytes(path), QByteArray("old\r\n"));
    }

#ifdef Q_OS_UNIX
    // A write that breaks off half-way (here: the file size limit of the
    // process, which stops root as well) must leave the old file whole.
    void writeBreakingOffKeepsOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a.vfp"_qs);
        QVERIFY(WriteBytes(path, "old\r\n"));
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const Status written = WriteScheduleFile(path, QByteArray(5000, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QVERIFY2(written.message().startsWith(u"The file cannot be written"_qs),
                 qPrintable(written.message()));
        QCOMPARE(ReadBytes(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"a.vfp"_qs});
    }
#endif
};

QTEST_APPLESS_MAIN(TestVfpFile)
#include "test_vfp_file.moc"
