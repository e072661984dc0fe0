// The entry area as the user works it, one case per line of
// tests/data/entry.cases:
//   ACTION | ACTION ... => "explanation" ; red CONTROLS ; PATH JSON ; ...
// The actions are those of tests/test_driver.h (a leading "lang XX" picks the
// language, English otherwise). Afterwards the explanation line must read as
// given (unchecked when left out), exactly the controls named by "red" must be
// red (none when left out) and each PATH of the state dump must hold its JSON.
// With VX_RECORD set the test prints each case as it now comes out instead.

#include "editor/language_switch.h"
#include "test_driver.h"
#include "test_support.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace vx;
using namespace vx::test;
using namespace Qt::StringLiterals;

namespace {

QJsonValue parseJson(const QString& text) {
    return QJsonDocument::fromJson((u'[' + text + u']').toUtf8()).array().at(0);
}

QString jsonText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// "K, 1\r\n\x80" as bytes.
QByteArray unescaped(const QString& text) {
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            bytes += char(text[i].unicode());
            continue;
        }
        const QChar c = text[++i];
        if (c == u'x') {
            bytes += char(text.mid(i + 1, 2).toInt(nullptr, 16));
            i += 2;
        } else {
            bytes += c == u'r' ? '\r' : c == u'n' ? '\n' : char(c.unicode());
        }
    }
    return bytes;
}

QString escaped(const QByteArray& bytes) {
    QString text;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n')
            text += c == '\r' ? u"\\r"_s : u"\\n"_s;
        else if (c == '\\' || c < ' ' || c > '~')
            text += u"\\x%1"_s.arg(uchar(c), 2, 16, QChar(u'0'));
        else
            text += QLatin1Char(c);
    }
    return text;
}

// The file actions of the cases: "write PATH TEXT" and "lines PATH N" (N
// lines "K, 1" ...); false when the action is none of them.
bool fileAction(const QString& action, QString* problem) {
    const QStringList words = action.split(u' ');
    if (words.size() < 2 || (words[0] != u"write" && words[0] != u"lines"))
        return false;
    QByteArray bytes;
    if (words[0] == u"lines")
        for (int i = 1; i <= words[2].toInt(); ++i)
            bytes += "K, " + QByteArray::number(i) + "\r\n";
    else
        bytes = unescaped(action.section(u' ', 2));
    if (!WriteBytes(words[1], bytes))
        *problem = u"cannot write "_s + words[1];
    return true;
}

// Runs one case; "" when it holds, otherwise what differs.
QString runCase(QString line) {
    QTemporaryDir dir;
    line.replace(u"@DIR@"_s, dir.path());
    const qsizetype arrow = line.indexOf(u" =>"_s);
    QStringList actions = (arrow < 0 ? line : line.left(arrow)).split(u" | "_s);
    QString expected = arrow < 0 ? QString() : line.mid(arrow + 3).trimmed();
    if (expected.startsWith(u';'))
        expected.remove(0, 1);
    QStringList checks;
    for (const QString& check : expected.split(u" ; "_s, Qt::SkipEmptyParts))
        if (!check.trimmed().isEmpty())
            checks.append(check.trimmed());
    QString language = u"EN"_s;
    if (actions[0].startsWith(u"lang "_s))
        language = actions.takeFirst().mid(5);
    Driver driver(language);
    for (const QString& action : actions) {
        QString problem;
        if (!fileAction(action, &problem))
            problem = driver.act(action);
        if (!problem.isEmpty())
            return problem;
    }
    const QJsonObject state = driver.state();
    const QString caption = state[u"explanation"_s][u"text"_s].toString();
    const QString red = Driver::redControls(state);

    QStringList recorded{jsonText(caption)};
    if (!red.isEmpty())
        recorded.append(u"red "_s + red);
    QStringList problems;
    bool redGiven = false;
    for (const QString& check : checks) {
        if (check.startsWith(u'"')) {
            recorded[0] = jsonText(caption);
            if (parseJson(check).toString() != caption)
                problems.append(u"explanation is "_s + jsonText(caption));
        } else if (check.startsWith(u"red"_s)) {
            redGiven = true;
            if (check.mid(4) != red)
                problems.append(u"red is '"_s + red + u'\'');
        } else if (check.startsWith(u"file "_s)) {
            // file PATH BYTES, written as for "write"; "(none)" where no file may be
            const QString path = check.section(u' ', 1, 1);
            const QString have = QFileInfo::exists(path) ? escaped(ReadBytes(path)) : u"(none)"_s;
            recorded.append(u"file "_s + path + u' ' + have);
            if (have != check.section(u' ', 2))
                problems.append(path + u" holds "_s + have);
        } else {
            const qsizetype blank = check.indexOf(u' ');
            const QString path = check.left(blank);
            const QJsonValue actual = Driver::at(state, path);
            recorded.append(path + u' ' + jsonText(actual));
            if (actual != parseJson(check.mid(blank + 1)))
                problems.append(path + u" is "_s + jsonText(actual));
        }
    }
    if (!redGiven && !red.isEmpty())
        problems.append(u"red is '"_s + red + u'\'');
    if (qEnvironmentVariableIsSet("VX_RECORD"))
        qInfo().noquote() << QString(u"RECORD "_s + (arrow < 0 ? line : line.left(arrow)) +
                                     u" => "_s + recorded.join(u" ; "_s))
                                 .replace(dir.path(), u"@DIR@"_s);
    return problems.join(u"; "_s);
}

} // namespace

class TestEntry : public QObject {
    Q_OBJECT

private slots:
    void cases_data() {
        QTest::addColumn<QString>("line");
        const QStringList lines =
            QString::fromUtf8(ReadBytes(QStringLiteral(VX_TEST_DATA "/entry.cases"))).split(u'\n');
        QVERIFY(lines.size() > 100);
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (!lines[i].trimmed().isEmpty() && !lines[i].startsWith(u'#'))
                QTest::addRow("%d: %s", int(i + 1), qPrintable(lines[i].left(60))) << lines[i];
    }

    void cases() {
        QFETCH(QString, line);
        VX_TRY(runCase(line));
    }

    // Inserting into a full table needs the reserve row: the table grows.
    void insertIntoAFullTableGrows() {
        Driver d;
        for (int r = 1; r <= 99; ++r)
            VX_TRY(d.act(u"row-text %1 E"_s.arg(r)));
        VX_TRY(d.run({u"row 1"_s, u"click insert"_s}));
        const QJsonObject state = d.state();
        QCOMPARE(state[u"rowCount"_s].toInt(), 100);
        QCOMPARE(state[u"lines"_s].toObject().size(), 99);
    }

    // The history holds the last hundred steps of a long editing run, and
    // undoing them all gives the rows back as they were.
    void undoHoldsAHundredSteps() {
        Driver d;
        VX_TRY(d.run({u"row-text 1 K, 1"_s, u"row 1"_s}));
        for (int i = 0; i < 120; ++i)
            VX_TRY(d.act(u"gridkey %1"_s.arg(i % 2 == 0 ? 65 : 8)));
        int undone = 0;
        while (d.state()[u"undo"_s][u"can"_s].toBool() && undone < 200) {
            VX_TRY(d.act(u"key Ctrl+Z"_s));
            ++undone;
        }
        QCOMPARE(undone, 100);
        QCOMPARE(d.state()[u"lines"_s][u"1"_s].toString(), u"K, 1"_s);
    }

    // After a language switch the entry area reads as if the session had
    // started in the new language; the typed values stay.
    void languageSwitchRewritesTheEntryArea_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("L, three operands")
            << QStringList{u"enter L, 3, S, 40"_s, u"focus mskTxt3"_s};
        QTest::newRow("F with a contact") << QStringList{u"enter F, K"_s};
        QTest::newRow("message") << QStringList{u"enter /, M, hi"_s};
        QTest::newRow("random number into SET variable 3")
            << QStringList{u"choose I"_s, u"set mskTxt1 I3"_s, u"type mskTxt2 5"_s};
        QTest::newRow("nothing chosen") << QStringList{};
    }
    void languageSwitchRewritesTheEntryArea() {
        QFETCH(QStringList, steps);
        Driver switched(u"ES");
        Driver english(u"EN");
        for (const QString& step : steps) {
            VX_TRY(switched.act(step));
            VX_TRY(english.act(step));
        }
        VX_TRY(switched.act(u"menu Opt_Spr"_s));
        const QJsonObject a = switched.state();
        const QJsonObject b = english.state();
        for (const QString& key : {u"explanation"_s, u"hint"_s, u"fields"_s, u"parts"_s,
                                   u"fieldHints"_s, u"currentCommand"_s, u"focus"_s})
            QVERIFY2(a[key] == b[key], qPrintable(key));
    }

    // Choosing one of the three languages is the same switch; the title and
    // a hint the form leaves on display follow it as well.
    void languageChoiceRetitlesAndRehints_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("language");
        QTest::newRow("hint of the field with the focus")
            << QStringList{u"choose K"_s, u"focus mskTxt2"_s} << u"DE"_s;
        QTest::newRow("hint left behind by the focus")
            << QStringList{u"choose K"_s, u"focus mskTxt2"_s, u"focus grid"_s} << u"EN"_s;
        QTest::newRow("hint beside a false field")
            << QStringList{u"choose K"_s, u"type mskTxt2 9999"_s, u"focus mskTxt3"_s} << u"EN"_s;
        QTest::newRow("input request of an operating command")
            << QStringList{u"enter /, D"_s, u"focus txbTxt3"_s, u"focus grid"_s} << u"DE"_s;
        QTest::newRow("title with the schedule's path")
            << QStringList{u"row-text 1 K, 12, B"_s, u"file %1/plan.vfp"_s, u"answer yes"_s,
                           u"menu Dat_Sav"_s}
            << u"DE"_s;
    }
    // (The second driver saves over the first one's file: "yes" to the question.)
    void languageChoiceRetitlesAndRehints() {
        QFETCH(QStringList, steps);
        QFETCH(QString, language);
        QTemporaryDir dir;
        Driver switched(u"ES");
        Driver started(language);
        for (const QString& step : steps) {
            const QString action = QString(step).replace(u"%1"_s, dir.path());
            VX_TRY(switched.act(action));
            VX_TRY(started.act(action));
        }
        VX_TRY(switched.act(u"menu Opt_Spr_"_s + language));
        const QJsonObject a = switched.state();
        const QJsonObject b = started.state();
        for (const QString& key : {u"lang"_s, u"title"_s, u"hint"_s, u"menu"_s})
            QVERIFY2(a[key] == b[key], qPrintable(key));
    }

    // One check mark, on the language on display, whichever way it came;
    // the language on display chosen again is no switch.
    void languageMenuChecksTheCurrentLanguage() {
        Driver d(u"ES");
        const auto checked = [&d] {
            QStringList keys;
            for (const MenuItem& item : d.editor->menu.items)
                if (item.checked && item.key.startsWith(u"Opt_Spr"))
                    keys.append(item.key);
            return keys.join(u' ');
        };
        QCOMPARE(checked(), u"Opt_Spr_ES"_s);
        VX_TRY(d.run({u"row-text 5 K, 12, B"_s, u"row 5"_s, u"menu Opt_Spr_ES"_s}));
        QCOMPARE(d.state()[u"currentRow"_s].toInt(), 5);
        VX_TRY(d.act(u"menu Opt_Spr_DE"_s));
        QCOMPARE(checked(), u"Opt_Spr_DE"_s);
        QCOMPARE(d.state()[u"currentRow"_s].toInt(), 1);
        VX_TRY(d.act(u"menu Opt_Spr"_s)); // the toggle goes on from German to English
        QCOMPARE(checked(), u"Opt_Spr_EN"_s);
        QCOMPARE(d.editor->menu.find(u"Opt_Spr_ES")->caption, u"Español"_s);
        QVERIFY(d.editor->menu.find(u"Opt_Spr_DE")->checkable);
        QCOMPARE(d.editor->menu.find(u"Dat_Neu")->shortcut, u"Ctrl+N"_s);
    }

    // The window's choice is kept for its next start; scripts keep nothing.
    void languageChoiceIsRemembered() {
        Driver window(u"ES");
        window.editor->rememberLanguage = true;
        Driver script(u"ES");
        const auto kept = [](Driver& d) {
            return d.platform.value(u"VX-Editor"_s, u"Options"_s, u"Language"_s, u"none"_s);
        };
        for (const QString& choice : {u"menu Opt_Spr_DE"_s, u"menu Opt_Spr"_s}) {
            VX_TRY(window.act(choice));
            VX_TRY(script.act(choice));
        }
        QCOMPARE(kept(window), u"EN"_s);
        QCOMPARE(kept(script), u"none"_s);
        QCOMPARE(StartLanguage(kept(window), u"de_DE.UTF-8"), Language::EN);
    }

    // The first start follows the system's language where there is one of
    // the three; a kept choice of any case wins; anything else is Spanish.
    void startLanguage_data() {
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("system");
        QTest::addColumn<int>("language");
        QTest::newRow("German system") << u""_s << u"de_AT"_s << int(Language::DE);
        QTest::newRow("English, BCP 47 form") << u""_s << u"en-GB"_s << int(Language::EN);
        QTest::newRow("other language") << u""_s << u"fr_FR"_s << int(Language::ES);
        QTest::newRow("C locale") << u""_s << u"C"_s << int(Language::ES);
        QTest::newRow("a longer code is no match") << u""_s << u"deu"_s << int(Language::ES);
        QTest::newRow("kept choice wins") << u"de"_s << u"en_US"_s << int(Language::DE);
        QTest::newRow("kept nonsense ignored") << u"xx"_s << u"en_US"_s << int(Language::EN);
    }
    void startLanguage() {
        QFETCH(QString, remembered);
        QFETCH(QString, system);
        QFETCH(int, language);
        QCOMPARE(int(StartLanguage(remembered, system)), language);
    }

    // Enter in the last operand field on display transfers the line as the
    // button does and leaves the focus in the command field for the next;
    // in any other field, with no command or with no row to write, it does
    // nothing more than the transfer.
    void enterInTheLastOperandField_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("transfers");
        QTest::newRow("last of two") << u"M, 3, G"_s << u"mskTxt3"_s << true;
        QTest::newRow("not the last") << u"M, 3, G"_s << u"mskTxt2"_s << false;
        QTest::newRow("an empty optional field last") << u"K, 12, B"_s << u"mskTxt4"_s << true;
        QTest::newRow("free-text box last") << u"/, M, hi"_s << u"txbTxt3"_s << true;
        QTest::newRow("fourth after a sub-form") << u"L, 3, S, 40"_s << u"mskTxt5"_s << true;
        QTest::newRow("remark field") << u"K, 12, B"_s << u"txbAnmerk"_s << false;
    }
    void enterInTheLastOperandField() {
        QFETCH(QString, line);
        QFETCH(QString, field);
        QFETCH(bool, transfers);
        Driver pressed;
        Driver clicked;
        for (Driver* d : {&pressed, &clicked}) {
            VX_TRY(d->act(u"row 4"_s));
            VX_TRY(d->enter(line));
            VX_TRY(d->act(u"focus "_s + field));
        }
        pressed.editor->fieldEnterPressed(*ControlByName(field));
        if (transfers)
            VX_TRY(clicked.act(u"click transfer"_s));
        const QJsonObject a = pressed.state();
        const QJsonObject b = clicked.state();
        for (const QString& key : {u"lines"_s, u"modified"_s, u"currentRow"_s, u"undo"_s})
            QVERIFY2(a[key] == b[key], qPrintable(key));
        QCOMPARE(a[u"focus"_s].toString(), transfers ? u"mskTxt1"_s : field);
        QCOMPARE(a[u"lines"_s].toObject().size(), transfers ? 1 : 0);
    }
    void enterWithoutARowToWrite() {
        Driver d;
        VX_TRY(d.enter(u"K, 12, B"_s));
        VX_TRY(d.run({u"set mskTxt0 3000"_s, u"focus mskTxt3"_s}));
        d.editor->fieldEnterPressed(Control::mskTxt3);
        QJsonObject s = d.state();
        QCOMPARE(s[u"explanation"_s][u"text"_s].toString(), u"False line number!"_s);
        QCOMPARE(s[u"focus"_s].toString(), u"mskTxt3"_s);
        Driver none;
        VX_TRY(none.run({u"focus mskTxt2"_s}));
        none.editor->fieldEnterPressed(Control::mskTxt2);
        QCOMPARE(none.state()[u"lines"_s].toObject().size(), 0);
    }

    // A long random sequence of row operations and replacements, mirrored on
    // a plain list of lines; saved and opened again, no line is lost.
    void noLineIsLost() {
        QTemporaryDir dir;
        Driver d;
        QStringList ref(100);
        QRandomGenerator rng(4711);
        const QStringList samples{u"K, 12, B"_s, u"M, 3, G"_s, u"E"_s, u"* a remark"_s};
        int rows = 99;
        const auto lines = [&d, &rows] {
            const QJsonObject state = d.state();
            rows = state[u"rowCount"_s].toInt();
            return state[u"lines"_s].toObject();
        };
        for (int step = 0; step < 400; ++step) {
            const int r = 1 + int(rng.bounded(rows));
            switch (rng.bounded(4)) {
            case 0:
                ref[r] = samples[int(rng.bounded(samples.size()))];
                VX_TRY(d.act(u"row-text %1 "_s.arg(r) + ref[r]));
                break;
            case 1: // an insert on a line moves the lines below it down by one
                VX_TRY(d.run({u"row %1"_s.arg(r), u"click insert"_s}));
                if (!ref[r].isEmpty()) {
                    qsizetype last = ref.size() - 1;
                    while (ref[last].isEmpty())
                        --last;
                    ref.insert(r, QString());
                    if (last + 1 < ref.size() - 1)
                        ref.removeLast();
                }
                break;
            case 2:
                VX_TRY(d.run({u"row %1"_s.arg(r), u"click delete"_s}));
                ref.remove(r);
                ref.append(QString());
                break;
            default: {
                d.platform.answers.push_back(MsgAnswer::Ok);
                VX_TRY(d.run({u"row 1"_s, u"replace-of 12"_s, u"replace-to 13"_s,
                              u"click replace-search"_s}));
                const QJsonObject found = d.state()[u"searchFound"_s].toObject();
                const int row = found[u"row"_s].toInt();
                if (row > 0) {
                    ref[row].replace(found[u"position"_s].toInt() - 1, 2, u"13"_s);
                    VX_TRY(d.act(u"click replace"_s));
                }
            }
            }
            const QJsonObject now = lines();
            while (ref.size() <= rows)
                ref.append(QString());
            for (int i = 1; i <= rows; ++i)
                QVERIFY2(now[QString::number(i)].toString() == ref[i],
                         qPrintable(u"step %1 row %2"_s.arg(step).arg(i)));
        }
        const QString path = dir.filePath(u"long.vfp"_s);
        VX_TRY(d.run({u"file "_s + path, u"menu Dat_Sav"_s}));
        Driver again;
        VX_TRY(again.run({u"file "_s + path, u"menu Dat_Ein"_s}));
        ref.removeAll(QString());
        const QJsonObject reopened = again.state()[u"lines"_s].toObject();
        QCOMPARE(reopened.size(), ref.size());
        for (qsizetype i = 0; i < ref.size(); ++i)
            QCOMPARE(reopened[QString::number(i + 1)].toString(), ref[i]);
    }

    // A change handler that sets its own field again must come to an end.
    void changeChainsEndInsteadOfLooping() {
        Driver d;
        VX_TRY(d.choose(u"K"));
        for (int i = 0; i < 200; ++i)
            VX_TRY(d.act(i % 2 ? u"set mskTxt1 L"_s : u"set mskTxt1 k"_s));
        QCOMPARE(d.state()[u"fields"_s][u"mskTxt1"_s][u"text"_s].toString(), u"L"_s);
    }
};

QTEST_GUILESS_MAIN(TestEntry)
#include "test_entry.moc"
