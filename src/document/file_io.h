#pragma once

// The one place where the editor and vxedit-cli touch files: inputs are read
// only from regular files and up to one size limit, so that a FIFO cannot hang
// a read and /dev/zero cannot fill the memory; outputs replace only regular
// files, atomically, and go straight into devices and FIFOs.

#include "texts/result.h"

#include <QByteArray>
#include <QString>

namespace vx {

class TextCatalogue;

// Larger inputs are refused: no schedule comes near this size.
constexpr qint64 MaxInputFileBytes = 64LL * 1024 * 1024;

// The whole content of the regular file at path (symbolic links followed).
// A failure says why (in the catalogue's language when one is given, else in
// English): missing, a folder, a FIFO, a device or a socket, no permission,
// too large, a read error.
Result<QByteArray> ReadInputFile(const QString& path, const TextCatalogue* catalogue = nullptr,
                                 qint64 maxBytes = MaxInputFileBytes);

// The same limit for a stream that is already open (standard input).
Result<QByteArray> ReadInputStream(int fd, const TextCatalogue* catalogue = nullptr,
                                   qint64 maxBytes = MaxInputFileBytes);

// Writes bytes to path. A regular file (or a new one) is replaced atomically
// after its data reached the disk, keeping the owner, group and mode of the
// file that was there; a symbolic link keeps pointing at its target, which is
// written; a character or block device or a FIFO is written straight through;
// anything else is refused. On failure the file that was there is unchanged
// and the status says why.
Status WriteOutputFile(const QString& path, const QByteArray& bytes,
                       const TextCatalogue* catalogue = nullptr);

} // namespace vx
