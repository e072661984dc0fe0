#pragma once

// The real platform of the editor's windows: the styled message window,
// QFileDialog, QFontDialog, QSettings as the per-user store, the system beep
// and the busy cursor, the help viewer window and the system printer.

#include "gui/help_viewer_window.h"
#include "gui/system_printer.h"
#include "platform/platform.h"

#include <QPointer>
#include <QWidget>
#include <functional>

namespace vx {

// "SCHEDULE-FILE  (*.vfp) | *.vfp" (description and pattern pairs split by
// "|") as a QFileDialog name filter list.
QString QtNameFilters(const QString& filter);

// Where a file dialog opens: the requested folder where it exists, otherwise
// the folder of the current schedule where that exists, otherwise home.
QString InitialDialogFolder(const QString& requested, const QString& currentSchedule);
// The extension of the filter's first pattern ("vfp" of "... (*.vfp) | *.vfp").
QString DefaultSuffix(const QString& filter);

class QtPlatform : public MessageWindow,
                   public FileDialogs,
                   public FontDialog,
                   public SettingsStore,
                   public Desktop,
                   public PdfPainter,
                   public Clipboard {
public:
    QtPlatform();
    ~QtPlatform() override;
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    Platform platform();

    // The window that dialogs and messages belong to (the main window).
    void setParentWindow(QWidget* window) { parent_ = window; }
    // Path of the schedule being edited, for the dialogs' fallback folder.
    void setCurrentSchedule(std::function<QString()> path) { currentSchedule_ = std::move(path); }

    int show(const QString& prompt, int style, const QString& title, bool germanButtons) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    QString value(const QString& app, const QString& section, const QString& key,
                  const QString& fallback) override;
    void setValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) override;
    void beep() override;
    void setBusy(bool busy) override;
    Result<QByteArray> paintListing(const ListingDocument& document,
                                    const FontChoice& font) override;
    QString text() const override;
    void setText(const QString& text) override;

    GuiHelpViewer help;
    SystemPrinter printer;

private:
    std::optional<QString> fileDialog(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
    std::function<QString()> currentSchedule_;
    int busyDepth_ = 0;
};

} // namespace vx
