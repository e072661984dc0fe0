// vxedit-cli explain [FILE]: every non-blank line fetched into the entry fields
// as the fetch button does; the explanation and the red fields afterwards.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "form/line_explanation.h"
#include "form/parallel_lines.h"
#include "texts/blanks.h"
#include "texts/json_writer.h"

#include <algorithm>
#include <limits>

namespace vx::cli {

namespace {

Status checkExplain(Invocation& inv) {
    if (inv.args.size() > 1)
        return Failure{QStringLiteral("one FILE at most")};
    return {};
}

int runExplain(const Invocation& inv) {
    const QString input = inv.args.isEmpty() ? QStringLiteral("-") : inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, input);
    if (!bytes)
        return ExitUsage;
    const ScheduleFileContent content = ParseScheduleBytes(*bytes, std::numeric_limits<int>::max());
    NoteIfNotSchedule(inv, input, content.hasControlCharacters);

    // The lines go out a window at a time, each explained on every core.
    constexpr qsizetype Window = 1 << 15;
    constexpr qsizetype Slice = 1 << 9;
    const QStringList& lines = content.lines;
    const int workers = WorkersFor(lines.size());
    ExplanationTeam team(inv.lang);
    team.prepare(workers);
    for (qsizetype from = 0; from < lines.size(); from += Window) {
        const qsizetype count = std::min(Window, lines.size() - from);
        const auto explain = [&](int worker, qsizetype k, QByteArray& out) {
            const QString& line = lines[from + k];
            if (TrimView(line).isEmpty())
                return;
            const LineExplanation e = ExplainLine(line, team.of(worker));
            JsonObjectOn(out)
                .num(u"line", from + k + 1)
                .str(u"text", line)
                .str(u"explanation", e.explanation)
                .strings(u"redFields", e.redFields)
                .close();
            out += '\n';
        };
        for (const QByteArray& part : Utf8InSlices(count, workers, Slice, explain))
            if (!WriteStdout(inv, part))
                return ExitUsage;
    }
    return ExitDone;
}

const Registration registration{
    {u"explain",
     u"[FILE]",
     u"Puts every line of FILE (or of standard input when FILE is missing or '-') whose\n"
     u"text is not blank into row 1 of an empty schedule and fetches it into the entry\n"
     u"fields exactly as the fetch button does. Prints one JSON object per line:\n"
     u"{\"line\": N, \"text\": \"...\", \"explanation\": \"...\", \"redFields\": [...]}\n"
     u"with the explanation line afterwards and the controls drawn as false input.",
     {},
     checkExplain,
     runExplain}};

} // namespace

} // namespace vx::cli
