#pragma once

// What the model cannot do alone. The windows hand it the real implementations,
// the tests and vxedit-cli hand it scripted ones (scripted_platform.h).

#include "texts/result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace vx {

enum class Language;

// Standard message-box style numbers (summed) and answers.
namespace MsgStyle {
constexpr int Ok = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;
constexpr int SystemModal = 4096;
} // namespace MsgStyle

namespace MsgAnswer {
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
} // namespace MsgAnswer

// The answer a message window gives when the user presses its default button.
int defaultAnswerForStyle(int style);

struct FileDialogRequest {
    QString title;
    QString filter;      // as the catalogue holds it: "TEXT  (*.vfp) | *.vfp"
    QString initialName; // "*.vfp" or a file name
    QString initialFolder;
};

struct FontChoice {
    QString name;
    double size = 10.0;
    bool bold = false;
    bool underline = false;
};

class MessageWindow {
public:
    virtual ~MessageWindow() = default;
    // Shows prompt (may contain HintLineBreak) with the buttons, icon and default
    // button of style; returns the answer number. germanButtons selects the
    // language mode of the window.
    virtual int show(const QString& prompt, int style, const QString& title,
                     bool germanButtons) = 0;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // A folder; nullopt when cancelled or where no folder can be chosen.
    virtual std::optional<QString> chooseFolder(const FileDialogRequest&) { return std::nullopt; }
};

class FontDialog {
public:
    virtual ~FontDialog() = default;
    virtual std::optional<FontChoice> chooseFont(const FontChoice& current) = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual QString value(const QString& app, const QString& section, const QString& key,
                          const QString& fallback) = 0;
    virtual void setValue(const QString& app, const QString& section, const QString& key,
                          const QString& value) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // The language the user reads, told before each request: one help file
    // serves English and Spanish, and a viewer with pages in both picks by it.
    virtual void setReaderLanguage(Language) {}
    virtual void displayTopic(const QString& helpFile, const QString& page) = 0;
    virtual void helpContext(const QString& helpFile, int context) = 0;
    virtual void close() = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    virtual void beep() = 0;
    virtual void setBusy(bool busy) = 0;
};

// The system clipboard, as plain text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

struct ListingDocument;

// The printer that the Print command sends the listing to.
class Printer {
public:
    virtual ~Printer() = default;
    // False when the system has no printer: Print and Printer font then do nothing.
    virtual bool installed() const = 0;
    // The printer's current font; after setFont, what the printer made of the request.
    virtual FontChoice font() const = 0;
    virtual void setFont(const FontChoice& font) = 0;
    // All pages as one print document in the current font; false when that failed,
    // with the reason in lastError(), or when the user cancelled (no reason).
    virtual bool printListing(const ListingDocument& document) = 0;
    virtual QString lastError() const { return QString(); }
};

// Paints the listing as a PDF, with or without a printer; the model writes
// the bytes to the file itself.
class PdfPainter {
public:
    virtual ~PdfPainter() = default;
    // The PDF bytes of all pages in font, or why there are none.
    virtual Result<QByteArray> paintListing(const ListingDocument& document,
                                            const FontChoice& font) = 0;
};

// Everything the model is given, in one place. Pointers are never null once
// the model runs; scripted_platform.h supplies the headless set.
struct Platform {
    MessageWindow* messages = nullptr;
    FileDialogs* files = nullptr;
    FontDialog* fonts = nullptr;
    SettingsStore* settings = nullptr;
    HelpViewer* help = nullptr;
    Desktop* desktop = nullptr;
    Printer* printer = nullptr;     // null counts as no printer installed
    PdfPainter* pdf = nullptr;      // null: the program cannot make PDFs
    Clipboard* clipboard = nullptr; // null: rows are copied within the program only
    // Events come from an event loop: a folder is read in slices between them.
    bool eventLoop = false;
};

} // namespace vx
