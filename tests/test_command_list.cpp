// The command list and what a click on one of its lines does to the entry area.

#include "test_entry_driver.h"

using namespace vx;
using namespace vx::test;

class TestCommandList : public QObject {
    Q_OBJECT

private slots:
    void listLines() {
        Entry e;
        const QStringList& list = e.form().lstBefehle;
        QCOMPARE(list.size(), 30);
        QCOMPARE(list[0], u" Possible codes:   More Help information by using F1 key"_qs);
        QCOMPARE(list[1], u" A = All to initial status"_qs);
        QCOMPARE(list[27], u" / = Operating command"_qs);
        QCOMPARE(list[29], u" * = Remark line"_qs);
        QCOMPARE(e.form().listIndex, -1);
        QCOMPARE(int(e.form().CurrentHelpTopic), 960);

        Entry german(u"DE");
        QVERIFY(german.form().lstBefehle[0] != list[0]);
        QCOMPARE(german.form().lstBefehle[1],
                 u" A = "_qs + german.editor->catalogue.CommandNames(1));
    }

    // Every command of the list as the user sees it after the click: which
    // fields are shown, their properties, the focus, the help topic and the
    // head of the explanation. A field is "mask|prompt|maximum length|width";
    // "-" leaves a property unchecked, an empty entry the whole field.
    void layout_data() {
        QTest::addColumn<QChar>("code");
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("commandField");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("head");
        const QString c1 = u"&| |1|32"_qs;
        const QString c2 = u"A#| |2|40"_qs;
        const QString name12 = u"&&&&&&&&&&&&| |12|168"_qs;
        auto row = [&](QChar code, int topic, const QString& command, const QStringList& fields,
                       const QString& visible, const QString& focus, const QString& head) {
            QTest::newRow(qPrintable(QString(code)))
                << code << topic << command << fields << visible << focus << head;
        };
        row(u'A', 970, c1, {u"aa| |2|40"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs,
            u"All to initial status"_qs);
        row(u'B', 980, c1, {u"####|_|4|56"_qs, u"A| |1|32"_qs, u"A###|_|4|56"_qs},
            u"mskTxt2 mskTxt3 mskTxt4"_qs, u"mskTxt2"_qs, u"Occupy contact-no. "_qs);
        row(u'C', 990, c1, {u"A####|_|5|64"_qs, u"A##|_|3|40"_qs, u"AAA| |3|48"_qs},
            u"mskTxt2 mskTxt3 mskTxt4"_qs, u"mskTxt2"_qs, u"Trigger funktion module "_qs);
        row(u'D', 1000, c1, {u"###|_|3|48"_qs, u"&&&&&&&&|_|8|104"_qs}, u"mskTxt2 mskTxt3"_qs,
            u"mskTxt2"_qs, u"Marker no. "_qs);
        row(u'E', 1010, c1, {u"?| |1|40"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"End "_qs);
        row(u'F', 1020, c1, {u"?| |1|32"_qs, u"####|_|4|56"_qs, u"?| |1|32"_qs, u"CCC|_|3|48"_qs},
            u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs, u"mskTxt2"_qs, u"If "_qs);
        row(u'G', 1030, c1, {name12}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"Goto address: "_qs);
        row(u'H', 1040, c1, {u"####|_|4|56"_qs, u"A999| |4|56"_qs}, u"mskTxt2 mskTxt3"_qs,
            u"mskTxt2"_qs, u"Fetch locomotive number from contact no. "_qs);
        // I's third field (the target) stays hidden until the command field says so.
        row(u'I', 1050, c2, {u"####|_|4|56"_qs, u"####|_|4|56"_qs, u"###|_|3|48"_qs},
            u"mskTxt2 mskTxt3"_qs, u"mskTxt2"_qs, u"  between "_qs);
        row(u'J', 960, c1, {u"| |1|32"_qs, u"-|-|-|32"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs,
            u"Jam/blockade generating: "_qs);
        row(u'K', 1060, c1, {u"####|_|4|56"_qs, u"?| |1|32"_qs, u"CCC|_|3|48"_qs},
            u"mskTxt2 mskTxt3 mskTxt4"_qs, u"mskTxt2"_qs, u"Wait until contact no. "_qs);
        row(u'L', 1070, c1,
            {u"ACCCCC|_|6|56"_qs, u"A| |1|32"_qs, u"aaaa|_|4|56"_qs, u"a| |1|32"_qs,
             u"a| |1|32"_qs},
            u"mskTxt2 mskTxt3 mskTxt4 mskTxt5 mskTxt6"_qs, u"mskTxt2"_qs, u"Locomotive no. "_qs);
        row(u'M', 1080, c1, {u"A###|_|4|56"_qs, u"A|_|1|32"_qs}, u"mskTxt2 mskTxt3"_qs,
            u"mskTxt2"_qs, u"Magnetic article no. "_qs);
        // The focus in the file-name box brings the start line (now "9999") and
        // the optional GOTO address beside it.
        row(u'N', 1090, c2, {QString(), u"9999|_|4|56"_qs, u"&&&&&&&&&&&&| |12|128"_qs},
            u"mskTxt3 mskTxt4 txbTxt2"_qs, u"txbTxt2"_qs, u"New loading of schedule  "_qs);
        row(u'O', 1095, c1, {u"#|_|1|32"_qs, u"&&&| |3|48"_qs, u"&| |1|32"_qs},
            u"mskTxt2 mskTxt3 mskTxt4"_qs, u"mskTxt2"_qs, u"Turntable no. "_qs);
        row(u'P', 1100, c1, {}, u"txbTxt2"_qs, u"txbTxt2"_qs, u"Start of sound "_qs);
        row(u'Q', 1110, c2, {u"A| |1|32"_qs, u"#| |1|32"_qs, u"9999|_|4|56"_qs},
            u"mskTxt2 mskTxt3 mskTxt4"_qs, u"mskTxt2"_qs, u"Queue:"_qs);
        row(u'R', 1120, c1, {name12, u"####|_|4|56"_qs}, u"mskTxt2 mskTxt3"_qs, u"mskTxt2"_qs,
            u"Call subroutine "_qs);
        row(u'S', 1130, c1, {u"A###| |4|56"_qs, u"A| |1|32"_qs}, u"mskTxt2 mskTxt3"_qs,
            u"mskTxt2"_qs, u"Signal no. "_qs);
        row(u'T', 1140, c1, {u"AA|_|2|40"_qs, u"##|_|2|40"_qs, u"A| |1|32"_qs, u"999|-|3|48"_qs},
            u"mskTxt2 mskTxt3 mskTxt4 mskTxt5"_qs, u"mskTxt2"_qs, u"Modell time "_qs);
        row(u'U', 1150, c1, {name12}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"Start Subroutine "_qs);
        row(u'V', 1160, c2, {u"A###|_|4|56"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"SET variable "_qs);
        row(u'W', 1170, c1, {u"A###|_|4|56"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"Repeat "_qs);
        row(u'X', 1180, c1, {u"###|_|3|48"_qs, u"a| |1|32"_qs, u"a| |1|32"_qs},
            u"mskTxt2 mskTxt3"_qs, u"mskTxt2"_qs, u"Switch route no. "_qs);
        row(u'Y', 1190, c1, {u"##|_|2|40"_qs, u"a| |1|32"_qs, u"a| |1|32"_qs},
            u"mskTxt2 mskTxt3"_qs, u"mskTxt2"_qs, u"Switch route via marker no. "_qs);
        row(u'Z', 1200, c1, {u"A###|_|4|56"_qs}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"Time delay: "_qs);
        // Operand field 2 of "/" is the masked one until the type asks for a text.
        row(u'/', 1210, c1, {u"a999| |4|56"_qs, u"| |1|32"_qs}, u"mskTxt2 mskTxt3"_qs,
            u"mskTxt2"_qs, u"Operating command"_qs);
        row(u'!', 1220, c1, {name12}, u"mskTxt2"_qs, u"mskTxt2"_qs, u"GOTO address: "_qs);
        row(u'*', 1230, c1, {}, u"txbTxt2"_qs, u"txbTxt2"_qs, u"* "_qs);
    }

    void layout() {
        QFETCH(QChar, code);
        QFETCH(int, topic);
        QFETCH(QString, commandField);
        QFETCH(QStringList, fields);
        QFETCH(QString, visible);
        QFETCH(QString, focus);
        QFETCH(QString, head);
        Entry e;
        // Something else first, so that nothing passes by staying as it was.
        e.choose(code == u'L' ? u'*' : u'L');
        e.choose(code);

        auto check = [](const EntryField& f, const QString& expected) {
            const QStringList p = expected.split(u'|');
            if (p[0] != u"-")
                QCOMPARE(f.mask, p[0]);
            if (p[1] != u"-")
                QCOMPARE(f.prompt, p[1].front());
            if (p[2] != u"-")
                QCOMPARE(f.maxLength, p[2].toInt());
            QCOMPARE(f.width, p[3].toInt());
        };
        QCOMPARE(e.field(1).text, QString(code));
        check(e.field(1), commandField);
        for (int n = 1; n <= fields.size(); ++n)
            if (!fields[n - 1].isEmpty())
                check(e.field(n + 1), fields[n - 1]);
        QCOMPARE(e.visibleOperands(), visible);
        QCOMPARE(e.focused(), focus);
        QCOMPARE(int(e.form().CurrentHelpTopic), topic);
        QCOMPARE(e.editor->helpContext, topic);
        QCOMPARE(e.part(1), head);
        for (int k = 2; k <= 7; ++k)
            QVERIFY(e.part(k).isEmpty());
        const int i = e.command(code);
        QCOMPARE(int(e.form().CurrentCommand), i);
        QCOMPARE(int(e.form().ListCommand), i);
        QCOMPARE(e.form().listIndex, i);
        QCOMPARE(e.redControls(), QString());
    }

    void freeTextBoxes() {
        Entry e;
        e.choose(u'N');
        QCOMPARE(e.form().txbTxt2.width, 280);
        QCOMPARE(e.form().txbTxt2.left, e.field(2).left);
        e.choose(u'P');
        QCOMPARE(e.form().txbTxt2.width, 480);
        e.choose(u'*');
        QCOMPARE(e.form().txbTxt2.width, 480);
        QCOMPARE(e.form().txbTxt2.maxLength, 76);
        QVERIFY(!e.form().txbTxt3.visible);
        e.choose(u'/');
        QCOMPARE(e.form().txbTxt3.width, 420);
        QCOMPARE(e.form().txbTxt3.maxLength, 50);
        QVERIFY(!e.form().txbTxt3.visible);
    }

    void hints_data() {
        QTest::addColumn<QChar>("code");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("hint");
        QTest::newRow("B 3") << QChar(u'B') << 3
                             << br(u"optionally: locomotive no.¶0 up to 9999¶or¶M with following  "
                                   u"marker number 1 to 999");
        QTest::newRow("D 1") << QChar(u'D') << 1 << u"Marker no. (1 up to 999)"_qs;
        QTest::newRow("J 1") << QChar(u'J') << 1
                             << br(u"activity type: 0, 1, 2 or S¶ 0 = all locomotives get direct "
                                   u"STOP¶ 1 = direct ALL OFF¶ 2 = all locomotives get direct STOP"
                                   u" and then ALL OFF¶ S = Cancel-Stop of schedule no.");
        QTest::newRow("L 1") << QChar(u'L') << 1
                             << br(u"Locomotive number¶0 up to 9999 or¶M and marker number¶1 up to "
                                   u"999¶ behind optionally¶  + (open loco window) or¶  -  (close "
                                   u"loco window)");
        QTest::newRow("L 3") << QChar(u'L') << 3
                             << u"Absolute driving step , ALT or changing (-126 up to +126)"_qs;
        QTest::newRow("M 1") << QChar(u'M') << 1
                             << br(u"Magnetic article no. 0 up to 1024¶or M with following ¶Marker "
                                   u"no. 1 up to 999");
        QTest::newRow("O 1") << QChar(u'O') << 1 << br(u"Turntable no. ¶1 or 2");
        QTest::newRow("T 1") << QChar(u'T') << 1
                             << br(u"Modell hour¶0 up to 23 or¶TM (model clock time via marker) "
                                   u"or¶TS (system clock time via marker)");
        QTest::newRow("V 1") << QChar(u'V') << 1
                             << br(u"Value of SET variable¶0 up to 9999¶or M with following "
                                   u"¶Marker no. 1 up to 999");
        QTest::newRow("Y 2") << QChar(u'Y') << 2
                             << br(u"S or empty = Switch,¶R = Reserve with switching,¶F = Release "
                                   u"or ¶W = Wait until ...");
        QTest::newRow("* 1") << QChar(u'*') << 1 << br(u"Remark¶free text, max. up to 76 digits");
    }

    void hints() {
        QFETCH(QChar, code);
        QFETCH(int, n);
        QFETCH(QString, hint);
        Entry e;
        e.choose(code);
        QCOMPARE(e.hint(code, n), hint);
    }

    void hintOfTheFocusedField() {
        Entry e;
        e.choose(u'K');
        const Label& l = e.form().lblHinweise;
        QVERIFY(l.visible);
        QCOMPARE(l.left, e.field(2).left);
        QCOMPARE(l.caption, br(u" Please, 1. parameter¶Contact number¶0 up to 1056 ¶to enter."));
    }

    void headingClickSetsOnlyTheTopic() {
        Entry e;
        e.choose(u'K');
        e.type(u"mskTxt2", u"12");
        const QString explanation = e.caption();
        QVERIFY(e.select(0));
        QCOMPARE(int(e.form().CurrentHelpTopic), 960);
        QCOMPARE(int(e.form().CurrentCommand), e.command(u'K'));
        QCOMPARE(e.field(1).text, u"K"_qs);
        QCOMPARE(e.field(2).text, u"12"_qs);
        QCOMPARE(e.caption(), explanation);
    }

    void remarkControlsFollowTheCommand_data() {
        QTest::addColumn<QChar>("code");
        QTest::addColumn<bool>("shown");
        QTest::newRow("/") << QChar(u'/') << false;
        QTest::newRow("*") << QChar(u'*') << false;
        QTest::newRow("K") << QChar(u'K') << true;
        QTest::newRow("!") << QChar(u'!') << true;
    }

    void remarkControlsFollowTheCommand() {
        QFETCH(QChar, code);
        QFETCH(bool, shown);
        Entry e;
        e.choose(shown ? u'*' : u'K');
        e.choose(code);
        QCOMPARE(e.form().lblAnmerk.visible, shown);
        QCOMPARE(e.form().txbStern.visible, shown);
        QCOMPARE(e.form().txbAnmerk.visible, shown);
    }

    void choosingAgainDiscardsWhatWasTyped() {
        Entry e;
        e.choose(u'L');
        e.type(u"mskTxt2", u"12");
        e.type(u"mskTxt3", u"S");
        e.type(u"txbAnmerk", u"west");
        e.choose(u'L');
        for (int k = 2; k <= 7; ++k)
            QCOMPARE(e.field(k).text, QString());
        QCOMPARE(e.form().txbAnmerk.text, QString());
        QCOMPARE(e.part(2), QString());
        QCOMPARE(e.part(7), QString());
        QCOMPARE(e.focused(), u"mskTxt2"_qs);
    }

    void fieldsSitThreePixelsApart() {
        for (QChar code : {u'K', u'I', u'L'}) {
            Entry e;
            e.choose(code);
            const EntryForm& f = e.form();
            QCOMPARE(e.field(1).left, f.lblCode.left);
            // The first operand starts right of the code column, whatever the
            // command field's own width.
            QCOMPARE(e.field(2).left, f.lblCode.left + f.lblCode.width + 3);
            for (int k = 3; k <= 7; ++k)
                QCOMPARE(e.field(k).left, e.field(k - 1).left + e.field(k - 1).width + 3);
        }
    }
};

QTEST_APPLESS_MAIN(TestCommandList)
#include "test_command_list.moc"
