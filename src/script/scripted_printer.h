#pragma once

// The headless printer of tests and vxedit-cli: none at all, one that writes
// each listing to a file, as PDF or as the text form of `vxedit-cli listing`
// (a later listing replaces the file), or the system's own printer.

#include "platform/platform.h"
#include "print/listing.h"

#include <QString>
#include <QStringView>

namespace vx {

// The listing through painter; without one, a failure that says so.
Result<QByteArray> PaintPdf(PdfPainter* painter, const ListingDocument& document,
                            const FontChoice& font);

class ScriptedPrinter : public Printer {
public:
    enum class Mode { None, Pdf, Text, System };

    // "none", "pdf PATH", "text PATH" or "system" (the script action's words).
    // False with a reason in *error for anything else, and for "system" in a
    // program that has set no system printer; the printer is then unchanged.
    bool configure(QStringView setting, QString* error = nullptr);

    Mode mode = Mode::None;
    QString path;
    // The real printer that "system" hands everything to; set by programs that
    // can print (it needs QtGui).
    Printer* system = nullptr;
    // What paints the "pdf" printer's pages; none refuses them.
    PdfPainter* painter = nullptr;
    // The font of a freshly found printer, as a real one would report it.
    FontChoice currentFont{QStringLiteral("Courier New"), 10.0};

    // Records.
    int listingsPrinted = 0;
    ListingDocument lastListing;
    FontChoice lastListingFont;

    bool installed() const override;
    FontChoice font() const override;
    void setFont(const FontChoice& font) override;
    bool printListing(const ListingDocument& document) override;
    QString lastError() const override { return lastError_; }

private:
    QString lastError_;
};

} // namespace vx
