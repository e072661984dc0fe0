// vxedit-cli xref: every use of every thing that the schedules name.

#include "cli/cli_layout.h"
#include "texts/json_writer.h"

namespace vx::cli {

bool ReadLayout(const Invocation& inv, const QStringList& paths, LayoutIndex& index) {
    index.addPaths(paths);
    bool allRead = true;
    for (const LayoutSchedule& s : index.schedules()) {
        if (s.isRead())
            continue;
        PrintError(inv, s.path + QStringLiteral(": ") + s.reason + QStringLiteral("; skipped"));
        allRead = allRead && s.state != LayoutSchedule::State::Unreadable;
    }
    return allRead;
}

QString PlainUse(const LayoutIndex::Ref& r) {
    const LayoutUse& u = *r.use;
    return ThingName(u.thing) + u' ' + u.id + u' ' + r.schedule->path + u':' +
           QString::number(u.line) + QStringLiteral(": ") + AccessName(u.access) +
           QStringLiteral(": ") + r.schedule->lines[u.line - 1];
}

namespace {

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

Status checkXref(Invocation& inv) {
    if (inv.isSet(QStringLiteral("json")) && inv.isSet(QStringLiteral("csv")))
        return Failure{QStringLiteral("--json and --csv exclude each other")};
    if (const auto kind = inv.value(QStringLiteral("kind")); kind && !ThingByName(*kind))
        return Failure{QStringLiteral("unknown kind: ") + *kind};
    if (inv.args.isEmpty())
        return Failure{QStringLiteral("PATH is missing")};
    return {};
}

int runXref(const Invocation& inv) {
    LayoutIndex index;
    const bool allRead = ReadLayout(inv, inv.args, index);
    const bool json = inv.isSet(QStringLiteral("json"));
    const bool csv = inv.isSet(QStringLiteral("csv"));
    const std::optional<QString> kindName = inv.value(QStringLiteral("kind"));
    const std::optional<Thing> kind = kindName ? ThingByName(*kindName) : std::nullopt;

    QString out;
    if (csv)
        out += QStringLiteral("kind,id,file,line,access,text\r\n");
    for (const LayoutIndex::Ref& r : index.sortedUses()) {
        const LayoutUse& u = *r.use;
        if (kind && u.thing != *kind)
            continue;
        const QString& text = r.schedule->lines[u.line - 1];
        if (json)
            out += JsonObject()
                       .str(u"kind", ThingName(u.thing))
                       .str(u"id", u.id)
                       .str(u"file", r.schedule->path)
                       .num(u"line", u.line)
                       .num(u"operand", u.operand)
                       .str(u"access", AccessName(u.access))
                       .str(u"text", text)
                       .text() +
                   u'\n';
        else if (csv)
            out += QStringList{ThingName(u.thing),         csvField(u.id),
                               csvField(r.schedule->path), QString::number(u.line),
                               AccessName(u.access),       csvField(text)}
                       .join(u',') +
                   QStringLiteral("\r\n");
        else
            out += PlainUse(r) + u'\n';
    }
    if (!WriteStdout(inv, out.toUtf8()))
        return ExitUsage;
    return allRead ? ExitDone : ExitUsage;
}

const Registration registration{
    {u"xref",
     u"[--json|--csv] [--kind KIND] PATH...",
     u"Lists every use of every thing that the schedules' lines name, one per line:\n"
     u"KIND ID FILE:LINE: ACCESS: TEXT; with --json one object per use, {\"kind\", \"id\",\n"
     u"\"file\", \"line\", \"operand\", \"access\", \"text\"}; with --csv a header line and one\n"
     u"row per use. A PATH that is a folder stands for the *.vfp files directly in it,\n"
     u"in name order. Order: by kind as listed, then id (numbers as numbers), file in\n"
     u"the order given, line and operand. Kinds: contact, article, signal, route,\n"
     u"marker, counter, loco, module, turntable, setvar, schedule-no, schedule-file,\n"
     u"address. Access: waits, tests, sets, switches, reads, writes, drives, triggers,\n"
     u"calls, jumps, defines, loads. A use the line implies without naming it has\n"
     u"operand 0. Files that cannot be read or hold no schedule are named on stderr\n"
     u"and skipped. Exit 0, or 2 when a PATH could not be read.",
     {QCommandLineOption(QStringLiteral("json")), QCommandLineOption(QStringLiteral("csv")),
      QCommandLineOption(QStringLiteral("kind"), QStringLiteral("keep one kind"),
                         QStringLiteral("KIND"))},
     checkXref,
     runXref}};

} // namespace

} // namespace vx::cli
