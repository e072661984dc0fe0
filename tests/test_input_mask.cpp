#include "commands/input_mask.h"

#include <QtTest>

using namespace vx;

class TestInputMask : public QObject {
    Q_OBJECT

private slots:
    void characterSets_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("accepted");
        QTest::addColumn<QString>("refused");
        QTest::newRow("# digit") << u"#"_qs << u"0597"_qs << u" aZä-+*&_\u0663"_qs;
        QTest::newRow("9 digit, may stay empty") << u"9"_qs << u"09 "_qs << u"aZä-*_"_qs;
        QTest::newRow("A letter or digit") << u"A"_qs << u"0aZäM"_qs << u" -*&_<"_qs;
        QTest::newRow("a letter or digit, may stay empty") << u"a"_qs << u"0aZä "_qs << u"-*&_"_qs;
        QTest::newRow("? letter") << u"?"_qs << u"aZä"_qs << u"05 -*&_"_qs;
        QTest::newRow("& printable") << u"&"_qs << u"0aZä-*&_!<"_qs << u" \t\u0001"_qs;
        QTest::newRow("C printable or blank") << u"C"_qs << u"0aZä-*&_ <>"_qs << u"\t"_qs;
        QTest::newRow("other characters stand for themselves") << u":"_qs << u":"_qs << u"0a "_qs;
    }

    void characterSets() {
        QFETCH(QString, mask);
        QFETCH(QString, accepted);
        QFETCH(QString, refused);
        for (QChar c : accepted)
            QVERIFY2(InputMask::Accepts(mask, 0, 0, c), qPrintable(u"refuses '"_qs + c + u'\''));
        for (QChar c : refused)
            QVERIFY2(!InputMask::Accepts(mask, 0, 0, c), qPrintable(u"takes '"_qs + c + u'\''));
    }

    void typing_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter then digits")
            << u"A###"_qs << 0 << QString() << u"M12x3"_qs << u"M123"_qs;
        QTest::newRow("position follows the text")
            << u"A###"_qs << 0 << u"M1"_qs << u"M23"_qs << u"M123"_qs;
        QTest::newRow("full field drops the rest")
            << u"##"_qs << 0 << u"12"_qs << u"3"_qs << u"12"_qs;
        QTest::newRow("code with digit") << u"A#"_qs << 0 << QString() << u"IX5"_qs << u"I5"_qs;
        QTest::newRow("hour with sign") << u"C##"_qs << 0 << QString() << u"<07"_qs << u"<07"_qs;
        QTest::newRow("counter value")
            << u"CC#####"_qs << 0 << QString() << u"<-99999"_qs << u"<-99999"_qs;
        QTest::newRow("mask wins over maximum length")
            << u"##"_qs << 5 << QString() << u"1234"_qs << u"12"_qs;
        QTest::newRow("free input up to the maximum")
            << QString() << 3 << QString() << u"a b,c"_qs << u"a b"_qs;
        QTest::newRow("free input without limit")
            << QString() << 0 << u"x"_qs << u" *?"_qs << u"x *?"_qs;
    }

    void typing() {
        QFETCH(QString, mask);
        QFETCH(int, maxLength);
        QFETCH(QString, current);
        QFETCH(QString, typed);
        QFETCH(QString, text);
        QCOMPARE(InputMask::TypeAtEnd(mask, maxLength, current, typed), text);
    }

    void capacity() {
        QCOMPARE(InputMask::Capacity(u"####", 12), 4);
        QCOMPARE(InputMask::Capacity(u"", 50), 50);
        QCOMPARE(InputMask::Capacity(u"", 0), -1);
        QVERIFY(!InputMask::Accepts(u"#", 0, -1, u'1'));
    }
};

QTEST_APPLESS_MAIN(TestInputMask)
#include "test_input_mask.moc"
