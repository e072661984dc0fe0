// Test_Eingabe: what every change of a masked entry field sets off.

#include "test_entry_driver.h"

using namespace vx;
using namespace vx::test;

class TestEntryCheck : public QObject {
    Q_OBJECT

private slots:
    void lineNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("beeps");
        const QString hint = u"Line no. of schedule command"_qs;
        const QString falseNumber = u"False line number!"_qs;
        QTest::newRow("within the table") << u"12"_qs << 12 << 99 << hint << 0;
        QTest::newRow("last row before the reserve row") << u"98"_qs << 98 << 99 << hint << 0;
        QTest::newRow("the reserve row grows the table") << u"99"_qs << 99 << 100 << hint << 0;
        QTest::newRow("beyond, without a question") << u"150"_qs << 150 << 151 << hint << 0;
        QTest::newRow("0") << u"0"_qs << 1 << 99 << falseNumber << 1;
        QTest::newRow("2000") << u"2000"_qs << 1 << 99 << falseNumber << 1;
        QTest::newRow("leading zeros") << u"0007"_qs << 7 << 99 << hint << 0;
    }

    void lineNumber() {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QFETCH(int, rowCount);
        QFETCH(QString, caption);
        QFETCH(int, beeps);
        Entry e;
        QVERIFY(e.set(u"mskTxt0", typed));
        const ScheduleDocument& doc = e.editor->document;
        QCOMPARE(doc.grid.currentRow, row);
        QCOMPARE(int(doc.RowCount), rowCount);
        QCOMPARE(e.caption(), caption);
        QCOMPARE(e.newBeeps(), beeps);
        QVERIFY(e.platform.messages.isEmpty());
        QCOMPARE(e.form().buttons.cmdEinf_leerZ,
                 u"Insert empty line at no. "_qs + QString::number(row));
    }

    void growingByHundredRowsAsks_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("number");
        QTest::newRow("yes") << int(MsgAnswer::Yes) << 500 << 501 << u"500"_qs;
        QTest::newRow("no puts the old row back") << int(MsgAnswer::No) << 3 << 99 << u"3"_qs;
    }

    void growingByHundredRowsAsks() {
        QFETCH(int, answer);
        QFETCH(int, row);
        QFETCH(int, rowCount);
        QFETCH(QString, number);
        Entry e;
        QVERIFY(e.row(3));
        e.platform.answers.push_back(answer);
        QVERIFY(e.set(u"mskTxt0", u"500"_qs));
        QCOMPARE(e.platform.messages.size(), 1);
        QVERIFY(e.platform.messages[0].prompt.contains(u"402"));
        QCOMPARE(e.editor->document.grid.currentRow, row);
        QCOMPARE(int(e.editor->document.RowCount), rowCount);
        QCOMPARE(e.field(0).text, number);
    }

    // Typed digit by digit, every keystroke moves the row.
    void lineNumberTyped() {
        Entry e;
        QVERIFY(e.set(u"mskTxt0", QString()));
        QVERIFY(e.type(u"mskTxt0", u"2000"));
        QCOMPARE(e.editor->document.grid.currentRow, 200);
        QCOMPARE(int(e.editor->document.RowCount), 201);
        QCOMPARE(e.caption(), u"False line number!"_qs);
        QCOMPARE(e.newBeeps(), 1);
    }

    void blankLineNumberDoesNothing() {
        Entry e;
        e.choose(u'K');
        const int topic = e.form().CurrentHelpTopic;
        const QString caption = e.caption();
        QVERIFY(e.set(u"mskTxt0", u"  "_qs));
        QCOMPARE(e.caption(), caption);
        QCOMPARE(int(e.form().CurrentHelpTopic), topic);
        QCOMPARE(e.newBeeps(), 0);
    }

    void typedCodeSelectsTheCommand_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<int>("topic");
        QTest::newRow("k is K") << u"k"_qs << 11 << u"K"_qs << u"mskTxt2 mskTxt3 mskTxt4"_qs
                                << 1060;
        QTest::newRow("n is N") << u"n"_qs << 14 << u"N"_qs << u"mskTxt3 mskTxt4 txbTxt2"_qs
                                << 1090;
        QTest::newRow("P swaps in the sound box")
            << u"P"_qs << 16 << u"P"_qs << u"txbTxt2"_qs << 1100;
        QTest::newRow("I with its digit")
            << u"I7"_qs << 9 << u"I7"_qs << u"mskTxt2 mskTxt3"_qs << 1050;
        QTest::newRow("no code") << u"1"_qs << 30 << u"1"_qs << u"mskTxt2"_qs << 960;
    }

    void typedCodeSelectsTheCommand() {
        QFETCH(QString, typed);
        QFETCH(int, command);
        QFETCH(QString, code);
        QFETCH(QString, visible);
        QFETCH(int, topic);
        Entry e;
        QVERIFY(e.type(u"mskTxt1", typed));
        QCOMPARE(int(e.form().CurrentCommand), command);
        QCOMPARE(e.field(1).text, code);
        QCOMPARE(e.visibleOperands(), visible);
        QCOMPARE(int(e.form().CurrentHelpTopic), topic);
        if (command == 30) {
            QCOMPARE(e.caption(), u"no valid schedule command"_qs);
            QCOMPARE(e.form().listIndex, -1);
        } else {
            QCOMPARE(e.form().listIndex, command);
        }
    }

    void clearingTheCommandField() {
        Entry e;
        e.choose(u'L');
        QVERIFY(e.set(u"mskTxt1", QString()));
        QCOMPARE(e.form().listIndex, 0);
        QCOMPARE(int(e.form().ListCommand), 0);
        QCOMPARE(e.visibleOperands(), u"mskTxt2"_qs);
        QCOMPARE(e.caption(), u"Please, select schedule command or input"_qs);
        // The heading line was selected: the topic of the list.
        QCOMPARE(int(e.form().CurrentHelpTopic), 960);
    }

    void operandFieldsAreCheckedOnlyWhenTyped() {
        Entry e;
        e.choose(u'K');
        QVERIFY(e.type(u"mskTxt2", u"12"));
        const QString caption = e.caption();
        // Another routine fills operand 2 while the focus is in operand 1.
        QVERIFY(e.set(u"mskTxt3", u"X"_qs));
        QCOMPARE(e.caption(), caption);
        QCOMPARE(e.redControls(), QString());
        QVERIFY(e.set(u"mskTxt3", QString()));
        QVERIFY(e.type(u"mskTxt3", u"X"));
        QCOMPARE(e.redControls(), u"mskTxt3"_qs);
    }

    void hintFollowsOperandOne() {
        Entry e;
        e.choose(u'B');
        QVERIFY(e.focus(u"mskTxt3"));
        QVERIFY(e.set(u"mskTxt2", u"5"_qs));
        QCOMPARE(e.form().lblHinweise.left, e.field(2).left);
        QCOMPARE(e.form().lblHinweise.caption,
                 br(u" Please, 1. parameter¶Contact number¶0 up to 1056 ¶to enter."));
    }

    // The help topic after a change: the command's, 1 for a blank command
    // field; the interpretation alone gives 140 there.
    void helpTopic() {
        Entry e;
        e.choose(u'N');
        QVERIFY(e.set(u"mskTxt1", QString()));
        QVERIFY(e.set(u"mskTxt0", u"4"_qs));
        QCOMPARE(int(e.form().CurrentHelpTopic), 1);
        // The file-name box still has the focus: its change interprets alone.
        QCOMPARE(e.focused(), u"txbTxt2"_qs);
        QVERIFY(e.type(u"txbTxt2", u"a"));
        QCOMPARE(int(e.form().CurrentHelpTopic), 140);
        QCOMPARE(e.part(1), u"Unknown command"_qs);
        QCOMPARE(e.form().listIndex, 0);
    }

    // The last command with masked operand fields is "!": its address field
    // shows whatever was on display before.
    void gotoAddressShowsItsField() {
        Entry e;
        e.choose(u'*');
        e.choose(u'!');
        QCOMPARE(e.visibleOperands(), u"mskTxt2"_qs);
        QCOMPARE(e.focused(), u"mskTxt2"_qs);
        QVERIFY(e.type(u"mskTxt2", u"loop1"));
        QCOMPARE(e.caption(), u"GOTO address: LOOP1"_qs);
    }

    void changeChainsEndInsteadOfLooping() {
        Entry e;
        e.choose(u'K');
        // A change handler that sets its own field again must come to an end.
        for (int i = 0; i < 200; ++i)
            QVERIFY(e.set(u"mskTxt1", i % 2 ? u"L"_qs : u"k"_qs));
        QCOMPARE(int(e.form().CurrentCommand), e.command(u'L'));
    }
};

QTEST_APPLESS_MAIN(TestEntryCheck)
#include "test_entry_check.moc"
