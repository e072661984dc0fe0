#include "document/file_io.h"

#include "texts/text_catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

namespace {

QString reasonText(const TextCatalogue* catalogue, QStringView english) {
    return catalogue ? catalogue->tx(english) : english.toString();
}

QString withDetail(const QString& reason, const QString& detail) {
    return detail.isEmpty() ? reason : reason + QStringLiteral(" (") + detail + u')';
}

Failure fail(const QString& text) {
    return {text};
}

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// What a path that is no regular file is, for the message; empty for a
// regular file.
QString specialKind(mode_t mode, const TextCatalogue* catalogue) {
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return reasonText(catalogue, u"This is a folder, not a file");
    if (S_ISFIFO(mode))
        return reasonText(catalogue, u"This is a named pipe, not a schedule file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return reasonText(catalogue, u"This is a device, not a schedule file");
    return reasonText(catalogue, u"This is not a regular file");
}

bool setBlocking(int fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

// Follows a chain of symbolic links to the path that is really written; a
// link to a missing file gives the missing file's path.
QString resolveLinks(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return current; // a loop: the open below reports it
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// A device or a FIFO takes the bytes as they come; there is nothing to
// replace and nothing to keep.
Status writeStraight(const QString& path, const QByteArray& bytes, const TextCatalogue* catalogue) {
    // Non-blocking open: a FIFO that nobody reads fails at once instead of
    // waiting for a reader that never comes.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (code == ENXIO)
            return fail(reasonText(catalogue, u"No program reads from this named pipe"));
        if (code == EACCES || code == EPERM)
            return fail(reasonText(catalogue, u"No permission to write the file"));
        return fail(
            withDetail(reasonText(catalogue, u"The file cannot be written"), systemError(code)));
    }
    const bool ok = setBlocking(fd) && writeAll(fd, bytes);
    const int code = errno;
    ::close(fd);
    if (!ok)
        return fail(
            withDetail(reasonText(catalogue, u"The file cannot be written"), systemError(code)));
    return {};
}

bool diskFull(const QString& folder, qint64 needed) {
    QStorageInfo storage(folder);
    storage.refresh();
    return storage.isValid() && storage.bytesAvailable() >= 0 &&
           storage.bytesAvailable() < needed + 4096;
}

} // namespace

Result<QByteArray> ReadInputStream(int fd, const TextCatalogue* catalogue, qint64 maxBytes) {
    QByteArray bytes;
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(
                withDetail(reasonText(catalogue, u"The file cannot be read"), systemError(errno)));
        if (n == 0)
            return bytes;
        if (bytes.size() + n > maxBytes)
            return fail(reasonText(catalogue, u"The file is too large for a schedule"));
        bytes.append(buffer, n);
    }
}

Result<QByteArray> ReadInputFile(const QString& path, const TextCatalogue* catalogue,
                                 qint64 maxBytes) {
    const auto missing = [&] {
        return fail(catalogue ? catalogue->ErrorTexts(14) : QStringLiteral("File not existing"));
    };
    if (path.isEmpty())
        return missing();
    // Non-blocking, so that opening a FIFO without a writer cannot hang; the
    // type is checked on the opened file, not on the name, so it cannot change
    // in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        if (code == ENOENT || code == ENOTDIR)
            return missing();
        if (code == EACCES || code == EPERM)
            return fail(reasonText(catalogue, u"No permission to read the file"));
        return fail(
            withDetail(reasonText(catalogue, u"The file cannot be read"), systemError(code)));
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fail(
            withDetail(reasonText(catalogue, u"The file cannot be read"), systemError(errno)));
    if (const QString kind = specialKind(st.st_mode, catalogue); !kind.isEmpty())
        return fail(kind);
    if (st.st_size > maxBytes)
        return fail(reasonText(catalogue, u"The file is too large for a schedule"));
    if (!setBlocking(fd))
        return fail(
            withDetail(reasonText(catalogue, u"The file cannot be read"), systemError(errno)));
    return ReadInputStream(fd, catalogue, maxBytes);
}

Status WriteOutputFile(const QString& path, const QByteArray& bytes,
                       const TextCatalogue* catalogue) {
    if (path.isEmpty())
        return fail(reasonText(catalogue, u"The file cannot be written"));
    const QString target = resolveLinks(path);
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(target).constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(reasonText(catalogue, u"This is a folder, not a file"));
    if (exists && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISFIFO(st.st_mode)))
        return writeStraight(target, bytes, catalogue);
    if (exists && !S_ISREG(st.st_mode))
        return fail(reasonText(catalogue, u"This is not a regular file"));

    const QFileInfo info(target);
    if (!QFileInfo(info.absolutePath()).isDir())
        return fail(reasonText(catalogue, u"The folder does not exist"));
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        const bool denied = file.error() == QFileDevice::PermissionsError ||
                            (info.exists() && !info.isWritable()) ||
                            !QFileInfo(info.absolutePath()).isWritable();
        return fail(denied ? reasonText(catalogue, u"No permission to write the file")
                           : withDetail(reasonText(catalogue, u"The file cannot be written"),
                                        file.errorString()));
    }
    // The new file takes the place of the old one whole: same owner, group
    // and mode. Changing the owner needs privileges a user may lack; the file
    // is then the user's, as any new file would be.
    if (exists) {
        const int fd = file.handle();
        bool kept = ::fchmod(fd, st.st_mode & 07777) == 0;
        kept = ::fchown(fd, st.st_uid, st.st_gid) == 0 ||
               ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) == 0 || kept;
        Q_UNUSED(kept)
    }
    // A write that breaks off half-way shows only in flush(), and an I/O error
    // of the disk only in fsync(); commit() alone would put a cut-off or
    // unwritten file in place of the old one.
    bool written =
        file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    QString detail = file.errorString();
    if (written && ::fsync(file.handle()) != 0) {
        written = false;
        detail = systemError(errno);
    }
    if (written && file.commit())
        return {};
    if (!written)
        file.cancelWriting();
    else
        detail = file.errorString();
    if (diskFull(info.absolutePath(), bytes.size()))
        return fail(reasonText(catalogue, u"The disk is full"));
    return fail(withDetail(reasonText(catalogue, u"The file cannot be written"), detail));
}

} // namespace vx
