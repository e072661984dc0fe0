// The help viewer window and the information window, on the offscreen platform.

#include "gui/frm_info_window.h"
#include "gui/help_viewer_window.h"
#include "help/help_model.h"
#include "texts/text_catalogue.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QtTest>

using namespace vx;
using namespace Qt::StringLiterals;

class TestHelpViewer : public QObject {
    Q_OBJECT
private slots:
    void displayTopicOpensPage_data();
    void displayTopicOpensPage();
    void helpContextOpensMappedPage();
    void defaultPageIsContents();
    void missingPageIsReported_data();
    void missingPageIsReported();
    void followsLanguageOfLaterRequest();
    void linksWorkInsideViewer();
    void sharedStyleSheetApplies();
    void closeClosesWindow();
    void infoWindow_data();
    void infoWindow();
};

void TestHelpViewer::displayTopicOpensPage_data() {
    QTest::addColumn<Language>("language");
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("folder");
    QTest::newRow("EN 970") << Language::EN << 970 << u"VXWEdite"_s << u"VXEe_0970.htm"_s
                            << u"en"_s;
    QTest::newRow("DE index") << Language::DE << 0 << u"VXWEditd"_s << u"INDEX.htm"_s << u"de"_s;
    // Spanish asks the English file by its English page name and reads Spanish.
    QTest::newRow("ES 970") << Language::ES << 970 << u"VXWEdite"_s << u"VXEe_0970.htm"_s
                            << u"es"_s;
}

void TestHelpViewer::displayTopicOpensPage() {
    QFETCH(Language, language);
    QFETCH(int, topic);
    QFETCH(QString, title);
    QFETCH(QString, page);
    QFETCH(QString, folder);
    GuiHelpViewer viewer;
    QVERIFY(viewer.window() == nullptr);
    QVERIFY(F1Help(viewer, u"/opt/vx/"_s, language, topic));
    HelpViewerWindow* window = viewer.window();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), title);
    QCOMPARE(window->currentPage().fileName(), page);
    QCOMPARE(window->currentPage().path(), u"/help/pages/"_s + folder + u'/' + page);
    QVERIFY(!window->browser()->documentTitle().isEmpty());
    QVERIFY(window->browser()->toPlainText().size() > 200);
}

void TestHelpViewer::helpContextOpensMappedPage() {
    GuiHelpViewer viewer;
    cmdHilfe_click(viewer, u"/opt/vx/"_s, Language::DE, 1000, 1060);
    QVERIFY(viewer.window() != nullptr);
    QCOMPARE(viewer.window()->windowTitle(), u"VXWEditd"_s);
    QCOMPARE(viewer.window()->currentPage().fileName(), u"VXEd_1060.htm"_s);
    QVERIFY(viewer.window()->browser()->toPlainText().contains(u"K, 12, B"_s));
}

void TestHelpViewer::defaultPageIsContents() {
    GuiHelpViewer viewer;
    cmdHilfe_click(viewer, u"/opt/vx/"_s, Language::EN, 1000, HelpTopic::Default);
    QVERIFY(viewer.window() != nullptr);
    QCOMPARE(viewer.window()->currentPage().fileName(), u"INDEX.htm"_s);
}

void TestHelpViewer::missingPageIsReported_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("says");
    QTest::newRow("no page") << u"VX-EDITe.chm"_s << u"VXEe_0005"_s << u"VXWEdite"_s
                             << u"VXEe_0005"_s;
    QTest::newRow("German no page")
        << u"VX-EDITd.chm"_s << u"VXEd_1999"_s << u"VXWEditd"_s << u"keine Seite"_s;
    QTest::newRow("no file") << u"/opt/vx/OTHER.chm"_s << u"INDEX.htm"_s << u"VXWEdite"_s
                             << u"not available"_s;
}

void TestHelpViewer::missingPageIsReported() {
    QFETCH(QString, file);
    QFETCH(QString, page);
    QFETCH(QString, title);
    QFETCH(QString, says);
    GuiHelpViewer viewer;
    viewer.displayTopic(file, page);
    QVERIFY(viewer.window() != nullptr);
    QVERIFY(viewer.window()->isVisible());
    QCOMPARE(viewer.window()->windowTitle(), title);
    QVERIFY2(viewer.window()->browser()->toPlainText().contains(says),
             qPrintable(viewer.window()->browser()->toPlainText()));
}

void TestHelpViewer::followsLanguageOfLaterRequest() {
    // After a language switch F1 asks the other help file; the one window follows.
    GuiHelpViewer viewer;
    F1Help(viewer, QString(), Language::EN, 980);
    HelpViewerWindow* first = viewer.window();
    F1Help(viewer, QString(), Language::DE, 980);
    QCOMPARE(viewer.window(), first);
    QCOMPARE(first->windowTitle(), u"VXWEditd"_s);
    QCOMPARE(first->currentPage().fileName(), u"VXEd_0980.htm"_s);
    // The Help command in Spanish: same file as English, Spanish page and buttons.
    cmdHilfe_click(viewer, QString(), Language::ES, 1000, 980);
    QCOMPARE(viewer.window(), first);
    QCOMPARE(first->windowTitle(), u"VXWEdite"_s);
    QCOMPARE(first->currentPage().path(), u"/help/pages/es/VXEe_0980.htm"_s);
    QCOMPARE(first->findChild<QPushButton*>(u"contents"_s)->text(), u"Contenido"_s);
    F1Help(viewer, QString(), Language::EN, 980);
    QCOMPARE(first->currentPage().path(), u"/help/pages/en/VXEe_0980.htm"_s);
}

void TestHelpViewer::linksWorkInsideViewer() {
    GuiHelpViewer viewer;
    F1Help(viewer, QString(), Language::EN, 1060);
    QTextBrowser* browser = viewer.window()->browser();
    browser->setSource(QUrl(u"VXEe_1070.htm"_s)); // as a click on a relative link does
    QCOMPARE(viewer.window()->currentPage().fileName(), u"VXEe_1070.htm"_s);
    QVERIFY(browser->toPlainText().contains(u"L, 3, S, 60"_s));
    QVERIFY(browser->isBackwardAvailable());
    auto* back = viewer.window()->findChild<QPushButton*>(u"back"_s);
    QVERIFY(back != nullptr && back->isEnabled());
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(viewer.window()->currentPage().fileName(), u"VXEe_1060.htm"_s);
}

void TestHelpViewer::sharedStyleSheetApplies() {
    // The pages share ../help.css; its heading colour shows that it was found.
    GuiHelpViewer viewer;
    F1Help(viewer, QString(), Language::DE, 1230);
    const QTextDocument* document = viewer.window()->browser()->document();
    bool found = false;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        found = true;
        QCOMPARE(block.charFormat().foreground().color(), QColor(u"#1f4e79"_s));
    }
    QVERIFY(found);
}

void TestHelpViewer::closeClosesWindow() {
    GuiHelpViewer viewer;
    F1Help(viewer, QString(), Language::EN, 970);
    QPointer<HelpViewerWindow> window = viewer.window();
    QVERIFY(window && window->isVisible());
    viewer.close();
    QVERIFY(!window || !window->isVisible());
    QTRY_VERIFY(window.isNull());
    QVERIFY(viewer.window() == nullptr);
    // A later request opens a new window.
    F1Help(viewer, QString(), Language::EN, 970);
    QVERIFY(viewer.window() != nullptr && viewer.window()->isVisible());
}

void TestHelpViewer::infoWindow_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("caption");
    QTest::newRow("EN") << u"EN"_s << u"  P R O G R A M - I N F O R M A T I O N "_s;
}

void TestHelpViewer::infoWindow() {
    QFETCH(QString, code);
    QFETCH(QString, caption);
    TextCatalogue catalogue;
    QVERIFY(catalogue.LoadCatalogue(code));
    frmVx_Edit_Info info(InfoWindowTexts(catalogue, u"10.0.013"_s));
    QCOMPARE(info.windowTitle(), caption);
    QCOMPARE(info.lblText1->text(), catalogue.tx(u"Schedule-EDITOR for VELOX"));
    QCOMPARE(info.lblVersion->text(), u"SW-Version\n10.0.013"_s);
    info.show();
    QVERIFY(info.isVisible());
    QTest::mouseClick(info.sevOK, Qt::LeftButton);
    QVERIFY(!info.isVisible());
    QCOMPARE(info.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestHelpViewer)
#include "test_help_viewer.moc"
