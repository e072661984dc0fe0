// vxedit-cli check [--json] FILE...: a linter for schedules.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "editor/schedule_diagnostics.h"
#include "form/parallel_lines.h"
#include "layout/layout_findings.h"
#include "texts/json_writer.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <atomic>
#include <limits>
#include <vector>

namespace vx::cli {

namespace {

// A finding's object in JSON. What follows its line number is the same for
// every finding of a kind and field, and a false input's message begins with
// the head that every finding of its field shares: a worker writes those
// once and copies them after, which spares most of the escaping of 40 MB.
class FindingJson {
public:
    explicit FindingJson(const QString& quotedPath) : quotedPath_(quotedPath) {}

    void append(QByteArray& out, int line, const ScheduleProblem& p) {
        JsonObjectOn object(out);
        object.raw(u"file", quotedPath_).num(u"line", line).members(membersOf(p));
        // A message without a tail is a text of its own finding.
        if (p.tail.isEmpty())
            object.str(u"message", p.head);
        else
            object.str(u"message", headOf(p.head), p.tail);
        object.close();
    }

private:
    const QByteArray& membersOf(const ScheduleProblem& p) {
        QHash<QString, QByteArray>& ofKind = members_[static_cast<size_t>(p.kind)];
        auto it = ofKind.constFind(p.field);
        if (it == ofKind.constEnd())
            it = ofKind.insert(p.field, JsonObjectOn<QByteArray>::membersOf({}, [&](auto& o) {
                                   o.str(u"kind", KindName(p.kind))
                                       .str(u"severity", SeverityName(p.severity()))
                                       .strOrNull(u"field", p.field);
                               }));
        return *it;
    }
    const JsonEscapedHead<QByteArray>& headOf(const QString& head) {
        // By where its characters are: the heads are the few texts the
        // check keeps; a text at the same place with other characters is
        // written afresh.
        JsonEscapedHead<QByteArray>& known = heads_[head.constData()];
        if (known.text != head)
            known = JsonEscapedHead<QByteArray>(head, JsonEscapes::Plain);
        return known;
    }

    const QString& quotedPath_;
    std::array<QHash<QString, QByteArray>,
               static_cast<size_t>(ScheduleProblem::Kind::TooManyLines) + 1>
        members_;
    QHash<const QChar*, JsonEscapedHead<QByteArray>> heads_;
};

Status checkCheck(Invocation& inv) {
    if (inv.args.isEmpty())
        return Failure{QStringLiteral("FILE is missing")};
    return {};
}

int checkAll(const Invocation& inv, ScheduleDiagnostics& diagnostics) {
    const bool json = inv.isSet(QStringLiteral("json"));
    bool unreadable = false;
    bool found = false;
    const auto checkFile = [&](const QString& path) {
        const Result<QByteArray> bytes = ReadInput(inv, path);
        if (!bytes) {
            unreadable = true;
            return true;
        }
        const ScheduleFileContent content =
            ParseScheduleBytes(*bytes, std::numeric_limits<int>::max());
        NoteIfNotSchedule(inv, path, content.hasControlCharacters);
        diagnostics.update(content.lines);
        // Put into words on every core, a slice of lines each, straight from
        // the findings as the check keeps them; the file is the same in
        // every finding.
        const QString quotedPath = JsonQuote(path);
        std::atomic<bool> error = false;
        const qsizetype lines = content.lines.size();
        std::vector<FindingJson> writers(static_cast<size_t>(WorkersFor(lines)),
                                         FindingJson(quotedPath));
        const auto findingsOf = [&](int worker, int line, QByteArray& out) {
            diagnostics.visitProblemsAt(line, [&](const ScheduleProblem& p) {
                if (p.severity() == ScheduleProblem::Severity::Error)
                    error.store(true, std::memory_order_relaxed);
                if (json)
                    writers[static_cast<size_t>(worker)].append(out, line, p);
                else
                    AppendUtf8(out, QString(path + u':' + QString::number(line) +
                                            QStringLiteral(": ") + SeverityName(p.severity()) +
                                            QStringLiteral(": ") + p.head + p.tail));
                out += '\n';
            });
        };
        constexpr qsizetype Window = 1 << 15;
        for (qsizetype from = 0; from < lines; from += Window) {
            const qsizetype count = std::min(Window, lines - from);
            const auto window = [&](int worker, qsizetype k, QByteArray& out) {
                findingsOf(worker, static_cast<int>(from + k + 1), out);
            };
            for (const QByteArray& part : Utf8InSlices(count, WorkersFor(count), 1 << 9, window))
                if (!WriteStdout(inv, part))
                    return false;
        }
        found = found || error;
        return true;
    };
    // A folder is a layout: its schedules one by one, then what only the
    // whole folder shows.
    const auto checkFolder = [&](const QString& folder) {
        const std::optional<QStringList> files = SchedulesInFolder(folder);
        if (!files) {
            PrintError(inv, folder + QStringLiteral(": the folder cannot be read"));
            unreadable = true;
            return true;
        }
        LayoutIndex index;
        index.addPaths(*files);
        for (const LayoutSchedule& s : index.schedules()) {
            // A binary file in the folder is no schedule with odd lines.
            if (s.state == LayoutSchedule::State::NotSchedule)
                PrintError(inv,
                           s.path + QStringLiteral(": ") + s.reason + QStringLiteral("; skipped"));
            else if (!checkFile(s.path))
                return false;
        }
        QString out;
        for (const LayoutFinding& f : CheckLayout(index)) {
            const QString severity = LayoutSeverityName(f.severity());
            found = found || f.severity() == LayoutFinding::Severity::Error;
            if (json)
                out += JsonObject()
                           .str(u"file", f.file)
                           .num(u"line", f.line)
                           .str(u"kind", LayoutKindName(f.kind))
                           .str(u"severity", severity)
                           .strOrNull(u"field", QString())
                           .str(u"message", f.message)
                           .text();
            else
                out += f.file + u':' + QString::number(f.line) + QStringLiteral(": ") + severity +
                       QStringLiteral(": ") + f.message;
            out += u'\n';
        }
        return static_cast<bool>(WriteStdout(inv, out.toUtf8()));
    };
    for (const QString& path : inv.args) {
        const bool written =
            path != u"-" && QFileInfo(path).isDir() ? checkFolder(path) : checkFile(path);
        if (!written)
            return ExitUsage;
    }
    if (unreadable)
        return ExitUsage;
    return found ? ExitProblems : ExitDone;
}

int runCheck(const Invocation& inv) {
    auto diagnostics = std::make_unique<ScheduleDiagnostics>(inv.lang);
    const int code = checkAll(inv, *diagnostics);
    LeaveToExit(std::move(diagnostics));
    return code;
}

const Registration registration{
    {u"check",
     u"[--json] FILE...",
     u"Checks schedules and prints FILE:LINE: error: MESSAGE or FILE:LINE: warning:\n"
     u"MESSAGE per finding, or with --json one object per finding: {\"file\", \"line\",\n"
     u"\"kind\", \"severity\", \"field\", \"message\"}. Kinds (errors unless marked):\n"
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
     u"A FILE that is a folder stands for the *.vfp files directly in it, in name\n"
     u"order, and is checked as one layout as well:\n"
     u"  missing-schedule   an 'N' loads a schedule file that is not in the folder\n"
     u"  unwritten-marker   (warning) a marker is read, but no schedule writes it\n"
     u"  shared-contact     (info) a contact that two schedules occupy ('B')\n"
     u"An 'E' right after an 'F' is an exit, not the end of its block. Exit 0 when no\n"
     u"error was found (warnings and infos alone give 0), 1 when one was, 2 when a\n"
     u"FILE cannot be read. FILE may be '-' for standard input.",
     {QCommandLineOption(QStringLiteral("json"))},
     checkCheck,
     runCheck}};

} // namespace

} // namespace vx::cli
