// What the entry fields do when the focus arrives, and F1.

#include "test_entry_driver.h"

using namespace vx;
using namespace vx::test;

class TestEntryFields : public QObject {
    Q_OBJECT

private slots:
    void startUp() {
        Entry e;
        QCOMPARE(e.field(0).text, u"1"_qs);
        QCOMPARE(e.field(0).mask, u"####"_qs);
        QCOMPARE(e.field(1).mask, u"&#"_qs);
        QCOMPARE(e.field(1).prompt, QChar(u' '));
        QVERIFY(!e.form().lblHinweise.visible);
        QCOMPARE(e.caption(), u"Please, select schedule command or input"_qs);
        QCOMPARE(e.form().buttons.cmdUeb_Zei, u"Move into line no. 1"_qs);
        QCOMPARE(e.form().buttons.cmdHol_Zei, br(u"Fetch from ¶ line no. 1"));
    }

    // The command field holds a text when the focus comes: a code selects its
    // command, anything else keeps the layout on display and beeps.
    void commandFieldEntry_data() {
        QTest::addColumn<QChar>("shown");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("beeps");
        QTest::newRow("k selects K")
            << QChar(u'L') << u"k"_qs << 11 << u"Wait for contact status (FREE / OCCUPIED)"_qs << 0;
        QTest::newRow("* selects the remark line")
            << QChar(u'L') << u"*"_qs << 29 << u"Remark line"_qs << 0;
        QTest::newRow("no code") << QChar(u'L') << u"?"_qs << 30
                                 << u"Please, select schedule command or input"_qs << 1;
        // A letter with a digit is no code for this lookup.
        QTest::newRow("I5") << QChar(u'I') << u"I5"_qs << 9
                            << u"Please, select schedule command or input"_qs << 1;
    }

    void commandFieldEntry() {
        QFETCH(QChar, shown);
        QFETCH(QString, text);
        QFETCH(int, command);
        QFETCH(QString, caption);
        QFETCH(int, beeps);
        Entry e;
        e.choose(shown);
        // The program writes the field, the user clicks into it afterwards.
        QVERIFY(e.set(u"mskTxt1", text));
        const QString visible = e.visibleOperands();
        e.newBeeps();
        QVERIFY(e.focus(u"mskTxt1"));
        QCOMPARE(int(e.form().CurrentCommand), command);
        QCOMPARE(e.caption(), caption);
        QCOMPARE(e.newBeeps(), beeps);
        if (beeps > 0) {
            QCOMPARE(e.visibleOperands(), visible);
            QCOMPARE(e.focused(), u"mskTxt1"_qs);
            QVERIFY(!e.form().lblHinweise.visible);
        } else {
            QCOMPARE(e.form().listIndex, command);
        }
    }

    void codeTypedElsewhereSelectsOnEntry() {
        Entry e;
        e.choose(u'L');
        // The field holds k although L is on display (as after a help request).
        e.field(1).text = u"k"_qs;
        QVERIFY(e.focus(u"mskTxt1"));
        QCOMPARE(int(e.form().CurrentCommand), 11);
        QCOMPARE(e.visibleOperands(), u"mskTxt2 mskTxt3 mskTxt4"_qs);
        QCOMPARE(e.caption(), u"Wait for contact status (FREE / OCCUPIED)"_qs);
    }

    void commandFieldEntryShowsTheName() {
        Entry e;
        e.choose(u'K');
        QVERIFY(e.focus(u"mskTxt1"));
        QCOMPARE(e.caption(), u"Wait for contact status (FREE / OCCUPIED)"_qs);
        QVERIFY(!e.form().lblHinweise.visible);
        // The Help command's focus dance leaves the field alone.
        QVERIFY(e.focus(u"mskTxt2"));
        e.form().helpMenuFreeBox = 2;
        const QString before = e.caption();
        QVERIFY(e.focus(u"mskTxt1"));
        QCOMPARE(e.caption(), before);
    }

    void operandFieldWithoutCommand() {
        Entry e;
        QVERIFY(e.focus(u"mskTxt2"));
        QCOMPARE(e.caption(), u"Please, first select schedule command or input"_qs);
        QVERIFY(!e.form().lblHinweise.visible);
    }

    void lineNumberFieldEntry() {
        Entry e;
        e.choose(u'K');
        QVERIFY(e.focus(u"mskTxt0"));
        QCOMPARE(e.caption(), u"Line no. of schedule command"_qs);
    }

    void emptyOperandFieldPutsTheCursorFirst() {
        Entry e;
        e.choose(u'K');
        e.field(4).selStart = 2;
        e.field(4).selLength = 1;
        QVERIFY(e.focus(u"mskTxt4"));
        QCOMPARE(e.field(4).selStart, 0);
        QCOMPARE(e.field(4).selLength, 0);
        QCOMPARE(e.form().lblHinweise.left, e.field(4).left);
        QCOMPARE(e.form().lblHinweise.caption,
                 br(u" Please, 3. parameter¶optionally: AND or OR ¶to enter."));
    }

    // Moving into operand field 2 gives it the form that operand 1 asks for.
    void secondOperandLayout_data() {
        QTest::addColumn<QChar>("code");
        QTest::addColumn<QString>("operand1");
        QTest::addColumn<QString>("mask3");
        QTest::addColumn<QString>("mask4");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("hint2");
        QTest::newRow("F V hides field 4")
            << QChar(u'F') << u"V"_qs << u"CCCCC"_qs << u"CCCC"_qs << u"mskTxt2 mskTxt3 mskTxt4"_qs
            << br(u"Value of SET variable¶0 up to 9999,¶< or > "
                  u"sign is possible");
        QTest::newRow("F K") << QChar(u'F') << u"K"_qs << u"####"_qs << u"?"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs
                             << br(u"Contact number¶0 up to 1056");
        QTest::newRow("F T") << QChar(u'F') << u"T"_qs << u"C##"_qs << u"##"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs
                             << br(u"Modell hour¶0 up to 23");
        QTest::newRow("F Z") << QChar(u'F') << u"Z"_qs << u"####"_qs << u"CC#####"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs
                             << br(u"All-purpose counter no.¶0 up to 1024");
        QTest::newRow("Q S") << QChar(u'Q') << u"S"_qs << u"#"_qs << u"99"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4"_qs << br(u"Queue no.¶1 up to 9");
        // J has one operand field; its second operand shows only when fetched.
        QTest::newRow("J S") << QChar(u'J') << u"S"_qs << u"#"_qs << QString() << u"mskTxt2"_qs
                             << u" 1 up to 9 = schedule-number"_qs;
        QTest::newRow("J 0") << QChar(u'J') << u"0"_qs << QString() << QString() << u"mskTxt2"_qs
                             << br(u"0 = without Auto=>Stop¶1 = with Auto=>Stop");
        QTest::newRow("L M") << QChar(u'L') << u"M12"_qs << u"A"_qs << u"aaaa"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs
                             << br(u"Control type¶S (Absolute step),¶B (accelerate, decelerate) "
                                   u"or¶U (switch direction)");
        QTest::newRow("C M") << QChar(u'C') << u"M7"_qs << u"A##"_qs << u"AAA"_qs
                             << u"mskTxt2 mskTxt3 mskTxt4"_qs
                             << br(u"function no. F..¶1 up to 28 or¶Function picture ¶P2 up to "
                                   u"P50");
    }

    void secondOperandLayout() {
        QFETCH(QChar, code);
        QFETCH(QString, operand1);
        QFETCH(QString, mask3);
        QFETCH(QString, mask4);
        QFETCH(QString, visible);
        QFETCH(QString, hint2);
        Entry e;
        e.choose(code);
        QVERIFY(e.type(u"mskTxt2", operand1));
        QVERIFY(e.focus(u"mskTxt3"));
        if (!mask3.isNull())
            QCOMPARE(e.field(3).mask, mask3);
        if (!mask4.isNull())
            QCOMPARE(e.field(4).mask, mask4);
        QCOMPARE(e.visibleOperands(), visible);
        QCOMPARE(e.hint(code, 2), hint2);
        QCOMPARE(e.form().lblHinweise.left, e.field(3).left);
        QVERIFY(e.form().lblHinweise.caption.contains(hint2));
    }

    void newLoadingGainsItsStartFields() {
        Entry e;
        e.choose(u'N');
        QCOMPARE(e.focused(), u"txbTxt2"_qs);
        QCOMPARE(e.field(1).mask, u"A#"_qs);
        QVERIFY(e.type(u"mskTxt1", u"3"));
        QCOMPARE(e.field(1).text, u"N3"_qs);
        const EntryField& start = e.field(3);
        const EntryField& address = e.field(4);
        QVERIFY(start.visible);
        QCOMPARE(start.mask, u"9999"_qs);
        QCOMPARE(start.left, e.form().txbTxt2.left + 280 + 8);
        QVERIFY(address.visible);
        QCOMPARE(address.maxLength, 12);
        QCOMPARE(address.left, start.left + start.width + 8);
        QCOMPARE(e.hint(u'N', 2), br(u"starting with line:¶1 up to max. 1999"));
        QCOMPARE(e.hint(u'N', 3), br(u"optionally: Start at¶GOTO address¶max. 12 digits"));
        QCOMPARE(int(e.form().CurrentHelpTopic), 1090);
        QVERIFY(e.type(u"txbTxt2", u"other.vfp"));
        QVERIFY(e.type(u"mskTxt3", u"1x2"));
        QCOMPARE(e.field(3).text, u"12"_qs);
    }

    // "/": the type of operating command decides whether operand 2 is text.
    void operatingCommandText_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("visible");
        QTest::newRow("information") << u"I"_qs << u"mskTxt2 txbTxt3"_qs;
        QTest::newRow("message") << u"m"_qs << u"mskTxt2 txbTxt3"_qs;
        QTest::newRow("data input") << u"D"_qs << u"mskTxt2 txbTxt3"_qs;
        QTest::newRow("trace") << u"T"_qs << u"mskTxt2 mskTxt3"_qs;
    }

    void operatingCommandText() {
        QFETCH(QString, type);
        QFETCH(QString, visible);
        Entry e;
        e.choose(u'/');
        QVERIFY(e.type(u"mskTxt2", type));
        QVERIFY(e.focus(u"mskTxt0"));
        QVERIFY(e.focus(u"mskTxt2"));
        QCOMPARE(e.visibleOperands(), visible);
        if (visible.contains(u"txbTxt3")) {
            QCOMPARE(e.form().txbTxt3.left, e.field(3).left);
            QCOMPARE(e.form().txbTxt3.maxLength, 50);
            QVERIFY(e.type(u"txbTxt3", u"Train late, 5 min"));
            QVERIFY(e.caption().endsWith(u"Train late, 5 min"));
        }
    }

    void dataInputAsksForItsText() {
        Entry e;
        e.choose(u'/');
        QVERIFY(e.type(u"mskTxt2", u"D12"));
        QVERIFY(e.focus(u"txbTxt3"));
        QCOMPARE(e.form().lblHinweise.caption,
                 br(u" Please, 2. parameter¶Text for input request ¶to enter."));
        QCOMPARE(e.form().lblHinweise.left, e.form().txbTxt3.left);
    }

    void freeTextBoxOfOtherCommandsGivesWay() {
        Entry e;
        e.choose(u'K');
        e.form().txbTxt2.visible = true; // left over, as after a help request
        QVERIFY(e.focus(u"txbTxt2"));
        QVERIFY(!e.form().txbTxt2.visible);
        QVERIFY(e.field(2).visible);
        QCOMPARE(int(e.form().CurrentHelpTopic), 1060);
    }

    // The page names of the topic ranges are in test_help.
    void f1_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("page");
        QTest::newRow("O in English") << u"EN"_qs << 1095 << u"VX-EDITe.chm"_qs << u"VXEe_1095"_qs;
        QTest::newRow("A in German") << u"DE"_qs << 970 << u"VX-EDITd.chm"_qs << u"VXEd_0970"_qs;
        QTest::newRow("Spanish uses English")
            << u"ES"_qs << 970 << u"VX-EDITe.chm"_qs << u"VXEe_0970"_qs;
        QTest::newRow("topic 0") << u"EN"_qs << 0 << u"VX-EDITe.chm"_qs << u"INDEX.htm"_qs;
        QTest::newRow("above 2000") << u"EN"_qs << 2001 << QString() << QString();
    }

    void f1() {
        QFETCH(QString, language);
        QFETCH(int, topic);
        QFETCH(QString, file);
        QFETCH(QString, page);
        Entry e(language);
        e.editor->programFolder = u"/opt/vx/"_qs;
        e.form().CurrentHelpTopic = static_cast<qint16>(topic);
        e.editor->helpContext = 7;
        QVERIFY(e.key(u"F1"));
        const auto& requests = e.platform.helpRequests;
        if (file.isNull()) {
            QVERIFY(requests.isEmpty());
            QCOMPARE(e.editor->helpContext, 7);
            return;
        }
        QCOMPARE(requests.size(), 1);
        QCOMPARE(requests[0].file, u"/opt/vx/"_qs + file);
        QCOMPARE(requests[0].page, page);
        QCOMPARE(e.editor->helpContext, topic);
    }

    void f1FollowsTheCommand() {
        Entry e;
        e.choose(u'O');
        QVERIFY(e.key(u"F1"));
        QCOMPARE(e.platform.helpRequests.back().page, u"VXEe_1095"_qs);
        // A blank command field and a change in operand field 1: topic 1.
        QVERIFY(e.set(u"mskTxt1", QString()));
        QVERIFY(e.type(u"mskTxt2", u"1"));
        QVERIFY(e.key(u"F1"));
        QCOMPARE(e.platform.helpRequests.back().page, u"VXEe_0001"_qs);
    }
};

QTEST_APPLESS_MAIN(TestEntryFields)
#include "test_entry_fields.moc"
