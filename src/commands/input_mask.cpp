#include "commands/input_mask.h"

namespace vx::InputMask {

namespace {
bool isPrintable(QChar c) {
    return c.isPrint() && c != u' ';
}
// Masks count in the digits of the schedule syntax, never in other scripts'.
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

bool AcceptsAt(QChar m, QChar c) {
    switch (m.unicode()) {
    case u'#':
        return isDigit(c);
    case u'9':
        return isDigit(c) || c == u' ';
    case u'A':
        return c.isLetter() || isDigit(c);
    case u'a':
        return c.isLetter() || isDigit(c) || c == u' ';
    case u'?':
        return c.isLetter();
    case u'&':
        return isPrintable(c);
    case u'C':
        return isPrintable(c) || c == u' ';
    default:
        return c == m;
    }
}

qsizetype Capacity(QStringView mask, int maxLength) {
    if (!mask.isEmpty())
        return mask.size();
    return maxLength > 0 ? maxLength : -1;
}

bool Accepts(QStringView mask, int maxLength, qsizetype position, QChar c) {
    const qsizetype capacity = Capacity(mask, maxLength);
    if (position < 0 || (capacity >= 0 && position >= capacity))
        return false;
    if (mask.isEmpty())
        return c.isPrint();
    return AcceptsAt(mask[position], c);
}

QString TypeAtEnd(QStringView mask, int maxLength, const QString& current, QStringView typed) {
    QString text = current;
    for (QChar c : typed)
        if (Accepts(mask, maxLength, text.size(), c))
            text += c;
    return text;
}

} // namespace vx::InputMask
