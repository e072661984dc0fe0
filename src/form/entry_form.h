#pragma once

// The entry area of the main window as the model sees it: the masked fields
// mskTxt0..mskTxt7, the free-text boxes, the labels and the command list, with
// every property the editor's rules touch, plus the handlers of their events.
// Setting a field's text runs its change handling at once, as the toolkit's
// change event would, so chains such as "setting the code field runs the entry
// check, which selects the command in the list, which lays out the fields"
// happen by themselves.
//
// The operand rules (commands/operand_rules.h) read and write the state
// (commands/entry_state.h) directly; for a later field's text they call
// setFieldText(), which runs its change handling.

#include "commands/command_family.h"
#include "commands/command_table.h"
#include "commands/entry_state.h"
#include "document/schedule_document.h"
#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <optional>

namespace vx {

// What the entry area uses of the rest of the model; the editor hands it in.
struct EntryFormParts {
    const TextCatalogue& catalogue;
    const CommandTable& commands;
    ScheduleDocument& document;
    Desktop& desktop;
    HelpViewer& help;
    const QString& programFolder;
    int& helpContext;      // the main window's: follows the command's topic
    bool& autosaveEnabled; // a fetch counts as an edit of the document
};

class EntryForm : public EntryFormState, public FormEvents {
public:
    explicit EntryForm(const EntryFormParts& parts);

    // Start-up state of the entry area and the command list (main window
    // initialisation, command list window load); again after a language load
    // that happens before the first event.
    void initialise();
    // Fills lstBefehle in the current language (at load, after a language switch).
    void FillList();
    // Captions of the five row buttons for the current row.
    void rebuildRowButtonCaptions();
    // After a language load: labels, the field hints of the command on display
    // and its explanation in the new language; the field texts stay.
    void retranslate();

    QString joinedExplanation() const;
    // Name of command 1..30 as the form shows it.
    QString commandName(int command) const;

    // ---- Events of the controls -------------------------------------------

    // The program sets a masked field's text: one change event when it
    // changes (Test_Eingabe for field k).
    void setFieldText(int k, const QString& text) override;
    // The program sets the text of txbTxt2, txbTxt3, txbAnmerk or txbStern: one
    // change event for the first two.
    void setBoxText(Control box, const QString& text);
    // The user types one character at the end of a field or box: false when its
    // mask or maximum length refuses it (the field drops it).
    bool typeCharacter(Control control, QChar c);

    // Moves the focus; the focus-entry handler of the control runs when the
    // focus really arrives there.
    void setFocus(Control control);
    bool hasFocus(Control control) const { return focus == control; }

    // The user clicks line `line` of the command list: the command setup runs,
    // also for the line already selected.
    void lstBefehle_Click(int line);
    // The program selects a line: the setup runs when the selection changes.
    void selectListIndex(int line) override;

    // F1 on the main window: opens the help page of CurrentHelpTopic in the
    // help file of the language; false (nothing opened, the key not consumed)
    // for a topic outside 0..2000.
    bool keyF1();

    // ---- Rules ----------------------------------------------------------------

    // The entry check of field 0..7, run by every change of mskTxt0..mskTxt7.
    void Test_Eingabe(int field);
    // Checks field 1..7 and rebuilds the explanation (or marks false input).
    void InterpretField(int field);
    // Resets the visibility of the operand fields to the command's field count.
    void ShowOperandFields(int command);

    // The hint of operand field n (1..5) of command: " Please, n. parameter" ...
    QString operandHint(int n, int command) const;

    // ---- Grid rows ------------------------------------------------------------

    // Makes row (column 1) the grid's current cell; the current-row handling
    // runs when the cell changes. Rows outside 1..RowCount are refused.
    void setCurrentRow(int row);
    // Red line number when the row named in mskTxt0 differs from the selected one.
    void applyLineNumberColour();
    // Fetch the current row into the entry fields (cmdHol_Zei_Click).
    void cmdHol_Zei_Click();
    // The user presses the fetch button / double-clicks the grid.
    void clickFetch();
    void grdFahrpl_DblClick();

private:
    void runListSetup();
    void applyCommandLayout(int i);
    // The field hints that the layout of command i stores, in the current language.
    void applyLayoutHints(int i);
    // What entering operand field 2 sets for the value of operand 1.
    void applyOperand2Form(const Operand2Form& form);
    // The hints that are set, into command's hints.
    void storeHints(int command, const std::array<CatalogueText, 5>& hints);

    bool lineNumberCheck();
    bool commandFieldCheck();
    void helpTopicStep();
    // HelpTopicIds of the command field's first character; fallback for a blank
    // field or a character without topic.
    int topicOfCommandField(int fallback) const;
    void setHelpTopic(int topic);

    bool interpretCommandField(QString& v);

    void focusEntered(Control control);
    void commandFieldEntry();
    void operandField1Entry();
    void operandField2Entry();
    void freeText1Entry();
    void freeText2Entry();
    void laterOperandEntry(int k);
    void hideBeyondFieldCount(bool freeTextBoxEntry);
    void showHint(int left, const QString& text);
    void cursorToStartIfEmpty(EntryField& field);
    void refreshExplanation() { lblBemerkung.caption = joinedExplanation(); }
    void boxChanged(Control box);

    QString tx(QStringView english) const;
    QChar commandLetter() const; // upper-cased first character of the trimmed command field

    // The texts every selection and keystroke needs, built once per language.
    struct LanguageTexts {
        bool built = false;
        Language language = Language::ES;
        QString please;                               // " Please, "
        QString parameter;                            // "parameter"
        QString toEnter;                              // line break, "to enter."
        std::array<std::array<QString, 6>, 30> hints; // [command][n] of the layout
        std::array<std::array<bool, 6>, 30> hintStored{};
        std::array<QString, 30> heads;
    };
    const LanguageTexts& texts() const;

    EntryFormParts parts_;
    mutable LanguageTexts texts_;
    int eventDepth_ = 0;
    bool startingUp_ = false;
    // While a fetch fills the fields it checks each one itself; the change
    // events must not check them a second time (and beep twice as often)
    // because the command's setup has put the focus into one of them.
    bool fetching_ = false;
};

} // namespace vx
