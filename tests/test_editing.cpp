#include "document/vfp_file.h"
#include "script/user_driver.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;

namespace {
// Runs script lines; fails the test on the first action that cannot be done.
void run(UserDriver& d, const QStringList& lines) {
    for (const QString& line : lines)
        QVERIFY2(d.runLine(line), qPrintable(line + u": "_qs + d.lastError));
}

QStringList rows(const Editor& e, int upTo) {
    QStringList out;
    for (int r = 1; r <= upTo; ++r)
        out.append(e.document.line(r));
    return out;
}
} // namespace

class TestEditing : public QObject {
    Q_OBJECT

private slots:
    // A script is its lines joined by ";", the expected rows 1..7 by "|". The
    // plain insert, delete and transfers are in tests/data/flows/row_operations.
    void rowOperations_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("currentRow");
        QTest::newRow("insert moves only the block")
            << u"row-text 1 A;row-text 2 B, 1;row-text 3 E;row 3;click insert"_qs
            << u"A|B, 1||E|||"_qs << 3;
        QTest::newRow("insert at an empty row")
            << u"row-text 1 A;row 2;click insert"_qs << u"A||||||"_qs << 2;
        QTest::newRow("remark line ignores the remark box")
            << u"select 29;type txbTxt2 hello;type txbAnmerk note;click transfer"_qs
            << u"* hello||||||"_qs << 1;
        QTest::newRow("grid typing")
            << u"row-text 2 K, 1;row 2;gridkey 50;gridkey 8;gridkey 8;row 3;gridkey 8;"
               u"gridkey 69;row 4;gridkey 65;gridkey 27"_qs
            << u"|K, |E||||"_qs << 4;
    }

    void rowOperations() {
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(int, currentRow);
        UserDriver d(u"EN");
        run(d, script.split(u';'));
        QCOMPARE(rows(*d.editor, 7), expected.split(u'|'));
        QCOMPARE(d.editor->document.grid.currentRow, currentRow);
        QVERIFY(d.form().buttons.cmdEinf_leerZ.endsWith(QString::number(currentRow)));
    }

    void rowButtonsMarkModifiedButGridTypingDoesNot() {
        UserDriver d(u"EN");
        run(d, {u"row-text 1 E"_qs, u"row 1"_qs, u"gridkey 65"_qs});
        QVERIFY(!d.editor->document.Modified);
        QVERIFY(!d.editor->autosaveEnabled);
        run(d, {u"click insert"_qs});
        QVERIFY(d.editor->document.Modified);
        QVERIFY(d.editor->autosaveEnabled);
    }

    void transferOutsideTheTableWritesNothing() {
        UserDriver d(u"EN");
        d.form().msk[0].text =
            u"500"_qs; // as if left there; the check keeps typed numbers in range
        run(d, {u"select 5"_qs, u"click transfer"_qs});
        for (int r = 1; r <= d.editor->document.RowCount; ++r)
            QVERIFY(d.editor->document.line(r).isEmpty());
    }

    void insertIntoAFullTableGrowsIt() {
        UserDriver d(u"EN");
        // The reserve line too: the shift needs one row more than the table has.
        for (int r = 1; r <= d.editor->document.RowCount; ++r)
            d.editor->document.setLine(r, u"E"_qs);
        const int before = d.editor->document.RowCount;
        run(d, {u"row 1"_qs, u"click insert"_qs});
        QCOMPARE(d.editor->document.RowCount, before + 1);
        int filled = 0;
        for (int r = 1; r <= d.editor->document.RowCount; ++r)
            filled += d.editor->document.line(r).isEmpty() ? 0 : 1;
        QCOMPARE(filled, before);
    }

    // Continuing and wrapping round are in tests/data/flows/search_replace.
    void search_data() {
        QTest::addColumn<QStringList>("script");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("messages");
        const QStringList lines{u"row-text 2 K, 12, B"_qs, u"row-text 5 M, 312, R"_qs, u"row 1"_qs};
        QTest::newRow("first") << lines + QStringList{u"find 12"_qs} << 2 << 4 << 0;
        QTest::newRow("not found") << lines + QStringList{u"find xyz"_qs} << 0 << 0 << 1;
        QTest::newRow("blank does nothing") << lines + QStringList{u"find    "_qs} << 0 << 0 << 0;
    }

    void search() {
        QFETCH(QStringList, script);
        QFETCH(int, row);
        QFETCH(int, position);
        QFETCH(int, messages);
        UserDriver d(u"EN");
        run(d, script);
        QCOMPARE(int(d.editor->search.foundRow), row);
        if (row > 0) {
            QCOMPARE(int(d.editor->search.foundPosition), position);
            QCOMPARE(d.editor->document.grid.currentRow, row);
            QCOMPARE(d.editor->document.grid.topRow, row);
            QCOMPARE(Trim(d.form().msk[1].text), d.editor->document.line(row).left(1));
        }
        QCOMPARE(d.platform.messages.size(), messages);
        if (messages) {
            QCOMPARE(d.platform.messages[0].prompt, u">> xyz<< not found!"_qs);
            QCOMPARE(d.platform.messages[0].title, u"Search digit(s)"_qs);
            QCOMPARE(d.platform.messages[0].style, 0);
        }
    }

    // The replacements themselves are in tests/data/flows/search_replace.
    void replace() {
        const QString expected = u"K, 13, B"_qs;
        UserDriver d(u"EN");
        run(d, {u"row-text 2 K, 12, B"_qs, u"row 1"_qs, u"replace-of 12"_qs, u"replace-to 13"_qs,
                u"click replace-search"_qs});
        QVERIFY(d.editor->search.replaceEnabled);
        run(d, {u"click replace"_qs});
        QCOMPARE(d.editor->document.line(2), expected);
        QVERIFY(!d.editor->search.replaceEnabled);
        QVERIFY(d.editor->document.Modified);
        // A second replace without a new search changes nothing more.
        run(d, {u"replace-to 99"_qs});
        d.editor->editing.forgetOccurrence();
        run(d, {u"click replace"_qs});
        QCOMPARE(d.editor->document.line(2), expected);
    }

    void languageRoundTrip() {
        UserDriver d(u"ES");
        run(d, {u"row-text 1 K, 12, B"_qs});
        const QString spanishNew = d.editor->menu.find(u"Dat_Neu")->caption;
        run(d, {u"menu Opt_Spr"_qs});
        QCOMPARE(d.editor->catalogue.languageCode(), u"EN"_qs);
        QCOMPARE(d.editor->menu.find(u"Dat_Neu")->caption, u"&New schedule file"_qs);
        QCOMPARE(d.editor->menu.find(u"Opt_Spr")->hint, d.editor->catalogue.MenuHints(21));
        QCOMPARE(d.editor->document.grid.headerNumber, u"line no."_qs);
        QVERIFY(d.form().lstBefehle.value(1).contains(u"All to initial status"_qs));
        run(d, {u"menu Opt_Spr"_qs});
        QCOMPARE(d.editor->catalogue.languageCode(), u"ES"_qs);
        QCOMPARE(d.editor->menu.find(u"Dat_Neu")->caption, spanishNew);
        QCOMPARE(d.editor->document.line(1), u"K, 12, B"_qs);
        QCOMPARE(d.editor->document.grid.currentRow, 1);
    }

    // The entry area after a switch reads as if the session had started in
    // the new language; the typed values stay.
    void languageSwitchRewritesTheEntryArea_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("K, operand 1 typed") << QStringList{u"select 11"_qs, u"type mskTxt2 12"_qs};
        QTest::newRow("L, three operands") << QStringList{
            u"select 12"_qs, u"type mskTxt2 3"_qs, u"type mskTxt3 S"_qs, u"type mskTxt4 40"_qs};
        QTest::newRow("F with a contact") << QStringList{u"select 6"_qs, u"type mskTxt2 K"_qs};
        QTest::newRow("remark line") << QStringList{u"select 29"_qs, u"type txbTxt2 hello"_qs};
        QTest::newRow("operating command with a message")
            << QStringList{u"select 27"_qs, u"type mskTxt2 M"_qs, u"type txbTxt3 hi"_qs};
        QTest::newRow("random number into SET variable 3")
            << QStringList{u"select 9"_qs, u"set mskTxt1 I3"_qs, u"type mskTxt2 5"_qs};
        QTest::newRow("nothing chosen") << QStringList{};
    }

    void languageSwitchRewritesTheEntryArea() {
        QFETCH(QStringList, steps);
        UserDriver switched(u"ES");
        run(switched, steps);
        run(switched, {u"menu Opt_Spr"_qs});
        UserDriver english(u"EN");
        run(english, steps);
        const EntryForm& a = switched.form();
        const EntryForm& b = english.form();
        const int command = a.CurrentCommand;
        QCOMPARE(command, b.CurrentCommand);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(a.fieldHint(command, n), b.fieldHint(command, n));
        QCOMPARE(a.lblBemerkung.caption, b.lblBemerkung.caption);
        QCOMPARE(a.lblHinweise.caption, b.lblHinweise.caption);
        QCOMPARE(a.lblCode.caption, b.lblCode.caption);
        QCOMPARE(a.lblAnmerk.caption, b.lblAnmerk.caption);
        QCOMPARE(a.lblLfdNr.caption, b.lblLfdNr.caption);
        for (int k = 0; k < EntryFormState::FieldCount; ++k)
            QCOMPARE(a.msk[static_cast<size_t>(k)].text, b.msk[static_cast<size_t>(k)].text);
        QCOMPARE(a.txbTxt2.text, b.txbTxt2.text);
        QCOMPARE(a.txbTxt3.text, b.txbTxt3.text);
    }

    void closeQuestion_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ended");
        QTest::addColumn<bool>("saved");
        QTest::newRow("cancel keeps running") << u"cancel"_qs << false << false;
        QTest::newRow("no ends without saving") << u"no"_qs << true << false;
        QTest::newRow("yes saves and ends") << u"yes"_qs << true << true;
        QTest::newRow("yes with a cancelled dialog ends") << u"yes-cancel"_qs << true << false;
    }

    void closeQuestion() {
        QFETCH(QString, answer);
        QFETCH(bool, ended);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"plan.vfp"_qs);
        UserDriver d(u"EN");
        run(d, {u"row-text 1 K, 12, B"_qs, u"row 1"_qs, u"click fetch"_qs});
        QVERIFY(d.editor->document.Modified);
        if (answer == u"yes-cancel")
            run(d, {u"answer yes"_qs, u"file cancel"_qs});
        else if (answer == u"yes")
            run(d, {u"answer yes"_qs, u"file "_qs + path});
        else
            run(d, {u"answer "_qs + answer});
        run(d, {u"close"_qs});
        QCOMPARE(d.editor->ended, ended);
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(d.platform.messages.first().prompt, u"Save actual data?"_qs);
        QCOMPARE(d.platform.messages.first().title, u"New file"_qs);
        QCOMPARE(d.platform.messages.first().style, 3 + 32 + 512);
        if (!ended) {
            QVERIFY(d.editor->document.Modified);
            QCOMPARE(d.editor->document.line(1), u"K, 12, B"_qs);
        }
    }

    void closeWithoutContentAsksNothing() {
        UserDriver d(u"EN");
        run(d, {u"click fetch"_qs, u"close"_qs});
        QVERIFY(d.platform.messages.isEmpty());
        QVERIFY(d.editor->ended);
    }

    // A long random sequence of row operations, searches and replacements,
    // mirrored on a plain list of lines; saved and reopened, nothing is lost.
    void noLineIsLost() {
        QTemporaryDir dir;
        UserDriver d(u"EN");
        QStringList ref(d.editor->document.RowCount + 1);
        QRandomGenerator rng(4711);
        const QStringList samples{u"K, 12, B"_qs,      u"M, 3, G"_qs,    u"E"_qs,
                                  u"L, 3, S, 7, F"_qs, u"* a remark"_qs, u"Z, 5"_qs};
        auto rowCount = [&] { return int(d.editor->document.RowCount); };
        // The reference grows with the table (setting the line number of the
        // last row grows it as well).
        auto grow = [&] {
            while (ref.size() < rowCount() + 1)
                ref.append(QString());
        };
        for (int step = 0; step < 600; ++step) {
            const int r = 1 + int(rng.bounded(rowCount()));
            switch (rng.bounded(5)) {
            case 0: {
                const QString text = samples[int(rng.bounded(samples.size()))];
                QVERIFY(d.rowText(r, text));
                grow();
                ref[r] = text;
                break;
            }
            case 1: { // insert
                QVERIFY(d.row(r));
                run(d, {u"click insert"_qs});
                grow();
                if (!ref[r].trimmed().isEmpty()) {
                    int j = rowCount();
                    while (j >= r && ref[j].trimmed().isEmpty())
                        --j;
                    for (int i = j; i >= r; --i) {
                        ref[i + 1] = ref[i];
                        ref[i].clear();
                    }
                }
                break;
            }
            case 2: { // delete
                QVERIFY(d.row(r));
                run(d, {u"click delete"_qs});
                grow();
                for (int i = r; i < rowCount(); ++i)
                    ref[i] = ref[i + 1];
                ref[rowCount()].clear();
                break;
            }
            case 3: { // replace "12" by "13" where found
                run(d, {u"row 1"_qs, u"replace-of 12"_qs, u"replace-to 13"_qs});
                d.platform.answers.push_back(MsgAnswer::Ok);
                run(d, {u"click replace-search"_qs});
                grow();
                const int found = d.editor->search.foundRow;
                if (found > 0) {
                    const int p = d.editor->search.foundPosition;
                    ref[found] = ref[found].left(p - 1) + u"13"_qs + ref[found].mid(p + 1);
                    run(d, {u"click replace"_qs});
                    grow();
                }
                break;
            }
            default:
                QVERIFY(d.row(r));
                run(d, {u"click fetch"_qs});
                break;
            }
            grow();
            for (int i = 1; i <= rowCount(); ++i)
                QCOMPARE(d.editor->document.line(i), ref[i]);
        }
        const QString path = dir.filePath(u"long.vfp"_qs);
        run(d, {u"file "_qs + path, u"menu Dat_Sav"_qs});
        UserDriver again(u"EN");
        run(again, {u"file "_qs + path, u"menu Dat_Ein"_qs});
        QStringList kept;
        for (int i = 1; i <= rowCount(); ++i)
            if (!ref[i].trimmed().isEmpty())
                kept.append(ref[i]);
        QCOMPARE(rows(*again.editor, int(kept.size())), kept);
    }
};

QTEST_GUILESS_MAIN(TestEditing)
#include "test_editing.moc"
