// vxedit-cli check [--json] FILE...: a linter for schedules.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "editor/schedule_check.h"
#include "texts/json_writer.h"

#include <limits>

namespace vx::cli {

namespace {

bool checkCheck(Invocation& inv) {
    return !inv.args.isEmpty() || UsageError(inv, QStringLiteral("FILE is missing"));
}

int runCheck(const Invocation& inv) {
    const bool json = inv.isSet(QStringLiteral("json"));
    LineExplainer explainer(inv.lang);
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
        const QList<ScheduleProblem> problems = CheckSchedule(explainer, content.lines);
        found = found || !problems.isEmpty();
        QString out;
        for (const ScheduleProblem& p : problems) {
            if (json)
                out += JsonObject()
                           .str(u"file", path)
                           .num(u"line", p.line)
                           .str(u"kind", KindName(p.kind))
                           .strOrNull(u"field", p.field)
                           .str(u"message", p.message)
                           .text();
            else
                out +=
                    path + u':' + QString::number(p.line) + QStringLiteral(": error: ") + p.message;
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
     u"Checks schedules: every line whose fetch leaves a field marked as false input,\n"
     u"every line whose code names no command, every address ('!' or 'U') defined\n"
     u"twice and every goto ('G') or subroutine call ('R') whose address is defined\n"
     u"nowhere, and a file longer than 1999 lines (at line 2000: the editor loads\n"
     u"no more). Prints FILE:LINE: error: MESSAGE per problem, or with --json one\n"
     u"object per problem: {\"file\", \"line\", \"kind\", \"field\", \"message\"}; kinds:\n"
     u"false-input, unknown-command, double-address, undefined-address, too-many-lines.\n"
     u"Exit 0 when nothing was found, 1 when something was, 2 when a FILE cannot be\n"
     u"read. FILE may be '-' for standard input.",
     {QCommandLineOption(QStringLiteral("json"))},
     checkCheck,
     runCheck}};

} // namespace

} // namespace vx::cli
