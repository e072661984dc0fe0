// vxedit-cli check [--json] FILE...: a linter for schedules.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "editor/schedule_diagnostics.h"
#include "texts/json_writer.h"

#include <limits>

namespace vx::cli {

namespace {

bool checkCheck(Invocation& inv) {
    return !inv.args.isEmpty() || UsageError(inv, QStringLiteral("FILE is missing"));
}

int runCheck(const Invocation& inv) {
    const bool json = inv.isSet(QStringLiteral("json"));
    ScheduleDiagnostics diagnostics(inv.lang);
    bool unreadable = false;
    bool found = false;
    for (const QString& path : inv.args) {
        const std::optional<QByteArray> bytes = ReadInput(inv, path);
        if (!bytes) {
            unreadable = true;
            continue;
        }
        const ScheduleFileContent content =
            ParseScheduleBytes(*bytes, std::numeric_limits<int>::max());
        NoteIfNotSchedule(inv, path, content.hasControlCharacters);
        const QList<ScheduleProblem> problems = CheckSchedule(diagnostics, content.lines);
        QString out;
        for (const ScheduleProblem& p : problems) {
            const ScheduleProblem::Severity severity = p.severity();
            found = found || severity == ScheduleProblem::Severity::Error;
            if (json)
                out += JsonObject()
                           .str(u"file", path)
                           .num(u"line", p.line)
                           .str(u"kind", KindName(p.kind))
                           .str(u"severity", SeverityName(severity))
                           .strOrNull(u"field", p.field)
                           .str(u"message", p.message)
                           .text();
            else
                out += path + u':' + QString::number(p.line) + QStringLiteral(": ") +
                       SeverityName(severity) + QStringLiteral(": ") + p.message;
            out += u'\n';
        }
        if (!WriteStdout(inv, out.toUtf8()))
            return ExitUsage;
    }
    if (unreadable)
        return ExitUsage;
    return found ? ExitProblems : ExitDone;
}

const Registration registration{
    {u"check",
     u"[--json] FILE...",
     u"Checks schedules and prints FILE:LINE: error: MESSAGE or FILE:LINE: warning:\n"
     u"MESSAGE per finding, or with --json one object per finding: {\"file\", \"line\",\n"
     u"\"kind\", \"severity\", \"field\", \"message\"}. Kinds (all errors but one):\n"
     u"  false-input        a field is marked as false input when the line is fetched\n"
     u"  unknown-command    the code names no command\n"
     u"  double-address     an address ('!' or 'U') defined a second time\n"
     u"  undefined-address  a goto ('G'), a call ('R') or a reserving route's jump\n"
     u"                     ('X' or 'Y' with 'R') to an address defined nowhere\n"
     u"  wrong-target       a goto or jump to a subroutine start ('U'), or an 'R' to\n"
     u"                     a goto address ('!') outside every subroutine\n"
     u"  end-without-block  an 'E, W' or 'E, U' with no repeat or subroutine open\n"
     u"  unclosed-block     a repeat ('W') or subroutine ('U') that no 'E' ends\n"
     u"  unused-subroutine  (warning) a subroutine that no 'R' calls\n"
     u"  too-many-lines     more than 1999 lines (at line 2000: the editor loads no more)\n"
     u"An 'E' right after an 'F' is an exit, not the end of its block. Exit 0 when no\n"
     u"error was found (warnings alone give 0), 1 when one was, 2 when a FILE cannot\n"
     u"be read. FILE may be '-' for standard input.",
     {QCommandLineOption(QStringLiteral("json"))},
     checkCheck,
     runCheck}};

} // namespace

} // namespace vx::cli
