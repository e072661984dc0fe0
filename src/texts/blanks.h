#pragma once

// Trimming as the schedule syntax means it: only the blank (U+0020) is cut,
// never tabs or line ends, so odd bytes in a line survive a round trip.

#include <QString>
#include <QStringView>

namespace vx {

inline QStringView LTrimView(QStringView s) {
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i);
}

inline QStringView RTrimView(QStringView s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n);
}

inline QStringView TrimView(QStringView s) {
    return RTrimView(LTrimView(s));
}

inline QString LTrim(QStringView s) {
    return LTrimView(s).toString();
}
inline QString RTrim(QStringView s) {
    return RTrimView(s).toString();
}
inline QString Trim(QStringView s) {
    return TrimView(s).toString();
}
// Most texts have no blank to cut: they are shared, not copied.
inline QString SharedUnlessCut(const QString& s, QStringView trimmed) {
    return trimmed.size() == s.size() ? s : trimmed.toString();
}
inline QString Trim(const QString& s) {
    return SharedUnlessCut(s, TrimView(s));
}
inline QString LTrim(const QString& s) {
    return SharedUnlessCut(s, LTrimView(s));
}
inline QString RTrim(const QString& s) {
    return SharedUnlessCut(s, RTrimView(s));
}

} // namespace vx
