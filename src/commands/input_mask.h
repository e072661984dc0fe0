#pragma once

// The editor's own input masks: which character a masked entry field takes at
// which position. The model keeps masks in this notation; a view translates
// them for its toolkit, and typing in vxedit-cli goes through the same rules.
//
//   #  a digit               9  a digit, or a blank (the position may stay empty)
//   A  a letter or digit     a  a letter or digit, or a blank
//   ?  a letter              &  any printable character but the blank
//   C  any printable character or a blank
//
// Any other mask character stands for itself. An empty mask is free input up
// to the maximum length (0 = no limit).

#include <QChar>
#include <QString>
#include <QStringView>

namespace vx::InputMask {

// Does the mask character m accept c?
bool AcceptsAt(QChar m, QChar c);

// How many characters the field holds: the mask's length, or maxLength for an
// empty mask (-1 when there is no limit).
qsizetype Capacity(QStringView mask, int maxLength);

// Would the field take c typed at position (0-based)?
bool Accepts(QStringView mask, int maxLength, qsizetype position, QChar c);

// The text after typing `typed` at the end of `current`, one character at a
// time, refused characters dropped.
QString TypeAtEnd(QStringView mask, int maxLength, const QString& current, QStringView typed);

} // namespace vx::InputMask
