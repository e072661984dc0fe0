#pragma once

// The editor's message windows: plain messages and the numbered error
// messages, in the language of the catalogue.

#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QString>

namespace vx {

class Messages {
public:
    Messages(MessageWindow& window, const TextCatalogue& catalogue);

    int ShowMessage(const QString& prompt, int style, const QString& title);
    void ReportError(int number, int symbol, int styleAddition, const QString& detail,
                     qint16& answer);
    // The listing found the address name defined at line first and again at
    // line again: the numbered message of its own form.
    static constexpr int DoubleAddress = 27016;
    void ReportDoubleAddress(int first, int again, const QString& name);
    // Before a file that is there is replaced: true when the user agrees
    // (and when there is no such file).
    bool mayOverwrite(const QString& path, const QString& title);

    // The command line the listing is working on; part of some error prompts.
    void setListingLine(int lineNumber, const QString& commandLine);
    int listingLineNumber() const { return listingLineNumber_; }
    const QString& listingCommandLine() const { return listingCommandLine_; }

private:
    MessageWindow& window_;
    const TextCatalogue& catalogue_;
    QString listingCommandLine_;
    int listingLineNumber_ = 0;
};

} // namespace vx
