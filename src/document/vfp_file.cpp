#include "document/vfp_file.h"

#include "document/file_io.h"
#include "document/schedule_document.h"
#include "texts/blanks.h"
#include "texts/text_catalogue.h"

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

bool IsForeignControlByte(char byte) {
    const auto b = static_cast<unsigned char>(byte);
    return b < 32 && b != '\t' && b != '\r' && b != '\n' && b != 26;
}

QStringList SplitTextLines(QStringView text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start).toString());
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start).toString());
    return lines;
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
        if (bytes[i] != '\r' && bytes[i] != '\n') {
            if (IsForeignControlByte(bytes[i]))
                content.hasControlCharacters = true;
            continue;
        }
        take(i);
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        take(size);
    return content;
}

Result<ScheduleFileContent> ReadScheduleFile(const QString& path, const TextCatalogue* catalogue) {
    const Result<QByteArray> bytes = ReadInputFile(path, catalogue);
    if (!bytes)
        return Failure{bytes.message()};
    return ParseScheduleBytes(*bytes, ScheduleDocument::MaxRows);
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

Status WriteScheduleFile(const QString& path, const QByteArray& bytes,
                         const TextCatalogue* catalogue) {
    return WriteOutputFile(path, bytes, catalogue);
}

} // namespace vx
