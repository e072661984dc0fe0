#include "gui/masked_field_window.h"

#include "commands/input_mask.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>

namespace vx {

namespace {
// QLineEdit keeps this many pixels between its contents edge and the text.
constexpr int TextInset = 2;
} // namespace

MaskValidator::MaskValidator(MaskedField* field) : QValidator(field), field_(field) {}

void MaskValidator::setMask(const QString& mask, int maxLength) {
    mask_ = mask;
    maxLength_ = maxLength;
}

QValidator::State MaskValidator::validate(QString& input, int&) const {
    for (qsizetype i = 0; i < input.size(); ++i)
        if (!InputMask::Accepts(mask_, maxLength_, i, input[i])) {
            // The program may have put in a text the mask refuses (a fetched
            // line): it stays, and the user can still delete from it. The
            // line edit refuses an invalid edit only after a valid state.
            if (field_->programText_ || input.size() < field_->previousText_.size())
                return Intermediate;
            return Invalid;
        }
    return Acceptable;
}

MaskedField::MaskedField(QWidget* parent) : QLineEdit(parent), validator_(new MaskValidator(this)) {
    setValidator(validator_);
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { previousText_ = t; });
}

qsizetype MaskedField::capacity() const {
    return InputMask::Capacity(mask_, maxLength_);
}

void MaskedField::applyLimit(qsizetype textLength) {
    const qsizetype cap = capacity();
    // Never cut off what the program put in; the validator stops the user.
    const qsizetype limit = cap < 0 ? 32767 : std::max(cap, textLength);
    setMaxLength(static_cast<int>(limit));
}

void MaskedField::setMask(const QString& mask, QChar prompt, int maxLength) {
    if (mask == mask_ && prompt == prompt_ && maxLength == maxLength_)
        return;
    mask_ = mask;
    prompt_ = prompt;
    maxLength_ = maxLength;
    validator_->setMask(mask, maxLength);
    applyLimit(text().size());
    update();
}

void MaskedField::showText(const QString& text) {
    const bool tooLong = text.size() > MaxEditableCharacters;
    const QString shown = tooLong ? text.left(MaxEditableCharacters) : text;
    if (isReadOnly() != tooLong)
        setReadOnly(tooLong);
    if (shown == this->text())
        return;
    const QSignalBlocker blocker(this);
    applyLimit(shown.size());
    programText_ = true;
    setText(shown);
    programText_ = false;
    previousText_ = shown;
}

QString MaskedField::displayedText() const {
    QString shown = text();
    const qsizetype cap = capacity();
    if (cap > shown.size())
        shown += QString(cap - shown.size(), prompt_);
    return shown;
}

void MaskedField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    const qsizetype cap = capacity();
    const QString current = text();
    if (cap <= current.size() || prompt_ == u' ')
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    area = area.marginsRemoved(textMargins());
    const QFontMetrics metrics(font());
    const int x = area.x() + TextInset + metrics.horizontalAdvance(current);
    if (x >= area.right())
        return;
    QPainter painter(this);
    painter.setClipRect(area);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QString prompts(cap - current.size(), prompt_);
    const int baseline = area.y() + (area.height() - metrics.height() + 1) / 2 + metrics.ascent();
    painter.drawText(x, baseline, prompts);
}

} // namespace vx
