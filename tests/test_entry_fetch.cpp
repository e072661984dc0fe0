// Fetching a row back into the entry fields, and the line-number field that
// follows the grid's current row.

#include "editor/schedule_check.h"
#include "test_entry_driver.h"

using namespace vx;
using namespace vx::test;

class TestEntryFetch : public QObject {
    Q_OBJECT

private slots:
    void fetch_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields"); // mskTxt1..mskTxt6
        QTest::addColumn<QString>("freeText");   // txbTxt2
        QTest::addColumn<QString>("remark");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("visible");
        QTest::newRow("command with remark")
            << u"K, 12, B  * west yard"_qs << QStringList{u"K"_qs, u"12"_qs, u"B"_qs} << QString()
            << u"west yard"_qs << u"mskTxt4"_qs << u"mskTxt2 mskTxt3 mskTxt4"_qs;
        QTest::newRow("first empty operand takes the focus")
            << u"L, 3"_qs << QStringList{u"L"_qs, u"3"_qs} << QString() << QString()
            << u"mskTxt3"_qs << u"mskTxt2 mskTxt3 mskTxt5"_qs;
        // The command's setup has put the focus into operand 1; a full line
        // leaves it there.
        QTest::newRow("all five operands")
            << u"L, 12+, S, L, F, 1"_qs
            << QStringList{u"L"_qs, u"12+"_qs, u"S"_qs, u"L"_qs, u"F"_qs, u"1"_qs} << QString()
            << QString() << u"mskTxt2"_qs << u"mskTxt2 mskTxt3 mskTxt4 mskTxt5 mskTxt6"_qs;
        QTest::newRow("remark line")
            << u"*  two blanks"_qs << QStringList{u"*"_qs} << u" two blanks"_qs << QString()
            << u"txbTxt2"_qs << u"txbTxt2"_qs;
        QTest::newRow("operating command keeps its asterisk")
            << u"/, M, Train late *now"_qs << QStringList{u"/"_qs, u"M"_qs, u"Train late *now"_qs}
            << QString() << QString() << u"mskTxt2"_qs << u"mskTxt2 txbTxt3"_qs;
        // The code field gets the line's field as it stands.
        QTest::newRow("lower case code") << u"k, 5"_qs << QStringList{u"k"_qs, u"5"_qs} << QString()
                                         << QString() << u"mskTxt3"_qs << u"mskTxt2 mskTxt3"_qs;
        QTest::newRow("code with digit")
            << u"I4, 1, 99"_qs << QStringList{u"I4"_qs, u"1"_qs, u"99"_qs} << QString() << QString()
            << u"mskTxt2"_qs << u"mskTxt2 mskTxt3"_qs;
        QTest::newRow("sound file") << u"P, horn.wav"_qs << QStringList{u"P"_qs} << u"horn.wav"_qs
                                    << QString() << u"txbTxt2"_qs << u"txbTxt2"_qs;
    }

    void fetch() {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QFETCH(QString, freeText);
        QFETCH(QString, remark);
        QFETCH(QString, focus);
        QFETCH(QString, visible);
        Entry e;
        e.fetch(5, line);
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(e.field(k).text, k <= fields.size() ? fields[k - 1] : QString());
        QCOMPARE(e.form().txbTxt2.text, freeText);
        QCOMPARE(e.form().txbAnmerk.text, remark);
        QCOMPARE(e.focused(), focus);
        QCOMPARE(e.visibleOperands(), visible);
        QCOMPARE(e.redControls(), QString());
        QVERIFY(e.editor->document.Modified);
        QVERIFY(e.editor->autosaveEnabled);
        QCOMPARE(e.editor->document.line(5), line);
    }

    void explanationOfTheFetchedLine() {
        Entry e;
        e.fetch(2, u"M, 5, G"_qs);
        QCOMPARE(e.caption(), u"Magnetic article no. 5 switching to GREEN."_qs);
        QCOMPARE(int(e.form().CurrentHelpTopic), 1080);
        e.fetch(3, u"/, I, Information for all"_qs);
        QCOMPARE(e.form().txbTxt3.text, u"Information for all"_qs);
        QCOMPARE(e.caption(), u"Operating command Information text: Information for all"_qs);
        e.fetch(4, u"Z, 1000"_qs);
        QCOMPARE(e.redControls(), u"mskTxt2"_qs);
        QCOMPARE(e.caption(), u"False input"_qs);
        QCOMPARE(e.newBeeps(), 2);
    }

    void remarkStaysUntilALineBringsOne() {
        Entry e;
        e.fetch(1, u"K, 12, B  * west yard"_qs);
        e.fetch(2, u"M, 5, G"_qs);
        QCOMPARE(e.form().txbAnmerk.text, u"west yard"_qs);
        e.fetch(3, u"S, 7, R  *  east "_qs);
        QCOMPARE(e.form().txbAnmerk.text, u"east"_qs);
    }

    void emptyRowClearsTheFields() {
        Entry e;
        e.fetch(1, u"L, 3, S, 100"_qs);
        e.editor->document.Modified = false;
        QVERIFY(e.row(7));
        QVERIFY(e.click(u"fetch"));
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(e.field(k).text, QString());
        QVERIFY(e.editor->document.Modified);
        QCOMPARE(e.form().listIndex, 0);
    }

    void unknownCommand() {
        Entry e;
        e.fetch(1, u"?, 12"_qs);
        QCOMPARE(int(e.form().CurrentCommand), 30);
        QCOMPARE(e.part(1), u"Unknown command"_qs);
        QCOMPARE(e.form().listIndex, 0);
        Entry fresh;
        fresh.fetch(2, u"1"_qs);
        QCOMPARE(int(fresh.form().CurrentCommand), 30);
        QCOMPARE(fresh.caption(), QString());
        QCOMPARE(fresh.redControls(), QString());
    }

    void doubleClickFetchesToo() {
        Entry e;
        QVERIFY(e.rowText(2, u"W, 5"_qs));
        QVERIFY(e.row(2));
        QVERIFY(e.dblclick());
        QCOMPARE(e.caption(), u"Repeat 5 times."_qs);
    }

    void currentRowDrivesTheLineNumber() {
        Entry e;
        QVERIFY(e.rowText(12, u"K, 1, B"_qs));
        QVERIFY(e.row(12));
        QCOMPARE(e.field(0).text, u"12"_qs);
        QCOMPARE(e.form().buttons.cmdHol_Zei, br(u"Fetch from ¶ line no. 12"));
        QCOMPARE(e.form().buttons.cmdLoe_Zei, br(u"Erase ¶line no. 12"));
        QCOMPARE(e.form().buttons.cmdEinf_leerZ, u"Insert empty line at no. 12"_qs);
        QCOMPARE(e.form().buttons.cmdUeb_leerZ, u"Transfer into first empty line"_qs);
        QCOMPARE(e.caption(), u"Line no. of schedule command"_qs);
        QVERIFY(!e.form().lineNumberRed);
        QVERIFY(!e.row(0));
        QVERIFY(!e.row(100));
        QCOMPARE(e.editor->document.grid.currentRow, 12);
    }

    void lineNumberTurnsRedWhenItNamesAnotherLine() {
        Entry e;
        QVERIFY(e.rowText(3, u"K, 1, B"_qs));
        QVERIFY(e.row(3));
        // The number is gone from the field; the fetch finds it naming no line.
        QVERIFY(e.set(u"mskTxt0", QString()));
        QVERIFY(e.click(u"fetch"));
        QVERIFY(e.form().lineNumberRed);
        QVERIFY(e.set(u"mskTxt0", u"3"_qs));
        QVERIFY(e.click(u"fetch"));
        QVERIFY(!e.form().lineNumberRed);
    }

    void stateComesBackWhole() {
        Entry e;
        const EntryFormState fresh = e.form();
        e.dump();
        const QString before = e.dump();
        e.choose(u'N');
        QVERIFY(e.type(u"txbTxt2", u"a.vfp"));
        QVERIFY(e.type(u"mskTxt3", u"12"));
        e.choose(u'/');
        QVERIFY(e.type(u"mskTxt2", u"D"));
        QVERIFY(e.focus(u"txbTxt3"));
        QVERIFY(e.type(u"txbAnmerk", u"x"));
        QVERIFY(e.dump() != before);
        static_cast<EntryFormState&>(e.form()) = fresh;
        QCOMPARE(e.dump(), before);
    }

    // explain starts every line from the state after start-up: whatever the
    // line before left behind must not show.
    void explainerForgetsTheLineBefore_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("line");
        QTest::newRow("red field") << u"Z, 1000"_qs << u"E"_qs;
        QTest::newRow("renamed operating command") << u"/, D12, How many?"_qs << u"/"_qs;
        QTest::newRow("free-text box") << u"N, a.vfp, 5"_qs << u"K, 12, B"_qs;
        QTest::newRow("remark") << u"K, 1, B  * x"_qs << u"M, 5, G"_qs;
        QTest::newRow("hidden target") << u"I4, 1, 2"_qs << u"I, 1, 2, 7"_qs;
        QTest::newRow("F re-shaped") << u"F, T, 7, 30"_qs << u"F, K, 12, B, OR"_qs;
    }

    void explainerForgetsTheLineBefore() {
        QFETCH(QString, before);
        QFETCH(QString, line);
        LineExplainer used(u"EN");
        used.explain(before);
        const LineExplanation a = used.explain(line);
        LineExplainer fresh(u"EN");
        const LineExplanation b = fresh.explain(line);
        QCOMPARE(a.explanation, b.explanation);
        QCOMPARE(a.redFields, b.redFields);
        const EntryForm& f1 = *used.editor().form;
        const EntryForm& f2 = *fresh.editor().form;
        for (size_t k = 0; k < f1.msk.size(); ++k) {
            QCOMPARE(f1.msk[k].text, f2.msk[k].text);
            QCOMPARE(f1.msk[k].mask, f2.msk[k].mask);
            QCOMPARE(f1.msk[k].visible, f2.msk[k].visible);
        }
        QCOMPARE(f1.txbAnmerk.text, f2.txbAnmerk.text);
        QCOMPARE(f1.txbTxt2.text, f2.txbTxt2.text);
        QCOMPARE(f1.commandName(27), f2.commandName(27));
    }
};

QTEST_APPLESS_MAIN(TestEntryFetch)
#include "test_entry_fetch.moc"
