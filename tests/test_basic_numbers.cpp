// The number helpers every reader of a schedule shares, and the listing and
// the explanation under a German locale, whose decimal comma must not change
// how a schedule reads.

#include "test_support.h"
#include "texts/basic_numbers.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vx;

class TestBasicNumbers : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void wholeNumbers();
    void texts();
    void germanLocaleReadsLikeC();
};

void TestBasicNumbers::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("held"); // Held(value, 0, 23)

    QTest::newRow("empty") << QString() << 0.0 << 0;
    QTest::newRow("blanks") << u"   "_qs << 0.0 << 0;
    QTest::newRow("no digits") << u"abc"_qs << 0.0 << 0;
    QTest::newRow("sign alone") << u"-"_qs << 0.0 << 0;
    QTest::newRow("negative held at lo") << u" -12"_qs << -12.0 << 0;
    QTest::newRow("plus sign") << u"+7"_qs << 7.0 << 7;
    QTest::newRow("blanks inside skipped") << u"1 2"_qs << 12.0 << 12;
    QTest::newRow("stops at a letter") << u"12abc"_qs << 12.0 << 12;
    QTest::newRow("decimal rounds up") << u"10.6"_qs << 10.6 << 11;
    QTest::newRow("half to even") << u"2.5"_qs << 2.5 << 2;
    QTest::newRow("leading point") << u".5"_qs << 0.5 << 0;
    QTest::newRow("comma stops") << u"2,7"_qs << 2.0 << 2;
    QTest::newRow("exponent D") << u"1D1"_qs << 10.0 << 10;
    QTest::newRow("dangling exponent") << u"3e"_qs << 3.0 << 3;
    QTest::newRow("above hi") << u"99"_qs << 99.0 << 23;
    QTest::newRow("overflow reads 0") << u"1e999"_qs << 0.0 << 0;
}

void TestBasicNumbers::val() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, held);
    QCOMPARE(Val(text), value);
    QCOMPARE(Held(Val(text), 0, 23), held);
}

void TestBasicNumbers::wholeNumbers() {
    QCOMPARE(DigitsValue(u"007"), 7);
    QCOMPARE(DigitsValue(u""), std::nullopt);
    QCOMPARE(DigitsValue(u"1 2"), std::nullopt);
    QCOMPARE(DigitsValue(u"99999999999999999999"), SaturatedValue);
    QCOMPARE(SignedValue(u"-0"), 0);
    QCOMPARE(SignedValue(u"-12"), -12);
    QCOMPARE(SignedValue(u"+"), std::nullopt);
    QVERIFY(!InRange(u"1000", 0, 999));
    QVERIFY(!InRange(u"99999999999999999999", 0, 999));
    QVERIFY(InRange(u"0999", 0, 999));
    QCOMPARE(LeadingValue(u"  -12x"), -12);
    QCOMPARE(LeadingValue(u"+"), 0);
    QCOMPARE(LeadingValue(u"-x5"), 0);
    QCOMPARE(LeadingDigits(u" 42-"), 42);
    QCOMPARE(LeadingDigits(u"-5"), 0);
    QCOMPARE(WholeHeld(7.9, 0, 999), 7);
    QCOMPARE(Held(std::nan(""), 1, 9), 1);
}

void TestBasicNumbers::texts() {
    QCOMPARE(Str(5), u" 5"_qs);
    QCOMPARE(Str(0), u" 0"_qs);
    QCOMPARE(Str(-5), u"-5"_qs);
    QCOMPARE(TwoDigits(7), u"07"_qs);
    QCOMPARE(TwoDigits(12), u"12"_qs);
}

namespace {

struct Run {
    bool ok = false;
    QByteArray out;
};

Run runCli(const QStringList& args, const QString& locale) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LC_ALL"_qs, locale);
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VX_CLI), args);
    Run run;
    run.ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
             process.exitCode() == 0;
    run.out = process.readAllStandardOutput();
    return run;
}

bool hasGermanLocale() {
    QProcess locales;
    locales.start(u"locale"_qs, {u"-a"_qs});
    if (!locales.waitForFinished(10000))
        return false;
    const QByteArray all = locales.readAllStandardOutput().toLower();
    return all.contains("de_de.utf8") || all.contains("de_de.utf-8");
}

} // namespace

void TestBasicNumbers::germanLocaleReadsLikeC() {
    if (!hasGermanLocale())
        QSKIP("locale de_DE.UTF-8 is not generated on this machine");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(u"decimals.vfp"_qs);
    QVERIFY(test::WriteBytes(file, "V, 2.7\r\nT, 10.6, 30\r\nZ, 2.5\r\nB, 12, B, 7.5\r\n"
                                   "W, 3.7\r\nX, 4.5, S\r\nM, 1.5e1, G\r\nK, 5, F\r\n"));
    for (const QStringList& args :
         {QStringList{u"listing"_qs, u"--lang"_qs, u"EN"_qs, u"--date"_qs, u"x"_qs, file},
          QStringList{u"explain"_qs, u"--lang"_qs, u"DE"_qs, file},
          QStringList{u"listing"_qs, u"--lang"_qs, u"DE"_qs, u"--date"_qs, u"x"_qs,
                      QStringLiteral(VX_TEST_DATA "/entry_all_forms.vfp")}}) {
        const Run c = runCli(args, u"C"_qs);
        const Run german = runCli(args, u"de_DE.UTF-8"_qs);
        QVERIFY2(c.ok && german.ok, qPrintable(args.join(u' ')));
        QCOMPARE(german.out, c.out);
    }
    const QByteArray listing =
        runCli({u"listing"_qs, u"--lang"_qs, u"EN"_qs, file}, u"de_DE.UTF-8"_qs).out;
    QVERIFY(listing.contains("SET variable[] ==>  3"));
    QVERIFY(listing.contains("Model clock time 11:30"));
}

QTEST_GUILESS_MAIN(TestBasicNumbers)
#include "test_basic_numbers.moc"
