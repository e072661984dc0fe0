#pragma once

// The system's printers as the editor's windows reach them: QPrinter, with the
// print preview in front.

#include "platform/platform.h"
#include "render/listing_painter.h"
#include "texts/result.h"

class QPrinter;
class QWidget;

namespace vx {

// Shows the listing in a print preview whose print button leads to the
// printer dialog. True once the pages went to the printer, false when the user
// cancelled; a failure when painting failed. Needs a QApplication.
Result<bool> PreviewAndPrint(const ListingDocument& document, const FontChoice& font,
                             QPrinter& printer, QWidget* parent);

// The system's default printer (or the first one when none is the default).
class SystemPrinter : public Printer {
public:
    SystemPrinter();
    // In the editor's windows every listing goes through the print preview
    // first; elsewhere it prints at once.
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
