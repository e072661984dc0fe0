#include "editor/print_commands.h"

#include "document/file_io.h"

#include <QDate>
#include <QFileInfo>
#include <QLocale>

namespace vx {

namespace {

Printer* installedPrinter(const PrintParts& editor) {
    Printer* printer = editor.platform.printer;
    return printer != nullptr && printer->installed() ? printer : nullptr;
}

class EditorReporter : public ListingReporter {
public:
    EditorReporter(const PrintParts& editor, const std::function<void(int)>& afterMessage)
        : editor_(editor), afterMessage_(afterMessage) {}

    void reportError(int number, int styleAddition, const QString& detail, int lineNumber,
                     const QString& commandLine) override {
        editor_.messages.setListingLine(lineNumber, commandLine);
        editor_.messages.ReportError(number, 0, styleAddition, detail, editor_.document.Answer);
        if (afterMessage_)
            afterMessage_(number);
    }

    void reportDoubleAddress(int first, int again, const QString& name) override {
        editor_.messages.ReportDoubleAddress(first, again, name);
        if (afterMessage_)
            afterMessage_(Messages::DoubleAddress);
    }

private:
    const PrintParts& editor_;
    const std::function<void(int)>& afterMessage_;
};

} // namespace

QLocale ListingLocale(Language language) {
    const QLocale::Language wanted = language == Language::DE   ? QLocale::German
                                     : language == Language::EN ? QLocale::English
                                                                : QLocale::Spanish;
    // The user's own region where it speaks the listing's language.
    const QLocale system = QLocale::system();
    return system.language() == wanted ? system : QLocale(wanted);
}

QString ListingDate(const PrintParts& editor) {
    if (!editor.listingDate.isEmpty())
        return editor.listingDate;
    return ListingLocale(editor.catalogue.language())
        .toString(QDate::currentDate(), QLocale::ShortFormat);
}

ListingDocument BuildListing(const PrintParts& editor,
                             const std::function<void(int)>& afterMessage) {
    ListingSource source;
    source.lines = &editor.document.Lines;
    source.rowCount = editor.document.RowCount;
    source.filePath = editor.document.FilePath;
    source.date = ListingDate(editor);
    EditorReporter reporter(editor, afterMessage);
    ListingDocument document = RenderListing(source, editor.catalogue, &reporter);
    editor.messages.setListingLine(0, QString());
    return document;
}

void PrintCommand(const PrintParts& editor) {
    bool anyCharacter = false;
    for (int r = 1; r <= editor.document.RowCount && !anyCharacter; ++r)
        anyCharacter = !editor.document.line(r).isEmpty();
    Printer* printer = installedPrinter(editor);
    if (printer == nullptr) {
        // A Print that silently does nothing looks broken; the PDF needs no printer.
        const TextCatalogue& c = editor.catalogue;
        if (anyCharacter && editor.messages.ShowMessage(
                                c.tx(u"No printer is installed.¶Export listing as PDF instead?"),
                                MsgStyle::YesNo + MsgStyle::Question,
                                c.tx(u"Print schedule data")) == MsgAnswer::Yes)
            ExportListingPdfCommand(editor);
        return;
    }
    printer->setFont(editor.listingFont);
    if (!anyCharacter)
        return;
    const ListingDocument document = BuildListing(editor);
    if (!printer->printListing(document) && !printer->lastError().isEmpty())
        editor.messages.ShowMessage(printer->lastError(), MsgStyle::Ok + MsgStyle::Critical,
                                    QStringLiteral("VX-Editor"));
}

void ExportListingPdfCommand(const PrintParts& editor) {
    const TextCatalogue& c = editor.catalogue;
    const QString caption = c.tx(u"E&xport listing as PDF…");
    const QString file = editor.document.FileName.trimmed();
    const QString initialName = file.isEmpty()
                                    ? QStringLiteral("*.pdf")
                                    : QFileInfo(file).completeBaseName() + QStringLiteral(".pdf");
    const std::optional<QString> chosen = editor.platform.files->saveFile(
        {c.tx(u" File selection for: Export  >>> LISTING AS PDF <<<"),
         c.tx(u"PDF-FILE  (*.pdf) | *.pdf"), initialName, c.tx(u"C:\\Velox-PC_V9")});
    if (!chosen)
        return;
    const QString path = *chosen;
    if (!editor.messages.mayOverwrite(path, caption))
        return;
    const ListingDocument document = BuildListing(editor);
    const Result<QByteArray> pdf =
        editor.platform.pdf == nullptr
            ? Failure{QStringLiteral("PDF output is not available in this program")}
            : editor.platform.pdf->paintListing(document, editor.listingFont);
    const Status written = pdf ? WriteOutputFile(path, *pdf, &c) : Status(pdf);
    if (written)
        return;
    editor.messages.ShowMessage(path + TextCatalogue::HintLineBreak() + written.message(),
                                MsgStyle::Critical, QStringLiteral("VX-Editor"));
}

void PrinterFontCommand(const PrintParts& editor) {
    Printer* printer = installedPrinter(editor);
    if (printer == nullptr)
        return;
    const std::optional<FontChoice> chosen = editor.platform.fonts->chooseFont(editor.listingFont);
    if (!chosen)
        return;
    FontChoice request = editor.listingFont;
    request.name = chosen->name;
    request.size = chosen->size;
    printer->setFont(request);
    const FontChoice now = printer->font();
    editor.listingFont.name = now.name;
    editor.listingFont.size = now.size;
}

void ListingFontStartUp(const PrintParts& editor) {
    Printer* printer = installedPrinter(editor);
    if (printer == nullptr)
        return;
    editor.startupPrinterFont = printer->font();
    printer->setFont({QStringLiteral("Arial"), 10.08});
    const FontChoice now = printer->font();
    editor.listingFont.name = now.name;
    editor.listingFont.size = now.size;
}

void ListingFontShutDown(const PrintParts& editor) {
    Printer* printer = installedPrinter(editor);
    if (printer == nullptr || editor.startupPrinterFont.name.isEmpty())
        return;
    printer->setFont(editor.startupPrinterFont);
}

} // namespace vx
