#pragma once

// The schedule file: Windows-1252 text, one schedule line per text line, CR LF,
// no header. Reading keeps every other byte (NUL included) so that a schedule
// comes back byte for byte when it is saved again.

#include "document/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace vx {

class TextCatalogue;

// Every byte maps to one character; the five bytes Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081.. so that they
// round-trip.
QString DecodeWindows1252(QByteArrayView bytes);
// Characters Windows-1252 cannot hold become '?' and set *lossy.
QByteArray EncodeWindows1252(QStringView text, bool* lossy = nullptr);

struct ScheduleFileContent {
    QStringList lines;
    qint64 linesNotLoaded = 0;
    // NUL or another control character than tab, CR, LF and 26 (an old end of
    // file mark): a file that is most likely no schedule at all.
    bool hasControlCharacters = false;
};

// True for the bytes that make a file look like no schedule (see above).
bool IsForeignControlByte(char byte);

// A line ends at CR LF, a lone CR or a lone LF (files from other systems). The last line
// needs no end; empty lines are kept. Lines beyond maxLines are only counted.
ScheduleFileContent ParseScheduleBytes(QByteArrayView bytes, int maxLines);

// Text lines as loading reads them (CR LF, CR or LF end a line; the last line
// needs no end): lines pasted from the clipboard.
QStringList SplitTextLines(QStringView text);

// A failure says why, in the catalogue's language when one is given, else in
// English.
Result<ScheduleFileContent> ReadScheduleFile(const QString& path,
                                             const TextCatalogue* catalogue = nullptr);

// Every row whose blank-trimmed text is not empty, untrimmed, each + CR LF.
QByteArray SerializeSchedule(const QStringList& rows, bool* lossy = nullptr);

// A failed write never destroys the file that was there (WriteOutputFile).
Status WriteScheduleFile(const QString& path, const QByteArray& bytes,
                         const TextCatalogue* catalogue = nullptr);

} // namespace vx
