// Any bytes as a schedule file: reading and writing must agree, so that a
// schedule that is opened and saved again keeps every non-empty line; and the
// findings kept from one input to the next, as the editor keeps them from
// one event to the next, equal those of a check from scratch.

#include "document/vfp_file.h"
#include "editor/schedule_diagnostics.h"
#include "texts/blanks.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));

    // Every byte is one character and comes back as itself.
    check(vx::EncodeWindows1252(vx::DecodeWindows1252(bytes)) == bytes);

    const vx::ScheduleFileContent all =
        vx::ParseScheduleBytes(bytes, std::numeric_limits<int>::max());
    check(all.linesNotLoaded == 0);
    QStringList rows;
    for (const QString& line : all.lines) {
        check(!line.contains(u'\r') && !line.contains(u'\n'));
        if (!vx::TrimView(line).isEmpty())
            rows.append(line);
    }

    bool lossy = true;
    const QByteArray written = vx::SerializeSchedule(all.lines, &lossy);
    check(!lossy);
    const vx::ScheduleFileContent reread =
        vx::ParseScheduleBytes(written, std::numeric_limits<int>::max());
    check(reread.lines == rows);
    check(vx::SerializeSchedule(reread.lines) == written);

    // A row limit keeps the first lines and only counts the others.
    if (size > 0) {
        const int limit = data[0] % 8;
        const vx::ScheduleFileContent limited = vx::ParseScheduleBytes(bytes, limit);
        check(limited.lines == all.lines.mid(0, limit));
        check(limited.lines.size() + limited.linesNotLoaded == all.lines.size());
    }

    static vx::ScheduleDiagnostics kept(u"EN");
    const QStringList schedule = all.lines.mid(0, 300);
    kept.update(schedule);
    vx::ScheduleDiagnostics fresh(u"EN");
    fresh.update(schedule);
    const QList<vx::ScheduleProblem> a = kept.problems();
    const QList<vx::ScheduleProblem> b = fresh.problems();
    check(a.size() == b.size());
    for (qsizetype i = 0; i < a.size(); ++i)
        check(a[i].line == b[i].line && a[i].kind == b[i].kind && a[i].message() == b[i].message());
    for (int line = 1; line <= schedule.size(); ++line)
        check(kept.definitionOf(line) == fresh.definitionOf(line) &&
              kept.usesOf(line) == fresh.usesOf(line));
    return 0;
}
