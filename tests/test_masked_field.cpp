// The masked entry field with real key clicks: each mask character takes
// exactly its set, empty positions show the prompt character, the maximum
// length holds, and an empty field is entered at its first position.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/command_list_window.h"
#include "gui/main_window.h"
#include "gui/masked_field_window.h"
#include "script/scripted_platform.h"

#include <QApplication>
#include <QListWidget>
#include <QTest>

using namespace vx;

namespace {
// One key click for any character; QTest's own spelling knows ASCII only.
void typeCharacter(QWidget* widget, QChar c) {
    if (c.unicode() < 128)
        QTest::keyClick(widget, c.toLatin1());
    else
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c),
                            Qt::NoModifier);
}
} // namespace

class TestMaskedField : public QObject {
    Q_OBJECT
private slots:
    void maskCharacterSets_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("refused");
        // Blank, digits, letters (with an umlaut), signs; every mask character
        // is in test_input_mask, here the key clicks must reach those sets.
        QTest::newRow("# digit") << u"#"_qs << u"059"_qs << u" aZä-*&_"_qs;
        QTest::newRow("a letter, digit or blank") << u"a"_qs << u"0aZä "_qs << u"-*&_"_qs;
        QTest::newRow("& printable") << u"&"_qs << u"0aZä-*&_!"_qs << u" "_qs;
        QTest::newRow("free input") << QString() << u"0aZä-*&_ "_qs << QString();
    }

    void maskCharacterSets() {
        QFETCH(QString, mask);
        QFETCH(QString, accepted);
        QFETCH(QString, refused);
        MaskedField field;
        field.setMask(mask, u'_', mask.isEmpty() ? 1 : 0);
        field.show();
        for (QChar c : accepted) {
            field.clear();
            typeCharacter(&field, c);
            QVERIFY2(field.text() == QString(c), qPrintable(QStringLiteral("'%1' refused").arg(c)));
        }
        for (QChar c : refused) {
            field.clear();
            typeCharacter(&field, c);
            QVERIFY2(field.text().isEmpty(), qPrintable(QStringLiteral("'%1' taken").arg(c)));
        }
    }

    void positionsFollowTheMask_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter then digits") << u"A###"_qs << u"M12x3"_qs << u"M123"_qs;
        QTest::newRow("no letter in a digit place") << u"####"_qs << u"1a2b3c4d5"_qs << u"1234"_qs;
    }

    void positionsFollowTheMask() {
        QFETCH(QString, mask);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        MaskedField field;
        field.setMask(mask, u'_', 0);
        field.show();
        QTest::keyClicks(&field, typed);
        QCOMPARE(field.text(), text);
    }

    void maximumLength_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("mask of four") << u"####"_qs << 4 << u"123456"_qs << u"1234"_qs;
        QTest::newRow("free input of three") << QString() << 3 << u"abcd"_qs << u"abc"_qs;
    }

    void maximumLength() {
        QFETCH(QString, mask);
        QFETCH(int, maxLength);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        MaskedField field;
        field.setMask(mask, u' ', maxLength);
        field.show();
        QTest::keyClicks(&field, typed);
        QCOMPARE(field.text(), text);
        QCOMPARE(field.capacity(), qsizetype(text.size()));
    }

    void promptInEmptyPositions() {
        MaskedField field;
        field.setMask(u"####"_qs, u'_', 4);
        QCOMPARE(field.displayedText(), u"____"_qs);
        QTest::keyClicks(&field, u"12"_qs);
        QCOMPARE(field.text(), u"12"_qs); // the prompt is never part of the text
        QCOMPARE(field.displayedText(), u"12__"_qs);
        field.setMask(u"####"_qs, u' ', 4);
        QCOMPARE(field.displayedText(), u"12  "_qs);
    }

    void promptIsDrawn() {
        MaskedField underscores;
        MaskedField blanks;
        for (MaskedField* f : {&underscores, &blanks}) {
            f->resize(56, 24);
            f->show();
        }
        underscores.setMask(u"####"_qs, u'_', 4);
        blanks.setMask(u"####"_qs, u' ', 4);
        QVERIFY(QTest::qWaitForWindowExposed(&underscores));
        QVERIFY(underscores.grab().toImage() != blanks.grab().toImage());
        // Full fields look alike whatever the prompt.
        QTest::keyClicks(&underscores, u"1234"_qs);
        QTest::keyClicks(&blanks, u"1234"_qs);
        underscores.setCursorPosition(0);
        blanks.setCursorPosition(0);
        underscores.clearFocus();
        blanks.clearFocus();
        QCOMPARE(underscores.grab().toImage(), blanks.grab().toImage());
    }

    void programTextStaysAndCanBeDeleted() {
        MaskedField field;
        field.setMask(u"####"_qs, u'_', 4);
        field.show();
        // A fetched line may hold what the mask would refuse.
        field.showText(u"AB123"_qs);
        QCOMPARE(field.text(), u"AB123"_qs);
        field.setCursorPosition(5);
        QTest::keyClick(&field, Qt::Key_Backspace);
        QCOMPARE(field.text(), u"AB12"_qs);
        field.setCursorPosition(0);
        QTest::keyClick(&field, Qt::Key_Delete);
        QCOMPARE(field.text(), u"B12"_qs);
        QTest::keyClicks(&field, u"x"_qs); // but nothing the mask refuses is added
        QCOMPARE(field.text(), u"B12"_qs);
    }

    void changeKeepsTheMaskAndTellsTheText() {
        MaskedField field;
        field.setMask(u"A###"_qs, u'_', 4);
        QStringList edits;
        connect(&field, &QLineEdit::textEdited, [&](const QString& t) { edits.append(t); });
        field.show();
        QTest::keyClicks(&field, u"M1x2"_qs);
        QCOMPARE(edits, (QStringList{u"M"_qs, u"M1"_qs, u"M12"_qs}));
        field.showText(u"S9"_qs); // the program's text is no user edit
        QCOMPARE(edits.size(), 3);
    }

    // In the main window: entering an empty operand field puts the cursor at
    // its first position; the field takes what its command's mask allows.
    void enteredEmptyAtFirstPosition() {
        ScriptedPlatform platform;
        MainWindow window(platform.platform());
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QListWidget* list = window.commandListWindow()->lstBefehle();
        const int lineB = 2; // B: contact ####, state A, locomotive A###
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(lineB)).center());
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        MaskedField* field3 = window.mskTxt(4);
        QCOMPARE(field3->mask(), u"A###"_qs);
        QCOMPARE(field3->prompt(), QChar(u'_'));
        QTest::mouseClick(field3, Qt::LeftButton, {}, QPoint(field3->width() - 4, 12));
        QCOMPARE(QApplication::focusWidget(), field3);
        QCOMPARE(field3->cursorPosition(), 0);
        QCOMPARE(window.editor().form->focus, Control::mskTxt4);
        QTest::keyClicks(field3, u"M12x3"_qs);
        QCOMPARE(field3->text(), u"M123"_qs);
        QCOMPARE(window.editor().form->msk[4].text, u"M123"_qs);
    }
};

QTEST_MAIN(TestMaskedField)
#include "test_masked_field.moc"
