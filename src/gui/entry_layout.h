#pragma once

// Where the controls of the entry frame stand on screen. The model places
// them for one small font; the view keeps that order and those gaps, but
// gives a field the width its font needs and moves what follows to the right.

#include <QString>
#include <vector>

class QFontMetrics;
class QLineEdit;

namespace vx {

// A left edge and a width in the frame's pixels.
struct ViewSpan {
    int left = 0;
    int width = 0;
};

// The one conversion of the model's entry geometry (its width units, from
// the left edge of the entry column: commands/entry_geometry.h) into the
// entry frame's pixels.
ViewSpan EntryPixels(int modelLeft, int modelWidth);

// One control of a row: where the model puts it and how wide it must be.
struct RowSpan {
    int left = 0;          // the model's left edge
    int width = 0;         // the width the control needs, at least the model's
    bool flexible = false; // free text: may get narrower than width
    int placedLeft = 0;    // results of PlaceRow
    int placedWidth = 0;
};

// Spaces the spans (in any order) from left to right as the model orders
// them, none closer than minimumGap to the one before, none beyond right:
// flexible spans give up width first (down to minimumFlexible), last span
// first. Spans that overlap in the model are pushed apart too.
void PlaceRow(std::vector<RowSpan>& spans, int right, int minimumGap = 3, int minimumFlexible = 40);

// The widest text a mask lets the user type in this font: at every position
// the widest printable character the position takes.
QString WidestMaskText(const QString& mask, const QFontMetrics& metrics);

// The width a line edit needs to show text whole, frame and margins included.
int LineEditWidthFor(const QLineEdit& edit, const QString& text);

} // namespace vx
