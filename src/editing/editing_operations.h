#pragma once

// The editing operations on the schedule: the row buttons beside the entry
// fields, typing straight into the grid, and the search and replace windows'
// flows. Events of the windows are methods here; the windows never write the
// search state themselves.

#include "editing/row_history.h"
#include "editing/search_replace.h"

#include <QString>
#include <functional>

namespace vx {

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
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    void clearHistory() { history_.clear(); }

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
};

} // namespace vx
