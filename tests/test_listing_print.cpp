// The Print, Export listing as PDF and Printer font commands of the File menu,
// the listing font, the messages of a listing in the editor, and the printed
// outputs (text, PDF).

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "editor/print_commands.h"
#include "gui/system_printer.h"
#include "script/scripted_platform.h"
#include "test_support.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace vx;

namespace {

// PDF page objects, the page tree itself left out.
int PdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

struct PdfWord {
    int page = 0;
    QRectF box;
    QString text;
};

// The words of a PDF with their boxes, as a reader finds them; nullopt
// without pdftotext.
std::optional<QList<PdfWord>> PdfWords(const QString& pdf) {
    QProcess run;
    run.start(u"pdftotext"_qs, {u"-bbox"_qs, pdf, u"-"_qs});
    if (!run.waitForFinished(60000) || run.exitCode() != 0)
        return std::nullopt;
    static const QRegularExpression word(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"_qs);
    QList<PdfWord> words;
    int page = 0;
    for (const QRegularExpressionMatch& m : word.globalMatch(QString::fromUtf8(run.readAll()))) {
        if (m.captured(0).startsWith(u"<page"_qs)) {
            ++page;
            continue;
        }
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF to(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({page, QRectF(from, to), m.captured(5)});
    }
    return words;
}

void Fill(Editor& editor, const QStringList& rows) {
    int grow = static_cast<int>(rows.size()) - editor.document.RowCount;
    if (grow > 0)
        editor.document.ExpandRows(grow);
    for (int r = 1; r <= rows.size(); ++r)
        editor.document.setLine(r, rows[r - 1]);
}

void Menu(Editor& editor, qint16 command) {
    editor.Menue_Auswahl(command);
}

} // namespace

class TestListingPrint : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    ListingPdfPainter painter_;

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    // Without a printer Print offers the PDF export; the listing (and its
    // messages) comes only with a yes, and nothing at all for an empty schedule.
    void printWithoutPrinterOffersThePdf() {
        ScriptedPlatform platform;
        platform.usePdfPainter(&painter_);
        Editor editor(platform.platform());
        Menu(editor, 7);
        QVERIFY(platform.messages.isEmpty());
        Fill(editor, {u"K, 5, F"_qs, u"!, A"_qs, u"!, A"_qs});
        platform.answers.push_back(MsgAnswer::No);
        Menu(editor, 7);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(platform.messages[0].style, MsgStyle::YesNo + MsgStyle::Question);
        QCOMPARE(platform.pdfListings, 0);
        platform.messages.clear();
        platform.answers.push_back(MsgAnswer::Yes);
        platform.fileChoices.push_back(path("offered.pdf"));
        Menu(editor, 7);
        QCOMPARE(platform.fileRequests.size(), 1);
        QCOMPARE(platform.messages.size(), 2); // the offer, then the double address
        QCOMPARE(platform.printer.listingsPrinted, 0);
        QVERIFY(test::ReadBytes(path("offered.pdf")).startsWith("%PDF"));
    }

    void printEmptyScheduleDoesNothing() {
        ScriptedPlatform platform;
        platform.printer.configure(QString(u"text "_qs + path("empty.txt")));
        Editor editor(platform.platform());
        Menu(editor, 7);
        QCOMPARE(platform.printer.listingsPrinted, 0);
        QVERIFY(!QFile::exists(path("empty.txt")));
    }

    // Print counts untrimmed characters: a row of blanks starts a listing,
    // which then has no line to print.
    void printRowOfBlanksPrints() {
        ScriptedPlatform platform;
        platform.printer.configure(QString(u"text "_qs + path("blanks.txt")));
        Editor editor(platform.platform());
        Fill(editor, {QString(), u"   "_qs});
        Menu(editor, 7);
        QCOMPARE(platform.printer.listingsPrinted, 1);
        QVERIFY(platform.printer.lastListing.pages.isEmpty());
        QVERIFY(QFile::exists(path("blanks.txt")));
        QCOMPARE(test::ReadBytes(path("blanks.txt")), QByteArray());
    }

    void printWritesTheListing() {
        ScriptedPlatform platform;
        platform.printer.configure(QString(u"text "_qs + path("listing.txt")));
        Editor editor(platform.platform());
        editor.catalogue.LoadCatalogue(u"EN"_qs);
        editor.listingDate = u"1/2/24"_qs;
        editor.document.FilePath = u"/schedules/yard.vfp"_qs;
        QStringList rows;
        for (int r = 1; r <= 56; ++r)
            rows.append(u"Z, %1"_qs.arg(r));
        Fill(editor, rows);
        Menu(editor, 7);
        QCOMPARE(platform.printer.listingsPrinted, 1);
        QCOMPARE(platform.printer.lastListing.pages.size(), 2);
        const QString text = QString::fromUtf8(test::ReadBytes(path("listing.txt")));
        QCOMPARE(text, ListingText(platform.printer.lastListing));
        QCOMPARE(text.count(u"\f\n"_qs), 1);
        QVERIFY(text.contains(u"VX-EDIT   schedule file: /schedules/yard.vfp"_qs));
        QVERIFY(text.contains(u"Page: 2\n"_qs));
        QVERIFY(text.contains(u"1/2/24"_qs));
        // The listing font went to the printer first.
        QCOMPARE(platform.printer.lastListingFont.name, u"Arial"_qs);
        QCOMPARE(platform.printer.lastListingFont.size, 10.08);
        QVERIFY(platform.messages.isEmpty());
    }

    void printFailureIsTold() {
        ScriptedPlatform platform;
        platform.printer.configure(
            QString(u"text "_qs + dir_.filePath(u"missing/folder/out.txt"_qs)));
        Editor editor(platform.platform());
        Fill(editor, {u"E"_qs});
        Menu(editor, 7);
        QCOMPARE(platform.messages.size(), 1);
        QVERIFY(platform.messages[0].prompt.contains(u"missing/folder/out.txt"_qs));
        QCOMPARE(platform.messages[0].style & MsgStyle::Critical, MsgStyle::Critical);
    }

    // The editor's messages: the double address through ShowMessage, a value
    // beyond its limit through ReportError, the line being worked on given to
    // ReportError and cleared afterwards.
    void messagesOfTheListing() {
        ScriptedPlatform platform;
        platform.printer.configure(QString(u"text "_qs + path("messages.txt")));
        Editor editor(platform.platform());
        editor.catalogue.LoadCatalogue(u"EN"_qs);
        Fill(editor, {u"!, HOME"_qs, u"S, M1000, G"_qs, u"Z, M0  * why"_qs, u"!, home"_qs});
        Menu(editor, 7);
        QCOMPARE(platform.printer.listingsPrinted, 1);
        QCOMPARE(platform.messages.size(), 3);
        const ShownMessage& twice = platform.messages[0];
        QCOMPARE(twice.title, u"VX-EDIT message  27016"_qs);
        QVERIFY(twice.prompt.contains(u"< 1 >  and also at: < 4 >"_qs));
        const ShownMessage& limit = platform.messages[1];
        QVERIFY2(limit.prompt.startsWith(
                     u" 27019 The value of a variable is outside of its limits! "_qs +
                     TextCatalogue::HintLineBreak() + u"vfp: LNo.2: M1000"_qs),
                 qPrintable(limit.prompt));
        QCOMPARE(limit.title, u"VX-EDIT message  27019"_qs);
        const ShownMessage& input = platform.messages[2];
        QVERIFY2(input.prompt.startsWith(u"27013 Incorrect input data"_qs +
                                         TextCatalogue::HintLineBreak() + u"vfp: LNo.3: M0"_qs +
                                         TextCatalogue::HintLineBreak() + u"Z, M0  * why"_qs),
                 qPrintable(input.prompt));
        QVERIFY(editor.messages.listingCommandLine().isEmpty());
        QCOMPARE(editor.messages.listingLineNumber(), 0);
    }

    void listingFontAtStartAndEnd() {
        ScriptedPlatform platform;
        platform.printer.configure(QString(u"text "_qs + path("font.txt")));
        platform.printer.currentFont = {u"Courier New"_qs, 12.0};
        {
            Editor editor(platform.platform());
            QCOMPARE(editor.listingFont.name, u"Arial"_qs);
            QCOMPARE(editor.listingFont.size, 10.08);
            QCOMPARE(platform.printer.currentFont.name, u"Arial"_qs);
            QCOMPARE(editor.startupPrinterFont.name, u"Courier New"_qs);
            editor.Smn_Dat_Progende();
            QCOMPARE(platform.printer.currentFont.name, u"Courier New"_qs);
            QCOMPARE(platform.printer.currentFont.size, 12.0);
        }
        // Without a printer the font stays as it is and nothing is given back.
        ScriptedPlatform none;
        Editor editor(none.platform());
        QCOMPARE(editor.listingFont.name, u"Arial"_qs);
        QVERIFY(editor.startupPrinterFont.name.isEmpty());
        editor.Smn_Dat_Progende();
    }

    void printerFont_data() {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("size");
        QTest::newRow("chosen") << true << false << u"Times New Roman"_qs << 12.5;
        QTest::newRow("cancelled") << true << true << u"Arial"_qs << 10.08;
        QTest::newRow("no printer") << false << false << u"Arial"_qs << 10.08;
    }
    void printerFont() {
        QFETCH(bool, printer);
        QFETCH(bool, cancel);
        QFETCH(QString, name);
        QFETCH(double, size);
        ScriptedPlatform platform;
        if (printer)
            platform.printer.configure(QString(u"text "_qs + path("font2.txt")));
        Editor editor(platform.platform());
        if (cancel)
            platform.fontChoices.push_back(std::nullopt);
        else
            platform.fontChoices.push_back(FontChoice{u"Times New Roman"_qs, 12.5});
        Menu(editor, 8);
        QCOMPARE(editor.listingFont.name, name);
        QCOMPARE(editor.listingFont.size, size);
        // Without a printer the dialog is not even shown.
        QCOMPARE(platform.fontChoices.empty(), printer);
        if (printer && !cancel) {
            Fill(editor, {u"E"_qs});
            Menu(editor, 7);
            QCOMPARE(platform.printer.lastListingFont.name, u"Times New Roman"_qs);
        }
    }

    void pdfWriter_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("pages");
        QTest::newRow("55 lines") << 55 << 1;
        QTest::newRow("56 lines") << 56 << 2;
    }
    void pdfWriter() {
        QFETCH(int, rows);
        QFETCH(int, pages);
        ScriptedPlatform platform;
        Editor editor(platform.platform());
        QStringList lines;
        for (int r = 1; r <= rows; ++r)
            lines.append(u"W, %1"_qs.arg(r));
        Fill(editor, lines);
        const ListingDocument document = BuildListing(editor.printParts());
        QCOMPARE(document.pages.size(), pages);
        const Status written = WriteListingPdf(document, editor.listingFont, path("direct.pdf"));
        QVERIFY2(written, qPrintable(written.message()));
        QCOMPARE(PdfPageCount(test::ReadBytes(path("direct.pdf"))), pages);
    }

    // Long remarks, jump suffixes, command lines and paths are elided where
    // the next column starts: read back, no two words share a place, the
    // file name stays, and the date is written as the listing's language
    // writes dates.
    void pdfTextsNeverOverlap_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("date");
        QTest::newRow("DE") << u"DE"_qs << uR"(^\d{2}\.\d{2}\.\d{2}$)"_qs;
        QTest::newRow("ES") << u"ES"_qs << uR"(^\d{1,2}/\d{1,2}/\d{2}$)"_qs;
    }
    void pdfTextsNeverOverlap() {
        QFETCH(QString, lang);
        QFETCH(QString, date);
        ScriptedPlatform platform;
        Editor editor(platform.platform());
        editor.catalogue.LoadCatalogue(lang);
        editor.document.FilePath = u"/layouts/"_qs + QString(120, u'x') + u"/plan.vfp"_qs;
        const QString wide = QString(30, u'W') + u' ' + QString(60, u'M');
        Fill(editor, {u"* "_qs + wide, u"G, FARAWAY  * "_qs + wide, u"F, K, 12, B"_qs,
                      u"K, 12, B  * "_qs + wide + wide, u"!, FARAWAY"_qs});
        const QString pdf = path("overlap.pdf");
        const Status written =
            WriteListingPdf(BuildListing(editor.printParts()), editor.listingFont, pdf);
        QVERIFY2(written, qPrintable(written.message()));
        const std::optional<QList<PdfWord>> words = PdfWords(pdf);
        if (!words)
            QSKIP("pdftotext (poppler-utils) is not installed");
        QVERIFY(words->size() > 20);
        for (qsizetype i = 0; i < words->size(); ++i)
            for (qsizetype k = i + 1; k < words->size(); ++k) {
                const PdfWord& a = words->at(i);
                const PdfWord& b = words->at(k);
                const QRectF both = a.box.intersected(b.box);
                QVERIFY2(a.page != b.page || both.width() < 0.01 || both.height() < 0.01,
                         qPrintable(a.text + u" | "_qs + b.text));
            }
        const auto has = [&](const QRegularExpression& pattern) {
            return std::any_of(words->begin(), words->end(),
                               [&](const PdfWord& w) { return pattern.match(w.text).hasMatch(); });
        };
        QVERIFY(has(QRegularExpression(u"plan\\.vfp$"_qs)));
        QVERIFY2(has(QRegularExpression(date)), qPrintable(ListingDate(editor.printParts())));
    }

    // The windows show the pages before the printer dialog; closing the
    // preview prints nothing and is no error.
    void previewShowsThePagesAndCancelPrintsNothing() {
        QVERIFY(qobject_cast<QApplication*>(QCoreApplication::instance()));
        ScriptedPlatform platform;
        Editor editor(platform.platform());
        QStringList lines;
        for (int r = 1; r <= 56; ++r)
            lines.append(u"W, %1"_qs.arg(r));
        Fill(editor, lines);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("preview.pdf"));
        int shownPages = -1;
        QTimer::singleShot(0, [&shownPages] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            if (const auto* pages = dialog->findChild<QPrintPreviewWidget*>())
                shownPages = pages->pageCount();
            dialog->reject();
        });
        const Result<bool> printed = PreviewAndPrint(BuildListing(editor.printParts()),
                                                     editor.listingFont, printer, nullptr);
        QCOMPARE(shownPages, 2);
        QVERIFY(printed && !*printed); // cancelled, not failed
        QVERIFY(!QFile::exists(path("preview.pdf")));
    }

    // Export listing as PDF: no printer needed; the dialog offers PDF files
    // named after the schedule; the same pages as Print would send.
    void exportWritesThePdfWithoutPrinter() {
        ScriptedPlatform platform;
        platform.usePdfPainter(&painter_);
        Editor editor(platform.platform());
        Fill(editor, {u"K, 5, F"_qs, u"E"_qs});
        editor.document.FilePath = path("plan.vfp");
        editor.document.ExtractFileName();
        platform.fileChoices.push_back(path("plan.pdf"));
        editor.menuClick(u"Dat_Pdf"_qs);
        QCOMPARE(platform.fileRequests.size(), 1);
        QCOMPARE(platform.fileRequests[0].initialName, u"plan.pdf"_qs);
        QVERIFY(platform.fileRequests[0].filter.contains(u"*.pdf"_qs));
        QVERIFY(platform.messages.isEmpty());
        QCOMPARE(platform.pdfListings, 1);
        const QByteArray pdf = test::ReadBytes(path("plan.pdf"));
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(pdf), 1);
    }

    // Export cross-references: the file name picks the form; the PDF has
    // the listing's page head, and replacing a file is asked first.
    void exportCrossReferencesAsPdf() {
        QTemporaryDir layout;
        QByteArray lines;
        for (int i = 0; i < 70; ++i)
            lines += "K, 12, B\r\n";
        test::WriteBytes(layout.filePath(u"east.vfp"_qs), lines);
        ScriptedPlatform platform;
        platform.usePdfPainter(&painter_);
        Editor editor(platform.platform());
        editor.chooseLayoutFolder(layout.path());
        const QString out = path("xref.PDF");
        platform.fileChoices.push_back(out);
        editor.menuClick(u"Dat_Xref"_qs);
        QVERIFY(platform.fileRequests.last().filter.contains(u"*.pdf"_qs));
        QVERIFY(platform.messages.isEmpty());
        const QByteArray pdf = test::ReadBytes(out);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PdfPageCount(pdf), 2);
        if (const std::optional<QList<PdfWord>> words = PdfWords(out)) {
            QStringList onPage2;
            for (const PdfWord& w : *words)
                if (w.page == 2)
                    onPage2 << w.text;
            QVERIFY2(onPage2.contains(u"VX-EDIT"_qs) && onPage2.contains(u"east.vfp"_qs),
                     qPrintable(onPage2.join(u' ')));
        }

        // Asked before replacing; No keeps the file as it was.
        platform.fileChoices.push_back(out);
        platform.answers.push_back(MsgAnswer::No);
        editor.menuClick(u"Dat_Xref"_qs);
        QCOMPARE(platform.messages.size(), 1);
        QCOMPARE(test::ReadBytes(out), pdf);
    }

    // A painter that fails leaves the file that is there as it was.
    void exportFailureKeepsTheOldFile() {
        struct Failing : PdfPainter {
            Result<QByteArray> paintListing(const ListingDocument&, const FontChoice&) override {
                return Failure{u"out of paper"_qs};
            }
        } failing;
        ScriptedPlatform scripted;
        Platform platform = scripted.platform();
        platform.pdf = &failing;
        Editor editor(platform);
        Fill(editor, {u"E"_qs});
        QFile old(path("old.pdf"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        scripted.fileChoices.push_back(path("old.pdf"));
        scripted.answers.push_back(MsgAnswer::Yes); // replace it
        editor.menuClick(u"Dat_Pdf"_qs);
        QCOMPARE(scripted.messages.size(), 2);
        QVERIFY(scripted.messages[1].prompt.endsWith(u"out of paper"_qs));
        QCOMPARE(test::ReadBytes(path("old.pdf")), QByteArray("old"));
    }

    void pdfToAnUnwritablePlace() {
        const Status written = WriteListingPdf(ListingDocument{}, {u"Arial"_qs, 10.0},
                                               dir_.filePath(u"no/such/dir/x.pdf"_qs));
        QVERIFY(!written);
        QVERIFY(written.message().contains(u"no/such/dir/x.pdf"_qs));
    }
};

QTEST_MAIN(TestListingPrint)
#include "test_listing_print.moc"
