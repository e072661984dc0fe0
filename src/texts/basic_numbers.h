#pragma once

// Numbers as the schedule language reads and writes them, the BASIC way
// (Val, Str, integer stores). Every helper ignores the process locale: a
// schedule reads the same under a German decimal comma as under C.

#include <QString>
#include <QStringView>
#include <optional>

namespace vx {

// Digit texts longer than any operand stop growing here, so that every range
// check fails them instead of overflowing.
constexpr qint64 SaturatedValue = 1'000'000'000'000LL;

inline bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// All characters digits, at least one. Leading zeros are allowed.
bool IsDigits(QStringView s);

// The value of a digits-only text; nullopt when s is not digits only.
std::optional<qint64> DigitsValue(QStringView s);

// An optional "+" or "-" followed by digits.
std::optional<qint64> SignedValue(QStringView s);

// A digits-only text whose value lies in lo..hi.
bool InRange(QStringView s, qint64 lo, qint64 hi);

// The leading whole number: blanks skipped, an optional sign, then digits; 0
// when there are none.
qint64 LeadingValue(QStringView s);

// As LeadingValue, without a sign: "-5" reads 0.
qint64 LeadingDigits(QStringView s);

// BASIC's Val(): blanks, tabs and line ends anywhere are skipped, then an
// optional sign, digits, a decimal point and an exponent (E or D); reading
// stops at the first other character. 0 for no digits or an infinite value.
double Val(QStringView text);

// A value brought into lo..hi and rounded as BASIC stores a number in an
// integer (half to even).
int Held(double value, int lo, int hi);
// The whole-number part, within lo..hi.
int WholeHeld(double value, int lo, int hi);

// BASIC's Str(): a leading blank in place of the plus sign (" 5", "-5").
QString Str(qint64 n);

// Hours and minutes of the clock: at least two digits.
QString TwoDigits(qint64 n);

} // namespace vx
