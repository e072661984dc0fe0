#include "gui/entry_area.h"

#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/entry_layout.h"
#include "gui/masked_field_window.h"
#include "gui/view_support.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vx {

namespace {

// The entry frame. The model places the controls across (EntryPixels turns
// its units into ours); the rows and the buttons are this window's own design.
constexpr int ExplanationTop = 4;
constexpr int ExplanationHeight = 46;
constexpr int CaptionTop = 54;
constexpr int CaptionHeight = 16;
constexpr int FieldTop = 72;
constexpr int FieldHeight = 24;
constexpr int HintTop = 100;
constexpr int RemarkTop = 214; // lower when the tallest hint needs it
constexpr int ButtonLeft = 636;
constexpr int ButtonWidth = 158;
constexpr int ButtonHeight = 40;
constexpr int ButtonStep = 46;
constexpr int FrameHeight = 248;

// A caption broken over as many lines as the button's width needs; breaks the
// caption already has stay.
QString wrapCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const QString& line : caption.split(u'\n')) {
        QString current;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + u' ' + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                lines.append(current);
                current = word;
            } else {
                current = candidate;
            }
        }
        lines.append(current);
    }
    return lines.join(u'\n');
}

} // namespace

EntryArea::EntryArea(Editor& editor, const bool& windowSyncing, QWidget* parent)
    : QFrame(parent), editor_(editor), syncing_(windowSyncing) {
    build();
    connectEvents();
}

void EntryArea::build() {
    setObjectName(QStringLiteral("sevFrame1"));
    setFrameShape(QFrame::StyledPanel);
    setFixedHeight(FrameHeight);

    auto label = [this](const char16_t* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromUtf16(name));
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    lblLfdNr_ = label(u"lblLfdNr");
    lblCode_ = label(u"lblCode");
    lblAnmerk_ = label(u"lblAnmerk");
    lblBemerkung_ = label(u"lblBemerkung");
    lblBemerkung_->setWordWrap(true);
    lblBemerkung_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblBemerkung_->setAutoFillBackground(true);
    QFont bold = lblBemerkung_->font();
    bold.setBold(true);
    lblBemerkung_->setFont(bold);
    lblHinweise_ = label(u"lblHinweise");
    lblHinweise_->setFrameShape(QFrame::Box);
    lblHinweise_->setAutoFillBackground(true);
    lblHinweise_->setMargin(3);
    SetColour(lblHinweise_, QPalette::Window, QColor(255, 255, 225));
    SetColour(lblHinweise_, QPalette::WindowText, Qt::black);

    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        auto* field = new MaskedField(this);
        field->setObjectName(QStringLiteral("mskTxt") + QString::number(k));
        msk_[static_cast<size_t>(k)] = field;
    }
    auto box = [this](const char16_t* name) {
        auto* b = new QLineEdit(this);
        b->setObjectName(QString::fromUtf16(name));
        return b;
    };
    txbTxt2_ = box(u"txbTxt2");
    txbTxt3_ = box(u"txbTxt3");
    txbStern_ = box(u"txbStern");
    txbAnmerk_ = box(u"txbAnmerk");

    auto button = [this](const char16_t* name, int index) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromUtf16(name));
        b->setGeometry(ButtonLeft, ExplanationTop + 4 + index * ButtonStep, ButtonWidth,
                       ButtonHeight);
        return b;
    };
    cmdHol_Zei_ = button(u"cmdHol_Zei", 0);
    cmdUeb_Zei_ = button(u"cmdUeb_Zei", 1);
    cmdUeb_leerZ_ = button(u"cmdUeb_leerZ", 2);
    cmdEinf_leerZ_ = button(u"cmdEinf_leerZ", 3);
    cmdLoe_Zei_ = button(u"cmdLoe_Zei", 4);

    // Tab order of the entry area: line number, code, operands, free text,
    // remark, then the buttons.
    QWidget* previous = msk_[0];
    for (QWidget* next : std::initializer_list<QWidget*>{
             msk_[1], msk_[2], txbTxt2_, msk_[3], txbTxt3_, msk_[4], msk_[5], msk_[6], msk_[7],
             txbStern_, txbAnmerk_, cmdHol_Zei_, cmdUeb_Zei_, cmdUeb_leerZ_, cmdEinf_leerZ_,
             cmdLoe_Zei_}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

QWidget* EntryArea::widgetOf(Control control) const {
    const int c = static_cast<int>(control);
    if (c >= 0 && c < EntryFormState::FieldCount)
        return msk_[static_cast<size_t>(c)];
    switch (control) {
    case Control::txbTxt2:
        return txbTxt2_;
    case Control::txbTxt3:
        return txbTxt3_;
    case Control::txbAnmerk:
        return txbAnmerk_;
    case Control::txbStern:
        return txbStern_;
    case Control::cmdHol_Zei:
        return cmdHol_Zei_;
    case Control::cmdUeb_Zei:
        return cmdUeb_Zei_;
    case Control::cmdUeb_leerZ:
        return cmdUeb_leerZ_;
    case Control::cmdEinf_leerZ:
        return cmdEinf_leerZ_;
    case Control::cmdLoe_Zei:
        return cmdLoe_Zei_;
    default:
        return nullptr;
    }
}

void EntryArea::connectEvents() {
    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        const auto control = static_cast<Control>(k);
        connect(msk_[static_cast<size_t>(k)], &QLineEdit::textEdited, this,
                [this, control](const QString& text) { fieldEdited(control, text); });
        msk_[static_cast<size_t>(k)]->installEventFilter(this);
    }
    const std::pair<QLineEdit*, Control> boxes[] = {{txbTxt2_, Control::txbTxt2},
                                                    {txbTxt3_, Control::txbTxt3},
                                                    {txbAnmerk_, Control::txbAnmerk},
                                                    {txbStern_, Control::txbStern}};
    for (const auto& [widget, control] : boxes) {
        const Control c = control;
        connect(widget, &QLineEdit::textEdited, this,
                [this, c](const QString& text) { fieldEdited(c, text); });
        widget->installEventFilter(this);
    }

    connect(cmdHol_Zei_, &QPushButton::clicked, this, [this] {
        editor_.form->clickFetch();
        emit modelChanged();
    });
    connect(cmdUeb_Zei_, &QPushButton::clicked, this, [this] {
        editor_.cmdUeb_Zei_Click();
        emit modelChanged();
    });
    connect(cmdUeb_leerZ_, &QPushButton::clicked, this, [this] {
        editor_.cmdUeb_leerZ_Click();
        emit modelChanged();
    });
    connect(cmdEinf_leerZ_, &QPushButton::clicked, this, [this] {
        editor_.cmdEinf_leerZ_Click();
        emit modelChanged();
    });
    connect(cmdLoe_Zei_, &QPushButton::clicked, this, [this] {
        editor_.cmdLoe_Zei_Click();
        emit modelChanged();
    });
}

bool EntryArea::eventFilter(QObject* watched, QEvent* event) {
    // Enter counts whatever the field holds: a field's returnPressed waits
    // for text its mask accepts.
    if (event->type() == QEvent::KeyPress && !syncing_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (int c = 0; c < static_cast<int>(Control::None); ++c)
                if (widgetOf(static_cast<Control>(c)) == watched) {
                    editor_.fieldEnterPressed(static_cast<Control>(c));
                    emit modelChanged();
                    return true;
                }
        }
    }
    return QFrame::eventFilter(watched, event);
}

void EntryArea::fieldEdited(Control control, const QString& text) {
    if (syncing_)
        return;
    EntryForm& form = *editor_.form;
    const EntryField* field = form.fieldOf(control);
    if (!field)
        return;
    const QString before = field->text;
    // One character typed at the end is the user's typing; any other edit
    // (a deletion, a paste, a character typed in between) is a change of the
    // whole text.
    if (text.size() == before.size() + 1 && text.startsWith(before))
        form.typeCharacter(control, text.back());
    else
        form.setBoxText(control, text);
    emit modelChanged();
}

int EntryArea::tallestHint() const {
    const EntryForm& form = *editor_.form;
    const QFontMetrics metrics = lblHinweise_->fontMetrics();
    const int around = 2 * (lblHinweise_->margin() + lblHinweise_->frameWidth());
    int tallest = 0;
    for (int command = 1; command <= 30; ++command)
        for (int n = 1; n <= 5; ++n) {
            const QString text = ShownText(form.operandHint(n, command));
            if (!text.isEmpty())
                tallest = std::max(tallest, metrics.boundingRect(QRect(0, 0, 4000, 4000),
                                                                 Qt::AlignLeft | Qt::AlignTop, text)
                                                    .height() +
                                                around);
        }
    return tallest;
}

void EntryArea::placeRows() {
    const EntryForm& form = *editor_.form;
    constexpr int RowRight = ButtonLeft - 4;

    // The operand row: a masked field as wide as the widest text its mask
    // takes, free text as wide as the model makes it where there is room.
    std::vector<RowSpan> spans;
    std::vector<QWidget*> placed;
    auto add = [&](QLineEdit* widget, const EntryField& field, int needed, bool flexible, int top) {
        const ViewSpan span = EntryPixels(field.left, field.width);
        if (!field.visible) {
            SetGeometryIfChanged(widget, QRect(span.left, top, span.width, FieldHeight));
            return;
        }
        spans.push_back({span.left, std::max(span.width, needed), flexible});
        placed.push_back(widget);
    };
    auto apply = [&](int top) {
        PlaceRow(spans, RowRight);
        for (size_t i = 0; i < spans.size(); ++i)
            SetGeometryIfChanged(
                placed[i], QRect(spans[i].placedLeft, top, spans[i].placedWidth, FieldHeight));
    };
    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        MaskedField* widget = msk_[static_cast<size_t>(k)];
        const EntryField& field = form.msk[static_cast<size_t>(k)];
        // Measured once per mask: every sync places the row.
        auto needed = maskWidths_.constFind(field.mask);
        if (needed == maskWidths_.cend())
            needed = maskWidths_.insert(
                field.mask,
                field.mask.isEmpty()
                    ? 0
                    : LineEditWidthFor(*widget, WidestMaskText(field.mask, widget->fontMetrics())));
        add(widget, field, *needed, false, FieldTop);
    }
    add(txbTxt2_, form.txbTxt2, 0, true, FieldTop);
    add(txbTxt3_, form.txbTxt3, 0, true, FieldTop);
    apply(FieldTop);

    // The hint under the field it belongs to, wherever that field went, and
    // never over the remark row: that goes down for the language's tallest hint.
    const ViewSpan modelHint = EntryPixels(form.lblHinweise.left, form.lblHinweise.width);
    const int modelHintLeft = modelHint.left;
    int hintLeft = modelHintLeft;
    bool underFocus = false;
    for (size_t i = 0; i < spans.size() && !underFocus; ++i)
        if (spans[i].left == modelHintLeft) {
            hintLeft = spans[i].placedLeft;
            underFocus = placed[i] == widgetOf(form.focus);
        }
    const QString language = editor_.catalogue.languageCode();
    if (language != hintRoomLanguage_) {
        hintRoomLanguage_ = language;
        // Measured once per language: a switch back costs nothing.
        const auto known = tallestHints_.constFind(language);
        hintRoom_ = known != tallestHints_.constEnd() ? *known : tallestHint();
        tallestHints_.insert(language, hintRoom_);
    }
    const QSize hint = lblHinweise_->sizeHint();
    if (form.lblHinweise.visible && !form.lblHinweise.caption.isEmpty())
        hintRoom_ = std::max(hintRoom_, hint.height());
    const int remarkTop = std::max(RemarkTop, HintTop + hintRoom_ + 4);
    const int hintWidth =
        std::clamp(std::max(hint.width(), modelHint.width), 40, RowRight - EntryPixels(0, 0).left);
    hintLeft = std::min(hintLeft, RowRight - hintWidth);
    SetGeometryIfChanged(lblHinweise_, QRect(hintLeft, HintTop, hintWidth,
                                             std::min(hint.height(), remarkTop - 4 - HintTop)));
    if (height() != remarkTop + FrameHeight - RemarkTop)
        setFixedHeight(remarkTop + FrameHeight - RemarkTop);

    // The remark row: its caption whole, the boxes after it.
    spans.clear();
    placed.clear();
    SetTextIfChanged(lblAnmerk_, form.lblAnmerk.caption);
    if (lblAnmerk_->isVisibleTo(this) != form.lblAnmerk.visible)
        lblAnmerk_->setVisible(form.lblAnmerk.visible);
    const ViewSpan caption = EntryPixels(form.lblAnmerk.left, form.lblAnmerk.width);
    const int captionWidth = std::max(caption.width, lblAnmerk_->sizeHint().width());
    if (form.lblAnmerk.visible) {
        spans.push_back({caption.left, captionWidth, false});
        placed.push_back(lblAnmerk_);
    } else {
        SetGeometryIfChanged(lblAnmerk_, QRect(caption.left, remarkTop, captionWidth, FieldHeight));
    }
    add(txbStern_, form.txbStern, 0, false, remarkTop);
    add(txbAnmerk_, form.txbAnmerk, 0, true, remarkTop);
    apply(remarkTop);
}

void EntryArea::syncFromModel() {
    const EntryForm& form = *editor_.form;
    const QPalette base = QApplication::palette();

    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        MaskedField* widget = msk_[static_cast<size_t>(k)];
        const EntryField& field = form.msk[static_cast<size_t>(k)];
        widget->setMask(field.mask, field.prompt, field.maxLength);
        widget->showText(field.text);
        SetColour(widget, QPalette::Base, field.error ? ErrorColour() : base.color(QPalette::Base));
        SetColour(widget, QPalette::Text,
                  k == 0 && form.lineNumberRed ? LineNumberColour() : base.color(QPalette::Text));
        if (widget->isVisibleTo(this) != field.visible)
            widget->setVisible(field.visible);
    }

    const std::pair<QLineEdit*, const EntryField*> boxes[] = {{txbTxt2_, &form.txbTxt2},
                                                              {txbTxt3_, &form.txbTxt3}};
    for (const auto& [widget, field] : boxes) {
        ShowBoxText(widget, *field);
        SetColour(widget, QPalette::Base,
                  field->error ? ErrorColour() : base.color(QPalette::Base));
        if (widget->isVisibleTo(this) != field->visible)
            widget->setVisible(field->visible);
    }
    const std::pair<QLineEdit*, const EntryField*> remark[] = {{txbStern_, &form.txbStern},
                                                               {txbAnmerk_, &form.txbAnmerk}};
    for (const auto& [widget, field] : remark) {
        ShowBoxText(widget, *field);
        if (widget->isVisibleTo(this) != field->visible)
            widget->setVisible(field->visible);
    }

    const struct {
        QLabel* widget;
        const Label& model;
        int top;
        int height;
    } labels[] = {
        {lblLfdNr_, form.lblLfdNr, CaptionTop, CaptionHeight},
        {lblCode_, form.lblCode, CaptionTop, CaptionHeight},
        {lblBemerkung_, form.lblBemerkung, ExplanationTop, ExplanationHeight},
    };
    for (const auto& l : labels) {
        SetTextIfChanged(l.widget, l.model.caption);
        const ViewSpan span = EntryPixels(l.model.left, l.model.width);
        SetGeometryIfChanged(l.widget, QRect(span.left, l.top, span.width, l.height));
        if (l.widget->isVisibleTo(this) != l.model.visible)
            l.widget->setVisible(l.model.visible);
    }
    lblBemerkung_->setAutoFillBackground(form.lblBemerkung.error);
    SetColour(lblBemerkung_, QPalette::Window,
              form.lblBemerkung.error ? ErrorColour() : base.color(QPalette::Window));

    SetTextIfChanged(lblHinweise_, form.lblHinweise.caption);
    placeRows();
    const bool hintShown = form.lblHinweise.visible && !form.lblHinweise.caption.isEmpty();
    if (lblHinweise_->isVisibleTo(this) != hintShown)
        lblHinweise_->setVisible(hintShown);
    lblHinweise_->raise();

    const std::pair<QPushButton*, const QString*> buttons[] = {
        {cmdHol_Zei_, &form.buttons.cmdHol_Zei},     {cmdUeb_Zei_, &form.buttons.cmdUeb_Zei},
        {cmdUeb_leerZ_, &form.buttons.cmdUeb_leerZ}, {cmdEinf_leerZ_, &form.buttons.cmdEinf_leerZ},
        {cmdLoe_Zei_, &form.buttons.cmdLoe_Zei},
    };
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [widget, caption] = buttons[i];
        // Wrapping measures every word: only a caption that changed is wrapped.
        if (*caption == wrappedCaptions_[i])
            continue;
        wrappedCaptions_[i] = *caption;
        // "&" in a caption is a literal here, not an accelerator.
        QString shown =
            wrapCaption(ShownText(*caption).trimmed(), widget->fontMetrics(), ButtonWidth - 12);
        shown.replace(u'&', QStringLiteral("&&"));
        if (widget->text() != shown)
            widget->setText(shown);
    }
}

} // namespace vx
