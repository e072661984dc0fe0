// The catalogue must hold every text in all three languages, keep the shape
// of the English text (line breaks, outer blanks) in every translation, give
// the exact texts the product is known by, and know every key that the rest
// of the program looks up.

#include "texts/catalogue_data.h"
#include "texts/text_catalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <set>
#include <string_view>
#include <utility>

using namespace Qt::StringLiterals;
using vx::Language;
using vx::TextCatalogue;

namespace {

constexpr Language kLanguages[] = {Language::DE, Language::EN, Language::ES};

const char* nameOf(Language l) {
    switch (l) {
    case Language::DE:
        return "DE";
    case Language::EN:
        return "EN";
    case Language::ES:
        break;
    }
    return "ES";
}

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
    if (text.isEmpty() && !english.isEmpty())
        return u"empty"_s;
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

// Indices of the named arrays that hold no text.
QSet<int> gapsOf(const QByteArray& array) {
    QSet<int> gaps;
    auto range = [&gaps](int from, int to) {
        for (int i = from; i <= to; ++i)
            gaps.insert(i);
    };
    if (array == "MenuHints") {
        range(8, 9);
        range(13, 19);
        range(22, 29);
    } else if (array == "ErrorTexts") {
        gaps.insert(30);
    } else if (array == "SwitchStateNames") {
        range(35, 36);
    } else if (array == "PositionNames") {
        range(14, 17);
    }
    return gaps;
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

// The keys of the tx() calls in a source text whose argument is a literal
// (u"..." or QStringLiteral("..."), possibly split into adjacent literals),
// each with the offset of its call.
QList<std::pair<QString, qsizetype>> literalKeys(const QString& source) {
    static const QRegularExpression call(
        uR"re((?<![A-Za-z0-9_])tx\(\s*(?:QStringLiteral\(\s*)?(?=u?"))re"_s);
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
    void arraysGiveNothingOutsideAndInGaps();
    void menuCaptions_data();
    void menuCaptions();
    void knownTexts_data();
    void knownTexts();
    void knownArrayTexts_data();
    void knownArrayTexts();
    void commandNames_data();
    void commandNames();
    void cutWords_data();
    void cutWords();
    void startsInEditionLanguage();
    void loadCatalogue_data();
    void loadCatalogue();
    void switchAlternatesWithEdition();
    void unknownKeyComesBackAndIsReported();
    void realLineBreakInKeyFindsEntry();
    void knownKeyIsStoredText();
    void literalKeysAreFound_data();
    void literalKeysAreFound();
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
                problems << u"%1 %2: %3"_s.arg(QLatin1String(nameOf(l)), key, problem);
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
    const QList<TextCatalogue::ArrayInfo> arrays = TextCatalogue::arrays();
    QCOMPARE(arrays.size(), 8);
    for (const TextCatalogue::ArrayInfo& a : arrays) {
        const QSet<int> gaps = gapsOf(a.name);
        for (int i = a.first; i <= a.last; ++i) {
            if (gaps.contains(i))
                continue;
            const QString english = cat.arrayText(a.name, i, Language::EN);
            if (english.isEmpty()) {
                problems << u"%1(%2) has no text"_s.arg(QLatin1String(a.name)).arg(i);
                continue;
            }
            for (Language l : kLanguages) {
                const QString problem = shapeProblem(english, cat.arrayText(a.name, i, l));
                if (!problem.isEmpty())
                    problems << u"%1(%2) %3: %4"_s.arg(QLatin1String(a.name))
                                    .arg(i)
                                    .arg(QLatin1String(nameOf(l)), problem);
            }
        }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
}

void TestCatalogue::arraysGiveNothingOutsideAndInGaps() {
    TextCatalogue cat;
    struct Range {
        const char* name;
        int first;
        int last;
    };
    const Range expected[] = {{"CommandNames", 1, 30},        {"MenuHints", 0, 34},
                              {"ErrorTexts", 1, 43},          {"ErrorParts", 1, 8},
                              {"FunctionSymbolNames", 1, 50}, {"ArticleTypeNames", 1, 12},
                              {"SwitchStateNames", 1, 43},    {"PositionNames", 2, 29}};
    for (const Range& r : expected) {
        bool listed = false;
        for (const TextCatalogue::ArrayInfo& a : TextCatalogue::arrays()) {
            if (qstrcmp(a.name, r.name) == 0) {
                listed = true;
                QCOMPARE(a.first, r.first);
                QCOMPARE(a.last, r.last);
            }
        }
        QVERIFY2(listed, r.name);
        QVERIFY(cat.arrayText(r.name, r.first - 1, Language::EN).isEmpty());
        QVERIFY(cat.arrayText(r.name, r.last + 1, Language::EN).isEmpty());
        for (int gap : gapsOf(r.name))
            QVERIFY2(cat.arrayText(r.name, gap, Language::EN).isEmpty(), r.name);
    }
    QVERIFY(cat.arrayText("NoSuchArray", 1, Language::EN).isEmpty());
    QVERIFY(cat.CommandNames(0).isEmpty());
    QVERIFY(cat.CommandNames(31).isEmpty());
    QVERIFY(cat.MenuHints(8).isEmpty());
    QVERIFY(cat.ErrorTexts(30).isEmpty());
    QVERIFY(cat.SwitchStateNames(35).isEmpty());
    QVERIFY(cat.PositionNames(1).isEmpty());
    QVERIFY(cat.PositionNames(15).isEmpty());
    QVERIFY(!cat.ErrorTexts(43).isEmpty());
    QVERIFY(!cat.FunctionSymbolNames(50).isEmpty());
    QVERIFY(!cat.ErrorParts(8).isEmpty());
}

void TestCatalogue::menuCaptions_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("es");
    // key, German, English, Spanish: first, last, and the captions with
    // typos, odd spacing or accents.
    QTest::newRow("MenuDat") << u"MenuDat"_s << u"Datei"_s << u"File"_s << u"Fichero"_s;
    QTest::newRow("Dat_Imp") << u"Dat_Imp"_s << u"Import MZS-PC Fahrplan-Datei"_s
                             << u"Import MTS-PC schedule file"_s
                             << u"Importar MTS-PC planificación fichero"_s;
    QTest::newRow("Dat_Dru") << u"Dat_Dru"_s << u"Drucken Fahrplan-Daten"_s
                             << u"Print schedule data"_s << u"Imprimir datos de planicaciones"_s;
    QTest::newRow("Dat_Sav") << u"Dat_Sav"_s << u"&Sichern Fahrplan-Daten"_s
                             << u"&Save schedule data"_s << u"&Guardar planificacíón"_s;
    QTest::newRow("Wrk_Such") << u"Wrk_Such"_s << u"Suchen Zeichen"_s
                              << u"Searching character/string"_s << u"Buscar  caracteres"_s;
    QTest::newRow("Opt_Spr") << u"Opt_Spr"_s << u"Sprache englisch"_s << u"Language German"_s
                             << u"Ideoma inglés"_s;
    QTest::newRow("Hlp_Info") << u"Hlp_Info"_s << u"&Information"_s << u"&Info to VX-EDIT"_s
                              << u"&Información"_s;
}

void TestCatalogue::menuCaptions() {
    QFETCH(QString, key);
    QFETCH(QString, de);
    QFETCH(QString, en);
    QFETCH(QString, es);
    TextCatalogue cat;
    QCOMPARE(cat.menuCaption(key), es);
    QVERIFY(cat.LoadCatalogue(u"EN"_s));
    QCOMPARE(cat.menuCaption(key), en);
    QVERIFY(cat.LoadCatalogue(u"DE"_s));
    QCOMPARE(cat.menuCaption(key), de);
    // The caption is the entry of the same English text.
    QCOMPARE(cat.tx(en), de);
}

void TestCatalogue::knownTexts_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("es");
    QTest::newRow("message 1") << u"Save actual data?"_s << u"Sichern aktuelle Daten?"_s
                               << u"Save actual data?"_s << u"Guardar datos actual?"_s;
    QTest::newRow("message 4") << u"Expand table really for "_s
                               << u"Tabelle wirklich erweitern um "_s
                               << u"Expand table really for "_s
                               << u"Amplimar tabla realmente para "_s;
    QTest::newRow("message 5") << u" lines"_s << u" Zeilen"_s << u" lines"_s << u" líneas"_s;
    QTest::newRow("message 6") << u" S C H E D U L E - E D I T O R   for   V E L O X"_s
                               << u" F A H R P L A N - E D I T O R   für   V E L O X"_s
                               << u" S C H E D U L E - E D I T O R   for   V E L O X"_s
                               << u" P L A N I F I C A C I Ò N - E D I T O R   para   V E L O X"_s;
    QTest::newRow("message 7") << u"Please, select schedule command or input"_s
                               << u"Bitte Fahrplanbefehl aussuchen oder eingeben"_s
                               << u"Please, select schedule command or input"_s
                               << u"Por favor, seleccione comando de planififación o introduza"_s;
    QTest::newRow("initial folder") << u"C:\\Velox-PC_V9"_s << u"C:\\Velox-PC_V9"_s
                                    << u"C:\\Velox-PC_V9"_s << u"C:\\Velox-PC_V9"_s;
    QTest::newRow("turn by 180") << u" drehen um 180°"_s << u" drehen um 180°"_s
                                 << u" drehen um 180°"_s << u" drehen um 180°"_s;
    QTest::newRow("empty") << QString() << QString() << QString() << QString();
}

void TestCatalogue::knownTexts() {
    QFETCH(QString, key);
    QFETCH(QString, de);
    QFETCH(QString, en);
    QFETCH(QString, es);
    TextCatalogue cat;
    QVERIFY(cat.has(key));
    QCOMPARE(cat.tx(key), es);
    cat.LoadCatalogue(u"EN"_s);
    QCOMPARE(cat.tx(key), en);
    cat.LoadCatalogue(u"DE"_s);
    QCOMPARE(cat.tx(key), de);
    QVERIFY(cat.missingKeys().isEmpty());
}

void TestCatalogue::knownArrayTexts_data() {
    // An empty expectation is not checked: only English is fixed there.
    QTest::addColumn<QByteArray>("array");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("es");
    QTest::newRow("article type 1")
        << QByteArray("ArticleTypeNames") << 1 << u"Weiche"_s << u"Track switch"_s << u"Cambio"_s;
    QTest::newRow("article type 2") << QByteArray("ArticleTypeNames") << 2 << u"Vorsignal"_s
                                    << u"Distant signal"_s << u"Señal remota"_s;
    QTest::newRow("article type 5") << QByteArray("ArticleTypeNames") << 5 << u"Schalter"_s
                                    << u"Magn.-Switch"_s << u"A.Magn.-Cambio"_s;
    QTest::newRow("article type 12")
        << QByteArray("ArticleTypeNames") << 12 << u"Entkupplungsgleis"_s << u"Uncoupler"_s
        << u"Desacoplador"_s;
    QTest::newRow("language hint")
        << QByteArray("MenuHints") << 21 << u"Sprachumschaltung von Deutsch ==> Englisch"_s
        << u"Change language from English ==> Spanish"_s << QString();
    QTest::newRow("file hint") << QByteArray("MenuHints") << 0 << QString()
                               << u"Selection of the 'Data' menu items"_s << QString();
    QTest::newRow("homepage hint")
        << QByteArray("MenuHints") << 34 << QString()
        << u"Branch to the Internet homepage of the author"_s << QString();
    QTest::newRow("runtime error")
        << QByteArray("ErrorTexts") << 4 << QString() << u"Runtime error VX-EDIT "_s << QString();
    QTest::newRow("last error") << QByteArray("ErrorTexts") << 43 << QString()
                                << u"This track layout is not usable, because it's defective "_s
                                   u"and/or incomplete!"_s
                                << QString();
    QTest::newRow("error part") << QByteArray("ErrorParts") << 8 << QString()
                                << u" False symbol! "_s << QString();
    QTest::newRow("function symbol")
        << QByteArray("FunctionSymbolNames") << 50 << QString() << u"Pea-whisle"_s << QString();
    QTest::newRow("free") << QByteArray("SwitchStateNames") << 1 << QString() << u"Free (open)"_s
                          << QString();
    QTest::newRow("state 37") << QByteArray("SwitchStateNames") << 37 << QString() << u"free"_s
                              << QString();
    QTest::newRow("state 43") << QByteArray("SwitchStateNames") << 43 << QString()
                              << u"Special status (orange)"_s << QString();
    QTest::newRow("green") << QByteArray("PositionNames") << 2 << QString() << u"GREEN"_s
                           << QString();
    QTest::newRow("last position") << QByteArray("PositionNames") << 29 << QString()
                                   << u"reserved inv. 2. DIVERGING"_s << QString();
}

void TestCatalogue::knownArrayTexts() {
    QFETCH(QByteArray, array);
    QFETCH(int, index);
    QFETCH(QString, de);
    QFETCH(QString, en);
    QFETCH(QString, es);
    TextCatalogue cat;
    const QString expected[] = {de, en, es};
    for (Language l : kLanguages) {
        const QString& want = expected[static_cast<int>(l)];
        if (!want.isEmpty())
            QCOMPARE(cat.arrayText(array.constData(), index, l), want);
    }
    // The named accessors read the same texts in the current language.
    for (Language l : kLanguages) {
        cat.LoadCatalogue(TextCatalogue::languageCode(l));
        const QString& want = cat.arrayText(array.constData(), index, l);
        if (array == "MenuHints")
            QCOMPARE(cat.MenuHints(index), want);
        else if (array == "ErrorTexts")
            QCOMPARE(cat.ErrorTexts(index), want);
        else if (array == "ErrorParts")
            QCOMPARE(cat.ErrorParts(index), want);
        else if (array == "FunctionSymbolNames")
            QCOMPARE(cat.FunctionSymbolNames(index), want);
        else if (array == "ArticleTypeNames")
            QCOMPARE(cat.ArticleTypeNames(index), want);
        else if (array == "SwitchStateNames")
            QCOMPARE(cat.SwitchStateNames(index), want);
        else if (array == "PositionNames")
            QCOMPARE(cat.PositionNames(index), want);
    }
}

void TestCatalogue::commandNames_data() {
    // First, last, and the names with odd spelling or a trailing blank.
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("en");
    QTest::newRow("command 1") << 1 << u"All to initial status"_s;
    QTest::newRow("command 6")
        << 6
        << u"If contact / Magnetic article / All-purpose counter / Switch route / Marker / Modell time / SET variable"_s;
    QTest::newRow("command 22") << 22 << u"Set 'global SET variable' "_s;
    QTest::newRow("command 26") << 26 << u"Time delay of w (1/10 secons) defining"_s;
    QTest::newRow("command 28") << 28 << u"Defintion of a GOTO address"_s;
    QTest::newRow("command 30") << 30 << u"no valid schedule command"_s;
}

void TestCatalogue::commandNames() {
    QFETCH(int, index);
    QFETCH(QString, en);
    TextCatalogue cat;
    cat.LoadCatalogue(u"EN"_s);
    QCOMPARE(cat.CommandNames(index), en);
    // Every name is also an entry of its own, with the same translations.
    for (int i = 1; i <= 30; ++i) {
        const QString english = cat.arrayText("CommandNames", i, Language::EN);
        for (Language l : kLanguages) {
            cat.LoadCatalogue(TextCatalogue::languageCode(l));
            QCOMPARE(cat.tx(english), cat.CommandNames(i));
        }
    }
}

void TestCatalogue::cutWords_data() {
    // Words that the listing and the explanation cut: "Sound no." loses its
    // last four characters, "seconds" and "second(s)" give their first three.
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("keep");
    QTest::addColumn<QString>("de");
    QTest::addColumn<QString>("en");
    QTest::addColumn<QString>("es");
    QTest::newRow("sound") << u"Sound no."_s << -4 << u"Sound"_s << u"Sound"_s << u"Sonido"_s;
    QTest::newRow("seconds") << u"seconds"_s << 3 << u"Sek"_s << u"sec"_s << u"seg"_s;
    QTest::newRow("second(s)") << u"second(s)"_s << 3 << u"Sek"_s << u"sec"_s << u"seg"_s;
    QTest::newRow("decimal sign") << u"."_s << 1 << u","_s << u"."_s << u","_s;
}

void TestCatalogue::cutWords() {
    QFETCH(QString, key);
    QFETCH(int, keep);
    QFETCH(QString, de);
    QFETCH(QString, en);
    QFETCH(QString, es);
    TextCatalogue cat;
    const QString expected[] = {de, en, es};
    for (Language l : kLanguages) {
        cat.LoadCatalogue(TextCatalogue::languageCode(l));
        const QString& text = cat.tx(key);
        const QString cut = keep < 0 ? text.chopped(-keep) : text.left(keep);
        QCOMPARE(cut, expected[static_cast<int>(l)]);
    }
}

void TestCatalogue::startsInEditionLanguage() {
    TextCatalogue cat;
    QCOMPARE(cat.language(), TextCatalogue::EditionLanguage);
    QCOMPARE(cat.language(), Language::ES);
    QCOMPARE(cat.languageCode(), u"ES"_s);
    QCOMPARE(TextCatalogue::HintLineBreak(), u"\n\r  "_s);
    QCOMPARE(cat.tx(u"Schedule commands for VELOX"), u"Comandos de planificación para VELOX"_s);
}

void TestCatalogue::loadCatalogue_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("language");
    QTest::newRow("de") << u"de"_s << true << u"DE"_s;
    QTest::newRow("De") << u"De"_s << true << u"DE"_s;
    QTest::newRow("EN") << u"EN"_s << true << u"EN"_s;
    QTest::newRow("eS") << u"eS"_s << true << u"ES"_s;
    QTest::newRow("FR") << u"FR"_s << false << u"EN"_s;
    QTest::newRow("empty") << QString() << false << u"EN"_s;
    QTest::newRow("blank around") << u" de"_s << false << u"EN"_s;
    QTest::newRow("longer") << u"DEU"_s << false << u"EN"_s;
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

void TestCatalogue::realLineBreakInKeyFindsEntry() {
    TextCatalogue cat;
    cat.LoadCatalogue(u"DE"_s);
    QCOMPARE(cat.tx(u"Contact number\n\r  1 up to 1056"), u"Kontaktnummer\n\r  1 bis 1056"_s);
    QCOMPARE(cat.tx(u"Contact number\u00B61 up to 1056"), u"Kontaktnummer\n\r  1 bis 1056"_s);
    QVERIFY(cat.missingKeys().isEmpty());
}

void TestCatalogue::knownKeyIsStoredText() {
    // tx() runs on every keystroke: it hands out the stored text itself.
    TextCatalogue cat;
    const QString* a = &cat.tx(u"False input");
    TextCatalogue other;
    QCOMPARE(&other.tx(u"False input"), a);
    QCOMPARE(&cat.tx(QStringLiteral("False input")), a);
}

void TestCatalogue::literalKeysAreFound_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("plain") << u"a = cat.tx(u\"File\");"_s << QStringList{u"File"_s};
    QTest::newRow("string literal macro") << u"r.tx(QStringLiteral(\"Help\")) + tx( u\"Work\" )"_s
                                          << QStringList{u"Help"_s, u"Work"_s};
    QTest::newRow("split over lines")
        << u"tx(u\"Contact number\\u00B6\"\n       u\"1 up to 1056\")"_s
        << QStringList{u"Contact number\u00B61 up to 1056"_s};
    QTest::newRow("escapes") << u"tx(u\"C:\\\\Velox-PC_V9\")"_s
                             << QStringList{u"C:\\Velox-PC_V9"_s};
    QTest::newRow("other functions") << u"ctx(u\"x\"); tx(name); mtx(u\"y\")"_s << QStringList{};
}

void TestCatalogue::literalKeysAreFound() {
    QFETCH(QString, source);
    QFETCH(QStringList, keys);
    QStringList found;
    for (const auto& [key, offset] : literalKeys(source)) {
        Q_UNUSED(offset);
        found << key;
    }
    QCOMPARE(found, keys);
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
