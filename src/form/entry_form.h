#pragma once

// The entry area of the main window as the model sees it: the masked fields
// mskTxt0..mskTxt7, the free-text boxes, the labels and the command list, with
// every property the editor's rules touch, plus the handlers of their events.
// Setting a field's text runs its change handling at once, as the toolkit's
// change event would, so chains such as "setting the code field runs the entry
// check, which selects the command in the list, which lays out the fields"
// happen by themselves.
//
// The operand rules (interpret/operand_rules.h) read and write the members
// directly: msk[k] and the free-text boxes (text, mask, prompt, maxLength,
// width, left, visible, error), ExplanationParts, lblBemerkung, listIndex; for a
// later field's text they call setFieldText(), which runs its change handling.

#include "commands/command_table.h"
#include "commands/operand_rules.h"
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

struct EntryField {
    QString name;
    QString text;
    QString mask; // the editor's own mask notation (input_mask.h); "" = free input
    QChar prompt = u' ';
    int maxLength = 0; // 0 = no limit
    int width = 0;     // pixels
    int left = 0;      // pixels
    bool visible = true;
    bool error = false; // drawn in the error colour
    int selStart = 0;   // the cursor
    int selLength = 0;
};

struct Label {
    QString caption;
    int left = 0;
    int width = 0;
    bool visible = true;
    bool error = false;
};

// The controls that can hold the focus. The first eight are mskTxt0..mskTxt7,
// so that Control(k) is the masked field k.
enum class Control {
    mskTxt0,
    mskTxt1,
    mskTxt2,
    mskTxt3,
    mskTxt4,
    mskTxt5,
    mskTxt6,
    mskTxt7,
    txbTxt2,
    txbTxt3,
    txbAnmerk,
    txbStern,
    grid, // grdFahrpl
    lstBefehle,
    cmdHol_Zei,
    cmdUeb_Zei,
    cmdUeb_leerZ,
    cmdEinf_leerZ,
    cmdLoe_Zei,
    None,
};

// Name of a control as the CLI and the dump write it ("mskTxt2", "grid").
QString ControlName(Control control);
std::optional<Control> ControlByName(QStringView name);

// Captions of the five row buttons; they follow the current row.
struct RowButtonCaptions {
    QString cmdHol_Zei;
    QString cmdUeb_Zei;
    QString cmdUeb_leerZ;
    QString cmdEinf_leerZ;
    QString cmdLoe_Zei;
};

// Everything the entry area shows and remembers; a plain value, so that a
// state can be kept and put back whole (vxedit-cli explain starts every line
// from the state after start-up).
struct EntryFormState {
    static constexpr int FieldCount = 8; // mskTxt0..mskTxt7

    std::array<EntryField, FieldCount> msk; // msk[k] is mskTxtk
    EntryField txbTxt2;
    EntryField txbTxt3;
    EntryField txbAnmerk;
    EntryField txbStern;
    Label lblLfdNr;
    Label lblAnmerk;
    Label lblCode;
    Label lblBemerkung; // the explanation line
    Label lblHinweise;  // the hint label

    // E1..E7 (index 0 unused); shown joined as E1, E2, E7, E3, E4, E5, E6.
    std::array<QString, 8> ExplanationParts;

    qint16 CurrentCommand = 0;
    qint16 ListCommand = 0;
    qint16 CurrentHelpTopic = 960;

    // The command list lstBefehle of the command list window: line 0 the
    // heading, line i command i; listIndex the selected line, -1 = none.
    QStringList lstBefehle;
    int listIndex = -1;

    Control focus = Control::None;
    RowButtonCaptions buttons;
    bool lineNumberRed = false; // mskTxt0's number does not name the selected row

    // Set by the Help menu command while it runs: 2 or 3 when txbTxt2 or
    // txbTxt3 was in use before it, 0 otherwise. While it is nonzero the
    // command field's focus handler does nothing.
    int helpMenuFreeBox = 0;
};

// What the entry area uses of the rest of the model; the editor hands it in.
struct EntryFormParts {
    const TextCatalogue& catalogue;
    CommandTable& commands; // the operand rules rename commands and rewrite hints
    ScheduleDocument& document;
    Desktop& desktop;
    HelpViewer& help;
    const QString& programFolder;
    int& helpContext;      // the main window's: follows the command's topic
    bool& autosaveEnabled; // a fetch counts as an edit of the document
    // The per-command operand rules for field 2..6.
    std::function<RuleEnd(int field, const QString& code, QString& v)> interpretOperand;
};

class EntryForm : public EntryFormState {
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

    // ---- Events of the controls -------------------------------------------

    // The program sets a masked field's text: one change event when it
    // changes (Test_Eingabe for field k).
    void setFieldText(int k, const QString& text);
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
    void selectListIndex(int line);

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

    EntryField* fieldOf(Control control);

private:
    void runListSetup();
    void applyCommandLayout(int i);
    // The field hints that the layout of command i stores, in the current language.
    void applyLayoutHints(int i);
    void placeFields();

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
