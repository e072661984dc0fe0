#pragma once

// The presentation model of the main window frmVx_Edit: it owns the one
// document, the catalogue, the command table and the entry area for the whole
// run. Every user event is a method here or on one of its parts; the windows
// and vxedit-cli only forward events and show the state.

#include "app/platform.h"
#include "commands/command_table.h"
#include "document/schedule_document.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <memory>
#include <optional>

namespace vx {

class EntryForm;

class Editor {
public:
    explicit Editor(const Platform& platform);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Platform platform;
    TextCatalogue catalogue;
    CommandTable commands;
    ScheduleDocument document;
    std::unique_ptr<EntryForm> form;

    QString windowTitle;
    bool autosaveEnabled = false;
    // Folder of the program, with a trailing separator; help files and backups.
    QString programFolder;

    // File commands of the File menu.
    void New();
    // A path from the recent list opens without the dialog.
    void Open(const std::optional<QString>& pathFromRecent = std::nullopt);
    void Save();
    void Import();

    // Empties the document and the entry fields, resets the title.
    void ClearDocument();

    // " S C H E D U L E - E D I T O R   for   V E L O X" plus the file, if any.
    QString titleWithFile() const;

    // Error messages.
    int ShowMessage(const QString& prompt, int style, const QString& title);
    void ReportError(int number, int symbol, int styleAddition, const QString& detail,
                     qint16& answer);
    // The command line the listing is working on; part of some error prompts.
    QString listingCommandLine;
    int listingLineNumber = 0;

    // Hooks of later parts of the editor (recent list, autosave).
    void afterFileWritten(const QString& path);
    void setAutosaveEnabled(bool on) { autosaveEnabled = on; }
};

} // namespace vx
