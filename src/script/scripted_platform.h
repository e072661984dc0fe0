#pragma once

// The headless platform: answers come from queues that a test or a script fills,
// and everything the model shows is recorded for inspection.

#include "platform/platform.h"
#include "script/scripted_printer.h"

#include <QList>
#include <QMap>
#include <deque>

namespace vx {

struct ShownMessage {
    QString title;
    QString prompt;
    int style = 0;
};

struct HelpRequest {
    QString file;
    QString page;     // display-topic request
    int context = -1; // help-context request; -1 for a display-topic request
};

class ScriptedPlatform : public MessageWindow,
                         public FileDialogs,
                         public FontDialog,
                         public SettingsStore,
                         public HelpViewer,
                         public Desktop,
                         public PdfPainter,
                         public Clipboard {
public:
    ScriptedPlatform();
    Platform platform();

    // Queues. An empty answer queue presses the default button; an empty file
    // or font queue cancels the dialog.
    std::deque<int> answers;
    std::deque<std::optional<QString>> fileChoices;
    std::deque<std::optional<FontChoice>> fontChoices;

    // Records.
    QList<ShownMessage> messages;
    QList<FileDialogRequest> fileRequests;
    QList<HelpRequest> helpRequests;
    int beeps = 0;
    bool busy = false;
    bool helpClosed = false;
    // Listings painted for a PDF export; painted by the program's painter
    // (usePdfPainter), else refused.
    int pdfListings = 0;
    // No printer until a test or script sets one up (printer.configure).
    ScriptedPrinter printer;
    QString settingsFile; // empty: settings kept in memory only
    QString clipboardText;

    int show(const QString& prompt, int style, const QString& title, bool germanButtons) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest& request) override {
        return nextFile(request);
    }
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    QString value(const QString& app, const QString& section, const QString& key,
                  const QString& fallback) override;
    void setValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) override;
    void displayTopic(const QString& helpFile, const QString& page) override;
    void helpContext(const QString& helpFile, int context) override;
    void close() override;
    void beep() override;
    void setBusy(bool b) override;
    Result<QByteArray> paintListing(const ListingDocument& document,
                                    const FontChoice& font) override;
    QString text() const override { return clipboardText; }
    void setText(const QString& text) override { clipboardText = text; }

    // The painter behind the PDF export and the "pdf" printer; this model
    // alone cannot paint.
    void usePdfPainter(PdfPainter* painter);

private:
    PdfPainter* painter_ = nullptr;
    std::optional<QString> nextFile(const FileDialogRequest& request);
    QMap<QString, QString> memorySettings_;
};

} // namespace vx
