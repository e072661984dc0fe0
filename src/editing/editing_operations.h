#pragma once

// The editing operations on the schedule: the row buttons beside the entry
// fields, typing straight into the grid, and the search and replace windows'
// flows. Events of the windows are methods here; the windows never write the
// search state themselves.

#include "editing/row_history.h"
#include "editing/search_replace.h"

#include <QPair>
#include <QString>
#include <functional>

namespace vx {

class Clipboard;
class CommandTable;
class Desktop;
class EntryForm;
class ScheduleDocument;
class TextCatalogue;

class EditingOperations {
public:
    struct Parts {
        ScheduleDocument& document;
        EntryForm& form;
        const TextCatalogue& catalogue;
        const CommandTable& commands;
        Desktop& desktop;
        bool& autosaveEnabled;
        std::function<int(const QString& prompt, int style, const QString& title)> showMessage;
        Clipboard* clipboard = nullptr;
    };
    explicit EditingOperations(const Parts& parts);

    // The row buttons and direct typing in the grid (code: the key code).
    void cmdUeb_Zei_Click();
    void cmdUeb_leerZ_Click();
    void cmdEinf_leerZ_Click();
    void cmdLoe_Zei_Click();
    void gridKeyPress(int code);

    // Undo and redo of the row operations (Ctrl+Z, Ctrl+Shift+Z / Ctrl+Y and
    // the Work menu); each counts as a row operation itself.
    void undo();
    void redo();
    bool canUndo() const { return history_.canUndo(document_); }
    bool canRedo() const { return history_.canRedo(document_); }
    void clearHistory() { history_.clear(document_); }
    // The rows as they stand in the file (load, save), or that they were never
    // saved as a schedule (New, import).
    void markClean() { history_.markClean(document_); }
    void forgetClean() { history_.forgetClean(); }
    bool rowsDifferFromSaved() const { return history_.differsFromClean(document_); }
    // Rows put in as loading puts them, outside any operation.
    void absorbLoadedRows(bool clean) { history_.absorb(document_, clean); }

    // Rows selected in the grid, copied, cut and pasted as text lines. The
    // current row becomes first; selection() is (first, last) in row order, the
    // current row alone when nothing else is selected.
    void selectRows(int first, int last);
    QPair<int, int> selection() const;
    void copyRows();
    void cutRows();
    void pasteRows();
    // What the editor last put on the clipboard.
    const QString& clipboardText() const { return clipboardText_; }

    // Search and replace windows (Work menu): 1 search, 2 replace.
    void Smn_Su_Ers(int which);
    void searchTextEdited(const QString& text); // txbSuchtext
    void replaceOfEdited(const QString& text);  // txbvon_Text
    void replaceToEdited(const QString& text);  // txbnach_Text
    void setWholeNumber(bool on);               // "whole number" of either window
    void searchButton();                        // "Search (cont.)" of the search window
    void replaceSearchButton();                 // "Search (cont.)" of the replace window
    void replaceButton();
    void searchWindowClosed() { search_.searchWindowOpen = false; }
    void replaceWindowClosed() { search_.replaceWindowOpen = false; }
    // Forgets the occurrence found last.
    void forgetOccurrence() { search_.foundRow = 0; }

    const SearchState& search() const { return search_; }

private:
    void beginRowOperation();
    void afterHistoryStep();
    QString composeFromEntryFields() const;
    bool growTableTo(int rows);
    void writeRow(int row, const QString& text);
    bool searchRoutine(const QString& text);
    void loadFoundLineIntoFields(const QString& line);

    ScheduleDocument& document_;
    EntryForm& form_;
    const TextCatalogue& catalogue_;
    const CommandTable& commands_;
    Desktop& desktop_;
    bool& autosaveEnabled_;
    std::function<int(const QString& prompt, int style, const QString& title)> showMessage_;
    SearchState search_;
    RowHistory history_;
    Clipboard* clipboard_;
    QString clipboardText_;
    // The selection, valid while the current row is the one it was made with.
    int selectionFirst_ = 0;
    int selectionLast_ = 0;
    int selectionRow_ = 0;
};

} // namespace vx
