// Any bytes as one schedule line: SplitLine must keep every character that is
// neither a blank, a separating comma nor part of the trailing remark, and the
// writer must take whatever the reader hands it.

#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "texts/blanks.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

qsizetype nonBlanks(QStringView text) {
    return text.size() - text.count(u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString line = vx::DecodeWindows1252(QByteArrayView(data, static_cast<qsizetype>(size)));
    QString trimmed = line;
    QString f1, f2, f3, f4, f5, f6;
    vx::SplitLine(trimmed, f1, f2, f3, f4, f5, f6);
    const QString fields[] = {f1, f2, f3, f4, f5, f6};

    check(trimmed == vx::Trim(line));
    if (trimmed.isEmpty()) {
        for (const QString& f : fields)
            check(f.isEmpty());
    } else if (trimmed.front() == u'*') {
        check(f1 == u"*" && f2 == QStringView(trimmed).mid(1));
        check(f3.isEmpty() && f4.isEmpty() && f5.isEmpty() && f6.isEmpty());
    } else {
        // What the fields are cut from: the line without its trailing remark.
        QStringView work(trimmed);
        const bool operating = trimmed.front() == u'/';
        if (!operating) {
            const qsizetype p = trimmed.indexOf(u" *");
            if (p >= 0)
                work = work.left(p);
            check(vx::TrailingRemark(line) == (p >= 0 ? trimmed.mid(p + 2) : QString()));
        } else {
            check(vx::TrailingRemark(line).isEmpty());
        }
        qsizetype kept = 0;
        for (int k = 0; k < 6; ++k) {
            const QString& f = fields[k];
            kept += nonBlanks(f);
            check(work.contains(f));
            // Only the sixth field may hold a comma, and no field the remark.
            check(k == 5 || !f.contains(u','));
            check(operating || !f.contains(u" *"));
            // No field starts with a blank; only the fifth may end with blanks.
            check(f.isEmpty() || f.front() != u' ');
            check(f.isEmpty() || k == 4 || f.back() != u' ');
        }
        const qsizetype separators = std::min<qsizetype>(work.count(u','), 5);
        check(kept + separators == nonBlanks(work));
    }

    // The writer takes the fields as the fetch puts them into the entry area.
    vx::LineEntry entry;
    entry.code = f1;
    entry.operands = {QString(), f2, f3, f4, f5, f6};
    entry.remark = vx::TrailingRemark(line);
    const QString written = vx::ComposeLine(entry);
    if (!f1.startsWith(u'*'))
        check(written.startsWith(vx::Trim(f1).toUpper()));
    return 0;
}
