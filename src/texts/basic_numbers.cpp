#include "texts/basic_numbers.h"

#include "texts/blanks.h"

#include <QByteArray>
#include <charconv>
#include <cmath>

namespace vx {

bool IsDigits(QStringView s) {
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!IsAsciiDigit(c))
            return false;
    return true;
}

std::optional<qint64> DigitsValue(QStringView s) {
    if (!IsDigits(s))
        return std::nullopt;
    qint64 n = 0;
    for (QChar c : s) {
        n = n * 10 + (c.unicode() - u'0');
        if (n >= SaturatedValue)
            return SaturatedValue;
    }
    return n;
}

std::optional<qint64> SignedValue(QStringView s) {
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        const auto n = DigitsValue(s.mid(1));
        if (!n)
            return std::nullopt;
        return s.front() == u'-' ? -*n : *n;
    }
    return DigitsValue(s);
}

bool InRange(QStringView s, qint64 lo, qint64 hi) {
    const auto n = DigitsValue(s);
    return n && *n >= lo && *n <= hi;
}

qint64 LeadingDigits(QStringView s) {
    s = LTrimView(s);
    qsizetype n = 0;
    while (n < s.size() && IsAsciiDigit(s[n]))
        ++n;
    return n == 0 ? 0 : *DigitsValue(s.left(n));
}

qint64 LeadingValue(QStringView s) {
    s = LTrimView(s);
    bool negative = false;
    if (!s.isEmpty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s = s.mid(1);
    }
    const qint64 value = !s.isEmpty() && IsAsciiDigit(s.front()) ? LeadingDigits(s) : 0;
    return negative ? -value : value;
}

double Val(QStringView text) {
    QByteArray number;
    number.reserve(text.size());
    bool digits = false;
    bool point = false;
    bool exponent = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            continue;
        if (c >= u'0' && c <= u'9') {
            number.append(static_cast<char>(c));
            digits = true;
        } else if ((c == u'+' || c == u'-') && (number.isEmpty() || number.back() == 'e')) {
            number.append(static_cast<char>(c));
        } else if (c == u'.' && !point && !exponent) {
            number.append('.');
            point = true;
        } else if ((c == u'e' || c == u'E' || c == u'd' || c == u'D') && digits && !exponent) {
            number.append('e');
            exponent = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;
    // A dangling exponent or sign reads as if it were not there.
    while (!number.isEmpty() &&
           (number.back() == 'e' || number.back() == '+' || number.back() == '-'))
        number.chop(1);
    // from_chars knows no plus sign and no locale.
    const char* first = number.constData();
    const char* last = first + number.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range)
        return 0.0;
    return error == std::errc() && std::isfinite(value) ? value : 0.0;
}

int Held(double value, int lo, int hi) {
    if (!(value >= lo))
        return lo;
    if (value > hi)
        return hi;
    return static_cast<int>(std::nearbyint(value));
}

int WholeHeld(double value, int lo, int hi) {
    return Held(std::floor(value), lo, hi);
}

QString Str(qint64 n) {
    return n >= 0 ? u' ' + QString::number(n) : QString::number(n);
}

QString TwoDigits(qint64 n) {
    return n < 10 ? u'0' + QString::number(n) : QString::number(n);
}

} // namespace vx
