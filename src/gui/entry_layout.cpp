#include "gui/entry_layout.h"

#include "commands/input_mask.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

namespace vx {

namespace {

// Left edges from the model's, pushed right where a span before has grown.
int placeLefts(std::vector<RowSpan*>& ordered, int minimumGap) {
    int shift = 0;
    int previousRight = 0;
    bool first = true;
    for (RowSpan* span : ordered) {
        int left = span->left + shift;
        if (!first)
            left = std::max(left, previousRight + minimumGap);
        shift = left - span->left;
        span->placedLeft = left;
        previousRight = left + span->placedWidth;
        first = false;
    }
    return ordered.empty() ? 0 : previousRight;
}

// The entry column starts a little way into the frame; one model unit is one
// pixel at the model's font.
constexpr int EntryColumnLeft = 8;

} // namespace

ViewSpan EntryPixels(int modelLeft, int modelWidth) {
    return {EntryColumnLeft + modelLeft, modelWidth};
}

void PlaceRow(std::vector<RowSpan>& spans, int right, int minimumGap, int minimumFlexible) {
    std::vector<RowSpan*> ordered;
    for (RowSpan& span : spans) {
        span.placedWidth = span.width;
        ordered.push_back(&span);
    }
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const RowSpan* a, const RowSpan* b) { return a->left < b->left; });
    int overflow = placeLefts(ordered, minimumGap) - right;
    for (auto it = ordered.rbegin(); it != ordered.rend() && overflow > 0; ++it) {
        RowSpan* span = *it;
        if (!span->flexible)
            continue;
        const int give = std::min(overflow, std::max(0, span->placedWidth - minimumFlexible));
        span->placedWidth -= give;
        overflow -= give;
    }
    placeLefts(ordered, minimumGap);
}

QString WidestMaskText(const QString& mask, const QFontMetrics& metrics) {
    QString text;
    text.reserve(mask.size());
    for (const QChar m : mask) {
        QChar widest = m;
        int widestAdvance = -1;
        for (char16_t c = u'!'; c <= u'~'; ++c) {
            const QChar candidate(c);
            if (!InputMask::AcceptsAt(m, candidate))
                continue;
            const int advance = metrics.horizontalAdvance(candidate);
            if (advance > widestAdvance) {
                widest = candidate;
                widestAdvance = advance;
            }
        }
        text.append(widest);
    }
    return text;
}

int LineEditWidthFor(const QLineEdit& edit, const QString& text) {
    // As QLineEdit sizes itself: two units of margin on each side of the
    // text, one for the cursor, then what the style puts around.
    constexpr int SideMargin = 2;
    const QMargins margins = edit.textMargins();
    const int content = edit.fontMetrics().horizontalAdvance(text) + 2 * SideMargin + 1 +
                        margins.left() + margins.right();
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    return edit.style()
        ->sizeFromContents(QStyle::CT_LineEdit, &option,
                           QSize(content, edit.fontMetrics().height()), &edit)
        .width();
}

} // namespace vx
