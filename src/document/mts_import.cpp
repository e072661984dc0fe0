#include "document/mts_import.h"

#include "texts/blanks.h"

#include <QStringList>

namespace vx {

namespace {

bool isAddressLetter(QChar c) {
    return c == u'A' || c == u'B' || c == u'V';
}
bool isDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The leading decimal digits of a token: their value, saturated far above every
// address, and their text without leading zeros, which is what an address out
// of the table keeps however long it is.
struct LeadingNumber {
    int value = 0;
    QString text;
};

LeadingNumber leadingNumber(QStringView token) {
    LeadingNumber number;
    for (QChar c : token) {
        if (!isDecimalDigit(c))
            break;
        if (number.value < 1000000)
            number.value = number.value * 10 + (c.unicode() - u'0');
        if (!number.text.isEmpty() || c != u'0')
            number.text += c;
    }
    if (number.text.isEmpty())
        number.text = QStringLiteral("0");
    return number;
}

} // namespace

void ConvertMtsAddress(int n, QChar letter, int& newNumber, QString& note) {
    const QChar l = letter.toUpper();
    newNumber = n;
    note.clear();
    if (n < 1 || n > 256 || !isAddressLetter(l))
        return;
    if (l == u'V')
        newNumber = n + 800;
    else if (n <= 128)
        newNumber = l == u'A' ? 2 * n - 1 : 2 * n;
    else
        newNumber = 2 * (n - 129) + (l == u'A' ? 513 : 514);
    note = QStringLiteral(" [") + QString::number(n) + l.toLower() + u']';
}

void ConvertMtsLine(QString& source, QString& target) {
    source = LTrim(source);
    target = source;
    if (source.isEmpty())
        return;
    const QChar key = source.front().toUpper();
    const QStringList p = source.split(u',');

    const bool plain = key == u'B' || key == u'H' || key == u'K' || key == u'V';
    const bool contactField = key == u'F' && p.size() >= 3 && Trim(p[1]).toUpper() == u"K";
    const bool subroutine = key == u'R' && p.size() >= 3;
    const bool addressLine = key == u'G' || key == u'U' || key == u'!';
    qsizetype f = 0;
    if ((plain || addressLine) && p.size() >= 2)
        f = 1;
    else if (contactField || subroutine)
        f = 2;
    else
        return;

    const QString field = LTrim(p[f]);
    QString begin;
    QString tail;
    QString note;
    int newNumber = 0;
    if (addressLine) {
        qsizetype end = 0;
        while (end < field.size() && field[end] != u' ' && field[end] != u'*')
            ++end;
        tail = field.mid(end);
        QString prefix, numberText, postfix;
        bool letterMet = false;
        for (QChar c : QStringView(field).left(end)) {
            c = c.toUpper();
            if (letterMet)
                postfix += c;
            else if (isDecimalDigit(c) || isAddressLetter(c)) {
                numberText += c;
                letterMet = isAddressLetter(c);
            } else
                prefix += c;
        }
        // A postfix may follow A or B, never V.
        const int n = leadingNumber(numberText).value;
        if (n == 0 || n > 256 || !letterMet || (numberText.back() == u'V' && !postfix.isEmpty()))
            return;
        ConvertMtsAddress(n, numberText.back(), newNumber, note);
        begin = p[0] + QStringLiteral(", ") + prefix + QString::number(newNumber) + postfix;
    } else {
        const qsizetype blank = field.indexOf(u' ');
        const QString token = blank < 0 ? field : field.left(blank);
        tail = blank < 0 ? QString() : field.mid(blank);
        const LeadingNumber n = leadingNumber(token);
        if (n.value == 0 || !isAddressLetter(token.back().toUpper()))
            return;
        ConvertMtsAddress(n.value, token.back(), newNumber, note);
        const QString number = note.isEmpty() ? n.text : QString::number(newNumber);
        if (key == u'F')
            begin = p[0] + u',' + p[1] + QStringLiteral(", ") + number;
        else if (key == u'R')
            begin = p[0] + QStringLiteral(", ") + p[1] + QStringLiteral(", ") + number;
        else
            begin = p[0] + QStringLiteral(", ") + number;
    }

    target = begin;
    const QString restOfField = LTrim(tail);
    if (!restOfField.isEmpty())
        target += u' ' + restOfField;
    for (qsizetype k = f + 1; k < p.size(); ++k)
        target += u',' + p[k];
    target += QStringLiteral("  *") + note;
}

} // namespace vx
