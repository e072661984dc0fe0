#pragma once

// The cross-references as an item model: one row per use of a thing in a
// schedule of the layout. The model keeps its rows in the order the user
// sorts by, so that a change of one schedule moves only that schedule's rows
// and a layout of many schedules is not sorted again after every transfer;
// the proxy in front of it only filters.

#include "layout/layout_index.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace vx {

class TextCatalogue;

class XrefModel : public QAbstractTableModel {
public:
    enum Column { KindColumn, IdColumn, ScheduleColumn, RowColumn, AccessColumn, LineColumn };
    static constexpr int ColumnCount = 6;
    // Kind and row as numbers, the rest as shown.
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int FileRole = Qt::UserRole + 1;

    struct Entry {
        Thing thing = Thing::Contact;
        Access access = Access::Reads;
        bool numberId = false;
        quint64 number = 0; // the id's value, when a number of at most 18 digits
        int schedule = -1;  // place in the index; -1: a free slot
        int line = 0;
        int operand = 0;
        int order = 0; // among the uses of its line
        QString id;
    };

    XrefModel(const TextCatalogue& catalogue, const LayoutIndex& index);

    // Every read schedule of the index, made again.
    void reset();
    // Schedules read while a folder is read: their rows wait out of sight
    // in sorted runs, merged a step at a time, and join the table at once.
    void stageSchedules(const QList<int>& places);
    bool hasStaged() const { return !staged_.empty(); }
    // Merges the two newest runs; false when at most one is left.
    bool mergeStaged();
    void commitStaged();
    // One schedule after LayoutIndex::setLines: only its changed lines'
    // rows go and come, as row removals and insertions where they are few.
    void linesChanged(const LayoutIndex::LinesChange& change);
    // One schedule read again from its file.
    void scheduleRead(int place);

    const Entry& entry(int row) const {
        return store_[static_cast<size_t>(rows_[static_cast<size_t>(row)])];
    }
    const QString& scheduleName(const Entry& e) const;
    // The kind and use words the rows show, each once.
    QStringList kindWords() const;
    QStringList useWords() const;
    QString text(const Entry& e) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Column -1 is the order of kind, id, schedule, row; ties of any column
    // keep that order, both ways.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    int compareBy(int column, const Entry& x, const Entry& y) const;
    bool less(int a, int b) const;
    // Where slot stands in rows_, or would.
    std::ptrdiff_t rowOf(int slot) const;
    void rank();
    bool takeNames(); // whether there were new ones
    void appendEntries(int place, int fromLine, int toLine, std::vector<int>& added);
    void release(int slot);
    void sortRows();
    void mergeRuns(std::vector<int>& into, std::vector<int>& from);

    const TextCatalogue& catalogue_;
    const LayoutIndex& index_;
    // A deque: growing it never moves what it holds, which a layout of
    // 100,000s of uses would pay for in one long stall.
    std::deque<Entry> store_;
    std::vector<int> free_;
    std::vector<int> rows_;                    // slots of store_, in order
    std::vector<std::vector<int>> bySchedule_; // slots by place
    std::vector<std::vector<int>> staged_;     // sorted runs, oldest first
    QStringList names_;                        // file name by place
    std::vector<int> nameRank_;
    std::vector<int> accessRank_;
    int column_ = -1;
    Qt::SortOrder order_ = Qt::AscendingOrder;
};

// Filters by kind and by a typed text: the id when it is a number (whole
// number), otherwise any column containing it. Sorting is the model's.
class XrefFilter : public QSortFilterProxyModel {
public:
    XrefFilter();
    void setKind(std::optional<Thing> kind);
    void setText(const QString& text);
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Whether a kind or a text is set.
    bool filtering() const { return kind_.has_value() || !text_.isEmpty(); }

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::optional<Thing> kind_;
    QString text_;
    bool number_ = false;
    QString numberId_;
};

} // namespace vx
