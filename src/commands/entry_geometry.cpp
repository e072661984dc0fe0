#include "commands/entry_geometry.h"

#include "commands/command_family.h"
#include "commands/command_layouts.h"
#include "commands/entry_state.h"

namespace vx {

using namespace entry_geometry;

namespace {

constexpr int LineFieldWidth = 56;
constexpr int OperandFieldWidth = 56;

void setField(EntryField& f, const char16_t* mask, int width) {
    f.mask = QString::fromUtf16(mask);
    f.prompt = u' ';
    f.maxLength = static_cast<int>(f.mask.size());
    f.width = width;
}

void setLabel(Label& l, int left, int width, bool visible) {
    l.left = left;
    l.width = width;
    l.visible = visible;
    l.error = false;
}

} // namespace

void SetInitialGeometry(EntryFormState& s) {
    setField(s.msk[0], u"####", LineFieldWidth);
    s.msk[0].left = 0;
    setField(s.msk[1], u"&#", CodeFieldWidth);
    for (size_t k = 2; k < s.msk.size(); ++k) {
        setField(s.msk[k], u"", OperandFieldWidth);
        s.msk[k].visible = k == 2;
    }
    setLabel(s.lblLfdNr, 0, LineFieldWidth, true);
    setLabel(s.lblCode, CodeColumnLeft, CodeColumnWidth, true);
    PlaceFields(s);
    s.txbTxt2.visible = false;
    s.txbTxt2.width = 280;
    s.txbTxt2.maxLength = 76;
    s.txbTxt3.visible = false;
    s.txbTxt3.width = 420;
    s.txbTxt3.maxLength = 50;

    setLabel(s.lblAnmerk, 0, 160, true);
    s.txbStern.left = 160;
    s.txbStern.width = 16;
    s.txbAnmerk.left = 180;
    s.txbAnmerk.width = 400;
    setLabel(s.lblBemerkung, 0, 600, true);
    setLabel(s.lblHinweise, 0, 300, false);
}

void PlaceFields(EntryFormState& s) {
    auto& msk = s.msk;
    msk[1].left = CodeColumnLeft;
    msk[2].left = msk[1].left + CodeColumnWidth + FieldGap;
    for (size_t k = 3; k < msk.size(); ++k)
        msk[k].left = msk[k - 1].left + msk[k - 1].width + FieldGap;
    s.txbTxt2.left = msk[2].left;
    s.txbTxt3.left = msk[3].left;
}

void ApplyFieldLayout(EntryFormState& s, int i, int count) {
    const CommandLayout& layout = LayoutOf(i);
    if (layout.commandField.set) {
        EntryField& code = s.msk[1];
        code.mask = QString::fromUtf16(layout.commandField.mask);
        if (layout.commandField.prompt != 0)
            code.prompt = QChar(layout.commandField.prompt);
        code.maxLength = layout.commandField.maxLength;
        code.width = layout.commandField.width;
    }
    for (int n = 1; n <= 5; ++n) {
        const FieldLayout& l = layout.operands[static_cast<size_t>(n - 1)];
        EntryField& f = s.msk[static_cast<size_t>(n + 1)];
        if (l.set) {
            f.width = l.width;
            if (!l.widthOnly) {
                f.mask = QString::fromUtf16(l.mask);
                if (l.prompt != 0)
                    f.prompt = QChar(l.prompt);
                f.maxLength = l.maxLength;
            }
        }
        // Fields beyond the count keep their properties but stay hidden, also
        // when the check of the command field has shown one (I's target).
        if (n > count)
            f.visible = false;
        else if (l.shown)
            f.visible = true;
    }
    if (layout.txbTxt2.width > 0) {
        s.txbTxt2.width = layout.txbTxt2.width;
        if (layout.txbTxt2.maxLength > 0)
            s.txbTxt2.maxLength = layout.txbTxt2.maxLength;
    }
    if (layout.txbTxt3.width > 0) {
        s.txbTxt3.width = layout.txbTxt3.width;
        s.txbTxt3.maxLength = layout.txbTxt3.maxLength;
    }
    const CommandBehaviour* family = BehaviourOf(QChar(layout.code));
    if (family && family->remarkLine) {
        s.txbTxt2.visible = true;
        s.txbTxt3.visible = false;
    }
}

} // namespace vx
