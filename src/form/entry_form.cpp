#include "form/entry_form.h"

#include "commands/command_family.h"
#include "commands/entry_geometry.h"
#include "commands/input_mask.h"
#include "help/help_model.h"
#include "texts/blanks.h"

#include <algorithm>

namespace vx {

namespace {

void setMask(EntryField& f, const QString& mask, QChar prompt = QChar()) {
    f.mask = mask;
    if (!prompt.isNull())
        f.prompt = prompt;
    if (!mask.isEmpty())
        f.maxLength = static_cast<int>(mask.size());
}

class Depth {
public:
    explicit Depth(int& depth) : depth_(depth) { ++depth_; }
    ~Depth() { --depth_; }
    Depth(const Depth&) = delete;
    Depth& operator=(const Depth&) = delete;

private:
    int& depth_;
};

} // namespace

EntryForm::EntryForm(const EntryFormParts& parts) : parts_(parts) {
    for (int k = 0; k < FieldCount; ++k)
        msk[static_cast<size_t>(k)].name = QStringLiteral("mskTxt") + QString::number(k);
    txbTxt2.name = QStringLiteral("txbTxt2");
    txbTxt3.name = QStringLiteral("txbTxt3");
    txbAnmerk.name = QStringLiteral("txbAnmerk");
    txbStern.name = QStringLiteral("txbStern");
}

QString EntryForm::tx(QStringView english) const {
    return parts_.catalogue.tx(english);
}

const EntryForm::LanguageTexts& EntryForm::texts() const {
    const TextCatalogue& cat = parts_.catalogue;
    if (texts_.built && texts_.language == cat.language())
        return texts_;
    texts_.language = cat.language();
    texts_.please = cat.tx(u" Please, ");
    texts_.parameter = cat.tx(u"parameter");
    texts_.toEnter = cat.tx(u"¶to enter.");
    for (int i = 1; i <= CommandTable::CommandCount; ++i) {
        for (int n = 1; n <= 5; ++n) {
            bool stored = false;
            texts_.hints[static_cast<size_t>(i)][static_cast<size_t>(n)] =
                LayoutHint(cat, i, n, &stored);
            texts_.hintStored[static_cast<size_t>(i)][static_cast<size_t>(n)] = stored;
        }
        texts_.heads[static_cast<size_t>(i)] = LayoutHead(cat, i);
    }
    texts_.built = true;
    return texts_;
}

QString EntryForm::commandName(int command) const {
    return command == renamedCommand ? renamedName : parts_.commands.row(command).Name;
}

QString EntryForm::joinedExplanation() const {
    static constexpr size_t Order[] = {1, 2, 7, 3, 4, 5, 6};
    qsizetype size = 0;
    for (size_t k : Order)
        size += ExplanationParts[k].size();
    QString text;
    text.reserve(size);
    for (size_t k : Order)
        text.append(ExplanationParts[k]);
    return text;
}

QChar EntryForm::commandLetter() const {
    const QStringView code = TrimView(msk[1].text);
    return code.isEmpty() ? QChar() : code.front().toUpper();
}

void EntryForm::initialise() {
    startingUp_ = true;
    SetInitialGeometry(*this);
    msk[0].text = QStringLiteral("1");
    for (int k = 1; k < FieldCount; ++k)
        msk[static_cast<size_t>(k)].text.clear();
    for (EntryField& f : msk)
        f.error = false;
    lblLfdNr.caption = tx(u"line no.");
    lblCode.caption = tx(u"code");
    lblAnmerk.caption = tx(u"Remark for command line: ");
    lblBemerkung.caption = tx(u"Please, select schedule command or input");
    lblHinweise.caption.clear();
    for (QString& e : ExplanationParts)
        e.clear();
    CurrentCommand = 0;
    ListCommand = 0;
    FillList();
    listIndex = -1;
    setHelpTopic(960);
    focus = Control::grid;
    rebuildRowButtonCaptions();
    applyLineNumberColour();
    startingUp_ = false;
}

void EntryForm::FillList() {
    // The list shows the names of the language just loaded; a name the values
    // gave a command is gone with it.
    renamedCommand = 0;
    renamedName.clear();
    lstBefehle.clear();
    lstBefehle.append(tx(u" Possible codes") + QStringLiteral(":   ") +
                      tx(u"More Help information by using F1 key"));
    for (int i = 1; i <= CommandTable::CommandCount; ++i) {
        const CommandTable::Row& row = parts_.commands.row(i);
        lstBefehle.append(u' ' + row.Code + QStringLiteral(" = ") + commandName(i));
    }
}

void EntryForm::rebuildRowButtonCaptions() {
    const QString n = QString::number(parts_.document.grid.currentRow);
    buttons.cmdHol_Zei = tx(u"Fetch from ¶ line no. ") + n;
    buttons.cmdUeb_Zei = tx(u"Move into line no. ") + n;
    buttons.cmdUeb_leerZ = tx(u"Transfer into first empty line");
    buttons.cmdEinf_leerZ = tx(u"Insert empty line at no. ") + n;
    buttons.cmdLoe_Zei = tx(u"Erase ¶line no. ") + n;
}

void EntryForm::retranslate() {
    lblLfdNr.caption = tx(u"line no.");
    lblCode.caption = tx(u"code");
    lblAnmerk.caption = tx(u"Remark for command line: ");
    const int i = CurrentCommand;
    if (i < 1 || i > CommandTable::CommandCount) {
        if (!lblBemerkung.error)
            lblBemerkung.caption = tx(u"Please, select schedule command or input");
        return;
    }
    applyLayoutHints(i);
    // A field shown as false keeps its message: checking it again would only
    // beep once more.
    bool anyError = lblBemerkung.error || txbTxt2.error || txbTxt3.error;
    for (const EntryField& f : msk)
        anyError = anyError || f.error;
    if (anyError)
        return;
    ExplanationParts[1] = texts().heads[static_cast<size_t>(i)];
    // The rules rewrite the hints and parts that depend on the values. Checking
    // an operand empties the later ones, so the values go back one by one and
    // are checked in turn, as a fetch does.
    std::array<QString, 6> values;
    values[0] = msk[1].text;
    values[1] = txbTxt2.visible ? txbTxt2.text : msk[2].text;
    values[2] = txbTxt3.visible ? txbTxt3.text : msk[3].text;
    for (int k = 4; k <= 6; ++k)
        values[static_cast<size_t>(k - 1)] = msk[static_cast<size_t>(k)].text;
    const bool wasFetching = fetching_;
    fetching_ = true;
    for (int k = 1; k <= 6; ++k) {
        const QString& value = values[static_cast<size_t>(k - 1)];
        if (k == 2 && txbTxt2.visible)
            setBoxText(Control::txbTxt2, value);
        else if (k == 3 && txbTxt3.visible)
            setBoxText(Control::txbTxt3, value);
        else if (k >= 2)
            setFieldText(k, value);
        if (!TrimView(value).isEmpty())
            InterpretField(k);
    }
    fetching_ = wasFetching;
    const QString joined = joinedExplanation();
    lblBemerkung.caption = joined.isEmpty() ? commandName(i) : joined;
    if (lblHinweise.visible && focus != Control::mskTxt1)
        focusEntered(focus);
}

// ---- Change events ---------------------------------------------------------

void EntryForm::setFieldText(int k, const QString& text) {
    if (k < 0 || k >= FieldCount)
        return;
    EntryField& f = msk[static_cast<size_t>(k)];
    if (f.text == text)
        return;
    f.text = text;
    if (startingUp_ || eventDepth_ >= MaxEventDepth)
        return;
    Depth depth(eventDepth_);
    Test_Eingabe(k);
}

void EntryForm::setBoxText(Control box, const QString& text) {
    const int c = static_cast<int>(box);
    if (c >= 0 && c < FieldCount) {
        setFieldText(c, text);
        return;
    }
    EntryField* f = fieldOf(box);
    if (!f || f->text == text)
        return;
    f->text = text;
    if (startingUp_ || eventDepth_ >= MaxEventDepth)
        return;
    Depth depth(eventDepth_);
    boxChanged(box);
}

bool EntryForm::typeCharacter(Control control, QChar c) {
    EntryField* f = fieldOf(control);
    if (!f || !InputMask::Accepts(f->mask, f->maxLength, f->text.size(), c))
        return false;
    setBoxText(control, f->text + c);
    f->selStart = static_cast<int>(f->text.size());
    f->selLength = 0;
    return true;
}

void EntryForm::boxChanged(Control box) {
    if (box == Control::txbTxt2) {
        lblHinweise.left = txbTxt2.left;
        lblHinweise.caption = operandHint(1, CurrentCommand);
        if (focus == Control::txbTxt2 && !fetching_)
            InterpretField(2);
    } else if (box == Control::txbTxt3) {
        // The hint keeps what the focus entry wrote; the box is in use only
        // while it stands in for operand field 2.
        lblHinweise.left = txbTxt3.left;
        if (focus == Control::txbTxt3 && !fetching_)
            InterpretField(3);
    }
}

// ---- Focus -------------------------------------------------------------------

void EntryForm::setFocus(Control control) {
    if (focus == control)
        return;
    focus = control;
    if (eventDepth_ >= MaxEventDepth)
        return;
    Depth depth(eventDepth_);
    focusEntered(control);
}

void EntryForm::focusEntered(Control control) {
    switch (control) {
    case Control::mskTxt0:
        refreshExplanation();
        lblBemerkung.caption = tx(u"Line no. of schedule command");
        break;
    case Control::mskTxt1:
        commandFieldEntry();
        break;
    case Control::mskTxt2:
        operandField1Entry();
        break;
    case Control::mskTxt3:
        operandField2Entry();
        break;
    case Control::mskTxt4:
    case Control::mskTxt5:
    case Control::mskTxt6:
        laterOperandEntry(static_cast<int>(control));
        break;
    case Control::txbTxt2:
        freeText1Entry();
        break;
    case Control::txbTxt3:
        freeText2Entry();
        break;
    default:
        break;
    }
}

QString EntryForm::operandHint(int n, int command) const {
    const QString& hint =
        command >= 0 && command <= CommandTable::NoCommand ? fieldHint(command, n) : QString();
    // Built on every keystroke in operand field 1: one allocation.
    const LanguageTexts& t = texts();
    const QString& br = TextCatalogue::HintLineBreak();
    QString text;
    text.reserve(t.please.size() + 3 + t.parameter.size() + br.size() + hint.size() + 1 +
                 t.toEnter.size());
    text.append(t.please).append(QChar(u'0' + n)).append(u". ").append(t.parameter);
    text.append(br).append(hint).append(u' ').append(t.toEnter);
    return text;
}

void EntryForm::showHint(int left, const QString& text) {
    lblHinweise.left = left;
    lblHinweise.caption = text;
    lblHinweise.visible = true;
}

void EntryForm::cursorToStartIfEmpty(EntryField& field) {
    if (TrimView(field.text).isEmpty()) {
        field.selStart = 0;
        field.selLength = 0;
    }
}

void EntryForm::commandFieldEntry() {
    if (helpMenuFreeBox != 0)
        return;
    cursorToStartIfEmpty(msk[1]);
    refreshExplanation();
    lblHinweise.visible = false;
    const QString code = Trim(msk[1].text);
    if (code.isEmpty()) {
        lblBemerkung.caption = tx(u"Please, select schedule command or input");
        ShowOperandFields(CurrentCommand);
        return;
    }
    if (const std::optional<int> i = parts_.commands.findByField(code)) {
        if (*i != CurrentCommand) {
            selectListIndex(*i);
            CurrentCommand = static_cast<qint16>(*i);
        }
        lblBemerkung.caption = commandName(*i);
        return;
    }
    // A letter with a digit (I5) is no code here: the typed field keeps the
    // layout of the command on display.
    lblBemerkung.caption = tx(u"Please, select schedule command or input");
    parts_.desktop.beep();
    ShowOperandFields(CurrentCommand);
}

void EntryForm::hideBeyondFieldCount(bool freeTextBoxEntry) {
    const int count = parts_.commands.fieldCount(CurrentCommand);
    for (int k = 7; k >= count + 2; --k) {
        if (k != 3) {
            msk[static_cast<size_t>(k)].visible = false;
        } else if (freeTextBoxEntry) {
            msk[3].visible = false;
            txbTxt3.visible = false;
        } else {
            // A hidden field must not hide a value the line holds.
            if (TrimView(msk[3].text).isEmpty())
                msk[3].visible = false;
            if (TrimView(txbTxt3.text).isEmpty())
                txbTxt3.visible = false;
        }
    }
}

void EntryForm::operandField1Entry() {
    if (TrimView(msk[1].text).isEmpty()) {
        lblBemerkung.caption = tx(u"Please, first select schedule command or input");
        return;
    }
    cursorToStartIfEmpty(msk[2]);
    refreshExplanation();
    if (CurrentCommand == 0)
        return;
    hideBeyondFieldCount(false);
    const CommandBehaviour* behaviour = BehaviourOf(commandLetter());
    if (behaviour && behaviour->operand1Entry) {
        behaviour->operand1Entry(*this);
    } else {
        txbTxt2.visible = false;
        txbTxt3.visible = false;
    }
    refreshExplanation();
    showHint(msk[2].left, operandHint(1, ListCommand));
}

void EntryForm::freeText1Entry() {
    cursorToStartIfEmpty(txbTxt2);
    refreshExplanation();
    if (CurrentCommand != 0) {
        hideBeyondFieldCount(true);
        const QChar letter = commandLetter();
        const CommandBehaviour* behaviour = BehaviourOf(letter);
        if (behaviour && behaviour->textBoxEntry) {
            behaviour->textBoxEntry(*this);
            storeHints(parts_.commands.findByLine(QStringView(&letter, 1)), behaviour->boxHints);
        } else {
            txbTxt2.visible = false;
            txbTxt3.visible = false;
            msk[2].visible = true;
        }
        refreshExplanation();
        showHint(msk[2].left, operandHint(1, CurrentCommand));
    }
    setHelpTopic(topicOfCommandField(1));
}

void EntryForm::operandField2Entry() {
    cursorToStartIfEmpty(msk[3]);
    refreshExplanation();
    showHint(msk[3].left, lblHinweise.caption);
    for (const Operand2Form* form : Operand2FormsOf(commandLetter(), msk[2].text.toUpper()))
        applyOperand2Form(*form);
    refreshExplanation();
    showHint(msk[3].left, operandHint(2, ListCommand));
}

void EntryForm::applyOperand2Form(const Operand2Form& form) {
    if (form.mask2)
        setMask(msk[3], QString::fromUtf16(form.mask2), QChar(form.prompt2));
    if (form.mask3)
        setMask(msk[4], QString::fromUtf16(form.mask3), QChar(form.prompt3));
    if (form.hideOperand4)
        msk[5].visible = false;
    if (form.textBox != 0) {
        txbTxt3.visible = form.textBox > 0;
        msk[3].visible = form.textBox < 0;
    }
    if (form.hintsOf != 0)
        storeHints(parts_.commands.findByLine(QStringView(&form.hintsOf, 1)), form.hints);
}

void EntryForm::storeHints(int command, const std::array<CatalogueText, 5>& hints) {
    for (int n = 1; n <= 5; ++n) {
        const CatalogueText& hint = hints[static_cast<size_t>(n - 1)];
        if (hint.isSet())
            fieldHint(command, n) = hint.in(parts_.catalogue);
    }
}

void EntryForm::laterOperandEntry(int k) {
    EntryField& f = msk[static_cast<size_t>(k)];
    cursorToStartIfEmpty(f);
    refreshExplanation();
    showHint(f.left, operandHint(k - 1, CurrentCommand));
}

void EntryForm::freeText2Entry() {
    if (msk[2].text.toUpper().startsWith(u'D')) {
        lblHinweise.caption = tx(u" Please, ") + QStringLiteral("2. ") + tx(u"parameter") +
                              TextCatalogue::HintLineBreak() + tx(u"Text for input request ") +
                              tx(u"¶to enter.");
    } else {
        cursorToStartIfEmpty(txbTxt3);
        lblHinweise.caption = operandHint(2, CurrentCommand);
    }
    refreshExplanation();
    lblHinweise.left = txbTxt3.left;
    lblHinweise.visible = true;
}

// ---- Command list ------------------------------------------------------------

void EntryForm::lstBefehle_Click(int line) {
    if (line < -1 || line >= lstBefehle.size())
        return;
    listIndex = line;
    runListSetup();
}

void EntryForm::selectListIndex(int line) {
    if (line == listIndex || line < -1 || line >= lstBefehle.size())
        return;
    listIndex = line;
    if (eventDepth_ >= MaxEventDepth)
        return;
    Depth depth(eventDepth_);
    runListSetup();
}

void EntryForm::setHelpTopic(int topic) {
    CurrentHelpTopic = static_cast<qint16>(topic);
    parts_.helpContext = topic;
}

void EntryForm::runListSetup() {
    setHelpTopic(CommandTable::SelectionTopic);
    const int i = listIndex;
    if (i < 1 || i > CommandTable::CommandCount)
        return;
    const CommandTable& table = parts_.commands;
    const QString code = table.row(i).Code;
    ListCommand = static_cast<qint16>(i);
    CurrentCommand = static_cast<qint16>(i);
    lblBemerkung.caption = commandName(i);

    setFieldText(1, code);
    ShowOperandFields(i);
    msk[1].width = entry_geometry::CodeFieldWidth;
    const int n = table.fieldCount(i) + 2;
    for (int k = 2; k <= n; ++k)
        msk[static_cast<size_t>(std::min(k, 6))].mask.clear();

    for (int k = 1; k <= 7; ++k) {
        if (k == 2) {
            setFieldText(2, QString());
            setBoxText(Control::txbTxt2, QString());
        } else if (k == 3) {
            setFieldText(3, QString());
            setBoxText(Control::txbTxt3, QString());
        } else if (k >= 4) {
            setFieldText(std::min(k, 6), QString());
        }
        Test_Eingabe(k);
        ExplanationParts[static_cast<size_t>(k)].clear();
    }
    txbAnmerk.text.clear();

    setMask(msk[1], QStringLiteral("&"), u' ');
    msk[1].width = entry_geometry::CodeFieldWidth;
    setFieldText(1, code);

    const CommandBehaviour* family = BehaviourOf(CommandTable::codeOf(i));
    const bool remark = !(family && family->noTrailingRemark);
    lblAnmerk.visible = remark;
    txbStern.visible = remark;
    txbAnmerk.visible = remark;

    applyCommandLayout(i);
    PlaceFields(*this);

    setFocus(Control::grid);
    lblBemerkung.caption = commandName(i);
    lblBemerkung.visible = true;

    if (family && family->operand1InBox) {
        msk[2].visible = false;
        txbTxt2.visible = true;
        setFocus(Control::txbTxt2);
    } else {
        setFocus(msk[2].visible ? Control::mskTxt2 : Control::mskTxt1);
    }
}

void EntryForm::applyCommandLayout(int i) {
    const CommandLayout& layout = LayoutOf(i);
    if (layout.helpTopic >= 0)
        setHelpTopic(layout.helpTopic);
    ApplyFieldLayout(*this, i, parts_.commands.fieldCount(i));
    applyLayoutHints(i);
    ExplanationParts[1] = texts().heads[static_cast<size_t>(i)];
}

void EntryForm::applyLayoutHints(int i) {
    const LanguageTexts& t = texts();
    for (int n = 1; n <= 5; ++n)
        if (t.hintStored[static_cast<size_t>(i)][static_cast<size_t>(n)])
            fieldHint(i, n) = t.hints[static_cast<size_t>(i)][static_cast<size_t>(n)];
}

// ---- Help --------------------------------------------------------------------

bool EntryForm::keyF1() {
    const int topic = CurrentHelpTopic;
    if (!F1Help(parts_.help, parts_.programFolder, parts_.catalogue.language(), topic))
        return false;
    parts_.helpContext = topic;
    return true;
}

} // namespace vx
