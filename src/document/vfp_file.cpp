#include "document/vfp_file.h"

#include "texts/blanks.h"
#include "texts/text_catalogue.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>
#include <array>

namespace vx {

namespace {

// 0x80..0x9F; the undefined positions keep the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int encodeChar(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c)
            return static_cast<int>(0x80 + i);
    return -1;
}

QString reasonText(const TextCatalogue* catalogue, QStringView english) {
    return catalogue ? catalogue->tx(english) : english.toString();
}

QString withDetail(const QString& reason, const QString& detail) {
    return detail.isEmpty() ? reason : reason + QStringLiteral(" (") + detail + u')';
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

} // namespace

QString DecodeWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(char16_t(b));
    }
    return text;
}

QByteArray EncodeWindows1252(QStringView text, bool* lossy) {
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lost = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        // A character outside the basic plane is one '?', not two.
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const int b = encodeChar(c);
        if (b < 0) {
            lost = true;
            bytes.append('?');
        } else {
            bytes.append(static_cast<char>(b));
        }
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

ScheduleFileContent ParseScheduleBytes(QByteArrayView bytes, int maxLines) {
    ScheduleFileContent content;
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    qint64 count = 0;
    const auto take = [&](qsizetype end) {
        if (count < maxLines)
            content.lines.append(DecodeWindows1252(bytes.sliced(start, end - start)));
        else
            ++content.linesNotLoaded;
        ++count;
    };
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] != '\r')
            continue;
        take(i);
        if (i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        take(size);
    return content;
}

bool ReadScheduleFile(const QString& path, ScheduleFileContent& out, QString* error,
                      const TextCatalogue* catalogue) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        setError(error,
                 catalogue ? catalogue->ErrorTexts(14) : QStringLiteral("File not existing"));
        return false;
    }
    if (info.isDir()) {
        setError(error, reasonText(catalogue, u"This is a folder, not a file"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, !info.isReadable() || file.error() == QFileDevice::PermissionsError
                            ? reasonText(catalogue, u"No permission to read the file")
                            : withDetail(reasonText(catalogue, u"The file cannot be read"),
                                         file.errorString()));
        return false;
    }
    // Read in pieces rather than trusting the size: devices and pipes report none.
    QByteArray bytes;
    while (true) {
        const QByteArray piece = file.read(1 << 16);
        if (file.error() != QFileDevice::NoError) {
            setError(error, withDetail(reasonText(catalogue, u"The file cannot be read"),
                                       file.errorString()));
            return false;
        }
        if (piece.isEmpty())
            break;
        if (bytes.size() + piece.size() > MaxScheduleFileBytes) {
            setError(error, reasonText(catalogue, u"The file is too large for a schedule"));
            return false;
        }
        bytes.append(piece);
    }
    out = ParseScheduleBytes(bytes);
    return true;
}

QByteArray SerializeSchedule(const QStringList& rows, bool* lossy) {
    QByteArray bytes;
    bool lost = false;
    for (const QString& row : rows) {
        if (TrimView(row).isEmpty())
            continue;
        bool rowLost = false;
        bytes.append(EncodeWindows1252(row, &rowLost));
        bytes.append("\r\n", 2);
        lost = lost || rowLost;
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

bool WriteScheduleFile(const QString& path, const QByteArray& bytes, QString* error,
                       const TextCatalogue* catalogue) {
    const QFileInfo info(path);
    if (path.isEmpty()) {
        setError(error, reasonText(catalogue, u"The file cannot be written"));
        return false;
    }
    if (info.isDir()) {
        setError(error, reasonText(catalogue, u"This is a folder, not a file"));
        return false;
    }
    if (!QFileInfo(info.absolutePath()).isDir()) {
        setError(error, reasonText(catalogue, u"The folder does not exist"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.error() == QFileDevice::PermissionsError ||
                                (info.exists() && !info.isWritable()) ||
                                !QFileInfo(info.absolutePath()).isWritable()
                            ? reasonText(catalogue, u"No permission to write the file")
                            : withDetail(reasonText(catalogue, u"The file cannot be written"),
                                         file.errorString()));
        return false;
    }
    // A write that breaks off half-way shows only in flush(); commit() alone
    // would put the cut-off file in place of the old one.
    const bool written =
        file.write(bytes) == bytes.size() && file.flush() && file.error() == QFileDevice::NoError;
    QString detail = file.errorString();
    if (written && file.commit())
        return true;
    if (!written)
        file.cancelWriting();
    else
        detail = file.errorString();
    QStorageInfo storage(info.absolutePath());
    storage.refresh();
    if (storage.isValid() && storage.bytesAvailable() >= 0 &&
        storage.bytesAvailable() < bytes.size() + 4096) {
        setError(error, reasonText(catalogue, u"The disk is full"));
        return false;
    }
    setError(error, withDetail(reasonText(catalogue, u"The file cannot be written"), detail));
    return false;
}

} // namespace vx
