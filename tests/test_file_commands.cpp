#include "document/vfp_file.h"
#include "editor/editor.h"
#include "form/entry_form.h"
#include "script/scripted_platform.h"

#include "test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace vx;
using namespace vx::test;

namespace {

const QString Title = u" S C H E D U L E - E D I T O R   for   V E L O X"_qs;
const QString Folder = u"C:\\Velox-PC_V9"_qs;

struct Fixture {
    QTemporaryDir dir;
    ScriptedPlatform p;
    Editor editor{p.platform()};
    ScheduleDocument& doc = editor.document;

    Fixture() { editor.catalogue.LoadCatalogue(u"EN"_qs); }

    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        const QString file = path(name);
        WriteBytes(file, bytes);
        return file;
    }

    static QByteArray numberedLines(int count) {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += "K, " + QByteArray::number(i) + "\r\n";
        return bytes;
    }

    // A schedule the user has worked on.
    void workedOn(const QString& filePath = QString()) {
        doc.setLine(1, u"K, 1"_qs);
        doc.setLine(4, u"W, 10"_qs);
        doc.FilePath = filePath;
        doc.ExtractFileName();
        doc.Modified = true;
        editor.autosaveEnabled = true;
        editor.windowTitle = u"before"_qs;
    }

    QStringList rows() const {
        QStringList texts;
        for (int r = 1; r <= doc.RowCount; ++r)
            texts.append(doc.line(r));
        return texts;
    }
};

const QString& br() {
    return TextCatalogue::HintLineBreak();
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

private slots:
    // --- Open ---------------------------------------------------------------

    void openGrowsTheTable_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("rows");
        QTest::newRow("99") << 99 << 100;
        QTest::newRow("100") << 100 << 109;
        QTest::newRow("1999") << 1999 << 1999;
    }

    void openGrowsTheTable() {
        QFETCH(int, lines);
        QFETCH(int, rows);
        Fixture f;
        const QString file = f.write(u"plan.vfp"_qs, Fixture::numberedLines(lines));
        f.editor.form->setFieldText(3, u"x"_qs);
        f.p.fileChoices.push_back(file);
        f.editor.Open();
        QCOMPARE(int(f.doc.RowCount), rows);
        QCOMPARE(f.doc.grid.rows, rows + 1);
        for (int r = 1; r <= lines; ++r) {
            QCOMPARE(f.doc.line(r), u"K, "_qs + QString::number(r));
            QCOMPARE(f.doc.grid.textColumn[size_t(r)], f.doc.line(r));
            QCOMPARE(f.doc.grid.numberColumn[size_t(r)], QString::number(r));
        }
        if (lines < 1999)
            QVERIFY(f.doc.line(rows).isEmpty()); // the reserve row
        if (lines > 0)
            QCOMPARE(int(f.doc.CurrentRow), lines);
        QVERIFY(f.p.messages.isEmpty());
        QVERIFY(!f.doc.Modified);
        QVERIFY(!f.editor.autosaveEnabled);
        QCOMPARE(f.doc.FilePath, file);
        QCOMPARE(f.doc.FileName, u"plan.vfp"_qs);
        QCOMPARE(f.editor.windowTitle, Title + u"   "_qs + file);
        QCOMPARE(f.doc.grid.currentRow, 1);
        QCOMPARE(f.editor.form->msk[0].text, u"1"_qs);
        for (int k = 1; k <= 6; ++k)
            QVERIFY(f.editor.form->msk[size_t(k)].text.isEmpty());
        QCOMPARE(f.editor.recent.visiblePaths(), QStringList{file});
    }

    void openDialog() {
        Fixture f;
        f.editor.Open();
        QCOMPARE(f.p.fileRequests.size(), 1);
        const FileDialogRequest& r = f.p.fileRequests[0];
        QCOMPARE(r.title, u" File selection for: Open  >>> SCHEDULE FILE <<<"_qs);
        QCOMPARE(r.filter, u"SCHEDULE-FILE  (*.vfp) | *.vfp"_qs);
        QCOMPARE(r.initialName, u"*.vfp"_qs);
        QCOMPARE(r.initialFolder, Folder);
    }

    void openCancelledLeavesAnEmptySchedule() {
        Fixture f;
        f.workedOn(u"/p/old.vfp"_qs);
        f.p.answers.push_back(MsgAnswer::No);
        f.editor.Open();
        QCOMPARE(f.p.messages.size(), 1); // only the save question
        QVERIFY(!f.doc.anyRowHasContent());
        QCOMPARE(f.doc.RowCount, qint16(99));
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QCOMPARE(f.editor.windowTitle, Title);
    }

    void openTooLongTellsWhatWasLeftOut() {
        Fixture f;
        const QString file = f.write(u"long.vfp"_qs, Fixture::numberedLines(2005));
        f.p.fileChoices.push_back(file);
        f.editor.Open();
        QCOMPARE(f.doc.RowCount, qint16(1999));
        QCOMPARE(f.doc.line(1999), u"K, 1999"_qs);
        QCOMPARE(f.p.messages.size(), 1);
        QCOMPARE(f.p.messages[0].title, u"VX-Editor"_qs);
        QCOMPARE(f.p.messages[0].prompt, file + br() + u"Lines not loaded (more than 1999): 6"_qs);
        QCOMPARE(f.p.messages[0].style, MsgStyle::Critical);
        QCOMPARE(f.doc.FilePath, file);
    }

    void openFailureLeavesTheDocument_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("fromRecent");
        QTest::newRow("missing") << u"missing"_qs << u"File not existing"_qs << false;
        QTest::newRow("folder") << u"folder"_qs << u"This is a folder, not a file"_qs << false;
        QTest::newRow("too large")
            << u"huge"_qs << u"The file is too large for a schedule"_qs << false;
    }

    void openFailureLeavesTheDocument() {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        QFETCH(bool, fromRecent);
        Fixture f;
        QString file = f.path(u"missing.vfp"_qs);
        if (what == u"folder") {
            file = f.path(u"sub.vfp"_qs);
            QDir().mkdir(file);
        } else if (what == u"huge") {
            file = f.path(u"huge.vfp"_qs);
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.resize(MaxScheduleFileBytes + 1));
        }
        f.workedOn(u"/p/old.vfp"_qs);
        const QStringList before = f.rows();
        f.p.answers.push_back(MsgAnswer::No); // keep the changes unsaved
        if (fromRecent) {
            f.editor.Open(file);
        } else {
            f.p.fileChoices.push_back(file);
            f.editor.Open();
        }
        QCOMPARE(f.p.messages.size(), 2);
        QCOMPARE(f.p.messages[0].prompt, u"Save actual data?"_qs);
        QCOMPARE(f.p.messages[1].title, u"VX-Editor"_qs);
        QCOMPARE(f.p.messages[1].prompt, file + br() + reason);
        QCOMPARE(f.p.messages[1].style, MsgStyle::Critical);
        QCOMPARE(f.rows(), before);
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QCOMPARE(f.doc.FileName, u"old.vfp"_qs);
        QVERIFY(f.doc.Modified);
        QVERIFY(f.editor.autosaveEnabled);
        QCOMPARE(f.editor.windowTitle, u"before"_qs);
        QVERIFY(!f.editor.openWithoutDialog);
        QVERIFY(f.editor.recent.visiblePaths().isEmpty());
    }

    void openFromRecentAsksAboutTheScheduleBeingLeft() {
        Fixture f;
        const QString chosen = f.write(u"chosen.vfp"_qs, "K, 2\r\n");
        const QString current = f.path(u"current.vfp"_qs);
        f.workedOn(current);
        f.p.answers.push_back(MsgAnswer::Yes);
        f.p.fileChoices.push_back(current); // the save dialog
        f.editor.Open(chosen);
        QCOMPARE(f.p.messages.size(), 1);
        QCOMPARE(f.p.messages[0].title, current);
        QCOMPARE(f.p.messages[0].style, MsgStyle::YesNo + MsgStyle::Question);
        QCOMPARE(f.p.fileRequests.size(), 1); // no open dialog
        QCOMPARE(ReadBytes(current), QByteArray("K, 1\r\nW, 10\r\n"));
        QCOMPARE(f.doc.FilePath, chosen);
        QCOMPARE(f.doc.line(1), u"K, 2"_qs);
        QCOMPARE(f.doc.Answer, qint16(9));
        QVERIFY(!f.editor.openWithoutDialog);
        QCOMPARE(f.editor.recent.visiblePaths(), (QStringList{chosen, current}));
    }

    void emptyFileOpensAndIsListed() {
        Fixture f;
        const QString file = f.write(u"empty.vfp"_qs, QByteArray());
        f.editor.Open(file);
        QCOMPARE(f.doc.RowCount, qint16(99));
        QVERIFY(!f.doc.anyRowHasContent());
        QCOMPARE(f.editor.recent.visiblePaths(), QStringList{file});
        QVERIFY(f.p.messages.isEmpty());
    }

    void invalidLineLoadsUnchanged() {
        Fixture f;
        const QString file = f.write(u"odd.vfp"_qs, "  no command at all ;-)  \r\n\r\nX\n");
        f.editor.Open(file);
        QCOMPARE(f.doc.line(1), u"  no command at all ;-)  "_qs);
        QCOMPARE(f.doc.line(2), QString());
        QCOMPARE(f.doc.line(3), u"X\n"_qs);
    }

    // --- New ----------------------------------------------------------------

    void newQuestion_data() {
        QTest::addColumn<bool>("content");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QString>("filePath");
        QTest::addColumn<QString>("title"); // "" = no question
        QTest::newRow("modified, all rows blank") << false << true << u"/p/a.vfp"_qs << QString();
        QTest::newRow("never saved") << true << true << QString() << u"New file"_qs;
        QTest::newRow("saved before") << true << true << u"/p/a.vfp"_qs << u"/p/a.vfp"_qs;
    }

    void newQuestion() {
        QFETCH(bool, content);
        QFETCH(bool, modified);
        QFETCH(QString, filePath);
        QFETCH(QString, title);
        Fixture f;
        f.doc.setLine(7, content ? u"K, 7"_qs : u"   "_qs);
        f.doc.Modified = modified;
        f.doc.FilePath = filePath;
        f.p.answers.push_back(MsgAnswer::No);
        f.editor.New();
        if (title.isEmpty()) {
            QVERIFY(f.p.messages.isEmpty());
        } else {
            QCOMPARE(f.p.messages.size(), 1);
            QCOMPARE(f.p.messages[0].prompt, u"Save actual data?"_qs);
            QCOMPARE(f.p.messages[0].title, title);
            QCOMPARE(f.p.messages[0].style, MsgStyle::YesNo + MsgStyle::Question);
            QCOMPARE(f.doc.Answer, qint16(9));
        }
        QVERIFY(f.doc.line(7).isEmpty());
        QCOMPARE(f.doc.Modified, modified); // New leaves it alone
        QCOMPARE(f.doc.FilePath, filePath);
        QCOMPARE(f.editor.form->msk[0].text, u"1"_qs);
    }

    void newSaveFirst_data() {
        QTest::addColumn<QString>("saveTo"); // "" = cancel the save dialog
        QTest::addColumn<bool>("cleared");
        QTest::addColumn<bool>("modified");
        QTest::newRow("saved, then cleared") << u"kept.vfp"_qs << true << false;
        QTest::newRow("save dialog cancelled, cleared anyway") << QString() << true << true;
        QTest::newRow("save failed, nothing cleared") << u"."_qs << false << true;
    }

    void newSaveFirst() {
        QFETCH(QString, saveTo);
        QFETCH(bool, cleared);
        QFETCH(bool, modified);
        Fixture f;
        f.workedOn();
        f.p.answers.push_back(MsgAnswer::Yes);
        if (saveTo.isEmpty())
            f.p.fileChoices.push_back(std::nullopt);
        else
            f.p.fileChoices.push_back(saveTo == u"." ? f.dir.path() : f.path(saveTo));
        f.editor.New();
        QCOMPARE(!f.doc.anyRowHasContent(), cleared);
        QCOMPARE(f.doc.Modified, modified);
        QCOMPARE(f.doc.Answer, qint16(9));
        if (saveTo == u"kept.vfp")
            QCOMPARE(ReadBytes(f.path(saveTo)), QByteArray("K, 1\r\nW, 10\r\n"));
    }

    // --- Save ---------------------------------------------------------------

    void saveWritesNonEmptyRowsUntrimmed() {
        Fixture f;
        f.doc.setLine(3, u"  K, 3  "_qs);
        f.doc.setLine(5, u"    "_qs);
        f.doc.setLine(7, u"* seven"_qs);
        f.doc.Modified = true;
        f.editor.autosaveEnabled = true;
        f.doc.Answer = 6;
        const QString file = f.path(u"out.vfp"_qs);
        f.p.fileChoices.push_back(file);
        QCOMPARE(f.editor.Save(), Editor::SaveResult::Written);
        QCOMPARE(ReadBytes(file), QByteArray("  K, 3  \r\n* seven\r\n"));
        QVERIFY(f.p.messages.isEmpty());
        QVERIFY(!f.doc.Modified);
        QVERIFY(!f.editor.autosaveEnabled);
        QCOMPARE(f.doc.Answer, qint16(9));
        QCOMPARE(f.doc.FilePath, file);
        QVERIFY(f.doc.FileName.isEmpty()); // Save does not derive it
        QCOMPARE(f.editor.windowTitle, Title + u"   "_qs + file);
        QCOMPARE(f.editor.recent.visiblePaths(), QStringList{file});

        f.p.fileChoices.push_back(file);
        f.editor.Open();
        QCOMPARE(f.doc.line(1), u"  K, 3  "_qs);
        QCOMPARE(f.doc.line(2), u"* seven"_qs);
        QVERIFY(f.doc.line(3).isEmpty());
    }

    void saveDialogProposesTheOpenedName() {
        Fixture f;
        const QString file = f.write(u"a.vfp"_qs, "K, 1\r\n");
        f.editor.Open(file);
        f.editor.Save(); // cancelled
        const FileDialogRequest& r = f.p.fileRequests.last();
        QCOMPARE(r.title, u" File selection for: Save  >>> SCHEDULE FILE <<<"_qs);
        QCOMPARE(r.filter, u"SCHEDULE-FILE  (*.vfp) | *.vfp"_qs);
        QCOMPARE(r.initialName, u"a.vfp"_qs);
        QCOMPARE(r.initialFolder, Folder);

        f.p.fileChoices.push_back(f.path(u"b.vfp"_qs));
        f.editor.Save();
        QCOMPARE(f.doc.FileName, u"a.vfp"_qs);
        f.editor.New(); // keeps FilePath and FileName
        f.editor.Save();
        QCOMPARE(f.p.fileRequests.last().initialName, u"a.vfp"_qs);
    }

    void saveDialogWithoutName() {
        Fixture f;
        f.doc.FileName = u"  "_qs;
        f.editor.Save();
        QCOMPARE(f.p.fileRequests.last().initialName, u"*.vfp"_qs);
    }

    void saveCancelledWritesNothing() {
        Fixture f;
        f.workedOn(u"/p/old.vfp"_qs);
        QCOMPARE(f.editor.Save(), Editor::SaveResult::Cancelled);
        QVERIFY(f.doc.Modified);
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QVERIFY(f.p.messages.isEmpty());
    }

    void saveOverwriteQuestion_data() {
        QTest::addColumn<int>("answer"); // 0 = the default button
        QTest::addColumn<bool>("overwritten");
        QTest::newRow("yes") << int(MsgAnswer::Yes) << true;
        QTest::newRow("default is no") << 0 << false;
    }

    void saveOverwriteQuestion() {
        QFETCH(int, answer);
        QFETCH(bool, overwritten);
        Fixture f;
        const QString file = f.write(u"there.vfp"_qs, "old\r\n");
        f.workedOn(u"/p/old.vfp"_qs);
        f.doc.Answer = 6;
        if (answer)
            f.p.answers.push_back(answer);
        f.p.fileChoices.push_back(file);
        f.editor.Save();
        QCOMPARE(f.p.messages.size(), 1);
        QCOMPARE(f.p.messages[0].prompt, file + u"\r\nFile available, overwriting?"_qs);
        QCOMPARE(f.p.messages[0].title, u"&Save schedule data"_qs);
        QCOMPARE(f.p.messages[0].style, 4 + 32 + 256);
        QCOMPARE(ReadBytes(file), overwritten ? QByteArray("K, 1\r\nW, 10\r\n") : "old\r\n");
        QCOMPARE(f.doc.Modified, !overwritten);
        QCOMPARE(f.doc.FilePath, overwritten ? file : u"/p/old.vfp"_qs);
        QCOMPARE(f.doc.Answer, qint16(overwritten ? 9 : 6));
    }

    void saveFailureKeepsEverything_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("a folder") << u"."_qs << u"This is a folder, not a file"_qs;
        QTest::newRow("missing folder") << u"nowhere/a.vfp"_qs << u"The folder does not exist"_qs;
    }

    void saveFailureKeepsEverything() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        Fixture f;
        f.workedOn(u"/p/old.vfp"_qs);
        const QString file = target == u"." ? f.dir.path() : f.path(target);
        f.p.fileChoices.push_back(file);
        QCOMPARE(f.editor.Save(), Editor::SaveResult::Failed);
        QCOMPARE(f.p.messages.size(), 1); // no overwrite question for a folder
        QCOMPARE(f.p.messages[0].prompt, file + br() + reason);
        QCOMPARE(f.p.messages[0].title, u"VX-Editor"_qs);
        QCOMPARE(f.p.messages[0].style, MsgStyle::Critical);
        QVERIFY(f.doc.Modified);
        QVERIFY(f.editor.autosaveEnabled);
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QCOMPARE(f.editor.windowTitle, u"before"_qs);
        QVERIFY(f.editor.recent.visiblePaths().isEmpty());
        QCOMPARE(f.doc.line(4), u"W, 10"_qs);
    }

#ifdef Q_OS_UNIX
    void saveBreakingOffKeepsTheOldFile() {
        Fixture f;
        const QString file = f.write(u"there.vfp"_qs, "old\r\n");
        f.workedOn(u"/p/old.vfp"_qs);
        for (int r = 1; r <= 99; ++r)
            f.doc.setLine(r, QString(70, u'x'));
        f.p.answers.push_back(MsgAnswer::Yes);
        f.p.fileChoices.push_back(file);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 1000; // the schedule needs about 7 kB
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const Editor::SaveResult result = f.editor.Save();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(result, Editor::SaveResult::Failed);
        QCOMPARE(ReadBytes(file), QByteArray("old\r\n"));
        QVERIFY(f.doc.Modified);
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QVERIFY(f.p.messages.last().prompt.contains(u"The file cannot be written"_qs));
    }
#endif

    void saveTellsOnceAboutLostCharacters() {
        Fixture f;
        f.doc.setLine(1, u"* \u4E2D"_qs);
        f.doc.setLine(2, u"* \u0394 and \u20AC"_qs); // Greek is lost, the euro is not
        f.doc.Modified = true;
        const QString file = f.path(u"lossy.vfp"_qs);
        f.p.fileChoices.push_back(file);
        QCOMPARE(f.editor.Save(), Editor::SaveResult::Written);
        QCOMPARE(ReadBytes(file), QByteArray("* ?\r\n* ? and \x80\r\n"));
        QCOMPARE(f.p.messages.size(), 1);
        QCOMPARE(f.p.messages[0].prompt,
                 file + br() + u"Some characters cannot be stored and were saved as ?"_qs);
        QVERIFY(!f.doc.Modified);
    }

    void oddBytesComeBackByteForByte() {
        Fixture f;
        QByteArray line;
        for (int b = 0; b < 256; ++b)
            if (b != '\r')
                line.append(static_cast<char>(b));
        const QByteArray bytes = line + "\r\n\n\x81\x8D\x8F\x90\x9D\r\n";
        const QString in = f.write(u"in.vfp"_qs, bytes);
        f.editor.Open(in);
        QCOMPARE(f.doc.line(1).size(), 255);
        const QString out = f.path(u"out.vfp"_qs);
        f.p.fileChoices.push_back(out);
        QCOMPARE(f.editor.Save(), Editor::SaveResult::Written);
        QCOMPARE(ReadBytes(out), bytes);
        QVERIFY(f.p.messages.isEmpty());
    }

    // --- Import -------------------------------------------------------------

    void importConvertsAndRenames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("savedName");
        QTest::newRow("upper case") << u"PLAN.LSP"_qs << u"PLAN.vfp"_qs;
        QTest::newRow("other extension") << u"plan.txt"_qs << u"plan.txt"_qs;
    }

    void importConvertsAndRenames() {
        QFETCH(QString, name);
        QFETCH(QString, savedName);
        Fixture f;
        const QString file = f.write(name, "K, 5A\r\n  T, 12:30\r\nR,3,4B xyz\r\n");
        f.p.fileChoices.push_back(file);
        f.editor.windowTitle = u"before"_qs;
        f.doc.Modified = false;
        f.editor.Import();
        const FileDialogRequest& r = f.p.fileRequests[0];
        QCOMPARE(r.title, u" File selection for: Open  >>> LGB SCHEDULE <<<"_qs);
        QCOMPARE(r.filter, u"MTS-PC SCHEDULE-FILE  (*.lsp) | *.lsp"_qs);
        QCOMPARE(r.initialName, u"*.lsp"_qs);
        QCOMPARE(r.initialFolder, Folder);
        QCOMPARE(f.doc.line(1), u"K, 9  * [5a]"_qs);
        QCOMPARE(f.doc.line(2), u"T, 12:30"_qs);
        QCOMPARE(f.doc.line(3), u"R, 3, 8 xyz  * [4b]"_qs);
        QCOMPARE(f.doc.FilePath, f.path(savedName));
        QCOMPARE(f.doc.FileName, savedName);
        QVERIFY(!f.doc.Modified);
        QVERIFY(!f.editor.autosaveEnabled);
        QCOMPARE(f.editor.windowTitle, Title); // no file name in the title
        QVERIFY(f.editor.recent.visiblePaths().isEmpty());
        QCOMPARE(f.editor.form->msk[0].text, u"1"_qs);
        QVERIFY(f.p.messages.isEmpty());

        QVERIFY(!f.editor.Form_QueryUnload(0)); // closing asks nothing
        QVERIFY(f.p.messages.isEmpty());
    }

    void importGrowsLikeOpen() {
        Fixture f;
        f.p.fileChoices.push_back(f.write(u"big.lsp"_qs, Fixture::numberedLines(2001)));
        f.editor.Import();
        QCOMPARE(f.doc.RowCount, qint16(1999));
        QCOMPARE(f.doc.line(100), u"K, 100"_qs);
        QCOMPARE(f.p.messages.size(), 1);
        QVERIFY(f.p.messages[0].prompt.endsWith(u"Lines not loaded (more than 1999): 2"_qs));
    }

    void importCancelledLeavesAnEmptySchedule() {
        Fixture f;
        f.doc.setLine(1, u"K, 1"_qs);
        f.editor.Import();
        QVERIFY(!f.doc.anyRowHasContent());
        QVERIFY(f.p.messages.isEmpty());
    }

    void importFailureLeavesTheDocument() {
        Fixture f;
        f.workedOn(u"/p/old.vfp"_qs);
        const QStringList before = f.rows();
        f.p.answers.push_back(MsgAnswer::No);
        f.p.fileChoices.push_back(f.path(u"gone.lsp"_qs));
        f.editor.Import();
        QCOMPARE(f.p.messages.size(), 2);
        QCOMPARE(f.p.messages[1].prompt, f.path(u"gone.lsp"_qs) + br() + u"File not existing"_qs);
        QCOMPARE(f.rows(), before);
        QCOMPARE(f.doc.FilePath, u"/p/old.vfp"_qs);
        QVERIFY(f.doc.Modified);
    }
};

QTEST_APPLESS_MAIN(TestFileCommands)
#include "test_file_commands.moc"
