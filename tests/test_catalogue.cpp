// The catalogue must hold every text in all three languages, keep the shape
// of the English text (line breaks, outer blanks) in every translation, and
// know every key that the rest of the program looks up.

#include "texts/catalogue_data.h"
#include "texts/text_catalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <set>
#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;
using vx::Language;
using vx::TextCatalogue;

namespace {

constexpr Language kLanguages[] = {Language::DE, Language::EN, Language::ES};

QString withBreaks(QString key) {
    return key.replace(u'\u00B6', TextCatalogue::HintLineBreak());
}

qsizetype leadingBlanks(const QString& s) {
    qsizetype n = 0;
    while (n < s.size() && s[n] == u' ')
        ++n;
    return n;
}

qsizetype trailingBlanks(const QString& s) {
    qsizetype n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == u' ')
        ++n;
    return n;
}

// The problems of one translated text measured against its English text;
// empty when the two have the same shape.
QString shapeProblem(const QString& english, const QString& text) {
    const QString& br = TextCatalogue::HintLineBreak();
    if (text.isEmpty() != english.isEmpty())
        return text.isEmpty() ? u"empty"_s : u"a text where English has none"_s;
    if (text.count(br) != english.count(br))
        return u"line breaks %1 instead of %2"_s.arg(text.count(br)).arg(english.count(br));
    if (leadingBlanks(text) != leadingBlanks(english))
        return u"leading blanks %1 instead of %2"_s.arg(leadingBlanks(text))
            .arg(leadingBlanks(english));
    if (trailingBlanks(text) != trailingBlanks(english))
        return u"trailing blanks %1 instead of %2"_s.arg(trailingBlanks(text))
            .arg(trailingBlanks(english));
    return {};
}

// The text of a C++ string literal body, escapes resolved.
QString unescape(QStringView body) {
    QString out;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body[i] != u'\\' || i + 1 == body.size()) {
            out += body[i];
            continue;
        }
        const QChar c = body[++i];
        if (c == u'n')
            out += u'\n';
        else if (c == u'r')
            out += u'\r';
        else if (c == u't')
            out += u'\t';
        else if (c == u'u' && i + 4 < body.size()) {
            out += QChar(body.mid(i + 1, 4).toString().toUShort(nullptr, 16));
            i += 4;
        } else
            out += c;
    }
    return out;
}

// The keys of the tx() calls (and of the phrases worded later) in a source
// text whose argument is a literal
// (u"..." or QStringLiteral("..."), possibly split into adjacent literals),
// each with the offset of its call.
QList<std::pair<QString, qsizetype>> literalKeys(const QString& source) {
    static const QRegularExpression call(
        uR"re((?<![A-Za-z0-9_])(?:tx\(|Phrase\{)\s*(?:QStringLiteral\(\s*)?(?=u?"))re"_s);
    static const QRegularExpression piece(uR"re(\G\s*u?"((?:[^"\\\n]|\\.)*)")re"_s);
    QList<std::pair<QString, qsizetype>> keys;
    for (const QRegularExpressionMatch& m : call.globalMatch(source)) {
        QString key;
        qsizetype at = m.capturedEnd();
        for (QRegularExpressionMatch p = piece.match(source, at); p.hasMatch();
             p = piece.match(source, at)) {
            key += unescape(p.capturedView(1));
            at = p.capturedEnd();
        }
        keys.append({key, m.capturedStart()});
    }
    return keys;
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT

private slots:
    void everyEntryInEveryLanguage();
    void noKeyTwice();
    void everyArrayElementInEveryLanguage();
    void loadCatalogue_data();
    void loadCatalogue();
    void switchAlternatesWithEdition();
    void unknownKeyComesBackAndIsReported();
    void sourceKeysAreInCatalogue();
};

void TestCatalogue::everyEntryInEveryLanguage() {
    TextCatalogue cat;
    QStringList problems;
    QVERIFY(TextCatalogue::entryCount() > 400);
    for (int i = 0; i < TextCatalogue::entryCount(); ++i) {
        const QString key = TextCatalogue::entryKey(i);
        const QString english = cat.entryText(i, Language::EN);
        if (english != withBreaks(key))
            problems << u"EN text of %1 is not its key"_s.arg(key);
        for (Language l : kLanguages) {
            const QString problem = shapeProblem(english, cat.entryText(i, l));
            if (!problem.isEmpty())
                problems << u"%1 %2: %3"_s.arg(TextCatalogue::languageCode(l), key, problem);
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestCatalogue::noKeyTwice() {
    std::set<std::u16string_view> keys;
    QStringList repeated;
    for (int i = 0; i < vx::catalogue_data::kTextCount; ++i) {
        if (!keys.insert(vx::catalogue_data::kTexts[i].en).second)
            repeated << QString::fromUtf16(vx::catalogue_data::kTexts[i].en);
    }
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(u'\n')));
    QCOMPARE(TextCatalogue::entryCount(), vx::catalogue_data::kTextCount);
}

void TestCatalogue::everyArrayElementInEveryLanguage() {
    TextCatalogue cat;
    QStringList problems;
    for (const TextCatalogue::ArrayInfo& a : TextCatalogue::arrays()) {
        for (int i = a.first; i <= a.last; ++i) {
            // Gaps in an array are empty in every language.
            const QString english = cat.arrayText(a.name, i, Language::EN);
            for (Language l : kLanguages) {
                const QString problem = shapeProblem(english, cat.arrayText(a.name, i, l));
                if (!problem.isEmpty())
                    problems << u"%1(%2) %3: %4"_s.arg(QLatin1String(a.name))
                                    .arg(i)
                                    .arg(TextCatalogue::languageCode(l), problem);
            }
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestCatalogue::loadCatalogue_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("language");
    QTest::newRow("De") << u"De"_s << true << u"DE"_s;
    QTest::newRow("FR") << u"FR"_s << false << u"EN"_s;
    QTest::newRow("blank around") << u" de"_s << false << u"EN"_s;
}

void TestCatalogue::loadCatalogue() {
    QFETCH(QString, code);
    QFETCH(bool, accepted);
    QFETCH(QString, language);
    TextCatalogue cat;
    QVERIFY(cat.LoadCatalogue(u"EN"_s));
    QCOMPARE(cat.LoadCatalogue(code), accepted);
    QCOMPARE(cat.languageCode(), language);
    Language parsed = Language::EN;
    QCOMPARE(TextCatalogue::parseLanguageCode(code, &parsed), accepted);
    // Every text follows the language that is loaded, the arrays included.
    const int lang = static_cast<int>(cat.language());
    const QString files[] = {u"Datei"_s, u"File"_s, u"Fichero"_s};
    QCOMPARE(cat.tx(u"File"), files[lang]);
    const QString switches[] = {u"Weiche"_s, u"Track switch"_s, u"Cambio"_s};
    QCOMPARE(cat.ArticleTypeNames(1), switches[lang]);
}

void TestCatalogue::switchAlternatesWithEdition() {
    // With Spanish as the edition the switch goes back and forth between
    // Spanish and English; German comes back to English too.
    QCOMPARE(TextCatalogue::nextLanguage(Language::ES), Language::EN);
    QCOMPARE(TextCatalogue::nextLanguage(Language::EN), Language::ES);
    QCOMPARE(TextCatalogue::nextLanguage(Language::DE), Language::EN);
    TextCatalogue cat;
    const QString start = cat.menuCaption(u"Opt_Spr");
    for (int i = 0; i < 2; ++i)
        cat.LoadCatalogue(TextCatalogue::languageCode(TextCatalogue::nextLanguage(cat.language())));
    QCOMPARE(cat.language(), Language::ES);
    QCOMPARE(cat.menuCaption(u"Opt_Spr"), start);
}

void TestCatalogue::unknownKeyComesBackAndIsReported() {
    TextCatalogue cat;
    QVERIFY(!cat.has(u"No such text\u00B6second line"));
    const QString& first = cat.tx(u"No such text\u00B6second line");
    QCOMPARE(first, u"No such text\n\r  second line"_s);
    QCOMPARE(cat.missingKeys(), QStringList{u"No such text\u00B6second line"_s});
    // Many more misses must not move the text handed out first.
    const QString* address = &first;
    for (int i = 0; i < 500; ++i)
        cat.tx(u"unknown %1"_s.arg(i));
    QCOMPARE(&cat.tx(u"No such text\u00B6second line"), address);
    QCOMPARE(*address, u"No such text\n\r  second line"_s);
    QCOMPARE(cat.missingKeys().size(), 501);
    QCOMPARE(cat.missingKeys().count(u"No such text\u00B6second line"_s), 1);
    // A key that differs from an entry only in letter case is not that entry.
    QCOMPARE(cat.tx(u"FILE"), u"FILE"_s);
    QVERIFY(cat.missingKeys().contains(u"FILE"_s));
    QCOMPARE(cat.menuCaption(u"MyFpls_1"), QString());
}

void TestCatalogue::sourceKeysAreInCatalogue() {
    // Keys written as literals anywhere in the program must be entries: a
    // typo would otherwise show the English key in every language.
    TextCatalogue cat;
    QStringList unknown;
    int calls = 0;
    QDirIterator it(QStringLiteral(VX_SOURCE_DIR "/src"), {u"*.cpp"_s, u"*.h"_s}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QString source = QString::fromUtf8(file.readAll());
        for (const auto& [key, offset] : literalKeys(source)) {
            ++calls;
            if (!cat.has(key)) {
                const qsizetype line = source.left(offset).count(u'\n') + 1;
                unknown << u"%1:%2: \"%3\""_s.arg(path).arg(line).arg(key);
            }
        }
    }
    qInfo("%d literal keys checked", calls);
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(u'\n')));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
