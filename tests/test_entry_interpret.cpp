// InterpretField as the user meets it: the command field's own rules, the
// common frame around every operand, and the examples of the explanation.

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

    // The examples of the explanation, typed operand by operand.
    void explanation_data() {
        QTest::addColumn<QChar>("code");
        QTest::addColumn<QStringList>("operands");
        QTest::addColumn<int>("part");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("red");
        QTest::newRow("A MK") << QChar(u'A') << QStringList{u"MK"_qs} << 2
                              << u", but only  markers."_qs << QString();
        QTest::newRow("L 12+") << QChar(u'L') << QStringList{u"12+"_qs} << 2 << u"12 "_qs
                               << QString();
        QTest::newRow("L 12+ opens")
            << QChar(u'L') << QStringList{u"12+"_qs} << 7 << u" (open) "_qs << QString();
        QTest::newRow("L M12- closes")
            << QChar(u'L') << QStringList{u"M12-"_qs} << 7 << u" (close) "_qs << QString();
        QTest::newRow("L M1000") << QChar(u'L') << QStringList{u"M1000"_qs} << 2 << QString()
                                 << u"mskTxt2"_qs;
        QTest::newRow("Z 5") << QChar(u'Z') << QStringList{u"5"_qs} << 2 << u"0.5 sec."_qs
                             << QString();
        QTest::newRow("Z 0") << QChar(u'Z') << QStringList{u"0"_qs} << 2 << u"0.0 sec."_qs
                             << QString();
        QTest::newRow("Z 123") << QChar(u'Z') << QStringList{u"123"_qs} << 2 << u"12.3 sec."_qs
                               << QString();
        QTest::newRow("Z 1000") << QChar(u'Z') << QStringList{u"1000"_qs} << 2 << QString()
                                << u"mskTxt2"_qs;
        QTest::newRow("T 7") << QChar(u'T') << QStringList{u"7"_qs} << 2 << u"07"_qs << QString();
        QTest::newRow("T 24") << QChar(u'T') << QStringList{u"24"_qs} << 2 << QString()
                              << u"mskTxt2"_qs;
        QTest::newRow("F Q") << QChar(u'F') << QStringList{u"Q"_qs} << 2 << QString()
                             << u"mskTxt2"_qs;
        QTest::newRow("F K 12 X") << QChar(u'F') << QStringList{u"K"_qs, u"12"_qs, u"X"_qs} << 4
                                  << u"changing to FREE "_qs << QString();
        QTest::newRow("F T 24") << QChar(u'F') << QStringList{u"T"_qs, u"24"_qs} << 3 << QString()
                                << u"mskTxt3"_qs;
        QTest::newRow("K 12 B") << QChar(u'K') << QStringList{u"12"_qs, u"B"_qs} << 3
                                << u"is OCCUPIED."_qs << QString();
        QTest::newRow("N 2000") << QChar(u'N') << QStringList{u"f.vfp"_qs, u"2000"_qs} << 3
                                << QString() << u"mskTxt3"_qs;
        QTest::newRow("O T") << QChar(u'O') << QStringList{u"1"_qs, u"T"_qs} << 3
                             << u" drehen um 180°"_qs << QString();
        QTest::newRow("L U V") << QChar(u'L') << QStringList{u"3"_qs, u"U"_qs, u"V"_qs} << 4
                               << u"to foreward and accelerate."_qs << QString();
    }

    void explanation() {
        QFETCH(QChar, code);
        QFETCH(QStringList, operands);
        QFETCH(int, part);
        QFETCH(QString, text);
        QFETCH(QString, red);
        Entry e;
        e.choose(code);
        for (int n = 0; n < operands.size(); ++n) {
            const QString control = n == 0 && e.form().txbTxt2.visible
                                        ? u"txbTxt2"_qs
                                        : u"mskTxt"_qs + QString::number(n + 2);
            QVERIFY(e.type(control, operands[n]));
            QCOMPARE(e.box(control).text, operands[n]);
        }
        QCOMPARE(e.redControls(), red);
        QCOMPARE(e.part(part), text);
        if (red.isEmpty()) {
            QCOMPARE(e.caption(), e.form().joinedExplanation());
            QVERIFY(!e.form().lblBemerkung.error);
        } else {
            QCOMPARE(e.caption(), u"False input"_qs);
            QVERIFY(e.form().lblBemerkung.error);
        }
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
