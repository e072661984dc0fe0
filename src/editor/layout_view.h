#pragma once

// The layout as the editor sees it: the folder of the open schedule or one
// the user chose, its index kept in step with the open document and with
// the files on disk, the cross-references as an item model, the uses of the
// thing a row names, and renumbering that goes through the document's undo
// for the open schedule and through the file layer for the others.

#include "layout/layout_findings.h"
#include "layout/layout_index.h"
#include "layout/renumber.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QHash>
#include <QSortFilterProxyModel>
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

// One row per use of a thing in a schedule of the layout.
class XrefModel : public QAbstractTableModel {
public:
    enum Column { KindColumn, IdColumn, ScheduleColumn, RowColumn, AccessColumn, LineColumn };
    static constexpr int ColumnCount = 6;
    // The value the proxy sorts and filters by: the thing as a Thing, ids and
    // rows so that numbers sort as numbers.
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int FileRole = Qt::UserRole + 1;

    struct Entry {
        Thing thing;
        QString id;
        QString file; // the schedule's path
        QString schedule;
        int line = 0;
        Access access;
        QString text;
    };

    explicit XrefModel(const TextCatalogue& catalogue) : catalogue_(catalogue) {}
    void reset(const LayoutIndex& index);
    const Entry& entry(int row) const { return entries_[row]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const TextCatalogue& catalogue_;
    QList<Entry> entries_;
};

// Filters by kind and by a typed text: the id when it is a number (whole
// number), otherwise any column containing it.
class XrefFilter : public QSortFilterProxyModel {
public:
    XrefFilter();
    void setKind(std::optional<Thing> kind);
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    std::optional<Thing> kind_;
    QString text_;
};

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
    // The folder of the open schedule, unless one was chosen; read again
    // when it changes.
    void followOpenSchedule();
    // The open schedule taken from the document; the model is reset when
    // its uses changed.
    void syncOpenSchedule();
    // The open schedule was saved by the editor itself: no change on disk.
    void savedByEditor();
    // Watch the folder (the window does; scripts and tests need not).
    void setWatching(bool on);
    // What the watcher's debounce ends in: changed schedules read again.
    void rescan();
    // Told after a rescan, outside any window event: the window syncs.
    std::function<void()> rescanned;

    const LayoutIndex& index() const { return index_; }
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
    QByteArray csv() const;
    Status exportCsv(const QString& path, const FileWriter& write = AtomicFileWriter()) const;

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
    void watch();
    bool isOpen(const QString& path) const;
    void resetModel();

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
};

} // namespace vx
