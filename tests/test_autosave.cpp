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
    // The first backup, the rotation and the prefix per language are in
    // tests/data/flows/autosave_*.
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
