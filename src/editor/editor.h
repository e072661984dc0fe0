#pragma once

// The presentation model of the main window frmVx_Edit: it owns the one
// document, the catalogue, the command table and the entry area for the whole
// run. Every user event is a method here or on one of its parts; the windows
// and vxedit-cli only forward events and show the state.

#include "commands/command_table.h"
#include "document/autosave.h"
#include "document/schedule_document.h"
#include "editing/search_replace.h"
#include "editor/menu_model.h"
#include "editor/recent_schedules.h"
#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <functional>
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
    // Failed: the file could not be written (the user was told); the document
    // and the file that was there are unchanged.
    enum class SaveResult { Written, Cancelled, Failed };
    SaveResult Save();
    void Import();
    // Set while Open works on a path handed over by the recent list.
    bool openWithoutDialog = false;

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
    // The listing font for the whole run, and the printer's own font found at
    // start-up, given back at the end (print/print_commands.h).
    FontChoice listingFont{QStringLiteral("Arial"), 10.08};
    FontChoice startupPrinterFont;
    // The date in listing headers; empty: today in the system's short format.
    QString listingDate;

    // After a successful Open or Save: the path goes to the top of the recent list.
    void afterFileWritten(const QString& path);
    void setAutosaveEnabled(bool on) { autosaveEnabled = on; }

    MenuModel menu;
    RecentSchedules recent;
    Autosave autosave;
    // The main window's help context: the page F1 opens.
    int helpContext = 1;
    // A click on the main window's background: the general page.
    void Form_Click() { helpContext = 1; }
    // The command list window was resized: the context follows the command again.
    void frmVx_Edit_Fpl_Resize();
    // True once shutdown has passed the point of no return.
    bool ending = false;

    // Menu events.
    void menuClick(const QString& key);
    void menuHighlight(const QString& key);
    void Menue_Auswahl(qint16& command);
    void Smn_MyFpls_Dat(int i);
    // A schedule named on the command line opens as a recent entry would.
    void openFromCommandLine(const QString& path);
    // One minute of the autosave timer, when it is enabled.
    void autosaveTick();

    // The user closes the main window (unload mode 0 close box, 1 program code,
    // 2 system shutdown, 3 task manager). Returns true when the close is
    // cancelled; otherwise the program has ended.
    bool Form_QueryUnload(int unloadMode);
    void Smn_Dat_Progende();
    bool ended = false;

    // The row buttons and direct typing in the grid (code: the key code).
    void cmdUeb_Zei_Click();
    void cmdUeb_leerZ_Click();
    void cmdEinf_leerZ_Click();
    void cmdLoe_Zei_Click();
    void gridKeyPress(int code);

    // The language switch of the Options menu.
    void Smn_Opt_Sprache();
    void loadLanguage(Language next);
    void refreshGridHeadings();
    bool languageSwitchRunning = false;

    // Help menu: the help file at the current topic; the information window.
    void helpMenu();
    std::function<void()> showInfoWindow; // set by the window layer
    int infoWindowShown = 0;

    // Search and replace windows (Work menu).
    SearchState search;
    void Smn_Su_Ers(int which);
    void searchButton();        // "Search (cont.)" of the search window
    void replaceSearchButton(); // "Search (cont.)" of the replace window
    void replaceButton();

private:
    void openListedPath(const QString& path);
    bool searchRoutine(const QString& text);
    void loadFoundLineIntoFields(const QString& line);
    void beginRowOperation();
    QString composeFromEntryFields() const;
    void writeRow(int row, const QString& text);
};

} // namespace vx
