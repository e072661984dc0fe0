#pragma once

// Schedules of the LGB MTS-PC program (.lsp) address contacts and magnetic
// articles as a decoder number with an output letter (A, B) or a V. The import
// rewrites those addresses into the single numbers of this system and keeps the
// original address as a trailing remark.

#include <QChar>
#include <QString>

namespace vx {

// 1..128 A/B -> 2n-1 / 2n, 129..256 A/B -> 2(n-129)+513 / +514, 1..256 V ->
// n+800, each with the note " [<n><letter>]"; anything else keeps n, empty note.
void ConvertMtsAddress(int n, QChar letter, int& newNumber, QString& note);

// Converts one line; source is left-trimmed in place, target receives the row.
void ConvertMtsLine(QString& source, QString& target);

} // namespace vx
