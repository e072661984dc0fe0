#pragma once

// The dry run as the window shows it: a run of the open schedule that goes
// on in slices between the window's events, the breakpoints, the contacts
// the user switches by hand, and the last entries of the trace. The run works
// on a copy of the lines and never changes the document; editing the
// schedule while a run is under way puts the run back to its start.

#include "commands/parsed_command.h"
#include "run/dry_run.h"

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>

class QTimer;

namespace vx {

class ExplanationLanguage;
class LayoutIndex;
class TextCatalogue;

// The last entries of the trace, oldest first.
class RunTraceModel : public QAbstractTableModel {
public:
    enum Column { StepColumn, TimeColumn, LineColumn, EffectColumn };
    static constexpr int ColumnCount = 4;
    static constexpr int LineRole = Qt::UserRole; // the entry's line
    static constexpr int FileRole = Qt::UserRole + 1;

    RunTraceModel(const TextCatalogue& catalogue, int limit)
        : catalogue_(catalogue), limit_(limit) {}

    void append(std::vector<RunTraceEntry>& entries); // takes them
    void clear();
    const RunTraceEntry& entry(int row) const { return entries_[static_cast<size_t>(row)]; }
    int limit() const { return limit_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The header captions follow the language.
    void retranslate();

private:
    const TextCatalogue& catalogue_;
    int limit_;
    std::deque<RunTraceEntry> entries_;
};

// One line per thing the run knows of: what it is, its number, its state.
class RunStateModel : public QAbstractTableModel {
public:
    enum Column { KindColumn, IdColumn, ValueColumn };
    // The thing's state as a letter for the view's colours: 'B'/'F' for a
    // contact, the colour's initial for an article or signal, "" otherwise.
    static constexpr int StateRole = Qt::UserRole;
    struct Row {
        QString kind;
        QString id;
        QString value;
        QString state;
    };

    explicit RunStateModel(const TextCatalogue& catalogue) : catalogue_(catalogue) {}
    void setRows(QList<Row> rows);
    const Row& row(int i) const { return rows_[i]; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const TextCatalogue& catalogue_;
    QList<Row> rows_;
};

class DryRunSession : public QObject {
    Q_OBJECT
public:
    static constexpr int TraceLimit = 10000;
    // Rows per call of the engine; calls go on until a slice has taken
    // SliceMs, then the window gets its events.
    static constexpr int SliceRows = 1000;
    static constexpr int SliceMs = 30;
    // While running, the views are told at most this often.
    static constexpr int NotifyMs = 150;

    enum class Mode { Idle, Running, RunningToWait };

    struct Parts {
        const TextCatalogue& catalogue;
        // The layout's other schedules (N continues in them); may give null.
        std::function<const LayoutIndex*()> layout;
    };
    explicit DryRunSession(Parts parts, QObject* parent = nullptr);
    ~DryRunSession() override;

    // The open schedule: its path, a number that changes whenever any of its
    // lines changed, and its lines. A run of other lines than these resets.
    void follow(const QString& file, quint64 generation, const std::function<QStringList()>& lines);

    // ---- The user's commands ----
    void step();
    void runToWait();
    void run();
    void pause();
    void reset();
    void toggleBreakpoint(int row);
    // A contact of the panel: free becomes busy, busy free.
    void toggleContact(int contact);
    // The answer to a "/ D" question: the marker's value.
    void answerInput(int value);
    // One slice of a run; the session's own timer calls it, tests may too.
    void runSlice();

    // ---- What the views show ----
    Mode mode() const { return mode_; }
    bool started() const { return started_; }
    const QSet<int>& breakpoints() const { return breakpoints_; }
    // The row that runs next in the open schedule; 0 when the run stands in
    // another schedule or has not started.
    int runningRow() const;
    // The run's end, its next line and what it waits for (engine terms).
    RunEnd end() const;
    QString runFile() const;
    int runLine() const;
    QString waitingFor() const;
    // Whether the run waits for a marker value that the user is to give,
    // and the marker; 0 when it does not.
    bool waitsForInput() const;
    int inputMarker() const;
    // One line on where the run stands, in the current language.
    QString statusLine() const;
    // The contacts the schedule uses, ascending, and the state of one.
    const QList<int>& contacts() const { return contacts_; }
    QChar contactState(int contact) const;
    QList<RunFinding> findings() const;
    quint64 findingsGeneration() const { return findingsGeneration_; }
    RunTraceModel& trace() { return trace_; }
    RunStateModel& state() { return state_; }
    // The number of rows the run has executed.
    qint64 steps() const { return engine_ ? engine_->steps() : 0; }

    // For tests: the engine's rows without the window's timer.
    void setTimerDriven(bool on) { timerDriven_ = on; }

signals:
    // The run moved or stopped: the window syncs.
    void changed();

private:
    DryRun& engine();
    void rebuild();
    void flushTrace();
    void refreshState();
    void stopWith(Mode mode);
    void afterRows();
    void schedule();

    Parts parts_;
    std::unique_ptr<ExplanationLanguage> language_;
    std::unique_ptr<DryRun> engine_;
    QString file_;
    QStringList lines_;
    quint64 generation_ = ~quint64(0);
    QSet<int> breakpoints_;
    QList<int> contacts_;
    QMap<Thing, QList<int>> used_; // numbered things the lines name
    Mode mode_ = Mode::Idle;
    bool started_ = false;
    bool timerDriven_ = true;
    quint64 findingsSeen_ = 0; // the engine's findings revision the views have
    quint64 findingsGeneration_ = 0;
    std::vector<RunTraceEntry> pending_;
    RunTraceModel trace_;
    RunStateModel state_;
    QTimer* timer_;
    QElapsedTimer sinceNotify_;
};

} // namespace vx
