// vxedit-cli listing FILE: the printed listing of a schedule, as the Print
// command makes it, as plain text or as a PDF.

#include "cli/cli.h"
#include "document/schedule_document.h"
#include "document/vfp_file.h"
#include "editor/editor.h"
#include "editor/print_commands.h"
#include "print/listing.h"
#include "render/listing_painter.h"
#include "script/scripted_platform.h"
#include "texts/json_writer.h"

#include <QFileInfo>

#include <algorithm>

namespace vx::cli {

namespace {

const QString FormatOption = QStringLiteral("format");
const QString OutputOption = QStringLiteral("output");

// One message of the listing on stderr, keys in the documented order, strings
// spelled as QJsonDocument has always spelled them here.
void writeMessage(int number, const ShownMessage& message) {
    const QString line = JsonObject({JsonSeparators::Spaced, JsonEscapes::Toolkit})
                             .num(u"number", number)
                             .str(u"title", message.title)
                             .str(u"prompt", message.prompt)
                             .num(u"style", message.style)
                             .text();
    WriteStderr((line + u'\n').toUtf8());
}

// The rows of the file go into the document as loading puts them there.
void loadRows(Editor& editor, const QStringList& lines) {
    ScheduleDocument& doc = editor.document;
    int grow = static_cast<int>(lines.size()) - doc.RowCount;
    if (grow > 0)
        doc.ExpandRows(grow);
    const int rows = std::min<int>(static_cast<int>(lines.size()), doc.RowCount);
    for (int r = 1; r <= rows; ++r)
        doc.setLine(r, lines[r - 1]);
}

int produce(const Invocation& inv, const QString& input, bool pdf,
            const std::optional<QString>& output) {
    const Result<QByteArray> bytes = ReadInput(inv, input);
    if (!bytes)
        return ExitUsage;
    const ScheduleFileContent content = ParseScheduleBytes(*bytes, ScheduleDocument::MaxRows);
    if (content.linesNotLoaded > 0)
        PrintError(inv, QStringLiteral("%1: only the first %2 lines are listed, as the editor "
                                       "loads them; %3 more lines were left out")
                            .arg(input)
                            .arg(ScheduleDocument::MaxRows)
                            .arg(content.linesNotLoaded));

    ScriptedPlatform platform;
    Editor editor(platform.platform());
    editor.catalogue.LoadCatalogue(inv.lang);
    loadRows(editor, content.lines);
    editor.document.FilePath = input == u"-" ? QString() : QFileInfo(input).absoluteFilePath();
    editor.listingDate = inv.date;

    platform.messages.clear();
    qsizetype shown = 0;
    const ListingDocument document = BuildListing(editor.printParts(), [&](int number) {
        for (; shown < platform.messages.size(); ++shown)
            writeMessage(number, platform.messages[shown]);
    });

    if (pdf) {
        // The PDF goes through the one writer, which writes a device straight.
        const QString target = *output == u"-" ? QStringLiteral("/dev/stdout") : *output;
        if (const Status written = WriteListingPdf(document, editor.listingFont, target);
            !written) {
            PrintError(inv, written.message());
            return ExitUsage;
        }
        return ExitDone;
    }
    return WriteOutput(inv, output.value_or(QStringLiteral("-")), ListingText(document).toUtf8())
               ? ExitDone
               : ExitUsage;
}

Status checkListing(Invocation& inv) {
    if (inv.args.size() != 1)
        return Failure{inv.args.isEmpty() ? QStringLiteral("FILE is missing")
                                          : QStringLiteral("one FILE only")};
    const QString kind = inv.value(FormatOption).value_or(QStringLiteral("text"));
    if (kind != u"text" && kind != u"pdf")
        return Failure{QStringLiteral("unknown format '%1' (use text or pdf)").arg(kind)};
    const std::optional<QString> output = inv.value(OutputOption);
    if (output && output->isEmpty())
        return Failure{QStringLiteral("the output name is empty")};
    if (kind == u"text")
        return {};
    if (!output || *output == u"-")
        return Failure{QStringLiteral("--format pdf needs -o OUT")};
    // Fonts and the PDF writer.
    inv.application = Application::Gui;
    return {};
}

int runListing(const Invocation& inv) {
    const bool pdf = inv.value(FormatOption) == u"pdf";
    return produce(inv, inv.args.front(), pdf, inv.value(OutputOption));
}

const Registration registration{
    {u"listing",
     u"[--format text|pdf] [-o OUT] FILE",
     u"Renders the printed listing of the schedule FILE as the Print command does:\n"
     u"pages of five header lines and 55 schedule lines, line numbers, the command\n"
     u"as text (indented after an If), the stored command line, and the target line\n"
     u"of every goto and subroutine call. FILE may be '-' for standard input.\n"
     u"\n"
     u"  --format text  (default) plain UTF-8 text: every printed piece starts at its\n"
     u"                 print column as a character column, a form-feed line opens\n"
     u"                 every page after the first, bold and underline are dropped\n"
     u"  --format pdf   the same pages as a PDF (A4) in the listing font; needs -o\n"
     u"  -o, --output OUT  write to OUT (replaced only when the whole listing could be\n"
     u"                    written) instead of standard output\n"
     u"\n"
     u"Messages that the listing raises (an address defined twice, too many\n"
     u"addresses, a value beyond its limits) go to standard error, one JSON object\n"
     u"per line: {\"number\": N, \"title\": \"...\", \"prompt\": \"...\", \"style\": N}.",
     {QCommandLineOption(FormatOption, QString(), QStringLiteral("text|pdf")),
      QCommandLineOption(QStringList{QStringLiteral("o"), OutputOption}, QString(),
                         QStringLiteral("OUT"))},
     checkListing,
     runListing}};

} // namespace

} // namespace vx::cli
