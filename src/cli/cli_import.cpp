// vxedit-cli import FILE.lsp [-o OUT.vfp]: an MTS-PC schedule converted line by
// line as the Import command converts it, written as a schedule file.

#include "cli/cli.h"
#include "document/mts_import.h"
#include "document/schedule_document.h"
#include "document/vfp_file.h"
#include "texts/blanks.h"

#include <limits>

namespace vx::cli {

namespace {

const QString OutputOption = QStringLiteral("output");

Status checkImport(Invocation& inv) {
    if (inv.args.size() != 1)
        return Failure{inv.args.isEmpty() ? QStringLiteral("FILE.lsp is missing")
                                          : QStringLiteral("one FILE.lsp only")};
    if (const std::optional<QString> output = inv.value(OutputOption); output && output->isEmpty())
        return Failure{QStringLiteral("the output name is empty")};
    return {};
}

int runImport(const Invocation& inv) {
    const std::optional<QString> output = inv.value(OutputOption);
    const bool allLines = inv.isSet(QStringLiteral("all-lines"));
    const QString input = inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, input);
    if (!bytes)
        return ExitUsage;
    const ScheduleFileContent content = ParseScheduleBytes(
        *bytes, allLines ? std::numeric_limits<int>::max() : ScheduleDocument::MaxRows);

    QStringList rows;
    rows.reserve(content.lines.size());
    for (const QString& line : content.lines) {
        QString source = line;
        QString target;
        ConvertMtsLine(source, target);
        if (!TrimView(target).isEmpty())
            rows.append(target);
    }
    bool lossy = false;
    const QByteArray serialized = SerializeSchedule(rows, &lossy);

    if (content.linesNotLoaded > 0)
        PrintError(inv, QStringLiteral("%1: only the first %2 lines were converted, as the editor "
                                       "imports them; %3 more lines were left out (--all-lines "
                                       "converts every line)")
                            .arg(input)
                            .arg(ScheduleDocument::MaxRows)
                            .arg(content.linesNotLoaded));
    if (lossy)
        PrintError(inv, QStringLiteral("characters that Windows-1252 cannot hold were written "
                                       "as '?'"));

    if (!WriteOutput(inv, output.value_or(QStringLiteral("-")), serialized))
        return ExitUsage;
    // Lines left out are a problem for a script, not only a note.
    return content.linesNotLoaded > 0 ? ExitProblems : ExitDone;
}

const Registration registration{
    {u"import",
     u"FILE.lsp [-o OUT.vfp] [--all-lines]",
     u"Converts an MTS-PC schedule exactly as the Import command does: every line\n"
     u"goes through the MTS conversion (decoder addresses such as 5A, 12V become\n"
     u"single numbers with the old address noted as a remark; every other line is\n"
     u"taken over left-trimmed), and the rows whose text is not blank are written as\n"
     u"a schedule file (Windows-1252, CR LF) to OUT, or to standard output when -o is\n"
     u"missing or '-'. FILE.lsp may be '-' for standard input.\n"
     u"\n"
     u"Like the editor, only the first 1999 lines of FILE.lsp are converted (a\n"
     u"schedule holds at most 1999 rows); when the file has more, a note on stderr\n"
     u"says how many lines were left out, and the exit code is 1.\n"
     u"\n"
     u"  -o, --output OUT  write the schedule file to OUT (replaced only when the whole\n"
     u"                    file could be written)\n"
     u"  --all-lines       convert every line of FILE.lsp, beyond the 1999th too",
     {QCommandLineOption(QStringList{QStringLiteral("o"), OutputOption}, QString(),
                         QStringLiteral("OUT")),
      QCommandLineOption(QStringLiteral("all-lines"))},
     checkImport,
     runImport}};

} // namespace

} // namespace vx::cli
