#pragma once

// Where the entry controls stand and how wide they are, in the model's width
// units (pixels at the model's small font) from the left edge of the entry
// column. The window and the batch fetch start from the same geometry and
// change it the same way; the view turns it into its own pixels in one place
// (gui/entry_layout.h).

namespace vx {

struct EntryFormState;

namespace entry_geometry {
// The code column: the command field starts at the caption's left edge, the
// first operand field right of the caption, whatever the command field's width.
constexpr int CodeColumnLeft = 64;
constexpr int CodeColumnWidth = 40;
constexpr int CodeFieldWidth = 32; // the command field a command leaves alone
constexpr int FieldGap = 3;
} // namespace entry_geometry

// The masks, lengths, widths, places and visibility of the fields and the
// places of the captions after start-up; texts and captions stay as they are.
void SetInitialGeometry(EntryFormState& state);

// The left edges of the fields from their widths; the free-text boxes stand
// where the fields they replace stand.
void PlaceFields(EntryFormState& state);

// What choosing command i (fieldCount operand fields) sets in the fields:
// masks, prompts, lengths, widths, which fields and boxes show. The help
// topic, the hints and the explanation's head are the caller's.
void ApplyFieldLayout(EntryFormState& state, int command, int fieldCount);

} // namespace vx
