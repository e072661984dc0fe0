// The one file layer under hostile conditions: special files as inputs and
// outputs, links, kept permissions, size limits, a full disk.

#include "document/file_io.h"
#include "test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

using namespace vx;
using namespace vx::test;

namespace {

bool makeFifo(const QString& path) {
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT

private slots:
    // Inputs that are no regular file are refused at once with a reason that
    // says what they are; nothing blocks and nothing grows without bound.
    void specialInputsAreRefused_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO without writer") << u"@fifo"_qs << u"named pipe"_qs;
        QTest::newRow("endless device") << u"/dev/zero"_qs << u"device"_qs;
        QTest::newRow("folder") << u"@dir"_qs << u"folder"_qs;
        QTest::newRow("missing") << u"@dir/none.vfp"_qs << u"File not existing"_qs;
    }
    void specialInputsAreRefused() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(u"fifo"_qs);
        QVERIFY(makeFifo(fifo));
        path.replace(u"@fifo"_qs, fifo).replace(u"@dir"_qs, dir.path());
        const Result<QByteArray> read = ReadInputFile(path);
        QVERIFY(!read);
        QVERIFY2(read.message().contains(reason), qPrintable(read.message()));
    }

    void sizeLimitHoldsForFilesAndStreams() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"big.vfp"_qs);
        QVERIFY(WriteBytes(path, QByteArray(1001, 'K')));
        const Result<QByteArray> tooLarge = ReadInputFile(path, nullptr, 1000);
        QVERIFY(!tooLarge);
        QVERIFY(tooLarge.message().contains(u"too large"_qs));
        QCOMPARE(ReadInputFile(path, nullptr, 1001)->size(), 1001);

        int fds[2];
        QVERIFY(::pipe(fds) == 0);
        const QByteArray chunk(600, 'x');
        QVERIFY(::write(fds[1], chunk.constData(), 600) == 600);
        QVERIFY(::write(fds[1], chunk.constData(), 600) == 600);
        ::close(fds[1]);
        QVERIFY(!ReadInputStream(fds[0], nullptr, 1000));
        ::close(fds[0]);
    }

    // A device or FIFO is written into, never replaced by a plain file.
    void specialOutputsAreWrittenThrough() {
        const Status intoNull = WriteOutputFile(u"/dev/null"_qs, "K, 1\r\n");
        QVERIFY2(intoNull, qPrintable(intoNull.message()));
        QVERIFY(S_ISCHR(modeOf(u"/dev/null"_qs)));

        QTemporaryDir dir;
        const QString fifo = dir.filePath(u"out"_qs);
        QVERIFY(makeFifo(fifo));
        // Nobody reads: a clear failure at once, not a hang.
        const Status unread = WriteOutputFile(fifo, "x");
        QVERIFY(!unread);
        QVERIFY2(unread.message().contains(u"named pipe"_qs), qPrintable(unread.message()));

        QByteArray received;
        QThread* reader = QThread::create([&] {
            QFile in(fifo);
            if (in.open(QIODevice::ReadOnly))
                received = in.readAll();
        });
        reader->start();
        // The writer may try before the reader opened its end.
        Status written = Failure{};
        for (int i = 0; i < 200 && !written; ++i) {
            written = WriteOutputFile(fifo, "K, 1\r\n");
            if (!written)
                QThread::msleep(10);
        }
        QVERIFY2(written, qPrintable(written.message()));
        QVERIFY(reader->wait(5000));
        delete reader;
        QCOMPARE(received, QByteArray("K, 1\r\n"));
        QVERIFY(S_ISFIFO(modeOf(fifo)));
    }

    // A regular file is replaced whole, keeping what the user set on it; a
    // link keeps pointing at the file it names.
    void regularOutputsKeepModeAndLinks() {
        QTemporaryDir dir;
        const QString target = dir.filePath(u"plan.vfp"_qs);
        const QString link = dir.filePath(u"link.vfp"_qs);
        QVERIFY(WriteBytes(target, "old\r\n"));
        QVERIFY(::chmod(QFile::encodeName(target).constData(), 0640) == 0);
        QVERIFY(QFile::link(target, link));
        const Status throughLink = WriteOutputFile(link, "new\r\n");
        QVERIFY2(throughLink, qPrintable(throughLink.message()));
        QVERIFY(S_ISLNK(modeOf(link)));
        QCOMPARE(ReadBytes(target), QByteArray("new\r\n"));
        QCOMPARE(modeOf(target) & 07777, mode_t(0640));

        QVERIFY(WriteOutputFile(dir.path(), "x").message().contains(u"folder"_qs));
        QVERIFY(WriteOutputFile(dir.filePath(u"no/such/folder.vfp"_qs), "x")
                    .message()
                    .contains(u"folder does not exist"_qs));
    }

    // A disk that fills up during the write keeps the old file whole. Needs a
    // small tmpfs of its own, so root.
    void fullDiskKeepsTheOldFile() {
        if (::geteuid() != 0)
            QSKIP("mounting a small tmpfs needs root");
        QTemporaryDir dir;
        if (QProcess::execute(u"mount"_qs, {u"-t"_qs, u"tmpfs"_qs, u"-o"_qs, u"size=64k"_qs,
                                            u"tmpfs"_qs, dir.path()}) != 0)
            QSKIP("this machine does not allow mounting a tmpfs");
        const QString path = dir.filePath(u"plan.vfp"_qs);
        const bool oldWritten = WriteBytes(path, "K, 1\r\n");
        const Status bigWritten = WriteOutputFile(path, QByteArray(256 * 1024, 'K'));
        const QByteArray after = ReadBytes(path);
        QProcess::execute(u"umount"_qs, {dir.path()});
        QVERIFY(oldWritten);
        QVERIFY(!bigWritten);
        QVERIFY2(bigWritten.message().contains(u"disk is full"_qs),
                 qPrintable(bigWritten.message()));
        QCOMPARE(after, QByteArray("K, 1\r\n"));
    }

    // A folder the user may not write to: the save fails with a reason and the
    // file that was there stays. Root may write anywhere, so the tool runs as
    // an unprivileged user through setpriv.
    void readOnlyFolderKeepsTheOldFile() {
        if (::geteuid() != 0 || QStandardPaths::findExecutable(u"setpriv"_qs).isEmpty())
            QSKIP("needs root and setpriv to run as another user");
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString in = dir.filePath(u"in.lsp"_qs);
        const QString out = dir.filePath(u"plan.vfp"_qs);
        QVERIFY(WriteBytes(in, "K, 5A\r\n"));
        QVERIFY(WriteBytes(out, "K, 1\r\n"));
        QVERIFY(::chmod(QFile::encodeName(out).constData(), 0644) == 0);
        QProcess tool;
        tool.start(u"setpriv"_qs, {u"--reuid=65534"_qs, u"--regid=65534"_qs, u"--clear-groups"_qs,
                                   QStringLiteral(VX_CLI), u"import"_qs, in, u"-o"_qs, out});
        QVERIFY(tool.waitForFinished(30000));
        const QByteArray err = tool.readAllStandardError();
        QCOMPARE(tool.exitCode(), 2);
        QVERIFY2(err.contains("permission"), err);
        QCOMPARE(ReadBytes(out), QByteArray("K, 1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestFileFaults)
#include "test_file_faults.moc"
