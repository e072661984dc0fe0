#include "gui/view_support.h"

#include "commands/entry_state.h"
#include "gui/masked_field_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>

namespace vx {

namespace {
constexpr qsizetype MaxLabelCharacters = 2000;
}

QString ShownText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

const QColor& ErrorColour() {
    static const QColor colour(255, 0, 0); // colour 12 of the 16-colour palette
    return colour;
}

const QColor& WarningColour() {
    static const QColor colour(255, 255, 0); // colour 14 of the 16-colour palette
    return colour;
}

const QColor& LineNumberColour() {
    static const QColor colour(255, 0, 0);
    return colour;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = widget->palette();
    if (pal.color(role) == colour)
        return;
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

void SetGeometryIfChanged(QWidget* widget, const QRect& rect) {
    if (widget->geometry() != rect)
        widget->setGeometry(rect);
}

void SetTextIfChanged(QLabel* label, const QString& text) {
    // A label shows a few lines at most; a remark of megabytes would cost
    // seconds of layout on every change.
    const QString shown = ShownText(text.left(MaxLabelCharacters));
    if (label->text() != shown)
        label->setText(shown);
}

void ShowBoxText(QLineEdit* box, const EntryField& field) {
    const QSignalBlocker blocker(box);
    const bool tooLong = field.text.size() > MaxEditableCharacters;
    const QString shown = tooLong ? field.text.left(MaxEditableCharacters) : field.text;
    const int limit =
        field.maxLength > 0 ? std::max(field.maxLength, static_cast<int>(shown.size())) : 32767;
    if (box->maxLength() != limit)
        box->setMaxLength(limit);
    if (box->text() != shown)
        box->setText(shown);
    if (box->isReadOnly() != tooLong)
        box->setReadOnly(tooLong);
}

} // namespace vx
