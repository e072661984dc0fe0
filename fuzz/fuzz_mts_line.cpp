// Any bytes as one line of an MTS-PC schedule: the conversion either takes the
// line over (left-trimmed) or rewrites one address and notes it as a remark.

#include "document/mts_import.h"
#include "document/vfp_file.h"
#include "texts/blanks.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// The address table, checked for any number the input names.
void checkAddress(int n, QChar letter) {
    int newNumber = -1;
    QString note;
    vx::ConvertMtsAddress(n, letter, newNumber, note);
    const QChar l = letter.toUpper();
    const bool converted = n >= 1 && n <= 256 && (l == u'A' || l == u'B' || l == u'V');
    if (!converted) {
        check(newNumber == n && note.isEmpty());
        return;
    }
    check(note == QStringLiteral(" [") + QString::number(n) + l.toLower() + u']');
    if (l == u'V')
        check(newNumber == n + 800);
    else if (n <= 128)
        check(newNumber == 2 * n - (l == u'A' ? 1 : 0));
    else
        check(newNumber == 2 * (n - 129) + (l == u'A' ? 513 : 514));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= 5) {
        int n = 0;
        std::memcpy(&n, data, sizeof n);
        checkAddress(n, QChar(char16_t(data[4])));
        checkAddress(n % 300, QChar(char16_t(data[4])));
    }

    const QString line = vx::DecodeWindows1252(QByteArrayView(data, static_cast<qsizetype>(size)));
    QString source = line;
    QString target;
    vx::ConvertMtsLine(source, target);
    check(source == vx::LTrim(line));
    if (target != source) {
        // A converted line keeps its code field and ends with the note.
        check(target.startsWith(source.section(u',', 0, 0) + u','));
        const qsizetype mark = target.lastIndexOf(QStringLiteral("  *"));
        check(mark > 0);
        const QStringView note = QStringView(target).mid(mark + 3);
        check(note.isEmpty() || (note.startsWith(u" [") && note.endsWith(u']')));
    }
    return 0;
}
