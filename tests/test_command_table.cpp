// The command table: the 30 rows, the two position lists, and the lookups by
// line, by command field and for the help topic.

#include "commands/command_table.h"
#include "texts/text_catalogue.h"

#include <QTest>

using namespace vx;

class TestCommandTable : public QObject {
    Q_OBJECT

private slots:
    void literals();
    void positionLists();
    void names();
    void findByLine_data();
    void findByLine();
    void findByField_data();
    void findByField();
    void helpTopicOf_data();
    void helpTopicOf();
    void fieldCountOutsideTable();
};

void TestCommandTable::literals() {
    const CommandTable table;
    QString codes;
    QString counts;
    for (int i = 1; i <= 30; ++i) {
        codes += table.row(i).Code;
        counts += table.row(i).FieldCount;
        // The position lists hold the same at i - 1; the topics of the
        // commands are checked with the command list's layout.
        QCOMPARE(table.CommandCodes.at(i - 1), table.row(i).Code);
        QCOMPARE(int(table.HelpTopicIds.at(i - 1)), CommandTable::helpTopic(i));
        QCOMPARE(QString::number(table.fieldCount(i)), i == 30 ? u"0"_qs : table.row(i).FieldCount);
    }
    QCOMPARE(codes, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ/!* "));
    QCOMPARE(counts, QStringLiteral("13321412213522313224111221110"));
    QCOMPARE(CommandTable::helpTopic(10), 960); // J has the selection's topic
    // Row 30 has no count at all, which reads as 0.
    QVERIFY(table.row(30).FieldCount.isEmpty());
    QCOMPARE(table.fieldCount(CommandTable::NoCommand), 0);
    QCOMPARE(CommandTable::NoCommand, 30);
    QCOMPARE(CommandTable::CommandCount, 29);
    QCOMPARE(CommandTable::SelectionTopic, 960);
}

void TestCommandTable::positionLists() {
    const CommandTable table;
    QCOMPARE(table.CommandCodes.size(), 31);
    QCOMPARE(table.HelpTopicIds.size(), 31);
    QCOMPARE(table.CommandCodes.at(0), QStringLiteral("A"));
    QCOMPARE(table.CommandCodes.at(29), QStringLiteral(" "));
    QCOMPARE(table.CommandCodes.at(30), QString());
    QCOMPARE(int(table.HelpTopicIds.at(29)), 1);
    QCOMPARE(int(table.HelpTopicIds.at(30)), 1);
}

void TestCommandTable::names() {
    TextCatalogue catalogue;
    QVERIFY(catalogue.LoadCatalogue(QStringLiteral("EN")));
    CommandTable table;
    QVERIFY(table.row(1).Name.isEmpty());
    table.setNames(catalogue);
    QCOMPARE(table.row(1).Name, QStringLiteral("All to initial status"));
    QCOMPARE(table.row(15).Name, QStringLiteral("Control of a Digital Turntable"));
    QCOMPARE(table.row(29).Name, QStringLiteral("Remark line"));
    QCOMPARE(table.row(30).Name, QStringLiteral("no valid schedule command"));
    // A language switch replaces every name; codes and counts stay.
    QVERIFY(catalogue.LoadCatalogue(QStringLiteral("DE")));
    table.setNames(catalogue);
    QVERIFY(table.row(1).Name != QStringLiteral("All to initial status"));
    QCOMPARE(table.row(12).Code, QStringLiteral("L"));
    QCOMPARE(table.fieldCount(12), 5);
}

void TestCommandTable::findByLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("index");
    QTest::newRow("K12") << QStringLiteral("K12") << 11;
    QTest::newRow("k, 12, b") << QStringLiteral("k, 12, b") << 11;
    QTest::newRow("first letter only") << QStringLiteral("ZZZ") << 26;
    QTest::newRow("I5") << QStringLiteral("I5, 1, 9") << 9;
    QTest::newRow("V7") << QStringLiteral("v7, 12") << 22;
    QTest::newRow("operating") << QStringLiteral("/M, text") << 27;
    QTest::newRow("address") << QStringLiteral("!A1") << 28;
    QTest::newRow("remark") << QStringLiteral("* note") << 29;
    QTest::newRow("digit") << QStringLiteral("12, K") << 30;
    QTest::newRow("empty") << QString() << 30;
    // The first character as it stands: a leading blank is row 30's code.
    QTest::newRow("leading blank") << QStringLiteral(" K12") << 30;
    QTest::newRow("umlaut") << QStringLiteral("\u00e4") << 30;
    QTest::newRow("tab") << QStringLiteral("\tK") << 30;
}

void TestCommandTable::findByLine() {
    QFETCH(QString, line);
    QFETCH(int, index);
    const CommandTable table;
    QCOMPARE(table.findByLine(line), index);
}

void TestCommandTable::findByField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("index"); // 0: not found
    QTest::newRow("K") << QStringLiteral("K") << 11;
    QTest::newRow("k") << QStringLiteral("k") << 11;
    QTest::newRow("blanks around") << QStringLiteral(" o ") << 15;
    QTest::newRow("slash") << QStringLiteral("/") << 27;
    QTest::newRow("asterisk") << QStringLiteral("*") << 29;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blank") << QStringLiteral(" ") << 0;
    QTest::newRow("two letters") << QStringLiteral("KK") << 0;
    QTest::newRow("digit") << QStringLiteral("1") << 0;
}

void TestCommandTable::findByField() {
    QFETCH(QString, field);
    QFETCH(int, index);
    const CommandTable table;
    const std::optional<int> found = table.findByField(field);
    QCOMPARE(found.value_or(0), index);
}

void TestCommandTable::helpTopicOf_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("topic");
    QTest::newRow("k") << QStringLiteral("k") << 1060;
    QTest::newRow("J") << QStringLiteral("J") << 960;
    QTest::newRow("I5") << QStringLiteral("I5") << 1050;
    QTest::newRow("V9") << QStringLiteral("v9") << 1160;
    QTest::newRow("slash") << QStringLiteral("/") << 1210;
    QTest::newRow("asterisk") << QStringLiteral("*") << 1230;
    QTest::newRow("empty") << QString() << 1;
    QTest::newRow("blank") << QStringLiteral("  ") << 1;
    QTest::newRow("digit") << QStringLiteral("1") << 1;
}

void TestCommandTable::helpTopicOf() {
    QFETCH(QString, field);
    QFETCH(int, topic);
    const CommandTable table;
    QCOMPARE(table.helpTopicOf(field), topic);
}

void TestCommandTable::fieldCountOutsideTable() {
    const CommandTable table;
    QCOMPARE(table.fieldCount(0), 0);
    QCOMPARE(table.fieldCount(31), 0);
    QCOMPARE(table.fieldCount(-1), 0);
    QCOMPARE(CommandTable::helpTopic(0), 1);
    QCOMPARE(CommandTable::helpTopic(31), 1);
}

QTEST_APPLESS_MAIN(TestCommandTable)
#include "test_command_table.moc"
