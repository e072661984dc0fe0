// Help page naming, the Help command, the information window's texts, and the
// help pages themselves: every page the editor can ask for exists in all three
// languages and is a real page.

#include "commands/command_table.h"
#include "commands/line_syntax.h"
#include "gui/help_resolver.h"
#include "help/help_model.h"
#include "script/scripted_platform.h"
#include "texts/text_catalogue.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using namespace vx;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(vx::Language)

namespace {

QString readResource(const QUrl& url) {
    QFile file(u':' + url.path());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString unescape(QString text) {
    return text.replace(u"&lt;"_s, u"<"_s)
        .replace(u"&gt;"_s, u">"_s)
        .replace(u"&quot;"_s, u"\""_s)
        .replace(u"&amp;"_s, u"&"_s);
}

// The example lines of a page: the text of every <pre class="example">, one
// entry per block (a block may hold several lines).
QStringList exampleBlocks(const QString& html) {
    static const QRegularExpression re(QStringLiteral("<pre class=\"example\">(.*?)</pre>"),
                                       QRegularExpression::DotMatchesEverythingOption);
    QStringList blocks;
    for (auto it = re.globalMatch(html); it.hasNext();)
        blocks.append(unescape(it.next().captured(1)));
    return blocks;
}

// The line as the editor writes it from its own fields: fields joined by
// ", ", the remark behind two blanks and an asterisk.
QString rewritten(const QString& line) {
    if (line.startsWith(u'*'))
        return line;
    const std::array<QString, 6> f = SplitLine(line);
    QStringList present;
    for (const QString& field : f)
        if (!field.isEmpty())
            present.append(field);
    QString out = present.join(QStringLiteral(", "));
    const QString remark = TrailingRemark(line).trimmed();
    if (!line.startsWith(u'/') && !remark.isEmpty())
        out += QStringLiteral("  * ") + remark;
    return out;
}

QList<Language> allLanguages() {
    return {Language::DE, Language::EN, Language::ES};
}

QString languageName(Language l) {
    return TextCatalogue::languageCode(l);
}

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
    void pageName_data();
    void pageName();
    void f1Request_data();
    void f1Request();
    void helpCommand_data();
    void helpCommand();
    void parseProgramVersion_data();
    void parseProgramVersion();
    void topicAroundInfoWindow();

    void resolvePage_data();
    void resolvePage();
    void everyRequestablePageExists_data();
    void everyRequestablePageExists();
    void commandPages_data();
    void commandPages();
    void linksResolve_data();
    void linksResolve();
    void spanishEdition();

private:
    HelpPageResolver resolver_;
};

void TestHelp::pageName_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("page"); // "-" = nothing

    QTest::newRow("970 EN") << 970 << Language::EN << u"VXEe_0970"_s;
    QTest::newRow("970 DE") << 970 << Language::DE << u"VXEd_0970"_s;
    QTest::newRow("970 ES reads English") << 970 << Language::ES << u"VXEe_0970"_s;
    QTest::newRow("index EN") << 0 << Language::EN << u"INDEX.htm"_s;
    QTest::newRow("1") << 1 << Language::EN << u"VXEe_0001"_s;
    QTest::newRow("2000") << 2000 << Language::DE << u"VXEd_2000"_s;
    QTest::newRow("2001") << 2001 << Language::EN << u"-"_s;
    QTest::newRow("-1") << -1 << Language::EN << u"-"_s;
}

void TestHelp::pageName() {
    QFETCH(int, topic);
    QFETCH(Language, language);
    QFETCH(QString, page);
    const std::optional<QString> name = HelpPageName(topic, language);
    if (page == u"-")
        QVERIFY(!name.has_value());
    else
        QCOMPARE(name.value_or(u"<none>"_s), page);
}

void TestHelp::f1Request_data() {
    QTest::addColumn<int>("topic");
    QTest::addColumn<Language>("language");
    QTest::addColumn<bool>("handled");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    const QString en = u"/opt/vx/VX-EDITe.chm"_s;
    const QString de = u"/opt/vx/VX-EDITd.chm"_s;
    QTest::newRow("970 EN") << 970 << Language::EN << true << en << u"VXEe_0970"_s;
    QTest::newRow("index") << 0 << Language::EN << true << en << u"INDEX.htm"_s;
    QTest::newRow("2001 nothing") << 2001 << Language::EN << false << QString() << QString();
}

void TestHelp::f1Request() {
    QFETCH(int, topic);
    QFETCH(Language, language);
    QFETCH(bool, handled);
    QFETCH(QString, file);
    QFETCH(QString, page);
    ScriptedPlatform platform;
    QCOMPARE(F1Help(platform, u"/opt/vx/"_s, language, topic), handled);
    if (!handled) {
        QVERIFY(platform.helpRequests.isEmpty());
        return;
    }
    QCOMPARE(platform.helpRequests.size(), 1);
    QCOMPARE(platform.helpRequests[0].file, file);
    QCOMPARE(platform.helpRequests[0].page, page);
    QCOMPARE(platform.helpRequests[0].context, -1);
}

void TestHelp::helpCommand_data() {
    QTest::addColumn<int>("systemVersion");
    QTest::addColumn<int>("topic");
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("requests");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("context"); // -1: display-topic with no page
    const QString en = u"C:/Velox/VX-Edite.chm"_s;
    QTest::newRow("old system") << 497 << 970 << Language::EN << 0 << QString() << 0;
    QTest::newRow("topic 1 default page") << 498 << 1 << Language::EN << 1 << en << -1;
    QTest::newRow("German") << 1000 << 100 << Language::DE << 1 << u"C:/Velox/VX-Editd.chm"_s
                            << 100;
}

void TestHelp::helpCommand() {
    QFETCH(int, systemVersion);
    QFETCH(int, topic);
    QFETCH(Language, language);
    QFETCH(int, requests);
    QFETCH(QString, file);
    QFETCH(int, context);
    ScriptedPlatform platform;
    cmdHilfe_click(platform, u"C:/Velox/"_s, language, systemVersion, topic);
    QCOMPARE(platform.helpRequests.size(), requests);
    if (requests == 0)
        return;
    const HelpRequest& r = platform.helpRequests[0];
    QCOMPARE(r.file, file);
    QCOMPARE(r.context, context);
    QVERIFY(r.page.isEmpty());
}

void TestHelp::parseProgramVersion_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.1.0") << u"0.1.0"_s << true << u"0.1.00"_s;
    QTest::newRow("tweak ignored") << u"3.4.5.6"_s << true << u"3.4.05"_s;
    QTest::newRow("empty") << QString() << false << u"0.0.00"_s;
    QTest::newRow("negative") << u"1.-2.0"_s << false << u"0.0.00"_s;
}

void TestHelp::parseProgramVersion() {
    QFETCH(QString, version);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    int major = -1;
    int minor = -1;
    int revision = -1;
    QCOMPARE(ParseProgramVersion(version, &major, &minor, &revision), ok);
    QCOMPARE(VersionText(major, minor, revision), text);
}

void TestHelp::topicAroundInfoWindow() {
    qint16 topic = 970;
    int context = 970;
    QList<int> seen;
    Hlp_Info(topic, context, [&] { seen << topic << context; });
    QCOMPARE(seen, (QList<int>{130, 130}));
    QCOMPARE(topic, qint16(100));
    QCOMPARE(context, 100);
}

void TestHelp::resolvePage_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("reader");  // a Language, -1: none given
    QTest::addColumn<QString>("url"); // "" = not found
    const int none = -1;
    const int es = int(Language::ES);
    QTest::newRow("F1 page") << u"/x/VX-EDITe.chm"_s << u"VXEe_0970"_s << none
                             << u"qrc:/help/pages/en/VXEe_0970.htm"_s;
    QTest::newRow("page case") << u"VX-EDITe.chm"_s << u"vxee_1095"_s << none
                               << u"qrc:/help/pages/en/VXEe_1095.htm"_s;
    QTest::newRow("default page") << u"VX-Edite.chm"_s << QString() << none
                                  << u"qrc:/help/pages/en/INDEX.htm"_s;
    QTest::newRow("anchor kept") << u"VX-EDITe.chm"_s << u"VXEe_0960.htm#J"_s << none
                                 << u"qrc:/help/pages/en/VXEe_0960.htm#J"_s;
    QTest::newRow("Spanish reader, English file") << u"VX-EDITe.chm"_s << u"VXEe_0960.htm#J"_s << es
                                                  << u"qrc:/help/pages/es/VXEe_0960.htm#J"_s;
    QTest::newRow("Spanish reader, German file")
        << u"VX-EDITd.chm"_s << u"VXEd_0970"_s << es << u"qrc:/help/pages/de/VXEd_0970.htm"_s;
    QTest::newRow("English reader")
        << u"VX-EDITe.chm"_s << QString() << int(Language::EN) << u"qrc:/help/pages/en/INDEX.htm"_s;
    QTest::newRow("no such topic page") << u"VX-EDITe.chm"_s << u"VXEe_0005"_s << es << QString();
    QTest::newRow("unknown file") << u"HELP.chm"_s << u"INDEX.htm"_s << es << QString();
    QTest::newRow("no climbing out") << u"VX-EDITe.chm"_s << u"../help.css"_s << none << QString();
}

void TestHelp::resolvePage() {
    QFETCH(QString, file);
    QFETCH(QString, page);
    QFETCH(int, reader);
    QFETCH(QString, url);
    const QUrl resolved = resolver_.resolvePage(
        file, page, reader < 0 ? std::nullopt : std::optional(Language(reader)));
    QCOMPARE(resolved.toString(), url);
    if (!url.isEmpty())
        QVERIFY(HelpPageResolver::exists(resolved));
}

void TestHelp::everyRequestablePageExists_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("topic");
    for (Language l : allLanguages()) {
        QTest::addRow("%s index", qPrintable(languageName(l))) << l << 0;
        for (int t : RequestableHelpTopics())
            QTest::addRow("%s %d", qPrintable(languageName(l)), t) << l << t;
    }
}

void TestHelp::everyRequestablePageExists() {
    QFETCH(Language, language);
    QFETCH(int, topic);
    const QString folder = u"/opt/vx/"_s;

    // As F1 asks for it, read by a user of that language.
    const QUrl byF1 = resolver_.resolvePage(HelpFilePath(folder, HelpFileForF1(language)),
                                            HelpPageName(topic, language).value(), language);
    QVERIFY2(HelpPageResolver::exists(byF1), qPrintable(byF1.toString()));

    // As the Help command asks for it: topic 1 opens the default page, every
    // other topic goes through the context map to the same page as F1.
    const HelpCommandAction action = HelpCommandFor(folder, language, 1000, topic);
    const QUrl byCommand =
        action.kind == HelpCommandAction::Kind::DisplayTopic
            ? resolver_.resolvePage(action.helpFile, QString(), language)
            : resolver_.resolveContext(action.helpFile, action.context, language);
    QVERIFY2(HelpPageResolver::exists(byCommand), qPrintable(byCommand.toString()));
    if (topic != HelpTopic::Default)
        QCOMPARE(byCommand, byF1);

    const QString html = readResource(byF1);
    static const QRegularExpression tag(u"<[^>]*>"_s);
    const QString text = QString(html).remove(tag).simplified();
    QVERIFY2(text.size() > 300, qPrintable(byF1.toString()));
    const QString code = languageName(language).toLower();
    QVERIFY2(byF1.path().startsWith(u"/help/pages/"_s + code + u'/'), qPrintable(byF1.toString()));
    QVERIFY(html.contains(u"<html lang=\""_s + code + u"\">"_s));
    const QRegularExpression title(u"<title>([^<]{8,})</title>"_s);
    QVERIFY2(title.match(html).hasMatch(), qPrintable(byF1.toString()));
    QVERIFY(html.contains(u"<h1>"_s));
    QVERIFY(html.trimmed().endsWith(u"</html>"_s));
}

void TestHelp::commandPages_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("command");
    for (Language l : allLanguages())
        for (int i = 1; i <= CommandTable::CommandCount; ++i)
            QTest::addRow("%s %d", qPrintable(languageName(l)), i) << l << i;
}

void TestHelp::commandPages() {
    QFETCH(Language, language);
    QFETCH(int, command);
    const CommandTable table;
    const QString code = table.row(command).Code;
    const int topic = CommandTable::helpTopic(command);
    const QUrl url = resolver_.resolvePage(HelpFileForF1(language),
                                           HelpPageName(topic, language).value(), language);
    const QString html = readResource(url);
    QVERIFY2(!html.isEmpty(), qPrintable(url.toString()));

    // The page names its command in a heading: "K – ...".
    const QRegularExpression heading(u"<h[12]>(<a name=\"\\w+\"></a>)?"_s +
                                     QRegularExpression::escape(code) + u" – "_s);
    QVERIFY2(heading.match(html).hasMatch(), qPrintable(code));

    // At least two examples of this command; every example line is written
    // exactly as the editor writes lines, with at most five operands.
    int ofThisCommand = 0;
    for (const QString& block : exampleBlocks(html)) {
        const QStringList lines = block.split(u'\n');
        if (table.findByLine(lines.first()) == command)
            ++ofThisCommand;
        for (const QString& line : lines) {
            QVERIFY2(table.findByLine(line) != CommandTable::NoCommand, qPrintable(line));
            QCOMPARE(rewritten(line), line);
            if (!line.startsWith(u'*')) {
                const std::array<QString, 6> f = SplitLine(line);
                QVERIFY2(f[5].isEmpty() || !f[5].contains(u','), qPrintable(line));
            }
        }
    }
    QVERIFY2(ofThisCommand >= 2, qPrintable(code));
}

namespace {

// Every link of the page at path leads to a page (and anchor) that exists;
// returns how many links it has.
int checkLinks(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(u"cannot read "_s + path), __FILE__, __LINE__);
        return 0;
    }
    const QString html = QString::fromUtf8(file.readAll());
    const QDir dir = QFileInfo(path).dir();
    static const QRegularExpression href(u"href=\"([^\"]+)\""_s);
    int links = 0;
    for (auto it = href.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        const QString name = target.section(u'#', 0, 0);
        const QString anchor = target.section(u'#', 1);
        const QString targetPath = name.isEmpty() ? path : dir.absoluteFilePath(name);
        const QString where = path + u" -> "_s + target;
        if (!QFile::exists(targetPath)) {
            QTest::qFail(qPrintable(where), __FILE__, __LINE__);
            return links;
        }
        if (!anchor.isEmpty()) {
            QFile other(targetPath);
            if (!other.open(QIODevice::ReadOnly) ||
                !QString::fromUtf8(other.readAll()).contains(u"name=\""_s + anchor + u'"')) {
                QTest::qFail(qPrintable(where), __FILE__, __LINE__);
                return links;
            }
        }
        ++links;
    }
    return links;
}

} // namespace

void TestHelp::linksResolve_data() {
    QTest::addColumn<QString>("path");
    for (const QString& folder : {u":/help/pages/de"_s, u":/help/pages/en"_s})
        for (const QString& name : QDir(folder).entryList({u"*.htm"_s}, QDir::Files))
            QTest::newRow(qPrintable(name)) << folder + u'/' + name;
    QVERIFY(QFile::exists(u":/help/pages/help.css"_s));
}

void TestHelp::linksResolve() {
    QFETCH(QString, path);
    // Every page leads somewhere: at least the contents or the command list.
    QVERIFY(checkLinks(path) >= 2);
}

void TestHelp::spanishEdition() {
    // Each English page has its Spanish version under the same name, written
    // in Spanish, with links that stay among the Spanish pages and resolve.
    const QDir en(u":/help/pages/en"_s);
    const QDir es(u":/help/pages/es"_s);
    const QStringList pages = en.entryList({u"*.htm"_s}, QDir::Files);
    QCOMPARE(es.entryList({u"*.htm"_s}, QDir::Files), pages);
    QVERIFY(pages.size() >= 36);
    static const QRegularExpression href(u"href=\"([^\"#]*)"_s);
    for (const QString& name : pages) {
        const QString path = es.filePath(name);
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY2(html.contains(u"<html lang=\"es\">"_s), qPrintable(path));
        QVERIFY2(!html.contains(u"Contents</a>"_s), qPrintable(path));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            QVERIFY2(target.isEmpty() || !target.contains(u'/') || target == u"../help.css",
                     qPrintable(path + u" -> "_s + target));
        }
        QVERIFY2(checkLinks(path) >= 2, qPrintable(path));
        if (QTest::currentTestFailed())
            return;
    }
}

QTEST_GUILESS_MAIN(TestHelp)
#include "test_help.moc"
