#pragma once

// The entry area of the main window as plain values: the masked fields
// mskTxt0..mskTxt7, the free-text boxes, the labels, the explanation parts and
// the command list. The operand rules write it; EntryForm (form/entry_form.h)
// adds the handlers of its events.

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
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

// A text of the tables (a mask, a control name): it points into the literal,
// so nothing is copied and the same literal is the same text next time.
QString LiteralText(const char16_t* text);
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
    // Change handlers that set texts that run change handlers again: a chain
    // deeper than this is a loop, and the toolkit would have overflowed its
    // stack. The window and the batch fetch stop at the same depth.
    static constexpr int MaxEventDepth = 48;

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

    // The field hints of every command as the form shows them, [command][n]
    // for operand n (1..5): choosing a command stores those of its layout, and
    // the values typed rewrite them; a hint no one has written stays as it was.
    std::array<std::array<QString, 6>, 31> fieldHints;
    // Bit i: row i of fieldHints may have been written through fieldHint, so
    // that putting a state back looks at those rows only.
    quint32 hintRowsTouched = 0;
    QString& fieldHint(int command, int n) {
        hintRowsTouched |= 1u << command;
        return fieldHints[static_cast<size_t>(command)][static_cast<size_t>(n)];
    }
    const QString& fieldHint(int command, int n) const {
        return fieldHints[static_cast<size_t>(command)][static_cast<size_t>(n)];
    }

    // The name a command takes from the values typed (an operating command
    // asking for input names its marker), until the list is filled again;
    // renamedCommand 0: every command has its name from the command table.
    int renamedCommand = 0;
    QString renamedName;

    // Becomes equal to `state` like an assignment, but leaves the texts alone
    // that already share their data with it (explain puts a state back for
    // every line; most texts are untouched). A member added above must be
    // added there too.
    void restoreFrom(const EntryFormState& state);

    // The field of a masked field or text box; null for any other control.
    EntryField* fieldOf(Control control);
    const EntryField* fieldOf(Control control) const;
};

// What the operand rules may ask of the form besides writing its state:
// setting a field's text runs its change handling, selecting a line of the
// command list runs the command's setup.
class FormEvents {
public:
    virtual ~FormEvents() = default;
    virtual void setFieldText(int k, const QString& text) = 0;
    virtual void selectListIndex(int line) = 0;
    // Whether anything reads the explanation afterwards: for a reader of the
    // false inputs alone, the rules leave its parts unwritten.
    virtual bool explained() const { return true; }
    // Whether anything reads the hints afterwards (a finding names an operand
    // by its hint): for a reader of the explanation alone, they stay unwritten.
    virtual bool hinted() const { return true; }
};

} // namespace vx
