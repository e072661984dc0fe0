// The fetch of one line into an untouched entry area, reduced to what decides
// the explanation and the false-input marks: the command's setup, the rules of
// the fields in the order the fetch runs them, the change events the rules
// cause and the focus steps that redraw the explanation. Help topics, the grid
// and the beeps are left out: nothing here reads them. The hints are kept
// because a finding names an operand by its hint.

#include "form/line_explanation.h"

#include "commands/command_family.h"
#include "commands/command_layouts.h"
#include "commands/entry_geometry.h"
#include "commands/field_titles.h"
#include "commands/operand_rules.h"
#include "commands/parsed_command.h"
#include "texts/blanks.h"

#include <algorithm>
#include <bit>
#include <tuple>

namespace vx {

namespace {

// Line 0 of the command list is its heading, lines 1..30 the commands.
constexpr int ListLines = CommandTable::NoCommand + 1;

void setMask(EntryField& f, const QString& mask, QChar prompt = QChar()) {
    f.mask = mask;
    if (!prompt.isNull())
        f.prompt = prompt;
    if (!mask.isEmpty())
        f.maxLength = static_cast<int>(mask.size());
}

// The command field holds exactly the code of the remark line.
bool isRemarkCode(const QString& field) {
    const CommandBehaviour* b = field.size() == 1 ? BehaviourOf(field.front()) : nullptr;
    return b && b->remarkLine;
}

QString trimmedUpper(const QString& text) {
    return TrimView(text).size() == text.size() ? text.toUpper() : Trim(text).toUpper();
}

// Same characters at the same place are the same text; null texts count as
// shared too, which isSharedWith does not.
bool sameText(const QString& a, const QString& b) {
    return a.constData() == b.constData() && a.size() == b.size() && a.isNull() == b.isNull();
}

void restoreText(QString& to, const QString& from) {
    if (!sameText(to, from))
        to = from;
}

// The mask, its prompt and the length it allows only guide typing: the fetch
// sets whole texts and never reads them.
void restoreField(EntryField& to, const EntryField& from) {
    restoreText(to.text, from.text);
    to.width = from.width;
    to.left = from.left;
    to.visible = from.visible;
    to.error = from.error;
}

// Puts back what the rules and the fetch read, the explanation when it is
// read, and the hints when the findings read them; the list, the buttons and
// the masks that they only write are left as the last line made them.
void restoreForFetch(EntryFormState& to, const EntryFormState& from, bool caption, bool hints) {
    for (size_t k = 0; k < to.msk.size(); ++k)
        restoreField(to.msk[k], from.msk[k]);
    restoreField(to.txbTxt2, from.txbTxt2);
    restoreField(to.txbTxt3, from.txbTxt3);
    restoreField(to.txbAnmerk, from.txbAnmerk);
    to.lblBemerkung.error = from.lblBemerkung.error;
    if (caption) {
        restoreText(to.lblBemerkung.caption, from.lblBemerkung.caption);
        for (size_t k = 0; k < to.ExplanationParts.size(); ++k)
            restoreText(to.ExplanationParts[k], from.ExplanationParts[k]);
    }
    to.CurrentCommand = from.CurrentCommand;
    to.ListCommand = from.ListCommand;
    to.listIndex = from.listIndex;
    to.focus = from.focus;
    to.renamedCommand = from.renamedCommand;
    restoreText(to.renamedName, from.renamedName);
    // Only the messages read them: as choosing the command left them. Both
    // states differ from the start state only in rows written since, and a
    // line writes those of a command or two. Left alone, the rows keep their
    // marks, so that the next fetch that reads them puts them back.
    if (!hints)
        return;
    static_assert(std::tuple_size_v<decltype(to.fieldHints)> <= 32);
    for (quint32 rows = to.hintRowsTouched | from.hintRowsTouched; rows != 0; rows &= rows - 1) {
        const auto i = static_cast<size_t>(std::countr_zero(rows));
        for (size_t n = 0; n < to.fieldHints[i].size(); ++n)
            restoreText(to.fieldHints[i][n], from.fieldHints[i][n]);
    }
    to.hintRowsTouched = from.hintRowsTouched;
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

class LineFetch : public FormEvents {
public:
    // caption: false when only the red controls are read; the fetch never
    // reads the explanation line, so leaving it unjoined changes no flag.
    // hints: false when only the explanation is read; nothing in the fetch
    // reads a hint.
    LineFetch(const ExplanationLanguage& language, EntryFormState& state, bool caption = true,
              bool hints = true)
        : lang_(language), cat_(language.catalogue()), table_(language.commands()), s_(state),
          caption_(caption), hints_(hints) {}

    // From the start state: the fetch up to the command field holding the
    // line's first character, which is all that this part depends on.
    void begin(QChar first) {
        s_.focus = Control::cmdHol_Zei; // the fetch button takes the focus from the grid
        setFieldText(1, QString(first));
    }
    // The rest of the fetch of the trimmed, non-empty line, after begin().
    // fields: SplitLine(line), or null to split it here.
    void finish(const QString& line, QChar first, const std::array<QString, 6>* fields);
    LineExplanation result() const;
    QList<FalseInput> falseInputs() const;
    // The hint that a finding names the control's operand by.
    QString hintOf(Control c) const;

    void setFieldText(int k, const QString& text) override {
        if (k < 0 || k >= EntryFormState::FieldCount)
            return;
        EntryField& f = s_.msk[static_cast<size_t>(k)];
        if (f.text == text)
            return;
        f.text = text;
        if (depth_ >= EntryFormState::MaxEventDepth)
            return;
        Depth depth(depth_);
        testEingabe(k);
    }

    bool explained() const override { return caption_; }
    bool hinted() const override { return hints_; }

    void selectListIndex(int line) override {
        if (line == s_.listIndex || line < -1 || line >= ListLines)
            return;
        s_.listIndex = line;
        if (depth_ >= EntryFormState::MaxEventDepth)
            return;
        Depth depth(depth_);
        runListSetup();
    }

private:
    EntryField& msk(int k) { return s_.msk[static_cast<size_t>(k)]; }
    // Only the findings read the hints: they name an operand by its hint.
    void storeHints(int command, const std::array<CatalogueText, 5>& hints) {
        if (!hints_)
            return;
        for (int n = 1; n <= 5; ++n) {
            const CatalogueText& hint = hints[static_cast<size_t>(n - 1)];
            if (hint.isSet())
                s_.fieldHint(command, n) = hint.in(cat_);
        }
    }
    QString& E(int k) { return s_.ExplanationParts[static_cast<size_t>(k)]; }
    QString commandName(int i) const {
        return i == s_.renamedCommand ? s_.renamedName : table_.row(i).Name;
    }
    QChar commandLetter() const {
        const QStringView code = TrimView(s_.msk[1].text);
        return code.isEmpty() ? QChar() : code.front().toUpper();
    }
    QString joined() const {
        static constexpr size_t Order[] = {1, 2, 7, 3, 4, 5, 6};
        const auto& parts = s_.ExplanationParts;
        // Often only the head is set: it is shared, not copied.
        qsizetype size = 0;
        size_t only = 0;
        int set = 0;
        for (size_t k : Order)
            if (!parts[k].isEmpty()) {
                size += parts[k].size();
                only = k;
                ++set;
            }
        if (set == 1)
            return parts[only];
        QString text;
        text.reserve(size);
        for (size_t k : Order)
            text.append(parts[k]);
        return text;
    }
    void refreshExplanation() {
        if (caption_)
            s_.lblBemerkung.caption = joined();
    }

    void setBoxText(Control box, const QString& text) {
        EntryField& f = box == Control::txbTxt2 ? s_.txbTxt2 : s_.txbTxt3;
        if (f.text == text)
            return;
        f.text = text;
        if (depth_ >= EntryFormState::MaxEventDepth)
            return;
        Depth depth(depth_);
        if (s_.focus == box && !fetching_)
            interpretField(box == Control::txbTxt2 ? 2 : 3);
    }

    void setFocus(Control control) {
        if (s_.focus == control)
            return;
        s_.focus = control;
        if (depth_ >= EntryFormState::MaxEventDepth)
            return;
        Depth depth(depth_);
        focusEntered(control);
    }

    // The command field trimmed and upper-cased, as every rule reads it;
    // put together again only when the field changed.
    const QString& codeField() {
        const QString& text = msk(1).text;
        if (!sameText(text, codeOf_)) {
            codeOf_ = text;
            code_ = trimmedUpper(text);
        }
        return code_;
    }

    void testEingabe(int field);
    bool commandFieldCheck();
    void showOperandFields(int command);
    void runListSetup();
    void applyCommandLayout(int i);
    void focusEntered(Control control);
    void commandFieldEntry();
    void operandField1Entry();
    void freeText1Entry();
    void operandField2Entry();
    void hideBeyondFieldCount(bool freeTextBoxEntry);
    void interpretField(int field);
    bool interpretCommandField(QString& v);

    const ExplanationLanguage& lang_;
    const TextCatalogue& cat_;
    const CommandTable& table_;
    EntryFormState& s_;
    int depth_ = 0;
    bool caption_;
    bool hints_;
    bool fetching_ = false;
    QString codeOf_; // the field's text that code_ was made from
    QString code_;
};

void LineFetch::testEingabe(int field) {
    switch (field) {
    case 1:
        commandFieldCheck();
        break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        if (s_.focus == static_cast<Control>(field) && !fetching_)
            interpretField(field);
        break;
    default:
        // No step of a fetch changes the line number.
        break;
    }
}

bool LineFetch::commandFieldCheck() {
    if (msk(1).text.isEmpty()) {
        s_.lblBemerkung.caption = cat_.tx(u"Please, select schedule command or input");
        selectListIndex(0);
        s_.ListCommand = 0;
        showOperandFields(1);
        return false;
    }
    const QString& shownCode = table_.row(s_.CurrentCommand).Code;
    if (shownCode.isEmpty() || msk(1).text.front() != shownCode.front())
        s_.CurrentCommand = static_cast<qint16>(table_.findByLine(msk(1).text));
    if (s_.CurrentCommand == CommandTable::NoCommand) {
        s_.lblBemerkung.caption = table_.row(CommandTable::NoCommand).Name;
        showOperandFields(1);
        return false;
    }
    if (s_.listIndex != s_.CurrentCommand) {
        showOperandFields(s_.CurrentCommand);
        selectListIndex(s_.CurrentCommand);
    }
    interpretField(1);
    const QString& typed = msk(1).text;
    const CommandBehaviour* family = typed.isEmpty() ? nullptr : BehaviourOf(typed.front());
    if (family && family->operand1InBox && !family->remarkLine) {
        s_.txbTxt2.visible = true;
        msk(2).visible = false;
    }
    return true;
}

void LineFetch::showOperandFields(int command) {
    if (command < 1 || command > CommandTable::LastWithOperandFields)
        return;
    for (int k = 2; k < EntryFormState::FieldCount; ++k)
        msk(k).visible = false;
    s_.txbTxt2.visible = false;
    s_.txbTxt3.visible = false;
    const int count = table_.fieldCount(command);
    for (int k = 2; k < 2 + count && k < EntryFormState::FieldCount; ++k)
        msk(k).visible = true;
}

void LineFetch::runListSetup() {
    const int i = s_.listIndex;
    if (i < 1 || i > CommandTable::CommandCount)
        return;
    const QString code = table_.row(i).Code;
    s_.ListCommand = static_cast<qint16>(i);
    s_.CurrentCommand = static_cast<qint16>(i);
    s_.lblBemerkung.caption = commandName(i);

    setFieldText(1, code);
    showOperandFields(i);
    msk(1).width = entry_geometry::CodeFieldWidth;
    const int n = table_.fieldCount(i) + 2;
    for (int k = 2; k <= n; ++k)
        msk(std::min(k, 6)).mask.clear();
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
        testEingabe(k);
        E(k).clear();
    }
    setMask(msk(1), QStringLiteral("&"), u' ');
    msk(1).width = entry_geometry::CodeFieldWidth;
    setFieldText(1, code);

    applyCommandLayout(i);
    PlaceFields(s_);

    setFocus(Control::grid);
    s_.lblBemerkung.caption = commandName(i);
    const CommandBehaviour* family = BehaviourOf(CommandTable::codeOf(i));
    if (family && family->operand1InBox) {
        msk(2).visible = false;
        s_.txbTxt2.visible = true;
        setFocus(Control::txbTxt2);
    } else {
        setFocus(msk(2).visible ? Control::mskTxt2 : Control::mskTxt1);
    }
}

void LineFetch::applyCommandLayout(int i) {
    ApplyFieldLayout(s_, i, table_.fieldCount(i));
    if (hints_)
        lang_.applyLayoutHints(s_, i);
    E(1) = lang_.head(i);
}

void LineFetch::focusEntered(Control control) {
    switch (control) {
    case Control::mskTxt0:
        s_.lblBemerkung.caption = cat_.tx(u"Line no. of schedule command");
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
    case Control::txbTxt3:
        refreshExplanation();
        break;
    case Control::txbTxt2:
        freeText1Entry();
        break;
    default:
        break;
    }
}

void LineFetch::commandFieldEntry() {
    refreshExplanation();
    const QString code = Trim(msk(1).text);
    if (code.isEmpty()) {
        s_.lblBemerkung.caption = cat_.tx(u"Please, select schedule command or input");
        showOperandFields(s_.CurrentCommand);
        return;
    }
    if (const std::optional<int> i = table_.findByField(code)) {
        if (*i != s_.CurrentCommand) {
            selectListIndex(*i);
            s_.CurrentCommand = static_cast<qint16>(*i);
        }
        s_.lblBemerkung.caption = commandName(*i);
        return;
    }
    s_.lblBemerkung.caption = cat_.tx(u"Please, select schedule command or input");
    showOperandFields(s_.CurrentCommand);
}

void LineFetch::hideBeyondFieldCount(bool freeTextBoxEntry) {
    const int count = table_.fieldCount(s_.CurrentCommand);
    for (int k = 7; k >= count + 2; --k) {
        if (k != 3) {
            msk(k).visible = false;
        } else if (freeTextBoxEntry) {
            msk(3).visible = false;
            s_.txbTxt3.visible = false;
        } else {
            if (TrimView(msk(3).text).isEmpty())
                msk(3).visible = false;
            if (TrimView(s_.txbTxt3.text).isEmpty())
                s_.txbTxt3.visible = false;
        }
    }
}

void LineFetch::operandField1Entry() {
    if (TrimView(msk(1).text).isEmpty()) {
        s_.lblBemerkung.caption = cat_.tx(u"Please, first select schedule command or input");
        return;
    }
    refreshExplanation();
    if (s_.CurrentCommand == 0)
        return;
    hideBeyondFieldCount(false);
    const CommandBehaviour* behaviour = BehaviourOf(commandLetter());
    if (behaviour && behaviour->operand1Entry) {
        behaviour->operand1Entry(s_);
    } else {
        s_.txbTxt2.visible = false;
        s_.txbTxt3.visible = false;
    }
    refreshExplanation();
}

void LineFetch::freeText1Entry() {
    refreshExplanation();
    if (s_.CurrentCommand == 0)
        return;
    hideBeyondFieldCount(true);
    const QChar letter = commandLetter();
    const CommandBehaviour* behaviour = BehaviourOf(letter);
    if (behaviour && behaviour->textBoxEntry) {
        behaviour->textBoxEntry(s_);
        storeHints(table_.findByLine(QStringView(&letter, 1)), behaviour->boxHints);
    } else {
        s_.txbTxt2.visible = false;
        s_.txbTxt3.visible = false;
        msk(2).visible = true;
    }
    refreshExplanation();
}

void LineFetch::operandField2Entry() {
    refreshExplanation();
    for (const Operand2Form* form : Operand2FormsOf(commandLetter(), msk(2).text.toUpper())) {
        if (form->mask2)
            setMask(msk(3), LiteralText(form->mask2), QChar(form->prompt2));
        if (form->mask3)
            setMask(msk(4), LiteralText(form->mask3), QChar(form->prompt3));
        if (form->hideOperand4)
            msk(5).visible = false;
        if (form->textBox != 0) {
            s_.txbTxt3.visible = form->textBox > 0;
            msk(3).visible = form->textBox < 0;
        }
        if (form->hintsOf != 0)
            storeHints(table_.findByLine(QStringView(&form->hintsOf, 1)), form->hints);
    }
    refreshExplanation();
}

void LineFetch::interpretField(int field) {
    if (field < 1 || field > 7)
        return;
    const QString code = codeField();
    const bool remarkLine = isRemarkCode(msk(1).text);
    s_.lblBemerkung.error = false;

    QString v;
    EntryField* judged = nullptr;
    if (field >= 4) {
        judged = &msk(field);
        judged->error = false;
        v = remarkLine ? judged->text : Trim(judged->text).toUpper();
    } else if (field == 2) {
        judged = s_.txbTxt2.visible ? &s_.txbTxt2 : &msk(2);
    } else if (field == 3) {
        judged = s_.txbTxt3.visible ? &s_.txbTxt3 : &msk(3);
    } else {
        judged = &msk(1);
    }

    bool normal = true;
    if (field == 1)
        normal = interpretCommandField(v);
    else if (field <= 6)
        normal = InterpretOperand(s_, *this, cat_, table_, field, code, v) == RuleEnd::Normal;

    if (!normal) {
        if (v.isEmpty())
            return;
        E(field).clear();
        judged->error = true;
        s_.lblBemerkung.error = true;
        s_.lblBemerkung.caption = cat_.tx(u"False input");
        return;
    }
    refreshExplanation();
}

bool LineFetch::interpretCommandField(QString& v) {
    EntryField& field = msk(1);
    field.error = false;
    if (isRemarkCode(field.text)) {
        s_.txbTxt2.left = msk(2).left;
        s_.txbTxt2.visible = true;
        msk(2).visible = false;
        v = field.text;
    } else {
        v = codeField();
    }
    if (v.isEmpty())
        return true;
    return InterpretCommandField(s_, *this, cat_, table_, v) == RuleEnd::Normal;
}

void LineFetch::finish(const QString& line, QChar first, const std::array<QString, 6>* fields) {
    const CommandBehaviour* family = BehaviourOf(first);
    if (family && family->remarkLine) {
        const qsizetype from = line.size() > 1 && line[1] == u' ' ? 2 : 1;
        setBoxText(Control::txbTxt2, line.mid(from));
        return;
    }
    const std::array<QString, 6> f = fields ? *fields : SplitBySpans(line);
    setFieldText(1, Trim(f[0]));
    fetching_ = true;
    for (int k = 1; k <= 6; ++k) {
        if (f[static_cast<size_t>(k - 1)].isEmpty())
            break;
        const QString value = Trim(f[static_cast<size_t>(k - 1)]);
        if (k == 2) {
            if (s_.txbTxt2.visible)
                setBoxText(Control::txbTxt2, value);
            else
                setFieldText(2, value);
        } else if (k == 3) {
            if (s_.txbTxt3.visible)
                setBoxText(Control::txbTxt3, value);
            setFieldText(3, value);
        } else if (k >= 4) {
            setFieldText(k, value);
        }
        interpretField(k);
    }
    fetching_ = false;
    if (family && family->noTrailingRemark)
        return;
    // The focus goes to the first operand field still to be filled.
    for (int k = 2; k <= 6; ++k) {
        EntryField& field = msk(k);
        const bool filled = !TrimView(field.text).isEmpty();
        if (k == 6) {
            if (filled)
                field.visible = true;
            else if (msk(5).visible)
                setFocus(Control::mskTxt5);
            break;
        }
        if (filled) {
            if (k != 5)
                field.visible = true;
            continue;
        }
        msk(k + 1).visible = false;
        if (field.visible)
            setFocus(static_cast<Control>(k));
        break;
    }
}

QString LineFetch::hintOf(Control c) const {
    const int operand = OperandOf(c);
    const int command = s_.CurrentCommand;
    return operand >= 1 && operand <= 5 && command >= 0 && command <= CommandTable::NoCommand
               ? s_.fieldHint(command, operand)
               : QString();
}

LineExplanation LineFetch::result() const {
    LineExplanation result;
    result.explanation = s_.lblBemerkung.caption;
    result.explanationRed = s_.lblBemerkung.error;
    // The hints are the findings' business.
    for (Control c : ReportedControls())
        if (const EntryField& f = *s_.fieldOf(c); f.error) {
            result.redFields.append(ControlName(c));
            result.redTexts.append(f.text);
        }
    return result;
}

QList<FalseInput> LineFetch::falseInputs() const {
    QList<FalseInput> red;
    for (Control c : ReportedControls())
        if (const EntryField& f = *s_.fieldOf(c); f.error)
            red.append({c, f.text, hintOf(c)});
    return red;
}

EntryFormState initialState(const TextCatalogue& cat) {
    EntryFormState s;
    SetInitialGeometry(s);
    s.msk[0].text = QStringLiteral("1");
    s.lblBemerkung.caption = cat.tx(u"Please, select schedule command or input");
    s.focus = Control::grid;
    return s;
}

} // namespace

const QList<Control>& ReportedControls() {
    static const QList<Control> controls = {Control::mskTxt0, Control::mskTxt1,  Control::mskTxt2,
                                            Control::mskTxt3, Control::mskTxt4,  Control::mskTxt5,
                                            Control::mskTxt6, Control::mskTxt7,  Control::txbTxt2,
                                            Control::txbTxt3, Control::txbAnmerk};
    return controls;
}

ExplanationLanguage::ExplanationLanguage(QStringView code) {
    catalogue_.LoadCatalogue(code.toString());
    commands_.setNames(catalogue_);
    for (int i = 1; i <= CommandTable::CommandCount; ++i) {
        heads_[static_cast<size_t>(i)] = LayoutHead(catalogue_, i);
        for (int n = 1; n <= 5; ++n) {
            bool stored = false;
            QString hint = LayoutHint(catalogue_, i, n, &stored);
            if (stored)
                layoutHints_[static_cast<size_t>(i)][static_cast<size_t>(n)] = std::move(hint);
        }
    }
    start_ = initialState(catalogue_);
}

void ExplanationLanguage::applyLayoutHints(EntryFormState& state, int command) const {
    if (command < 1 || command > CommandTable::CommandCount)
        return;
    const auto& hints = layoutHints_[static_cast<size_t>(command)];
    for (int n = 1; n <= 5; ++n)
        if (hints[static_cast<size_t>(n)])
            state.fieldHint(command, n) = *hints[static_cast<size_t>(n)];
}

const EntryFormState* ExplanationLanguage::preparedFor(QChar first) const {
    // Every character of the file encoding fits; typed text with more odd
    // first characters must not pile up states.
    constexpr size_t MaxPrepared = 512;
    auto it = prepared_.find(first.unicode());
    if (it == prepared_.end()) {
        if (prepared_.size() >= MaxPrepared)
            return nullptr;
        EntryFormState state = start_;
        LineFetch(*this, state).begin(first);
        it = prepared_.emplace(first.unicode(), std::move(state)).first;
    }
    return &it->second;
}

// The one way into the language's prepared states.
class PreparedFetch {
public:
    // The entry area after the fetch of line, in the language's scratch state.
    static EntryFormState& run(const QString& line, const std::array<QString, 6>* fields,
                               const ExplanationLanguage& language, bool caption, bool hints) {
        EntryFormState& state = language.scratch_;
        const QString trimmed = Trim(line);
        if (trimmed.isEmpty())
            return state = language.startState();
        const QChar first = trimmed.front().toUpper();
        if (const EntryFormState* prepared = language.preparedFor(first)) {
            restoreForFetch(state, *prepared, caption, hints);
        } else {
            state = language.startState();
            LineFetch(language, state).begin(first);
        }
        LineFetch(language, state, caption, hints).finish(trimmed, first, fields);
        return state;
    }
};

LineExplanation ExplainLine(const QString& line, const ExplanationLanguage& language) {
    EntryFormState& state = PreparedFetch::run(line, nullptr, language, true, false);
    return LineFetch(language, state).result();
}

QList<FalseInput> FalseInputsOf(const QString& line, const std::array<QString, 6>& fields,
                                const ExplanationLanguage& language) {
    EntryFormState& state = PreparedFetch::run(line, &fields, language, false, true);
    return LineFetch(language, state, false).falseInputs();
}

} // namespace vx
