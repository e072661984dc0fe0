// Throughput of check and explain on 200,000 distinct generated lines of every
// command form, against split on the same lines: in the process (the line
// functions alone, without start-up, on every core as vxedit-cli runs them)
// and as whole vxedit-cli runs.
// Targets: at least 1,000,000 lines/s for check and explain, and at most 1.5
// times the time of split.
//
//   bench_check [--lines N] [--cli PATH]...   (default: the build's vxedit-cli)
// Each --cli is measured; give the older build too to compare on one machine.

#include "commands/line_syntax.h"
#include "document/vfp_file.h"
#include "editor/schedule_check.h"
#include "editor/schedule_diagnostics.h"
#include "form/line_explanation.h"
#include "form/parallel_lines.h"
#include "line_generator.h"
#include "texts/blanks.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace vx;
using Clock = std::chrono::steady_clock;

namespace {

// The best of a few runs: the machine's other work only ever slows a run down.
double bestSeconds(int runs, const std::function<void()>& work) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

void row(const char* what, double lines, double seconds, double splitSeconds) {
    std::printf("  %-34s %10.0f lines/s  %5.2fx split\n", what, lines / seconds,
                seconds / splitSeconds);
}

void runCli(const QString& cli, const QStringList& args) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(cli, args);
    p.waitForFinished(-1);
}

// The best of rounds whole runs of each command, taken in turn: a burst of
// the machine's other work then slows one run of each, not all runs of one,
// and the ratios stay fair.
std::vector<double> cliSeconds(const QString& cli, const std::vector<QStringList>& commands,
                               int rounds) {
    std::vector<double> best(commands.size(), 1e9);
    for (int r = 0; r < rounds; ++r)
        for (size_t c = 0; c < commands.size(); ++c)
            best[c] = std::min(best[c], bestSeconds(1, [&] { runCli(cli, commands[c]); }));
    return best;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::size_t count = 200000;
    QStringList clis;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--lines")
            count = args[i + 1].toULongLong();
        else if (args[i] == u"--cli")
            clis.append(args[i + 1]);
    }
    if (clis.isEmpty())
        clis.append(QCoreApplication::applicationDirPath() + u"/../vxedit-cli"_qs);

    QByteArray bytes;
    for (const std::string& line : linegen::GenerateLines({1, count}))
        bytes.append(line.data(), static_cast<qsizetype>(line.size())).append("\r\n");
    const QStringList lines = ParseScheduleBytes(bytes, std::numeric_limits<int>::max()).lines;
    const double n = static_cast<double>(lines.size());
    std::printf("%lld distinct generated lines\n", static_cast<long long>(lines.size()));

    std::printf("in the process (language EN, best of 5):\n");
    const double split = bestSeconds(5, [&] {
        for (const QString& line : lines)
            SplitLine(line);
    });
    row("split (SplitLine)", n, split, split);
    const ExplanationLanguage texts(u"EN");
    const double alone = bestSeconds(5, [&] {
        for (const QString& line : lines)
            if (!TrimView(line).isEmpty())
                ExplainLine(line, texts);
    });
    row("explain (ExplainLine), one thread", n, alone, split);
    // As vxedit-cli explain does it: on every core.
    const int workers = WorkersFor(lines.size());
    ExplanationTeam team(u"EN");
    team.prepare(workers);
    const double explain = bestSeconds(5, [&] {
        RunInSlices(lines.size(), workers, 512, [&](int worker, qsizetype begin, qsizetype end) {
            for (qsizetype i = begin; i < end; ++i)
                if (!TrimView(lines[i]).isEmpty())
                    ExplainLine(lines[i], team.of(worker));
        });
    });
    std::printf("  (%d threads from here on)\n", workers);
    row("explain (ExplainLine)", n, explain, split);
    const double check = bestSeconds(5, [&] {
        ScheduleDiagnostics diagnostics(u"EN");
        CheckSchedule(diagnostics, lines);
    });
    row("check (CheckSchedule)", n, check, split);
    // As vxedit-cli check reads them: in place, a line at a time, no list,
    // and left to the end of the process; what freeing them would cost is
    // printed on its own.
    double visited = 1e9;
    double freeing = 1e9;
    for (int run = 0; run < 5; ++run) {
        const auto start = Clock::now();
        auto diagnostics = std::make_unique<ScheduleDiagnostics>(u"EN");
        diagnostics->update(lines);
        qsizetype seen = 0;
        for (int line = 1; line <= lines.size(); ++line)
            diagnostics->visitProblemsAt(line, [&](const ScheduleProblem&) { ++seen; });
        if (seen != diagnostics->problemCount())
            std::fprintf(stderr, "visited %lld findings of %d\n", static_cast<long long>(seen),
                         diagnostics->problemCount());
        const auto visitedAt = Clock::now();
        diagnostics.reset();
        visited = std::min(visited, std::chrono::duration<double>(visitedAt - start).count());
        freeing =
            std::min(freeing, std::chrono::duration<double>(Clock::now() - visitedAt).count());
    }
    row("check (update, findings visited)", n, visited, split);
    std::printf("  %-34s %10.1f ms (vxedit-cli leaves it to the exit)\n",
                "  freeing those findings", freeing * 1000);
    LineExplainer editor(u"EN");
    const double fetch = bestSeconds(1, [&] {
        for (const QString& line : lines)
            if (!TrimView(line).isEmpty())
                editor.explain(line);
    });
    row("explain by a fetch into an editor", n, fetch, split);

    QTemporaryDir dir;
    const QString file = dir.filePath(u"generated.vfp"_qs);
    QFile out(file);
    if (!dir.isValid() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 2;
    }
    out.close();
    constexpr int Rounds = 9;
    const std::vector<QStringList> commands = {
        {u"split"_qs, file},
        {u"explain"_qs, u"--lang"_qs, u"EN"_qs, file},
        {u"check"_qs, u"--json"_qs, u"--lang"_qs, u"EN"_qs, file}};
    for (const QString& cli : clis) {
        std::printf("whole runs of %s (best of %d, in turn):\n", qPrintable(cli), Rounds);
        const std::vector<double> s = cliSeconds(cli, commands, Rounds);
        row("vxedit-cli split", n, s[0], s[0]);
        row("vxedit-cli explain --lang EN", n, s[1], s[0]);
        row("vxedit-cli check --json --lang EN", n, s[2], s[0]);
    }
    return 0;
}
