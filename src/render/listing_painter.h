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
Status PaintListing(const ListingDocument& document, const FontChoice& font,
                    QPagedPaintDevice& device);

// The listing as the bytes of an A4 PDF file; fails when there is no
// QGuiApplication or painting failed.
Result<QByteArray> RenderListingPdf(const ListingDocument& document, const FontChoice& font);

// The listing as an A4 PDF file; the file is replaced only when the whole
// document could be written. Fails, naming the path, when there is no
// QGuiApplication or the file cannot be written.
Status WriteListingPdf(const ListingDocument& document, const FontChoice& font,
                       const QString& path);

// The model's way to PDFs: programs that make them hand one of these to their
// platform.
class ListingPdfPainter : public PdfPainter {
public:
    Result<QByteArray> paintListing(const ListingDocument& document,
                                    const FontChoice& font) override {
        return RenderListingPdf(document, font);
    }
};

} // namespace vx
