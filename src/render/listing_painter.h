#pragma once

// The listing on paper and in PDF, over QtGui alone: the pieces of a
// ListingDocument drawn in the listing font, column c at x = (c - 1) times the
// font's average character width, one page of the document per sheet.

#include "platform/platform.h"
#include "print/listing.h"

class QPagedPaintDevice;

namespace vx {

// Draws every page on device (a QPrinter or a QPdfWriter). A piece that does
// not fit before the next piece of its line (or the page's edge) is elided,
// so no two texts share a place. A document without pages still makes one
// empty sheet. Needs a QGuiApplication.
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

// The model's way to PDFs: programs that make them hand one of these to their
// platform.
class ListingPdfPainter : public PdfPainter {
public:
    std::optional<QByteArray> paintListing(const ListingDocument& document, const FontChoice& font,
                                           QString* error) override {
        return RenderListingPdf(document, font, error);
    }
};

} // namespace vx
