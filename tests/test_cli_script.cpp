// vxedit-cli script, explain and check, run as a user runs them.

#include "test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx::test;

namespace {

QList<QJsonObject> jsonLines(const QByteArray& out) {
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (line.isEmpty())
            continue;
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject())
            return {};
        objects.append(doc.object());
    }
    return objects;
}

QString data(const char* name) {
    return QStringLiteral(VX_TEST_DATA "/") + QString::fromLatin1(name);
}

} // namespace

class TestCliScript : public QObject {
    Q_OBJECT

private slots:
    void dumpHasEveryKeyOfThisState() {
        const CliRun run = RunCli({u"--lang"_qs, u"EN"_qs, u"script"_qs}, "# choose K and type\n"
                                                                          "select 11\n"
                                                                          "type mskTxt2 12\n"
                                                                          "type mskTxt3 5x\n"
                                                                          "\n"
                                                                          "dump\n"
                                                                          "dump\n");
        QVERIFY(run.finished);
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> dumps = jsonLines(run.out);
        QCOMPARE(dumps.size(), 2);
        const QJsonObject d = dumps[0];
        for (const char* key : {"lang",           "title",           "rowCount",
                                "currentRow",     "topRow",          "lines",
                                "modified",       "filePath",        "fileName",
                                "answer",         "autosaveEnabled", "ended",
                                "currentCommand", "listCommand",     "listIndex",
                                "helpTopic",      "explanation",     "hint",
                                "fields",         "lineNumberRed",   "parts",
                                "fieldHints",     "buttons",         "focus",
                                "beeps",          "messages",        "help",
                                "menu",           "recent"})
            QVERIFY2(d.contains(QLatin1String(key)), key);
        // "5" is no letter for the state field and was dropped; the beeps
        // of the false input are reported once.
        const QJsonObject fields = d[u"fields"].toObject();
        QCOMPARE(fields.size(), 11);
        QCOMPARE(fields[u"mskTxt3"].toObject()[u"text"].toString(), u"x"_qs);
        for (const QString& key : {u"text"_qs, u"mask"_qs, u"prompt"_qs, u"maxLength"_qs,
                                   u"width"_qs, u"left"_qs, u"visible"_qs, u"error"_qs})
            QVERIFY(fields[u"txbAnmerk"].toObject().contains(key));
        QCOMPARE(d[u"beeps"].toInt(), 2);
        QCOMPARE(dumps[1][u"beeps"].toInt(), 0);
        QCOMPARE(d[u"parts"].toArray().size(), 8);
        QCOMPARE(d[u"fieldHints"].toArray().size(), 5);
    }

    void fetchAndHelpInAScript() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const CliRun run = RunCli({u"script"_qs, u"--program-folder"_qs, folder.path()},
                                  "row-text 3 K, 12, B  * west\n"
                                  "row 3\n"
                                  "click fetch\n"
                                  "key F1\n"
                                  "dump\n");
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> dumps = jsonLines(run.out);
        QCOMPARE(dumps.size(), 1);
        const QJsonObject d = dumps[0];
        QCOMPARE(d[u"lang"].toString(), u"ES"_qs);
        QCOMPARE(d[u"currentRow"].toInt(), 3);
        QCOMPARE(d[u"lines"].toObject()[u"3"].toString(), u"K, 12, B  * west"_qs);
        QCOMPARE(d[u"modified"].toBool(), true);
        QCOMPARE(d[u"fields"].toObject()[u"txbAnmerk"].toObject()[u"text"].toString(), u"west"_qs);
        const QJsonArray help = d[u"help"].toArray();
        QCOMPARE(help.size(), 1);
        QCOMPARE(help[0].toObject()[u"page"].toString(), u"VXEe_1060"_qs);
        QCOMPARE(help[0].toObject()[u"file"].toString(), folder.path() + u"/VX-EDITe.chm"_qs);
    }

    // The Print command of a script draws the listing into a PDF file.
    void printFromAScriptWritesThePdf() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath(u"plan.pdf"_qs);
        const CliRun run =
            RunCli({u"--lang"_qs, u"EN"_qs, u"script"_qs},
                   ("row-text 1 K, 12, B\nprinter pdf " + pdf.toUtf8() + "\nmenu Dat_Dru\ndump\n"));
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> dumps = jsonLines(run.out);
        QCOMPARE(dumps.size(), 1);
        QCOMPARE(dumps[0][u"messages"].toArray().size(), 0);
        QVERIFY(ReadBytes(pdf).startsWith("%PDF-"));
        QVERIFY(run.err.isEmpty());
    }

    void badScriptLinesStopWithTheirNumber() {
        // An action that cannot be done stops the script there.
        const CliRun run =
            RunCli({u"script"_qs}, "select 11\nfocus mskTxt7\ndump\ntype mskTxt9 1\ndump\n");
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(jsonLines(run.out).size(), 1);
        QVERIFY(run.err.contains("stdin:2: warning: mskTxt7 is hidden"));
        QVERIFY(run.err.contains("stdin:4: unknown control 'mskTxt9'"));

        // A word the editor does not know stops it before anything runs: the
        // schedule named in the first line is never written.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray path = dir.filePath(u"plan.vfp"_qs).toUtf8();
        const QByteArray start = "row-text 1 K, 12, B\nfile " + path + "\nmenu Dat_Sav\ndump\n";
        const std::pair<QByteArray, QByteArray> typos[] = {
            {"menu Dat_Nue", "stdin:5: unknown menu key 'Dat_Nue'"},
            {"highlight MenuFile", "stdin:5: unknown menu key 'MenuFile'"},
            {"# a remark\n\nfrobnicate 3", "stdin:7: unknown action 'frobnicate'"},
        };
        for (const auto& [typo, message] : typos) {
            const CliRun bad = RunCli({u"script"_qs}, start + typo + "\ndump\n");
            QCOMPARE(bad.exitCode, 2);
            QVERIFY2(bad.err.contains(message), bad.err.constData());
            QVERIFY(bad.out.isEmpty());
            QVERIFY(!QFileInfo::exists(QString::fromUtf8(path)));
        }
        QCOMPARE(RunCli({u"script"_qs}, start).exitCode, 0);
        QVERIFY(QFileInfo::exists(QString::fromUtf8(path)));
    }

    // Every command in every sub-form: a sentence for each line, nothing red.
    void explainEveryForm() {
        const CliRun run =
            RunCli({u"--lang"_qs, u"EN"_qs, u"explain"_qs, data("entry_all_forms.vfp")});
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> lines = jsonLines(run.out);
        QCOMPARE(lines.size(), 119);
        for (int i = 0; i < lines.size(); ++i) {
            const QJsonObject& o = lines[i];
            const QString text = o[u"text"].toString();
            QCOMPARE(o[u"line"].toInt(), i + 1);
            const QString explanation = o[u"explanation"].toString();
            QVERIFY2(!explanation.trimmed().isEmpty() && explanation != u"False input",
                     qPrintable(text + u" -> "_qs + explanation));
            QVERIFY2(o[u"redFields"].toArray().isEmpty(), qPrintable(text));
        }
        QCOMPARE(lines[109][u"explanation"].toString(), u"Time delay: 0.5 sec."_qs);
        QCOMPARE(lines[49][u"explanation"].toString(), u"  between 1 and 99 ==> SETVar[4]"_qs);
        QCOMPARE(lines[118][u"explanation"].toString(), u"* a remark line"_qs);
    }

    // Red exactly where an operand is false.
    void explainFalseForms() {
        const CliRun run = RunCli({u"explain"_qs, data("entry_false_forms.vfp")});
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> lines = jsonLines(run.out);
        const QStringList expected = {
            u"mskTxt2"_qs, u"mskTxt2"_qs,        u"mskTxt3"_qs, u"mskTxt2"_qs, u"mskTxt3"_qs,
            u"mskTxt5"_qs, u"mskTxt1"_qs,        u"mskTxt3"_qs, u"mskTxt2"_qs, u"mskTxt2"_qs,
            u"mskTxt5"_qs, u"mskTxt6"_qs,        u"mskTxt4"_qs, u"mskTxt3"_qs, u"mskTxt2"_qs,
            u"mskTxt2"_qs, u"mskTxt2"_qs,        u"mskTxt3"_qs, u"mskTxt2"_qs, u"mskTxt3"_qs,
            u"mskTxt4"_qs, u"mskTxt2 mskTxt3"_qs};
        QCOMPARE(lines.size(), expected.size());
        for (int i = 0; i < lines.size(); ++i) {
            QStringList red;
            for (const QJsonValue& v : lines[i][u"redFields"].toArray())
                red.append(v.toString());
            QVERIFY2(red.join(u' ') == expected[i],
                     qPrintable(lines[i][u"text"].toString() + u": "_qs + red.join(u' ')));
        }
    }

    // explain starts every line from the state after start-up: what the line
    // before left behind (a red field, a free-text box, a remark, a hidden
    // field) must not show.
    void explainForgetsTheLineBefore() {
        const QByteArray lines[] = {
            "Z, 1000",     "E",          "/, D12, How many?", "/",
            "N, a.vfp, 5", "K, 12, B",   "K, 1, B  * x",      "M, 5, G",
            "I4, 1, 2",    "I, 1, 2, 7", "F, T, 7, 30",       "F, K, 12, B, OR"};
        QByteArray all;
        for (const QByteArray& line : lines)
            all += line + "\r\n";
        const QList<QJsonObject> together = jsonLines(RunCli({u"explain"_qs}, all).out);
        QCOMPARE(together.size(), qsizetype(std::size(lines)));
        for (size_t i = 0; i < std::size(lines); ++i) {
            QJsonObject alone = jsonLines(RunCli({u"explain"_qs}, lines[i]).out).value(0);
            alone[u"line"_qs] = int(i + 1);
            QCOMPARE(together[qsizetype(i)], alone);
        }
    }

    void explainReadsStandardInput() {
        const CliRun run =
            RunCli({u"--lang"_qs, u"EN"_qs, u"explain"_qs}, "W, 5\r\n\r\n   \r\nz, 5\r\n");
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> lines = jsonLines(run.out);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0][u"explanation"].toString(), u"Repeat 5 times."_qs);
        QCOMPARE(lines[1][u"line"].toInt(), 4);
        QCOMPARE(lines[1][u"text"].toString(), u"z, 5"_qs);
        QCOMPARE(lines[1][u"explanation"].toString(), u"Time delay: 0.5 sec."_qs);
        QCOMPARE(RunCli({u"explain"_qs, u"/no/such/file.vfp"_qs}).exitCode, 2);
    }

    void checkCleanFile() {
        // Every valid line form, loose: its lines are clean, its blocks are not.
        const CliRun run = RunCli({u"check"_qs, u"--json"_qs, data("entry_all_forms.vfp")});
        for (const QJsonObject& p : jsonLines(run.out))
            QVERIFY2(p[u"field"].isNull() && p[u"kind"] != u"unknown-command"_qs,
                     qPrintable(p[u"message"].toString()));
        // Warnings alone leave the exit status at 0, and print as warnings.
        const QString sample = QStringLiteral(VX_SOURCE_DIR "/docs/sample.vfp");
        const CliRun warned = RunCli({u"--lang"_qs, u"EN"_qs, u"check"_qs, sample});
        QCOMPARE(warned.exitCode, 0);
        QCOMPARE(QString::fromUtf8(warned.out),
                 sample + u":2: warning: Subroutine that no \"R\" calls: SHUTTLE\n"_qs);
    }

    void checkFindsProblems() {
        const QString file = data("entry_check_problems.vfp");
        const CliRun run = RunCli({u"--lang"_qs, u"EN"_qs, u"check"_qs, file});
        QCOMPARE(run.exitCode, 1);
        const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
        const QStringList expected = {
            file + u":4: error: Address in schedule is not defined! NOWHERE"_qs,
            file + u":5: error: Unknown command: ?"_qs,
            file + u":6: error: Unknown command: KX"_qs,
            file + u":9: error: Address in schedule is not defined! SUB2"_qs,
            file + u":10: error: Address in schedule is double defined! START (defined at: 2)"_qs,
            file + u":11: error: False input: operand 1 (time delay in 1/10 sec.) 1000"_qs};
        QCOMPARE(lines, expected);
    }

    // F12 on a jump to an address defined nowhere beeps and says so in the
    // status bar; one that finds its address clears it.
    void goToDefinitionOfAnUndefinedAddress() {
        const CliRun run = RunCli({u"--lang"_qs, u"EN"_qs, u"script"_qs},
                                  "row-text 1 G, nowhere\nrow-text 2 !, HERE\n"
                                  "row-text 3 G, HERE\nrow 1\nkey F12\ndump\n"
                                  "row 3\nkey F12\ndump\n");
        QCOMPARE(run.exitCode, 0);
        const QList<QJsonObject> dumps = jsonLines(run.out);
        QCOMPARE(dumps.size(), 2);
        QCOMPARE(dumps[0][u"status"].toString(), u"Address in schedule is not defined! NOWHERE"_qs);
        QCOMPARE(dumps[0][u"beeps"].toInt(), 1);
        QCOMPARE(dumps[0][u"currentRow"].toInt(), 1);
        QVERIFY(!dumps[1].contains(u"status"));
        QCOMPARE(dumps[1][u"currentRow"].toInt(), 2);
    }

    void checkAsJson() {
        const QString file = data("entry_check_problems.vfp");
        const CliRun run = RunCli({u"check"_qs, u"--json"_qs, file});
        QCOMPARE(run.exitCode, 1);
        const QList<QJsonObject> problems = jsonLines(run.out);
        QCOMPARE(problems.size(), 6);
        QStringList kinds;
        for (const QJsonObject& p : problems) {
            kinds.append(p[u"kind"].toString());
            QCOMPARE(p[u"file"].toString(), file);
            QVERIFY(!p[u"message"].toString().isEmpty());
        }
        QCOMPARE(kinds,
                 (QStringList{u"undefined-address"_qs, u"unknown-command"_qs, u"unknown-command"_qs,
                              u"undefined-address"_qs, u"double-address"_qs, u"false-input"_qs}));
        QVERIFY(problems[0][u"field"].isNull());
        QCOMPARE(problems[5][u"field"].toString(), u"mskTxt2"_qs);
        QCOMPARE(problems[5][u"line"].toInt(), 11);
    }

    void aFileThatIsNoScheduleIsNamed() {
        // Read all the same (stdout keeps its contract), but named on stderr.
        QTemporaryDir dir;
        const QString picture = dir.filePath(u"picture.vfp"_qs);
        QVERIFY(WriteBytes(picture, QByteArray("\x89PNG\r\n\x1a\n\0\0K, 1\r\n", 16)));
        for (const QString& command : {u"check"_qs, u"explain"_qs}) {
            const CliRun run = RunCli({command, picture});
            QVERIFY2(
                run.err.contains(QByteArray(picture.toUtf8() + ": does not look like a schedule")),
                run.err.constData());
            QVERIFY(!run.out.isEmpty());
        }
        // Tabs, the old end-of-file mark and 127 are a schedule's own.
        const QString plain = dir.filePath(u"plain.vfp"_qs);
        QVERIFY(WriteBytes(plain, "K, 1\t* x\x1a\x7f\r\n"));
        QCOMPARE(RunCli({u"check"_qs, plain}).err, QByteArray());
    }

    void checkUsage() {
        QCOMPARE(RunCli({u"check"_qs}).exitCode, 2);
        const CliRun missing =
            RunCli({u"check"_qs, data("entry_all_forms.vfp"), u"/no/such/file.vfp"_qs});
        QCOMPARE(missing.exitCode, 2);
        QVERIFY(missing.err.contains("/no/such/file.vfp"));
    }
};

QTEST_GUILESS_MAIN(TestCliScript)
#include "test_cli_script.moc"
