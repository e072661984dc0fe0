#include "document/vfp_file.h"
#include "editor/editor.h"
#include "script/scripted_platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vx;

class TestAutosave : public QObject {
    Q_OBJECT

    static QByteArray contents(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    // An untouched schedule gets no backup: tests/data/flows/autosave_untouched.
    void firstBackupOnThe13thModifiedTick() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Editor editor(p.platform());
        editor.autosave.programFolder = dir.path();
        editor.document.setLine(2, u"K, 12, B"_qs);
        editor.document.Modified = true;
        editor.autosaveEnabled = true;
        editor.document.FilePath = u"/home/user/own.vfp"_qs;
        const QString backup0 = dir.filePath(u"Save_Schedule_0.vfp"_qs);
        for (int i = 0; i < 12; ++i)
            editor.autosaveTick();
        QVERIFY(!QFile::exists(backup0));
        editor.autosaveTick();
        QCOMPARE(contents(backup0), QByteArray("K, 12, B\r\n"));
        QCOMPARE(editor.document.FilePath, u"/home/user/own.vfp"_qs);
        QVERIFY(editor.document.Modified);
        QVERIFY(editor.autosaveEnabled);
        QCOMPARE(editor.autosave.tickCounter, qint16(1));
    }

    void rotationAndLanguagePrefix() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Editor editor(p.platform());
        editor.autosave.programFolder = dir.path();
        editor.document.setLine(1, u"E"_qs);
        editor.document.Modified = true;
        editor.autosaveEnabled = true;
        auto backupOnce = [&] {
            while (editor.autosave.tickCounter < 12)
                editor.autosaveTick();
            editor.autosaveTick();
        };
        for (int n = 0; n < 9; ++n)
            backupOnce();
        QCOMPARE(editor.autosave.backupIndex, qint16(0));
        editor.document.setLine(1, u"A"_qs);
        backupOnce(); // the tenth overwrites backup 0
        QCOMPARE(contents(dir.filePath(u"Save_Schedule_0.vfp"_qs)), QByteArray("A\r\n"));
        QCOMPARE(contents(dir.filePath(u"Save_Schedule_1.vfp"_qs)), QByteArray("E\r\n"));
        editor.catalogue.LoadCatalogue(u"DE"_qs);
        backupOnce();
        QVERIFY(QFile::exists(dir.filePath(u"Sich_Fahrplan_1.vfp"_qs)));
    }

    void minutesWithoutChangesKeepTheCount() {
        ScriptedPlatform p;
        Editor editor(p.platform());
        QTemporaryDir dir;
        editor.autosave.programFolder = dir.path();
        editor.document.Modified = true;
        editor.autosaveEnabled = true;
        for (int i = 0; i < 5; ++i)
            editor.autosaveTick();
        editor.document.Modified = false;
        for (int i = 0; i < 50; ++i)
            editor.autosaveTick();
        QCOMPARE(editor.autosave.tickCounter, qint16(5));
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void blankScheduleWritesAnEmptyBackup() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Editor editor(p.platform());
        editor.autosave.programFolder = dir.path();
        editor.document.setLine(4, u"   "_qs);
        editor.document.Modified = true;
        editor.autosaveEnabled = true;
        for (int i = 0; i < 13; ++i)
            editor.autosaveTick();
        QVERIFY(QFile::exists(dir.filePath(u"Save_Schedule_0.vfp"_qs)));
        QCOMPARE(contents(dir.filePath(u"Save_Schedule_0.vfp"_qs)), QByteArray());
    }

    void unwritableProgramFolderFallsBack() {
        QTemporaryDir dir;
        ScriptedPlatform p;
        Editor editor(p.platform());
        // A file where the folder should be: nothing can be written below it.
        QFile blocker(dir.filePath(u"program"_qs));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        editor.autosave.programFolder = dir.filePath(u"program"_qs);
        editor.autosave.fallbackFolder = dir.filePath(u"appdata"_qs);
        editor.document.setLine(1, u"E"_qs);
        editor.document.Modified = true;
        editor.autosaveEnabled = true;
        for (int i = 0; i < 13; ++i)
            editor.autosaveTick();
        QCOMPARE(contents(dir.filePath(u"appdata/Save_Schedule_0.vfp"_qs)), QByteArray("E\r\n"));
        QCOMPARE(editor.document.line(1), u"E"_qs);
        QVERIFY(p.messages.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAutosave)
#include "test_autosave.moc"
