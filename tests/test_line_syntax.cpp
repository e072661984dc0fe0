// The line syntax: SplitLine (the one reader), TrailingRemark, and ComposeLine
// (the writer of the transfer), plus the round trip between them.

#include "commands/line_syntax.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vx;

namespace {

using Fields = std::array<QString, 6>;

// Entry fields, filled from a compact description for the tables.
LineEntry entry(const QString& code, const QStringList& operands, const QString& remark = {}) {
    LineEntry e;
    e.code = code;
    for (qsizetype k = 0; k < operands.size() && k < 5; ++k)
        e.operands[static_cast<size_t>(k + 1)] = operands[k];
    e.remark = remark;
    return e;
}

} // namespace

Q_DECLARE_METATYPE(vx::LineEntry)

class TestLineSyntax : public QObject {
    Q_OBJECT

private slots:
    void splitLine_data();
    void splitLine();
    void splitLineHandsBackTrimmedLine();
    void trailingRemark_data();
    void trailingRemark();
    void composeLine_data();
    void composeLine();
    void roundTrip();
};

void TestLineSyntax::splitLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields"); // f1..f6

    // The six expected fields joined by "|".
    const auto row = [](const char* name, const QString& line, const QString& fields) {
        QTest::newRow(name) << line << fields.split(u'|');
    };
    row("empty", QString(), u"|||||"_qs);

    // Remark lines: everything after the asterisk, blanks kept, commas no fields.
    row("remark keeps blanks", u"*  note"_qs, u"*|  note||||"_qs);
    row("remark indented", u"   * a, b, c   "_qs, u"*| a, b, c||||"_qs);

    // The trailing remark is cut at the first blank-asterisk.
    row("trailing remark", u"M, 12, G  * west yard"_qs, u"M|12|G|||"_qs);
    row("remark without blank after asterisk", u"M, 12 *x, y"_qs, u"M|12||||"_qs);
    row("asterisk without blank is text", u"M, 12*x, G"_qs, u"M|12*x|G|||"_qs);

    // Operating commands have no trailing remark: " *" is text.
    row("operating command compact", u"/M, Train late *now"_qs, u"/M|Train late *now||||"_qs);
    row("operating command", u"/, M, Train late  * now"_qs, u"/|M|Train late  * now|||"_qs);

    // Compact lines without a comma: first character, then the rest.
    row("compact", u"K12"_qs, u"K|12||||"_qs);
    row("compact with blanks", u"  k  12  "_qs, u"k|12||||"_qs);
    row("digit code alone reads as code and operand", u"N3"_qs, u"N|3||||"_qs);
    row("digit code with operand", u"N3, PLAN"_qs, u"N3|PLAN||||"_qs);

    // Six fields at most; the sixth takes the rest, commas included.
    row("five operands and more", u"L, 3, S, 7, F, 1, 2"_qs, u"L|3|S|7|F|1, 2"_qs);
    row("sixth field inner blanks", u"L,1,2,3,4,5 ,  6 , 7  "_qs, u"L|1|2|3|4|5 ,  6 , 7"_qs);
    // Field 5 loses only its leading blanks when a sixth field follows.
    row("fifth field keeps trailing blanks", u"L,1,2,3,  F  ,9"_qs, u"L|1|2|3|F  |9"_qs);

    // Blanks around commas are no part of a field.
    row("blanks around commas", u"  K ,  12 ,b  ,  x  "_qs, u"K|12|b|x||"_qs);
    row("empty fields stay in place", u"K,,5"_qs, u"K||5|||"_qs);
    row("trailing comma", u"K, 12,"_qs, u"K|12||||"_qs);

    // Only the blank is trimmed: tabs and other controls are text.
    row("tabs are no blanks", u"K,\t12\t, B"_qs, u"K|\t12\t|B|||"_qs);
    row("tab before asterisk is no remark", u"K, 12\t* x"_qs, u"K|12\t* x||||"_qs);
    row("non-breaking space is text", u"K,\u00A012"_qs, u"K|\u00A012||||"_qs);
}

void TestLineSyntax::splitLine() {
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QCOMPARE(fields.size(), 6);
    QString l = line;
    QString f1 = QStringLiteral("x"), f2 = f1, f3 = f1, f4 = f1, f5 = f1, f6 = f1;
    SplitLine(l, f1, f2, f3, f4, f5, f6);
    QCOMPARE((QStringList{f1, f2, f3, f4, f5, f6}), fields);

    const Fields array = SplitLine(line);
    QCOMPARE(QStringList(array.begin(), array.end()), fields);
}

void TestLineSyntax::splitLineHandsBackTrimmedLine() {
    const QString cases[] = {
        QStringLiteral("  K, 12  * yard  "),
        QStringLiteral(" *  note "),
        QStringLiteral("/M, x * y "),
        QStringLiteral("\tK\t"),
        QStringLiteral("   "),
    };
    const QString expected[] = {
        QStringLiteral("K, 12  * yard"),
        QStringLiteral("*  note"),
        QStringLiteral("/M, x * y"),
        QStringLiteral("\tK\t"),
        QString(),
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        QString line = cases[i];
        QString f1, f2, f3, f4, f5, f6;
        SplitLine(line, f1, f2, f3, f4, f5, f6);
        QCOMPARE(line, expected[i]);
    }
}

void TestLineSyntax::trailingRemark_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("remark");
    QTest::newRow("remark") << QStringLiteral("M, 12, G  * west yard")
                            << QStringLiteral(" west yard");
    QTest::newRow("first of two") << QStringLiteral("K, 1 *a *b") << QStringLiteral("a *b");
    QTest::newRow("remark line") << QStringLiteral("* note *x") << QString();
    QTest::newRow("operating command") << QStringLiteral("/M, late *now") << QString();
    QTest::newRow("indented") << QStringLiteral("  K, 1  *  x  ") << QStringLiteral("  x");
}

void TestLineSyntax::trailingRemark() {
    QFETCH(QString, line);
    QFETCH(QString, remark);
    QCOMPARE(TrailingRemark(line), remark);
}

void TestLineSyntax::composeLine_data() {
    QTest::addColumn<LineEntry>("entry");
    QTest::addColumn<QString>("line");

    const auto S = [](const char* text) { return QString::fromUtf8(text); };

    // Code and operands trimmed and upper-cased by default.
    QTest::newRow("upper case") << entry(S(" m "), {S(" 12 "), S("g")}) << S("M, 12, G");
    QTest::newRow("digit code") << entry(S("q3"), {S("a"), S("m5"), S("x")}) << S("Q3, A, M5, X");

    // Operand 1 in lower case and untrimmed after B, H, K, V.
    QTest::newRow("B lowers operand 1") << entry(S("b"), {S("M5")}) << S("B, m5");
    QTest::newRow("K keeps blanks of operand 1")
        << entry(S("K"), {S(" 12 "), S("b")}) << S("K,  12 , B");
    QTest::newRow("V lowers operand 1") << entry(S("v"), {S("+M3")}) << S("V, +m3");
    QTest::newRow("code with digit is no V") << entry(S("v7"), {S("m3")}) << S("V7, M3");

    // Operand 2 in lower case after K or V in operand 1.
    QTest::newRow("F K") << entry(S("f"), {S("k"), S("M7"), S("b")}) << S("F, K, m7, B");
    QTest::newRow("F V") << entry(S("F"), {S("V"), S("X1 ")}) << S("F, V, x1 ");
    QTest::newRow("operand 1 as typed, not trimmed")
        << entry(S("F"), {S(" k"), S("m7")}) << S("F, K, M7");
    QTest::newRow("K K lowers both") << entry(S("K"), {S("K"), S("B")}) << S("K, k, b");

    // Empty operands are left out; later ones follow with their own separator.
    QTest::newRow("gaps") << entry(S("L"), {S("3"), QString(), S("7"), S("  "), S("1")})
                          << S("L, 3, 7, 1");

    // Free-text operands exactly as typed.
    LineEntry n = entry(S("n3"), {S("ignored")});
    n.freeText1 = S(" Plan A.vfp ");
    n.operand1FromFreeText = true;
    QTest::newRow("N free text") << n << S("N3,  Plan A.vfp ");
    LineEntry p = entry(S("P"), {});
    p.freeText1 = S("sound, loud");
    p.operand1FromFreeText = true;
    QTest::newRow("P free text") << p << S("P, sound, loud");
    LineEntry op = entry(S("/"), {S("m"), S("hidden")}, S("dropped"));
    op.freeText2 = S(" Train late *now");
    op.operand2FromFreeText = true;
    QTest::newRow("operating command text") << op << S("/, M,  Train late *now");
    LineEntry blankFree = entry(S("P"), {});
    blankFree.freeText1 = S("   ");
    blankFree.operand1FromFreeText = true;
    QTest::newRow("blank free text left out") << blankFree << S("P");

    // The trailing remark.
    QTest::newRow("remark trimmed")
        << entry(S("K"), {S("12"), S("b")}, S("  west  ")) << S("K, 12, B  * west");
    QTest::newRow("operating command no remark") << entry(S("/"), {S("S")}, S("note")) << S("/, S");

    // Remark lines: "* " and the text as typed; the remark box is never added.
    LineEntry star = entry(S("*"), {S("x"), S("y")}, S("not this"));
    star.freeText1 = S("  note, with comma ");
    QTest::newRow("remark line") << star << S("*   note, with comma ");
    LineEntry emptyStar = entry(S("*"), {});
    QTest::newRow("empty remark line") << emptyStar << S("* ");
}

void TestLineSyntax::composeLine() {
    QFETCH(LineEntry, entry);
    QFETCH(QString, line);
    QCOMPARE(ComposeLine(entry), line);
}

// Lines from a small grammar of well-formed commands, written in a random
// spelling (case, spacing, compact form): fetching one (SplitLine plus its
// remark) and writing it again (ComposeLine) gives the canonical form.
void TestLineSyntax::roundTrip() {
    QRandomGenerator random(20240611);
    const auto pick = [&](QStringView from) {
        return from[random.bounded(static_cast<int>(from.size()))];
    };
    const QString codes = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ/!");
    const QString tokenChars = QStringLiteral("ABKMSVXZ0123456789+-");
    const QString remarkChars = QStringLiteral("abc XYZ,*./123");
    const auto blanks = [&](int most) { return QString(random.bounded(most + 1), u' '); };
    const auto randomCase = [&](const QString& text) {
        QString out;
        for (QChar c : text)
            out += random.bounded(2) ? c.toLower() : c;
        return out;
    };

    for (int run = 0; run < 5000; ++run) {
        QString code(pick(codes));
        if (QStringView(u"INQV").contains(code) && random.bounded(2))
            code += QChar(char16_t(u'1' + random.bounded(9)));
        const int count = random.bounded(6);
        // A digit code alone reads back as code and operand ("N3" -> "N", "3").
        if (code.size() == 2 && count == 0)
            continue;

        QStringList operands;
        for (int k = 0; k < count; ++k) {
            QString token;
            const int length = 1 + random.bounded(3);
            for (int i = 0; i < length; ++i)
                token += pick(tokenChars);
            operands.append(token);
        }
        QString remark;
        if (code != u"/" && random.bounded(3) == 0) {
            for (int i = 1 + random.bounded(8); i > 0; --i)
                remark += pick(remarkChars);
            remark = remark.trimmed();
            if (remark.isEmpty())
                remark = QStringLiteral("r");
        }

        // The canonical form, by the writer's case rules.
        QString canonical = code;
        for (int k = 0; k < count; ++k) {
            const bool lower = (k == 0 && QStringView(u"BHKV").contains(code)) ||
                               (k == 1 && (operands[0] == u"K" || operands[0] == u"V"));
            canonical += QStringLiteral(", ") + (lower ? operands[k].toLower() : operands[k]);
        }
        if (!remark.isEmpty())
            canonical += QStringLiteral("  * ") + remark;

        // A spelling of the same line.
        QString typed = blanks(2) + randomCase(code);
        if (count == 1 && code.size() == 1 && random.bounded(4) == 0) {
            typed += blanks(2) + randomCase(operands[0]); // compact: "K12"
        } else {
            for (int k = 0; k < count; ++k)
                typed += blanks(2) + u',' + blanks(2) + randomCase(operands[k]);
        }
        if (!remark.isEmpty())
            typed += u' ' + blanks(2) + u'*' + blanks(2) + remark;
        typed += blanks(2);

        const Fields f = SplitLine(typed);
        LineEntry e;
        e.code = f[0];
        for (size_t k = 1; k <= 5; ++k)
            e.operands[k] = f[k];
        e.remark = TrailingRemark(typed);
        QVERIFY2(ComposeLine(e) == canonical,
                 qPrintable(QStringLiteral("typed \"%1\": wrote \"%2\", expected \"%3\"")
                                .arg(typed, ComposeLine(e), canonical)));
    }
}

QTEST_APPLESS_MAIN(TestLineSyntax)
#include "test_line_syntax.moc"
