#pragma once

// The system's printers without the widget library: the listing painted as a
// PDF and handed to the print system's own client (CUPS's lp), which takes PDF
// on every system it runs on.

#include "platform/platform.h"

#include <QStringList>

namespace vx {

class CupsPrinter : public Printer {
public:
    CupsPrinter();
    // A destination of the print system; false where it has none or there is
    // no print system to ask.
    bool installed() const override;
    FontChoice font() const override { return font_; }
    // Keeps the family the font system actually gives for the request.
    void setFont(const FontChoice& font) override;
    // To the default destination, else the first one.
    bool printListing(const ListingDocument& document) override;
    QString lastError() const override { return lastError_; }

private:
    FontChoice font_;
    QString lastError_;
};

} // namespace vx
