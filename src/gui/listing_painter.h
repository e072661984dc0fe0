#pragma once

// The listing on paper and in PDF: the pieces of a ListingDocument drawn in
// the listing font, column c at x = (c - 1) times the font's average
// character width, one page of the document per sheet.

#include "platform/platform.h"
#include "print/listing.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace vx {

// Draws every page on device (a QPrinter or a QPdfWriter). A piece is clipped
// where the next piece of its line begins, as in the text form. A document
// without pages still makes one empty sheet. Needs a QGuiApplication.
bool PaintListing(const ListingDocument& document, const FontChoice& font,
                  QPagedPaintDevice& device, QString* error);

// The listing as the bytes of an A4 PDF file; nullopt with a reason when
// there is no QGuiApplication or painting failed.
std::optional<QByteArray> RenderListingPdf(const ListingDocument& document, const FontChoice& font,
                                           QString* error);

// The listing as an A4 PDF file; the file is replaced only when the whole
// document could be written. False with a reason when there is no
// QGuiApplication or the file cannot be written.
bool WriteListingPdf(const ListingDocument& document, const FontChoice& font, const QString& path,
                     QString* error);

// Hands RenderListingPdf to the model (SetPdfListingRenderer), so that the
// scripted printer and the scripted PDF export can write PDFs. Call once at start-up of every
// program that links the window library and wants PDF output from the model.
void InstallListingPainter();

// Shows the listing in a print preview whose print button leads to the
// printer dialog. True once the pages went to the printer; false when the user
// cancelled (error empty) or painting failed (the reason in *error). Needs a
// QApplication.
bool PreviewAndPrint(const ListingDocument& document, const FontChoice& font, QPrinter& printer,
                     QWidget* parent, QString* error);

// The system's default printer (or the first one when none is the default).
class SystemPrinter : public Printer {
public:
    SystemPrinter();
    // In the editor's windows every listing goes through the print preview
    // first; the command-line tool prints at once.
    bool previewFirst = false;
    bool installed() const override;
    FontChoice font() const override { return font_; }
    // Keeps the family the font system actually gives for the request.
    void setFont(const FontChoice& font) override;
    bool printListing(const ListingDocument& document) override;
    QString lastError() const override { return lastError_; }

private:
    FontChoice font_;
    QString lastError_;
};

} // namespace vx
