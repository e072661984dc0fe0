// vxedit-cli run: a dry run of a schedule's control flow on a simulated
// layout, with the other schedules of its folder as the layout.

#include "cli/cli.h"
#include "document/schedule_document.h"
#include "document/vfp_file.h"
#include "form/line_explanation.h"
#include "layout/layout_index.h"
#include "run/dry_run.h"

#include <QFileInfo>

namespace vx::cli {

namespace {

constexpr qint64 DefaultMaxSteps = 100000;

std::optional<qint64> Count(const Invocation& inv, const QString& option, qint64 low, qint64 high) {
    const std::optional<QString> text = inv.value(option);
    if (!text)
        return std::nullopt;
    bool ok = false;
    const qint64 v = text->toLongLong(&ok);
    if (!ok || v < low || v > high)
        return low - 1;
    return v;
}

Status checkRun(Invocation& inv) {
    if (inv.args.size() != 1)
        return Failure{QStringLiteral("one SCHEDULE expected")};
    const auto steps = Count(inv, QStringLiteral("max-steps"), 1, Q_INT64_C(1000000000000));
    if (steps && *steps < 1)
        return Failure{QStringLiteral("--max-steps takes a number of 1 or more")};
    const auto seed = Count(inv, QStringLiteral("seed"), 0, 0xFFFFFFFF);
    if (seed && *seed < 0)
        return Failure{QStringLiteral("--seed takes a number of 0 to 4294967295")};
    return {};
}

int runRun(const Invocation& inv) {
    const QString path = inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, path);
    if (!bytes)
        return ExitUsage;
    const ScheduleFileContent content = ParseScheduleBytes(*bytes, ScheduleDocument::MaxRows);
    NoteIfNotSchedule(inv, path, content.hasControlCharacters);

    QList<RunEvent> events;
    if (const std::optional<QString> eventsPath = inv.value(QStringLiteral("events"))) {
        const Result<QByteArray> eventBytes = ReadInput(inv, *eventsPath);
        if (!eventBytes)
            return ExitUsage;
        const RunEventsParse parsed = ParseRunEvents(QString::fromUtf8(*eventBytes));
        if (!parsed.ok()) {
            PrintError(inv, *eventsPath + u':' + QString::number(parsed.errorLine) +
                                QStringLiteral(": ") + parsed.error);
            return ExitUsage;
        }
        events = parsed.events;
    }

    // The folder is the layout: N continues there, and its lines may set what a wait needs.
    LayoutIndex layout;
    if (path != u"-")
        layout.addPaths({QFileInfo(path).path()});

    const ExplanationLanguage language(inv.lang);
    const qint64 maxSteps = Count(inv, QStringLiteral("max-steps"), 1, Q_INT64_C(1000000000000))
                                .value_or(DefaultMaxSteps);
    const quint32 seed =
        static_cast<quint32>(Count(inv, QStringLiteral("seed"), 0, 0xFFFFFFFF).value_or(1));
    const bool json = inv.isSet(QStringLiteral("json"));

    DryRun run(language, path == u"-" ? nullptr : &layout, path, content.lines, seed);
    run.setEvents(events);
    QString out;
    bool written = true;
    run.setTraceSink([&](const RunTraceEntry& entry) {
        out += (json ? RunTraceJson(entry) : RunTracePlain(entry)) + u'\n';
        if (out.size() > 1 << 16) {
            written = written && WriteStdout(inv, out.toUtf8());
            out.clear();
        }
    });
    const RunEnd end = RunToEnd(run, maxSteps);
    out += json ? RunSummaryJson(run, end) + u'\n' : RunSummaryPlain(run, end);
    written = written && WriteStdout(inv, out.toUtf8());
    if (!written)
        return ExitUsage;
    return run.findings().isEmpty() ? ExitDone : ExitProblems;
}

const Registration registration{
    {u"run",
     u"[--events FILE] [--max-steps N] [--seed N] [--json] SCHEDULE",
     u"A dry run of SCHEDULE on a simulated layout, from row 1, until it ends (E, or\n"
     u"past the last row), waits with no event left, jams (J 0/1/2), stops on a\n"
     u"finding, or has run N steps (default 100000). The other schedules of its\n"
     u"folder are the layout. The events file has one event a line, TIME THING ID\n"
     u"VALUE, TIME in seconds of virtual time: '0 contact 12 B', '12.5 contact 12 F',\n"
     u"'0 loco-on 12 3' (locomotive 3 stands on contact 12), '3 input 5 42' (the\n"
     u"answer to / D for marker 5); '#' starts a comment line. --seed seeds I\n"
     u"(default 1). Prints STEP TIME FILE:LINE: TEXT -> EFFECT per row run, then\n"
     u"END KIND at FILE:LINE, TIME s and FILE:LINE: KIND: MESSAGE per finding; with\n"
     u"--json one object per row and a last one with the end, findings and state.\n"
     u"Findings: busy-loop, return-without-call, repeat-end-without-repeat,\n"
     u"undefined-address, call-depth and missing-schedule stop the run (end error);\n"
     u"enters-subroutine, invalid-line, division-by-zero, no-end and never-satisfied\n"
     u"are noted. Exit 0 without a finding, 1 with one, 2 for bad usage or input.",
     {QCommandLineOption(QStringLiteral("events"), QStringLiteral("events file"),
                         QStringLiteral("FILE")),
      QCommandLineOption(QStringLiteral("max-steps"), QStringLiteral("step limit"),
                         QStringLiteral("N")),
      QCommandLineOption(QStringLiteral("seed"), QStringLiteral("seed of I"), QStringLiteral("N")),
      QCommandLineOption(QStringLiteral("json"))},
     checkRun,
     runRun}};

} // namespace

} // namespace vx::cli
