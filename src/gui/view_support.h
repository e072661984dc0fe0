#pragma once

// Small helpers every part of the main window shares: colours, and updates
// that leave a widget alone when it already shows what the model holds.

#include <QColor>
#include <QPalette>
#include <QString>

class QLabel;
class QLineEdit;
class QRect;
class QWidget;

namespace vx {

struct EntryField;

// A caption or prompt as a label shows it: every kind of line break made one.
QString ShownText(const QString& text);

const QColor& ErrorColour();      // a false field, the explanation
const QColor& WarningColour();    // a row whose findings are warnings
const QColor& LineNumberColour(); // the line number of another row

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
void SetGeometryIfChanged(QWidget* widget, const QRect& rect);
void SetTextIfChanged(QLabel* label, const QString& text);
// A free-text box: the model's text, cut where editing it would freeze.
void ShowBoxText(QLineEdit* box, const EntryField& field);

} // namespace vx
