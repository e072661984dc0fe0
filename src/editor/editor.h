#pragma once

// The presentation model of the main window frmVx_Edit and the composition
// root of the model: it owns the catalogue, the command table, the document
// with its file commands, the entry area, the editing operations, the language
// switch and the messages for the whole run, and wires them to each other.
// Every user event is a method here or on one of its parts; the windows and
// vxedit-cli only forward events and show the state.

#include "commands/command_table.h"
#include "document/autosave.h"
#include "document/schedule_document.h"
#include "editing/editing_operations.h"
#include "editor/document_files.h"
#include "editor/error_messages.h"
#include "editor/language_switch.h"
#include "editor/menu_model.h"
#include "editor/menu_table.h"
#include "editor/recent_schedules.h"
#include "editor/schedule_diagnostics.h"
#include "form/entry_form.h"
#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <optional>

namespace vx {

struct PrintParts;
class DryRunSession;
class LayoutView;

class Editor {
public:
    explicit Editor(const Platform& platform);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Platform platform;
    TextCatalogue catalogue;
    CommandTable commands;
    // Folder of the program, with a trailing separator; help files and backups.
    QString programFolder;
    // Where help files and backups live: the program folder (a separator is
    // added when missing) and the user's application data folder, where
    // backups go when the program folder cannot be written.
    void setFolders(const QString& program, const QString& appData);
    // The main window's help context: the page F1 opens.
    int helpContext = 1;
    // The autosave timer's enabled state: on with the first edit, off once saved.
    bool autosaveEnabled = false;
    MenuModel menu;
    RecentSchedules recent;

    // The parts, in the order they are built.
    Messages messages;
    DocumentFiles files;
    ScheduleDocument& document; // the one document, owned by files
    std::unique_ptr<EntryForm> form;
    EditingOperations editing;
    LanguageSwitch languageSwitch;
    Autosave autosave;
    // What the windows and the dump read of the parts' state; they change it
    // only through events.
    const QString& windowTitle; // files
    const SearchState& search;  // editing

    // The listing font for the whole run, and the printer's own font found at
    // start-up, given back at the end (editor/print_commands.h).
    FontChoice listingFont{QStringLiteral("Arial"), 10.08};
    FontChoice startupPrinterFont;
    // The date in listing headers; empty: today in the system's short format.
    QString listingDate;
    // What the print commands work on.
    PrintParts printParts();

    // The start-up language other than the default: code "DE", "EN" or "ES";
    // an unknown code changes nothing.
    void startInLanguage(QStringView code);

    // File commands of the File menu.
    using SaveResult = DocumentFiles::SaveResult;
    void New() { files.New(); }
    void Open(const std::optional<QString>& pathFromRecent = std::nullopt) {
        files.Open(pathFromRecent);
    }
    SaveResult Save() { return files.Save(); }
    void Import() { files.Import(); }

    int ShowMessage(const QString& prompt, int style, const QString& title) {
        return messages.ShowMessage(prompt, style, title);
    }
    void ReportError(int number, int symbol, int styleAddition, const QString& detail,
                     qint16& answer) {
        messages.ReportError(number, symbol, styleAddition, detail, answer);
    }

    // A click on the main window's background: the general page.
    void Form_Click() { helpContext = 1; }
    // The command list window was resized: the context follows the command again.
    void frmVx_Edit_Fpl_Resize();
    // The user scrolls the grid; topRow is the first row shown (1-based).
    void gridScrolled(int topRow);
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
    void cmdUeb_Zei_Click() { editing.cmdUeb_Zei_Click(); }
    void cmdUeb_leerZ_Click() { editing.cmdUeb_leerZ_Click(); }
    void cmdEinf_leerZ_Click() { editing.cmdEinf_leerZ_Click(); }
    void cmdLoe_Zei_Click() { editing.cmdLoe_Zei_Click(); }
    void gridKeyPress(int code) { editing.gridKeyPress(code); }
    // Enter in an entry field. In the last operand field on display it
    // transfers the line as the transfer button does and goes back to the
    // command field for the next line; elsewhere it does nothing.
    void fieldEnterPressed(Control c);

    // Some row has content and the rows differ from those last loaded or
    // saved: the window's unsaved mark.
    bool unsaved() const;
    // Rows selected in the grid and the clipboard (see EditingOperations).
    void selectRows(int first, int last) { editing.selectRows(first, last); }
    QPair<int, int> selection() const { return editing.selection(); }
    void copyRows() { editing.copyRows(); }
    void cutRows() { editing.cutRows(); }
    void pasteRows() { editing.pasteRows(); }

    // The language switch of the Options menu, and the choice of one of the
    // three languages there; the window title follows.
    void Smn_Opt_Sprache();
    void chooseLanguage(Language language);
    // Set by the window's start-up: every choice of a language from the menu
    // is kept in the settings store for the next start. vxedit-cli leaves it
    // off, so that scripts do not depend on what a user chose before.
    bool rememberLanguage = false;
    void loadLanguage(Language next) { languageSwitch.loadLanguage(next); }

    // Help menu: the help file at the current topic; the information window.
    void helpMenu();
    std::function<void()> showInfoWindow; // set by the window layer
    int infoWindowShown = 0;

    // Search and replace windows (Work menu).
    void Smn_Su_Ers(int which) { editing.Smn_Su_Ers(which); }
    void searchTextEdited(const QString& text) { editing.searchTextEdited(text); }
    void replaceOfEdited(const QString& text) { editing.replaceOfEdited(text); }
    void replaceToEdited(const QString& text) { editing.replaceToEdited(text); }
    // The "whole number" option, one for the search and the replace window.
    void setWholeNumber(bool on) { editing.setWholeNumber(on); }
    void searchButton() { editing.searchButton(); }
    void replaceSearchButton() { editing.replaceSearchButton(); }
    void replaceButton() { editing.replaceButton(); }
    void searchWindowClosed() { editing.searchWindowClosed(); }
    void replaceWindowClosed() { editing.replaceWindowClosed(); }

    // Findings of the whole schedule, brought in line with the rows by
    // refreshDiagnostics(), which the windows and the script driver call after
    // each event: the rows may change in many ways, and comparing them is
    // cheaper than being told of each.
    const ScheduleDiagnostics& refreshDiagnostics();
    // As of the last refresh; null before the first.
    const ScheduleDiagnostics* diagnostics() const { return diagnostics_.get(); }
    // A row becomes current as a click on the grid makes it.
    void goToRow(int row);
    // F12: the row that defines the address of the current G or R row
    // becomes current; a beep when there is none, and when the row jumps to
    // an address defined nowhere, the status bar says so.
    void goToDefinition();
    // F1 in a pane or dialog with a page of its own: as F1 on the window
    // with topic, which becomes the help context.
    bool helpOn(int topic);
    // The window's status bar; "" shows nothing.
    QString statusText;
    // Shift+F12: the G and R rows that name the address of the current ! or
    // U row take the problems list's place, until the rows change.
    void findUses();
    struct Uses {
        QString address; // the id of the thing
        QList<int> rows;
        QList<QPair<QString, int>> layoutLines; // other schedules: file, line
    };
    std::optional<Uses> uses;
    // The problems list, shown and hidden from the Work menu; it shows only
    // while there is something to list.
    bool problemsListWanted = true;
    bool problemsListShown();
    bool problemsListHasContent();

    // The layout: the open schedule's folder, or the one chosen (File menu),
    // remembered in the settings store.
    std::unique_ptr<LayoutView> layout;
    void openLayoutFolder();
    void chooseLayoutFolder(const QString& folder);
    // File menu: the cross-references as CSV, one line per use.
    void exportCrossReferences();
    // Work menu "Renumber...": the window layer shows its dialog.
    std::function<void()> showRenumberDialog;

    // The dry run of the open schedule (Work menu), and whether its dock is
    // wanted; every run command shows it.
    std::unique_ptr<DryRunSession> dryRun;
    bool dryRunShown = false;
    void dryRunCommand(DryRunCommand command);

private:
    bool autosaveFailureTold_ = false;
    std::unique_ptr<ScheduleDiagnostics> diagnostics_;
    DocumentFiles::Parts filesParts();
    EntryFormParts formParts();
    EditingOperations::Parts editingParts();
    void openListedPath(const QString& path);
    void rowsReplaced(DocumentFiles::Parts::Rows what);
    void languageChosen();
    Control lastOperandField() const;
    void retitle(const QString& oldTitle);
    void openChangedOnDisk();
};

} // namespace vx
