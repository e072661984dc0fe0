#include "editor/editor.h"
#include "editor/menu_model.h"
#include "editor/recent_schedules.h"
#include "script/scripted_platform.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vx;

class TestRecentSchedules : public QObject {
    Q_OBJECT

private slots:
    void zeroEndsTheList() {
        ScriptedPlatform p;
        const QString app = RecentSchedules::App(), sec = RecentSchedules::Section();
        p.setValue(app, sec, RecentSchedules::Key(1), u"/p/one.vfp"_qs);
        p.setValue(app, sec, RecentSchedules::Key(2), u"0"_qs);
        p.setValue(app, sec, RecentSchedules::Key(3), u"/p/three.vfp"_qs);
        MenuModel menu;
        RecentSchedules recent(p, menu);
        recent.Smn_GetRecentSchedules();
        QCOMPARE(recent.visiblePaths(), QStringList{u"/p/one.vfp"_qs});
        for (int i = 2; i <= 5; ++i)
            QVERIFY(!menu.find(QString(QStringLiteral("MyFpls_") + QString::number(i)))->visible);
    }

    void missingFileReportsAndStaysListed() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        const QString gone = dir.filePath(QStringLiteral("gone.vfp"));
        p.setValue(RecentSchedules::App(), RecentSchedules::Section(), RecentSchedules::Key(1),
                   gone);
        Editor editor(p.platform());
        editor.catalogue.LoadCatalogue(u"EN"_qs);
        editor.menuClick(u"MyFpls_1"_qs);
        QCOMPARE(p.messages.size(), 1);
        QCOMPARE(p.messages[0].title, u"VX-EDIT message  27014"_qs);
        QVERIFY(p.messages[0].prompt.startsWith(u"27014 "_qs));
        QVERIFY(p.messages[0].prompt.contains(gone));
        QCOMPARE(editor.recent.visiblePaths(), QStringList{gone});
        QCOMPARE(editor.helpContext, 100);
    }

    void menuHelpContexts_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("highlight");
        QTest::addColumn<int>("context");
        QTest::newRow("click File") << u"MenuDat"_qs << false << 100;
        // The information window sets 130 while it opens and 100 afterwards.
        QTest::newRow("click Info") << u"Hlp_Info"_qs << false << 100;
        QTest::newRow("click help index takes the topic") << u"Hlp_Hilfe"_qs << false << 960;
        QTest::newRow("highlight help index") << u"Hlp_Hilfe"_qs << true << 1;
        QTest::newRow("highlight New sets none") << u"Dat_Neu"_qs << true << 7;
    }

    void menuHelpContexts() {
        QFETCH(QString, key);
        QFETCH(bool, highlight);
        QFETCH(int, context);
        ScriptedPlatform p;
        Editor editor(p.platform());
        editor.helpContext = 7;
        if (highlight)
            editor.menuHighlight(key);
        else
            editor.menuClick(key);
        QCOMPARE(editor.helpContext, context);
    }

    void unknownCommandNumbersDoNothing() {
        ScriptedPlatform p;
        Editor editor(p.platform());
        for (qint16 n : {qint16(4), qint16(6), qint16(0), qint16(9)}) {
            editor.Menue_Auswahl(n);
            QVERIFY(p.messages.isEmpty());
            QVERIFY(p.fileRequests.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestRecentSchedules)
#include "test_recent_schedules.moc"
