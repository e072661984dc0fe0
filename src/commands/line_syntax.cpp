#include "commands/line_syntax.h"

#include "texts/blanks.h"

namespace vx {

namespace {
bool isOneOf(const QString& text, QStringView letters) {
    return text.size() == 1 && letters.contains(text.front().toUpper());
}
} // namespace

void SplitLine(QString& line, QString& f1, QString& f2, QString& f3, QString& f4, QString& f5,
               QString& f6) {
    f1.clear();
    f2.clear();
    f3.clear();
    f4.clear();
    f5.clear();
    f6.clear();
    // The parts are views of the line: only the fields themselves are copied.
    if (TrimView(line).size() != line.size())
        line = Trim(line);
    if (line.isEmpty())
        return;
    if (line.front() == u'*') {
        f1 = QStringLiteral("*");
        f2 = line.mid(1);
        return;
    }
    QStringView work(line);
    if (line.front() != u'/') {
        const qsizetype p = line.indexOf(u" *");
        if (p >= 0)
            work = work.left(p + 1);
    }
    QStringView rest = TrimView(work);
    qsizetype comma = rest.indexOf(u',');
    if (comma < 0) {
        f1 = Trim(rest.left(1));
        f2 = Trim(rest.mid(1));
        return;
    }
    f1 = Trim(rest.left(comma));
    rest = TrimView(rest.mid(comma + 1));

    comma = rest.indexOf(u',');
    if (comma < 0) {
        f2 = Trim(rest);
        return;
    }
    f2 = Trim(rest.left(comma));
    rest = LTrimView(rest.mid(comma + 1));

    comma = rest.indexOf(u',');
    if (comma < 0) {
        f3 = Trim(rest);
        return;
    }
    f3 = Trim(rest.left(comma));
    rest = TrimView(rest.mid(comma + 1));

    comma = rest.indexOf(u',');
    if (comma < 0) {
        f4 = Trim(rest);
        return;
    }
    f4 = Trim(rest.left(comma));
    rest = LTrimView(rest.mid(comma + 1));

    comma = rest.indexOf(u',');
    if (comma < 0) {
        f5 = LTrim(rest);
        return;
    }
    f5 = LTrim(rest.left(comma));
    // The sixth field takes the whole remainder, further commas included; it is
    // read as a field of its own, so the blank after the comma goes too.
    f6 = Trim(rest.mid(comma + 1));
}

std::array<QString, 6> SplitLine(const QString& line) {
    std::array<QString, 6> f;
    QString copy = line;
    SplitLine(copy, f[0], f[1], f[2], f[3], f[4], f[5]);
    return f;
}

QString TrailingRemark(const QString& line) {
    const QString trimmed = Trim(line);
    if (trimmed.isEmpty() || trimmed.front() == u'*' || trimmed.front() == u'/')
        return QString();
    const qsizetype p = trimmed.indexOf(u" *");
    return p < 0 ? QString() : trimmed.mid(p + 2);
}

QString ComposeLine(const LineEntry& e) {
    if (e.code.startsWith(u'*'))
        return QStringLiteral("* ") + e.freeText1;

    QString line = Trim(e.code).toUpper();
    const bool op1Lower = isOneOf(Trim(e.code), u"BHKV");
    for (int k = 1; k <= 5; ++k) {
        QString value;
        if (k == 1 && e.operand1FromFreeText) {
            value = e.freeText1;
        } else if (k == 2 && e.operand2FromFreeText) {
            value = e.freeText2;
        } else {
            const QString& typed = e.operands[static_cast<size_t>(k)];
            const bool lower = (k == 1 && op1Lower) || (k == 2 && isOneOf(e.operands[1], u"KV"));
            value = lower ? typed.toLower() : Trim(typed).toUpper();
        }
        if (Trim(value).isEmpty())
            continue;
        line += QStringLiteral(", ") + value;
    }
    const QString remark = Trim(e.remark);
    if (!remark.isEmpty() && !line.startsWith(u'*') && !line.startsWith(u'/'))
        line += QStringLiteral("  * ") + remark;
    return line;
}

} // namespace vx
