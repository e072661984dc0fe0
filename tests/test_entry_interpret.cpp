// InterpretField as the user meets it: the command field's own rules and the
// common frame around every operand (the operand rules themselves, worked
// examples included, are in test_operand_rules_*).

#include "test_entry_driver.h"

using namespace vx;
using namespace vx::test;

class TestEntryInterpret : public QObject {
    Q_OBJECT

private slots:
    void commandField_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("head");
        QTest::addColumn<bool>("falseInput");
        QTest::newRow("N5") << u"N5"_qs << u"New loading of schedule no. 5 "_qs << false;
        QTest::newRow("N") << u"N"_qs << u"New loading of schedule  "_qs << false;
        QTest::newRow("N0") << u"N0"_qs << QString() << true;
        QTest::newRow("NX") << u"NX"_qs << QString() << true;
        QTest::newRow("Q3") << u"Q3"_qs << u"Queue of schedule no. 3: "_qs << false;
        QTest::newRow("Q") << u"Q"_qs << u"Queue:"_qs << false;
        QTest::newRow("V9") << u"V9"_qs << u"SET variable of no. 9 "_qs << false;
        QTest::newRow("J") << u"J"_qs << u"Jam/blockade generating: "_qs << false;
        QTest::newRow("I") << u"I"_qs << u"  between "_qs << false;
    }

    // The code is typed after the command was chosen (the list writes the
    // letter, the user adds the digit).
    void commandField() {
        QFETCH(QString, code);
        QFETCH(QString, head);
        QFETCH(bool, falseInput);
        Entry e;
        e.choose(code.front());
        e.newBeeps();
        // "NX": the mask refuses the letter; the program can still set it.
        QVERIFY(e.set(u"mskTxt1", code));
        QCOMPARE(e.redControls(), falseInput ? u"mskTxt1"_qs : QString());
        QCOMPARE(e.form().lblBemerkung.error, falseInput);
        QCOMPARE(e.newBeeps(), falseInput ? 2 : 0);
        if (falseInput) {
            QCOMPARE(e.caption(), u"False input"_qs);
            QCOMPARE(e.part(1), QString());
        } else {
            QCOMPARE(e.part(1), head);
            QCOMPARE(e.caption(), e.form().joinedExplanation());
        }
    }

    void randomNumberTarget() {
        Entry e;
        e.choose(u'I');
        QVERIFY(e.type(u"mskTxt2", u"1"));
        QVERIFY(e.type(u"mskTxt3", u"99"));
        QVERIFY(e.field(4).visible);
        QCOMPARE(e.caption(), u"  between 1 and 99 ==> SETVar"_qs);
        QVERIFY(e.type(u"mskTxt4", u"7"));
        QVERIFY(e.type(u"mskTxt1", u"4"));
        QCOMPARE(e.field(1).text, u"I4"_qs);
        QVERIFY(!e.field(4).visible);
        QCOMPARE(e.field(4).text, QString());
        QCOMPARE(e.caption(), u"  between 1 and 99 ==> SETVar[4]"_qs);
        QCOMPARE(int(e.form().CurrentHelpTopic), 1050);
    }

    void operandOneDiscardsTheLaterOnes() {
        Entry e;
        e.choose(u'L');
        QVERIFY(e.type(u"mskTxt2", u"3"));
        QVERIFY(e.type(u"mskTxt3", u"S"));
        QVERIFY(e.type(u"mskTxt4", u"100"));
        QVERIFY(e.type(u"mskTxt5", u"F"));
        QVERIFY(e.type(u"mskTxt6", u"1"));
        QCOMPARE(e.caption(), u"Locomotive no. 3 speed step 100 with light function=ON."_qs);
        QVERIFY(e.type(u"mskTxt2", u"4"));
        for (int k = 3; k <= 6; ++k) {
            QCOMPARE(e.field(k).text, QString());
            QCOMPARE(e.part(k), QString());
        }
        QCOMPARE(e.caption(), u"Locomotive no. 34 "_qs);
    }

    void falseInputBeepsTwiceAndIsNotBlocked() {
        Entry e;
        e.choose(u'Z');
        QVERIFY(e.type(u"mskTxt2", u"12"));
        const QString before = e.caption();
        e.newBeeps();
        QVERIFY(e.type(u"mskTxt2", u"34"));
        // 123 is fine, 1234 is not.
        QCOMPARE(e.newBeeps(), 2);
        QCOMPARE(e.field(2).text, u"1234"_qs);
        QCOMPARE(e.redControls(), u"mskTxt2"_qs);
        QCOMPARE(e.part(2), QString());
        QVERIFY(before != e.caption());
        // Correcting the value takes the colours back.
        QVERIFY(e.set(u"mskTxt2", QString()));
        QVERIFY(e.type(u"mskTxt2", u"7"));
        QCOMPARE(e.redControls(), QString());
        QVERIFY(!e.form().lblBemerkung.error);
        QCOMPARE(e.caption(), u"Time delay: 0.7 sec."_qs);
    }

    void emptyValueIsNeverFalse() {
        Entry e;
        e.choose(u'K');
        QVERIFY(e.type(u"mskTxt2", u"12"));
        QVERIFY(e.type(u"mskTxt3", u"B"));
        const QString sentence = e.caption();
        e.newBeeps();
        QVERIFY(e.set(u"mskTxt3", QString()));
        QCOMPARE(e.newBeeps(), 0);
        QCOMPARE(e.redControls(), QString());
        QVERIFY(!e.form().lblBemerkung.error);
        QCOMPARE(e.caption(), u"Wait until contact no. 12 "_qs);
        QVERIFY(sentence.startsWith(e.caption()));
    }

    void remarkKeepsItsCase() {
        Entry e;
        e.choose(u'*');
        QVERIFY(e.type(u"txbTxt2", u"Hello, Yard 3  "));
        QCOMPARE(e.caption(), u"* Hello, Yard 3  "_qs);
        QCOMPARE(int(e.form().CurrentHelpTopic), 1230);
    }

    void explanationInOtherLanguages() {
        Entry german(u"DE");
        german.choose(u'Z');
        QVERIFY(german.type(u"mskTxt2", u"5"));
        QCOMPARE(german.part(1), german.tx(u"Time delay: "));
        QVERIFY(german.caption() != u"Time delay: 0.5 sec."_qs);
        QVERIFY(german.caption().startsWith(german.tx(u"Time delay: ")));
    }
};

QTEST_APPLESS_MAIN(TestEntryInterpret)
#include "test_entry_interpret.moc"
