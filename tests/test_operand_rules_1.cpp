// Operand 1 of every command, typed as a user types it: the explanation line,
// the red field and the sub-forms it gives the later fields.

#include "test_operand_rules_session.h"

#include <QtTest>

using namespace vx;
using namespace vx::test;

class TestOperandRules1 : public QObject {
    Q_OBJECT

private slots:
    void explanation_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("operand");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("red");
        auto row = [](const char* name, const QString& code, const QString& operand,
                      const QString& caption,
                      int red = 0) { QTest::newRow(name) << code << operand << caption << red; };

        // A: category of what returns to its initial status.
        row("A markers, two blanks", u"A"_qs, u"MK"_qs,
            u"All to initial status, but only  markers."_qs);
        row("A magnetic articles", u"A"_qs, u"M"_qs,
            u"All to initial status, but only  magnetic articles."_qs);
        row("A C is contacts", u"A"_qs, u"C"_qs, u"All to initial status, but only  contacts."_qs);
        row("A R is switch routes", u"A"_qs, u"R"_qs,
            u"All to initial status, but only  switch routes."_qs);
        row("A P is track switches", u"A"_qs, u"P"_qs,
            u"All to initial status, but only  track switches/points."_qs);
        row("A unknown category", u"A"_qs, u"X"_qs, False, 2);
        row("A MX", u"A"_qs, u"MX"_qs, False, 2);

        // Contacts.
        row("B largest contact", u"B"_qs, u"1056"_qs, u"^1056 "_qs);
        row("B contact too big", u"B"_qs, u"1057"_qs, False, 2);
        row("K contact 0", u"K"_qs, u"0"_qs, u"^0 "_qs);
        row("H contact 0 is out", u"H"_qs, u"0"_qs, False, 2);
        row("H contact", u"H"_qs, u"12"_qs,
            u"^12 and store into SET variable or into a marker."_qs);

        // Function modules.
        row("C number", u"C"_qs, u"9999"_qs, u"Function module no. 9999 "_qs);
        row("C marker", u"C"_qs, u"M5"_qs, u"Function module(no. in marker 5) "_qs);
        row("C marker 0", u"C"_qs, u"M0"_qs, False, 2);
        row("C marker 1000", u"C"_qs, u"M1000"_qs, False, 2);
        row("C number 10000", u"C"_qs, u"10000"_qs, False, 2);

        row("D marker 999", u"D"_qs, u"999"_qs, u"^999 "_qs);
        row("D marker 0", u"D"_qs, u"0"_qs, False, 2);

        row("E subroutine", u"E"_qs, u"U"_qs, u"^Subroutine."_qs);
        row("E loop", u"E"_qs, u"W"_qs, u"^Repeating loop."_qs);
        row("E lower case", u"E"_qs, u"w"_qs, u"^Repeating loop."_qs);
        row("E other letter", u"E"_qs, u"X"_qs, False, 2);

        row("F unknown type", u"F"_qs, u"Q"_qs, False, 2);
        row("F contact", u"F"_qs, u"K"_qs, u"^Contact no. "_qs);
        row("F time", u"F"_qs, u"T"_qs, u"^Modell time "_qs);
        row("F SET variable", u"F"_qs, u"V"_qs, u"^SET variable"_qs);
        row("F marker", u"F"_qs, u"D"_qs, u"^Value of marker no. "_qs);
        row("F counter", u"F"_qs, u"Z"_qs, u"^All-purpose counter no. "_qs);

        row("G keeps the label's case", u"G"_qs, u"Yard2"_qs, u"^Yard2"_qs);

        row("I lower limit", u"I"_qs, u"1"_qs, u"  between 1 and "_qs);

        row("J stop", u"J"_qs, u"0"_qs,
            u"Jam/blockade generating: all locomotives get direct STOP"_qs);
        row("J all off", u"J"_qs, u"1"_qs, u"Jam/blockade generating: direct ALL OFF"_qs);
        row("J both", u"J"_qs, u"2"_qs,
            u"Jam/blockade generating: all locomotives get direct STOP "
            u"and then ALL OFF"_qs);
        row("J cancel stop", u"J"_qs, u"s"_qs,
            u"Jam/blockade generating: Cancel-Stop of schedule no."_qs);
        row("J 3", u"J"_qs, u"3"_qs, False, 2);

        // Locomotives.
        row("L open window", u"L"_qs, u"12+"_qs, u"Locomotive no. 12  (open) "_qs);
        row("L marker close window", u"L"_qs, u"M12-"_qs,
            u"Locomotive(no. in marker 12)  (close) "_qs);
        row("L marker 1000", u"L"_qs, u"M1000"_qs, False, 2);
        row("L 9999", u"L"_qs, u"9999"_qs, u"Locomotive no. 9999 "_qs);
        row("L 10000", u"L"_qs, u"10000"_qs, False, 2);
        row("L letter inside", u"L"_qs, u"1A"_qs, False, 2);
        row("L marker sign alone", u"L"_qs, u"M+"_qs, False, 2);

        row("M number", u"M"_qs, u"1024"_qs, u"Magnetic article no. 1024 "_qs);
        row("M 1025", u"M"_qs, u"1025"_qs, False, 2);
        row("M marker", u"M"_qs, u"M5"_qs, u"Magnetic article no. (Marker no. 5) "_qs);
        row("M marker 0", u"M"_qs, u"M0"_qs, False, 2);
        row("S number", u"S"_qs, u"7"_qs, u"Signal no. 7 "_qs);

        row("N file name", u"N"_qs, u"west.vfp"_qs, u"New loading of schedule  WEST.VFP"_qs);

        row("O turntable 2", u"O"_qs, u"2"_qs, u"^2"_qs);
        row("O turntable 3", u"O"_qs, u"3"_qs, False, 2);

        row("P sound 99", u"P"_qs, u"99"_qs, u"^99"_qs);
        row("P sound 100", u"P"_qs, u"100.wav"_qs, False, 2);
        row("P file name", u"P"_qs, u"horn.wav"_qs, u"^HORN.WAV"_qs);

        row("Q start", u"Q"_qs, u"A"_qs, u"Queue: 1. Field of queue-no. "_qs);
        row("Q end", u"Q"_qs, u"E"_qs, u"Queue: Next field of queue no. "_qs);
        row("Q goto", u"Q"_qs, u"G"_qs, u"Queue: Goto  Field of queue-no. "_qs);
        row("Q move", u"Q"_qs, u"M"_qs,
            u"Queue: Move SET variable to actual Field of queue-no. "_qs);
        row("Q add", u"Q"_qs, u"P"_qs, u"Queue: Add to actual Field of queue-no. "_qs);
        row("Q step", u"Q"_qs, u"S"_qs, u"Queue-no. n step moving "_qs);
        row("Q takeover", u"Q"_qs, u"V"_qs, u"Queue: Transfer actual value of queue no. "_qs);
        row("Q unknown letter", u"Q"_qs, u"X"_qs, False, 2);

        row("T hour 7", u"T"_qs, u"7"_qs, u"Modell time 07"_qs);
        row("T hour 0", u"T"_qs, u"0"_qs, u"Modell time 0"_qs);
        row("T hour 23", u"T"_qs, u"23"_qs, u"Modell time 23"_qs);
        row("T hour 24", u"T"_qs, u"24"_qs, False, 2);
        row("T model time via marker", u"T"_qs, u"TM"_qs, u"Modell time via marker no."_qs);
        row("T German model time", u"T"_qs, u"ZM"_qs, u"Modell time via marker no."_qs);
        row("T system time via marker", u"T"_qs, u"TS"_qs, u"System time via marker no."_qs);
        row("T German system time", u"T"_qs, u"ZS"_qs, u"System time via marker no."_qs);
        row("T other letter", u"T"_qs, u"X"_qs, False, 2);

        row("U name", u"U"_qs, u"shunt"_qs, u"^: SHUNT."_qs);

        row("V marker", u"V"_qs, u"M5"_qs, u"^Value of marker no. 5"_qs);
        row("V marker 0", u"V"_qs, u"M0"_qs, False, 2);
        row("V value", u"V"_qs, u"12"_qs, u"^to value 12."_qs);

        row("W count", u"W"_qs, u"5"_qs, u"^5 times."_qs);
        row("W marker", u"W"_qs, u"M7"_qs, u"^(Value in marker no. 7) x-times."_qs);
        row("W 1000", u"W"_qs, u"1000"_qs, False, 2);

        row("X route 512", u"X"_qs, u"512"_qs, u"^512"_qs);
        row("X route 513", u"X"_qs, u"513"_qs, False, 2);
        row("Y marker 0", u"Y"_qs, u"0"_qs, False, 2);

        row("Z half a second", u"Z"_qs, u"5"_qs, u"^0.5 sec."_qs);
        row("Z zero", u"Z"_qs, u"0"_qs, u"^0.0 sec."_qs);
        row("Z ten", u"Z"_qs, u"10"_qs, u"^1.0 sec."_qs);
        row("Z 12.3", u"Z"_qs, u"123"_qs, u"^12.3 sec."_qs);
        row("Z 1000", u"Z"_qs, u"1000"_qs, False, 2);
        row("Z marker", u"Z"_qs, u"M3"_qs, u"^(Value in marker no. 3) *1/10 sec."_qs);

        row("/ information", u"/"_qs, u"I"_qs, u"Operating command Information text: "_qs);
        row("/ message", u"/"_qs, u"M"_qs, u"Operating command Message text: "_qs);
        row("/ trace", u"/"_qs, u"T"_qs, u"Operating command TRACE: "_qs);
        row("/ data input", u"/"_qs, u"D5"_qs, u" Data input with storing into Marker no.5"_qs);
        row("/ data input marker 0", u"/"_qs, u"D0"_qs, False, 2);

        row("! address", u"!"_qs, u"yard"_qs, u"GOTO address: YARD"_qs);
        row("* remark as typed", u"*"_qs, u" late train"_qs, u"*  late train"_qs);
    }

    void explanation() {
        QFETCH(QString, code);
        QFETCH(QString, operand);
        QFETCH(QString, caption);
        QFETCH(int, red);
        EntrySession s;
        const QString head = Enter(s, code, {operand});
        QCOMPARE(s.caption(), WithHead(head, caption));
        QCOMPARE(s.redField(), red);
        QCOMPARE(s.captionRed(), red != 0);
    }

    // A command field that names no command: the operand cannot be judged.
    void unknownCommand() {
        EntrySession s;
        QCOMPARE(s.type(1, u"9"_qs), QString());
        QCOMPARE(s.type(2, u"5"_qs), QString());
        QCOMPARE(s.caption(), u"Unknown command"_qs);
        QCOMPARE(s.form().listIndex, 0);
        QCOMPARE(s.redField(), 0);
    }

    void conditionSubForms_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("mask2");
        QTest::addColumn<QString>("mask3");
        QTest::addColumn<QChar>("prompt3");
        QTest::addColumn<QString>("hint3");
        QTest::newRow("contact")
            << u"K"_qs << u"####"_qs << u"?"_qs << QChar(u' ')
            << u"B (occupied) or\n\r  F (free) or\n\r  X (changing to free)"_qs;
        QTest::newRow("magnetic article") << u"M"_qs << u"####"_qs << u"?"_qs << QChar(u' ')
                                          << u"R (red), G (green) or O (orange)"_qs;
        QTest::newRow("model time") << u"T"_qs << u"C##"_qs << u"##"_qs << QChar(u'_')
                                    << u"Modell minute\n\r  0 up to 59"_qs;
        QTest::newRow("SET variable")
            << u"V"_qs << u"CCCCC"_qs << u"CCC"_qs << QChar(u'_') << u"optionally: AND or OR"_qs;
        QTest::newRow("switch route")
            << u"X"_qs << u"###"_qs << u"?"_qs << QChar(u' ') << u"R (reserved) or F (free)"_qs;
        QTest::newRow("marker") << u"D"_qs << u"###"_qs << u"CC####"_qs << QChar(u'_')
                                << u"Marker value 0 up to 99999\n\r  or M with following  marker "
                                   u"number\n\r  ( as 1. sign < or > are possible) \n\r  or "
                                   u"E=even, O=odd"_qs;
        QTest::newRow("counter") << u"Z"_qs << u"####"_qs << u"CC#####"_qs << QChar(u'_')
                                 << u"Counter value\n\r  -99999 up to 99999\n\r  < or > sign is "
                                    u"possible;\n\r  or E=even or O=odd"_qs;
    }

    void conditionSubForms() {
        QFETCH(QString, type);
        QFETCH(QString, mask2);
        QFETCH(QString, mask3);
        QFETCH(QChar, prompt3);
        QFETCH(QString, hint3);
        EntrySession s;
        Enter(s, u"F"_qs, {type});
        QCOMPARE(s.field(3).mask, mask2);
        QCOMPARE(s.field(3).prompt, QChar(u'_'));
        QCOMPARE(s.field(3).maxLength, mask2.size());
        QCOMPARE(s.field(4).mask, mask3);
        QCOMPARE(s.field(4).prompt, prompt3);
        QCOMPARE(s.field(3).width, 56);
        QCOMPARE(s.field(4).width, 32);
        QCOMPARE(s.field(4).left, s.field(3).left + 56 + 3);
        QCOMPARE(s.field(5).left, s.field(4).left + 32 + 3);
        QCOMPARE(s.hint(u'F', 3), hint3);
        if (type != u"V") {
            QCOMPARE(s.field(5).mask, u"CCC"_qs);
            QVERIFY(s.field(5).visible);
            QCOMPARE(s.hint(u'F', 4), u"optionally: AND or OR"_qs);
        }
    }

    void conditionArticleHintNamesTheArticle() {
        EntrySession s;
        Enter(s, u"F"_qs, {u"S"_qs});
        QCOMPARE(s.hint(u'F', 2), u"Signal no. \n\r  0 up to 1024"_qs);
    }

    void fetchLocoOffersMarker() {
        EntrySession s;
        Enter(s, u"H"_qs, {u"12"_qs});
        QCOMPARE(s.hint(u'H', 2),
                 u"optionally: schedule no. (1 up to 9)\n\r  or M with following Marker no."_qs);
    }

    void locomotiveHidesLightValue() {
        EntrySession s;
        s.choose(u'L');
        QVERIFY(s.field(6).visible);
        s.type(2, u"3"_qs);
        QVERIFY(!s.field(6).visible);
        QCOMPARE(s.field(6).mask, u"a"_qs);
        QCOMPARE(s.field(6).prompt, QChar(u' '));
    }

    void queueOperand3Field_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("hint");
        QTest::newRow("start") << u"A"_qs << u"####"_qs << u"Value\n\r  1 up to 9999"_qs;
        QTest::newRow("goto") << u"G"_qs << u"99"_qs << u"Goto  field "_qs;
        QTest::newRow("add") << u"P"_qs << u"9999"_qs << u"Add to actualField of queue-no. "_qs;
        QTest::newRow("step") << u"S"_qs << u"99"_qs << u"step -9 up to +9"_qs;
    }

    void queueOperand3Field() {
        QFETCH(QString, letter);
        QFETCH(QString, mask);
        QFETCH(QString, hint);
        EntrySession s;
        Enter(s, u"Q"_qs, {letter});
        QVERIFY(s.field(4).visible);
        QCOMPARE(s.field(4).mask, mask);
        QCOMPARE(s.field(4).prompt, QChar(u'_'));
        QCOMPARE(s.hint(u'Q', 3), hint);
    }

    void modelTimeForms() {
        EntrySession s;
        Enter(s, u"T"_qs, {u"TS"_qs});
        QVERIFY(!s.field(4).visible);
        QCOMPARE(s.field(3).mask, u"###"_qs);
        QCOMPARE(s.hint(u'T', 2), u"Marker no.\n\r  1 up to 999"_qs);
        QCOMPARE(s.hint(u'T', 3), QString());
        QCOMPARE(s.hint(u'T', 4), QString());

        s.retype(2, u"8"_qs);
        QCOMPARE(s.caption(), u"Modell time 08"_qs);
        QCOMPARE(s.field(3).mask, u"##"_qs);
        QVERIFY(s.field(4).visible);
        QCOMPARE(s.hint(u'T', 3),
                 u"optionally: code:\n\r  S (Set clock) or\n\r  H (stop clock)"_qs);
        QCOMPARE(s.hint(u'T', 4), u"optionally: time lapse value\n\r  (1 up to 600)"_qs);
    }

    void operatingTextBox() {
        EntrySession s;
        Enter(s, u"/"_qs, {u"I"_qs});
        QVERIFY(!s.field(3).visible);
        QVERIFY(s.form().txbTxt3.visible);
        QCOMPARE(s.form().txbTxt3.maxLength, 50);
        QCOMPARE(s.hint(u'/', 2), u"Information text"_qs);

        s.retype(2, u"T"_qs);
        QVERIFY(s.field(3).visible);
        QVERIFY(!s.form().txbTxt3.visible);
        QCOMPARE(s.field(3).mask, u"a"_qs);
        QCOMPARE(s.hint(u'/', 2),
                 u"TRACE switching off/on\n\r  0 = switching off\n\r  1 = switching on"_qs);
    }

    void operatingDataInputRenamesCommand() {
        EntrySession s;
        Enter(s, u"/"_qs, {u"D12"_qs});
        QCOMPARE(s.field(2).mask, u"A###"_qs);
        QVERIFY(s.form().txbTxt3.visible);
        const int row = s.editor().commands.findByLine(u"/");
        QCOMPARE(s.form().commandName(row), u"INPUT ==> Marker no.12"_qs);
    }
};

QTEST_GUILESS_MAIN(TestOperandRules1)
#include "test_operand_rules_1.moc"
