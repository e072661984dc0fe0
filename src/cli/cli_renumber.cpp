// vxedit-cli renumber: one thing of the layout gets a new number or name in
// every line that uses it, with a kept copy of each changed file.

#include "cli/cli_layout.h"
#include "editor/layout_view.h"
#include "layout/renumber.h"
#include "texts/json_writer.h"

namespace vx::cli {

namespace {

Status checkRenumber(Invocation& inv) {
    const std::optional<QString> kind = inv.value(QStringLiteral("kind"));
    if (!kind)
        return Failure{QStringLiteral("--kind is missing")};
    if (!ThingByName(*kind))
        return Failure{QStringLiteral("unknown kind: ") + *kind};
    if (inv.args.size() < 2)
        return Failure{QStringLiteral("OLD=NEW and PATH are needed")};
    const qsizetype eq = inv.args.front().indexOf(u'=');
    if (eq <= 0 || eq == inv.args.front().size() - 1)
        return Failure{QStringLiteral("OLD=NEW expected, not ") + inv.args.front()};
    return {};
}

int runRenumber(const Invocation& inv) {
    const Thing thing = *ThingByName(*inv.value(QStringLiteral("kind")));
    const QString& pair = inv.args.front();
    const qsizetype eq = pair.indexOf(u'=');
    const QString oldId = pair.left(eq);
    const QString newId = pair.mid(eq + 1);
    const bool json = inv.isSet(QStringLiteral("json"));

    LayoutIndex index;
    // Nothing is written when any file cannot be read.
    if (!ReadLayout(inv, inv.args.mid(1), index)) {
        PrintError(inv, QStringLiteral("nothing written"));
        return ExitUsage;
    }
    const RenumberPlan plan = PlanRenumber(index, thing, oldId, newId, FetchAcceptor(inv.lang));
    if (!plan.refusals.isEmpty()) {
        for (const QString& refusal : plan.refusals)
            PrintError(inv, refusal);
        PrintError(inv, QStringLiteral("nothing written"));
        return ExitUsage;
    }
    if (!plan.conflicts.isEmpty() && !inv.isSet(QStringLiteral("force"))) {
        PrintError(inv, QStringLiteral("%1 (or a thing that moves with it) is already used; "
                                       "--force changes it anyway:")
                            .arg(newId));
        QString uses;
        for (const LayoutIndex::Ref& r : plan.conflicts)
            uses += PlainUse(r) + u'\n';
        WriteStderr(uses.toUtf8());
        PrintError(inv, QStringLiteral("nothing written"));
        return ExitUsage;
    }
    if (!inv.isSet(QStringLiteral("dry-run"))) {
        const RenumberOutcome outcome = ApplyRenumber(index, plan);
        if (!outcome.done) {
            PrintError(inv, outcome.message);
            return ExitUsage;
        }
    }
    QString out;
    for (const LineEdit& e : plan.edits) {
        if (json)
            out += JsonObject()
                       .str(u"file", e.file)
                       .num(u"line", e.line)
                       .str(u"old", e.oldText)
                       .str(u"new", e.newText)
                       .text();
        else
            out += e.file + u':' + QString::number(e.line) + QStringLiteral(": ") + e.oldText +
                   QStringLiteral(" -> ") + e.newText;
        out += u'\n';
    }
    return WriteStdout(inv, out.toUtf8()) ? ExitDone : ExitUsage;
}

const Registration registration{
    {u"renumber",
     u"--kind KIND [--dry-run] [--force] [--json] OLD=NEW PATH...",
     u"Changes every use of the thing KIND OLD into NEW in the given schedules (a\n"
     u"folder stands for the *.vfp files directly in it; KIND as xref names it). For\n"
     u"an address, within each schedule that defines or uses OLD, and in the N lines\n"
     u"that start that schedule at OLD. Only the number or name changes; every other\n"
     u"byte stays. Prints FILE:LINE: OLD-LINE -> NEW-LINE per changed line (--json:\n"
     u"{\"file\", \"line\", \"old\", \"new\"}). Refuses, writing nothing, when NEW is not\n"
     u"valid for a command that uses the thing, when a line uses OLD without naming\n"
     u"it, when a file cannot be read or written, and, without --force, when NEW is\n"
     u"used already (its uses go to stderr). Each changed file's old content is kept\n"
     u"as NAME.vfp.bak beside it; when a replacement fails, the files already\n"
     u"replaced are put back. --dry-run writes nothing. Exit 0 when done (also when\n"
     u"nothing matched), 2 when refused or failed.",
     {QCommandLineOption(QStringLiteral("kind"), QStringLiteral("the kind of thing"),
                         QStringLiteral("KIND")),
      QCommandLineOption(QStringLiteral("dry-run")), QCommandLineOption(QStringLiteral("force")),
      QCommandLineOption(QStringLiteral("json"))},
     checkRenumber,
     runRenumber}};

} // namespace

} // namespace vx::cli
