#pragma once

// The File menu's Print, Export listing as PDF and Printer font commands, and the listing font the
// editor keeps for the whole run.

#include "document/schedule_document.h"
#include "editor/error_messages.h"
#include "platform/platform.h"
#include "print/listing.h"
#include "texts/text_catalogue.h"

#include <QLocale>

#include <functional>

namespace vx {

// What the print commands use of the editor (Editor::printParts()).
struct PrintParts {
    const Platform& platform;
    ScheduleDocument& document;
    const TextCatalogue& catalogue;
    Messages& messages;
    FontChoice& listingFont;
    FontChoice& startupPrinterFont; // the printer's own, given back at the end
    const QString& listingDate;     // empty: today
};

// Print (command 7): nothing when no row holds a single character (a row of
// blanks counts); without a printer, the offer to export the listing as a PDF
// instead; otherwise the listing of the schedule in the listing font goes to
// the printer.
void PrintCommand(const PrintParts& editor);

// Export listing as PDF: the save dialog, then the listing that Print would
// send to the printer goes into the chosen file in the listing font, printer
// or not. A file that is there is replaced only when the user agrees, and
// only whole; a failure is shown with its reason.
void ExportListingPdfCommand(const PrintParts& editor);

// Printer font (command 8): the font dialog; unless it is cancelled, the
// chosen font goes to the printer and what the printer made of it becomes the
// listing font. Nothing without a printer.
void PrinterFontCommand(const PrintParts& editor);

// Start-up: remembers the printer's own font, asks it for Arial at 10.08
// points and keeps what it gives back as the listing font.
void ListingFontStartUp(const PrintParts& editor);
// The end of the run: the printer gets its own font back.
void ListingFontShutDown(const PrintParts& editor);

// The listing of the editor's schedule, with its messages shown through
// ReportError and ShowMessage. afterMessage, when given, learns the error
// number of each message right after it was shown.
ListingDocument BuildListing(const PrintParts& editor,
                             const std::function<void(int number)>& afterMessage = {});

// The locale of a listing in language: the system's where it speaks that
// language, else the language's own.
QLocale ListingLocale(Language language);

// The date in the header: the editor's listingDate, or today in the short
// date format of the listing's language.
QString ListingDate(const PrintParts& editor);

} // namespace vx
