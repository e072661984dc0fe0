#pragma once

// What choosing a command in the command list gives the entry fields: masks,
// prompt characters, maximum lengths and widths, the free-text boxes, the help
// topic, the field hints and the head of the explanation.

#include <QString>
#include <array>

namespace vx {

class TextCatalogue;

struct FieldLayout {
    bool set = false; // false: the command leaves this field's properties alone
    const char16_t* mask = u"";
    char16_t prompt = 0; // 0: the field keeps the prompt it has
    int maxLength = 0;
    int width = 0;
    bool widthOnly = false; // only the width is set
    bool shown = false;     // made visible although the field count would hide it
};

struct FreeTextLayout {
    int width = 0;     // 0: the box is not used by the command
    int maxLength = 0; // 0: keeps its maximum length
};

struct CommandLayout {
    char16_t code = 0;
    int helpTopic = -1;       // -1: keeps the topic every selection starts from
    FieldLayout commandField; // not set: mask "&", blank prompt, 32 pixels
    std::array<FieldLayout, 5> operands;
    FreeTextLayout txbTxt2; // stands for operand 1
    FreeTextLayout txbTxt3; // stands for operand 2
};

// Building blocks of the layout rows that the command families hold.
namespace layout {
constexpr FieldLayout F(const char16_t* mask, char16_t prompt, int maxLength, int width) {
    return {true, mask, prompt, maxLength, width, false, false};
}
constexpr FieldLayout Shown(FieldLayout f) {
    f.shown = true;
    return f;
}
constexpr FieldLayout WidthOnly(int width) {
    return {true, u"", 0, 0, width, true, false};
}
constexpr char16_t Blank = u' ';
constexpr char16_t Under = u'_';
constexpr FieldLayout Code2 = F(u"A#", Blank, 2, 40);
constexpr FieldLayout Name12 = F(u"&&&&&&&&&&&&", Blank, 12, 168);
} // namespace layout

// Layout of command 1..29; an empty layout (code 0) for any other index.
const CommandLayout& LayoutOf(int command);

// The hint of operand n (1..5) that choosing the command stores; *stored is
// false when the command leaves that hint as it is.
QString LayoutHint(const TextCatalogue& catalogue, int command, int n, bool* stored);

// The head of the explanation (E1) that choosing the command sets.
QString LayoutHead(const TextCatalogue& catalogue, int command);

} // namespace vx
