#pragma once

// Small helpers shared by the tests: files as bytes and runs of the built
// vxedit-cli.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace vx::test {

inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteBytes(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

#ifdef VX_CLI
struct CliRun {
    bool finished = false; // started and ended on its own within the time limit
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the built vxedit-cli with args, feeding input on stdin.
inline CliRun RunCli(const QStringList& args, const QByteArray& input = QByteArray(),
                     int timeoutMs = 60000) {
    CliRun run;
    QProcess process;
    process.start(QStringLiteral(VX_CLI), args);
    if (!process.waitForStarted(timeoutMs))
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.finished = process.exitStatus() == QProcess::NormalExit;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
#endif

} // namespace vx::test
