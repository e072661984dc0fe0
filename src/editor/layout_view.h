#pragma once

// The layout as the editor sees it: the folder of the open schedule or one
// the user chose, its index kept in step with the open document and with
// the files on disk, the cross-references as an item model, the uses of the
// thing a row names, and renumbering that goes through the document's undo
// for the open schedule and through the file layer for the others.

#include "editor/xref_model.h"
#include "layout/layout_findings.h"
#include "layout/layout_index.h"
#include "layout/renumber.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class QFileSystemWatcher;
class QTimer;

namespace vx {

class TextCatalogue;

// A line stays acceptable when fetching it marks nothing red that was not
// red before: the command's own operand rules judge the new id.
LineAcceptor FetchAcceptor(const QString& language);

class LayoutView {
public:
    struct Parts {
        const TextCatalogue& catalogue;
        // The open schedule's path and lines (1..count).
        std::function<QString()> openPath;
        std::function<QStringList()> openLines;
        // Edits of the open schedule's rows, one undo step.
        std::function<void(const QList<QPair<int, QString>>&)> replaceRows;
        // The open schedule changed on disk: asked, reloaded through the
        // usual save question.
        std::function<void()> openChangedOnDisk;
    };
    explicit LayoutView(const Parts& parts);
    ~LayoutView();

    // The folder the user chose; "" follows the open schedule again.
    void chooseFolder(const QString& folder);
    bool folderChosen() const { return chosen_; }
    QString folder() const { return folder_; }
    // Whether path lies directly in the layout's folder.
    bool inFolder(const QString& path) const;
    // The folder of the open schedule, unless one was chosen; read again
    // when it changes.
    void followOpenSchedule();
    // The open schedule taken from the document; the model is reset when
    // its uses changed.
    void syncOpenSchedule();
    // The open schedule was saved by the editor itself: no change on disk.
    void savedByEditor();
    // The document was emptied (its path stays): the schedule it showed is
    // read again from its file and nothing stands for the document until
    // documentShown().
    void documentCleared();
    // The document shows a schedule again (loaded, imported or saved).
    void documentShown() { detached_ = false; }
    // Watch the folder (the window does; scripts and tests need not).
    void setWatching(bool on);
    // Read a folder in slices between the window's events instead of at
    // once (the window does; scripts and tests need not).
    void setStepped(bool on) { stepped_ = on; }
    // Whether files of the folder are still to be read; findings wait.
    bool reading() const { return !pending_.isEmpty() || model_.hasStaged(); }
    // Reads what is left now: what asks about the layout needs all of it.
    void complete();
    // What the watcher's debounce ends in: changed schedules read again.
    void rescan();
    // Told after a rescan, outside any window event: the window syncs.
    std::function<void()> rescanned;

    // As read so far; completeIndex() once reading is done.
    const LayoutIndex& index() const { return index_; }
    const LayoutIndex& completeIndex() {
        complete();
        return index_;
    }
    XrefModel& model() { return model_; }
    XrefFilter& filter() { return filter_; }

    struct FoundUses {
        Thing thing;
        QString id;
        QList<int> rows;                        // in the open schedule
        QList<QPair<QString, int>> layoutLines; // other schedules: file, line
    };
    // The uses of the first thing the line names; nullopt when it names none.
    std::optional<FoundUses> usesOfLine(const QString& line);
    // An N line that starts its schedule at an address: the schedule it
    // loads and the line there that defines the address (0: none defines
    // it); nullopt when the line starts nothing or the schedule is not in
    // the layout.
    struct Place {
        QString file;
        int line = 0;
    };
    std::optional<Place> startDefinition(const QString& line);

    // One line per use behind a header, the words as the command line
    // writes them; written atomically.
    QByteArray csv();
    Status exportCsv(const QString& path, const FileWriter& write = AtomicFileWriter());

    RenumberPlan plan(Thing thing, const QString& oldId, const QString& newId, bool wholeLayout);
    // The others first, so that a failing file leaves the open schedule
    // untouched as well.
    // The file layer's reasons come in the catalogue's language.
    RenumberOutcome apply(const RenumberPlan& plan, const FileWriter& write = {});

    // The layout's findings at lines of the open schedule, with a number that
    // changes whenever they may have.
    const QList<LayoutFinding>& openFindings();
    int findingsGeneration() const { return generation_; }

private:
    struct Stamp {
        QDateTime modified;
        qint64 size = -1;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    void readFolder();
    void readSlice(qint64 milliseconds);
    void doneReading();
    void watch();
    bool isOpen(const QString& path) const;
    // The schedule the document showed is back as its file holds it; one of
    // another folder leaves the layout.
    void leaveOpenSchedule();
    // A file read again, its rows in the table replaced.
    void readAgain(const QString& path);

    Parts parts_;
    QString folder_;
    bool chosen_ = false;
    LayoutIndex index_;
    QString openPath_;
    QStringList openLines_;
    QHash<QString, Stamp> stamps_; // as last read, by path
    XrefModel model_;
    int generation_ = 0;  // counts the model's resets
    int findingsOf_ = -1; // the generation openFindings_ was made of
    QList<LayoutFinding> openFindings_;
    int othersGeneration_ = 0; // counts the changes of the other schedules
    int othersOf_ = -1;
    QString othersPath_;
    LayoutOthers others_;
    XrefFilter filter_;
    LineAcceptor acceptor_;
    std::unique_ptr<QFileSystemWatcher> watcher_;
    std::unique_ptr<QTimer> debounce_;
    bool stepped_ = false;
    bool detached_ = false;
    QStringList pending_; // files of the folder not read yet
    std::unique_ptr<QTimer> stepper_;
};

} // namespace vx
