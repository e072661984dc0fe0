// vxedit-cli explain [FILE]: every non-blank line fetched into the entry fields
// as the fetch button does; the explanation and the red fields afterwards.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "form/line_explanation.h"
#include "texts/blanks.h"
#include "texts/json_writer.h"

#include <limits>

namespace vx::cli {

namespace {

bool checkExplain(Invocation& inv) {
    return inv.args.size() <= 1 || UsageError(inv, QStringLiteral("one FILE at most"));
}

int runExplain(const Invocation& inv) {
    const QString input = inv.args.isEmpty() ? QStringLiteral("-") : inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, input);
    if (!bytes)
        return ExitUsage;
    const ScheduleFileContent content = ParseScheduleBytes(*bytes, std::numeric_limits<int>::max());
    NoteIfNotSchedule(inv, input, content.hasControlCharacters);

    const ExplanationLanguage language(inv.lang);
    QString out;
    for (qsizetype i = 0; i < content.lines.size(); ++i) {
        const QString& line = content.lines[i];
        if (TrimView(line).isEmpty())
            continue;
        const LineExplanation e = ExplainLine(line, language);
        out += JsonObject()
                   .num(u"line", i + 1)
                   .str(u"text", line)
                   .str(u"explanation", e.explanation)
                   .raw(u"redFields", JsonArray::strings(e.redFields).text())
                   .text() +
               u'\n';
        if (out.size() > 1 << 16) {
            if (!WriteStdout(inv, out.toUtf8()))
                return ExitUsage;
            out.clear();
        }
    }
    return WriteStdout(inv, out.toUtf8()) ? ExitDone : ExitUsage;
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
