#include "editor/editor.h"
#include "script/scripted_platform.h"

#include <QtTest>

using namespace vx;

namespace {

// Records the language mode as well, which the scripted platform leaves out.
struct RecordingWindow : MessageWindow {
    QList<bool> germanButtons;
    ScriptedPlatform* inner = nullptr;
    int show(const QString& prompt, int style, const QString& title, bool german) override {
        germanButtons.append(german);
        return inner->show(prompt, style, title, german);
    }
};

struct Fixture {
    ScriptedPlatform scripted;
    RecordingWindow window;
    Platform platform;
    std::unique_ptr<Editor> editor;

    explicit Fixture(const QString& lang) {
        window.inner = &scripted;
        platform = scripted.platform();
        platform.messages = &window;
        editor = std::make_unique<Editor>(platform);
        editor->catalogue.LoadCatalogue(lang);
    }
};

const QString& br() {
    return TextCatalogue::HintLineBreak();
}

} // namespace

class TestErrorMessages : public QObject {
    Q_OBJECT

private slots:
    void reportError_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("symbol");
        QTest::addColumn<int>("styleAddition");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("style");
        const QString path = u"/plans/gone.vfp"_qs;
        const QString detail = u"vfp: LNo.12: 1100"_qs;
        const int message = 32 + 256 + 4096;
        QTest::newRow("recent entry whose file is gone")
            << u"EN"_qs << 27014 << 0 << 0 << u"VX-EDIT message  27014"_qs
            << u"27014 File not existing"_qs + br() + path + br() + u"K, 5"_qs + br() << message;
        QTest::newRow("the same in German")
            << u"DE"_qs << 27014 << 0 << 0 << u"VX-EDIT Meldung  27014"_qs
            << u"27014 Datei nicht vorhanden"_qs + br() + path + br() + u"K, 5"_qs + br()
            << message;
        QTest::newRow("schedule too large: retry/cancel, critical, cancel default")
            << u"EN"_qs << 27007 << 0 << 5 << u"Runtime error VX-EDIT  27007"_qs
            << u" 27007 Schedule to large"_qs + br() + detail << 5 + 16 + 256 + 4096;
        QTest::newRow("first runtime number")
            << u"EN"_qs << 27001 << 0 << 0 << u"Runtime error VX-EDIT  27001"_qs
            << u" 27001 General error VX-EDIT "_qs + br() + detail << 16 + 256 + 4096;
        QTest::newRow("style addition on a message")
            << u"EN"_qs << 27020 << 0 << 4 << u"VX-EDIT message  27020"_qs
            << u" 27020 File was stored by a higher Velox-PC version, it's not to load! "_qs +
                   br() + detail + br()
            << 4 + message;
        QTest::newRow("number nobody raises")
            << u"EN"_qs << 27030 << 0 << 0 << u"VX-EDIT general error"_qs
            << u"Undefined error code=27030"_qs + br() + detail << 16 + 4096;
        QTest::newRow("below the ranges")
            << u"EN"_qs << 7999 << 0 << 0 << u"VX-EDIT general error"_qs
            << u"Undefined error code=7999"_qs + br() + detail << 16 + 4096;
    }

    void reportError() {
        QFETCH(QString, lang);
        QFETCH(int, number);
        QFETCH(int, symbol);
        QFETCH(int, styleAddition);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        QFETCH(int, style);
        Fixture f(lang);
        f.editor->messages.setListingLine(0, u"K, 5"_qs);
        const QString detail = number == 27014 ? u"/plans/gone.vfp"_qs : u"vfp: LNo.12: 1100"_qs;
        f.scripted.answers.push_back(MsgAnswer::Retry);
        qint16 answer = 9;
        f.editor->ReportError(number, symbol, styleAddition, detail, answer);
        QCOMPARE(f.scripted.messages.size(), 1);
        QCOMPARE(f.scripted.messages[0].title, title);
        QCOMPARE(f.scripted.messages[0].prompt, prompt);
        QCOMPARE(f.scripted.messages[0].style, style);
        QCOMPARE(answer, qint16(MsgAnswer::Retry));
        QCOMPARE(f.window.germanButtons[0], lang == u"DE");
    }

    void symbolText_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<int>("symbol");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << u"EN"_qs << 0 << QString();
        QTest::newRow("X old first") << u"EN"_qs << 41 << u"X-Symbol old, 1. Value"_qs;
        QTest::newRow("X old last") << u"EN"_qs << 49 << u"X-Symbol old, 9. Value"_qs;
        QTest::newRow("gap 50") << u"EN"_qs << 50 << QString();
        QTest::newRow("special sign German") << u"DE"_qs << 75 << u"Sonderzeichen, 5. Wert"_qs;
        QTest::newRow("### first") << u"EN"_qs << 80 << u"### 0 ###"_qs;
        QTest::newRow("### last") << u"EN"_qs << 92 << u"### 12 ###"_qs;
        QTest::newRow("after ###") << u"EN"_qs << 93 << QString();
        QTest::newRow("command line") << u"EN"_qs << 27035 << u"Command line=117"_qs;
    }

    void symbolText() {
        QFETCH(QString, lang);
        QFETCH(int, symbol);
        QFETCH(QString, text);
        Fixture f(lang);
        f.editor->messages.setListingLine(117, QString());
        qint16 answer = 9;
        f.editor->ReportError(27019, symbol, 0, u"t"_qs, answer);
        QCOMPARE(f.scripted.messages.size(), 1);
        QVERIFY(f.scripted.messages[0].prompt.endsWith(br() + u"t"_qs + br() + text));
    }

    void silentNumbers_data() {
        QTest::addColumn<int>("number");
        for (int n : {27021, 8000})
            QTest::addRow("%d", n) << n;
    }

    void silentNumbers() {
        QFETCH(int, number);
        Fixture f(u"EN"_qs);
        qint16 answer = 9;
        f.editor->ReportError(number, 0, 0, u"detail"_qs, answer);
        QVERIFY(f.scripted.messages.isEmpty());
        QCOMPARE(answer, qint16(9));
    }

    void showMessageButtonsFollowLanguage_data() {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<bool>("german");
        QTest::newRow("ES") << u"ES"_qs << false;
        QTest::newRow("EN") << u"EN"_qs << false;
        QTest::newRow("DE") << u"DE"_qs << true;
    }

    void showMessageButtonsFollowLanguage() {
        QFETCH(QString, lang);
        QFETCH(bool, german);
        Fixture f(lang);
        f.scripted.answers.push_back(MsgAnswer::No);
        QCOMPARE(f.editor->ShowMessage(u"p"_qs, MsgStyle::YesNo, u"t"_qs), MsgAnswer::No);
        QCOMPARE(f.window.germanButtons, QList<bool>{german});
        QCOMPARE(f.scripted.messages[0].style, MsgStyle::YesNo);
    }
};

QTEST_APPLESS_MAIN(TestErrorMessages)
#include "test_error_messages.moc"
