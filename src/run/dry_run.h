#pragma once

// A dry run: a schedule's control flow stepped through at the desk, on a
// simulated layout. It works on its own copy of the lines, so a run never
// changes the document; each row is parsed and explained once, before the
// first step. A view drives it in slices (run with a row budget) and reads
// the state between them.

#include "commands/run_machine.h"

#include <QChar>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace vx {

class ExplanationLanguage;
class LayoutIndex;
class TextCatalogue;

// Something the layout does at a moment of virtual time.
struct RunEvent {
    enum class Kind { Contact, LocoOn, Input };
    qint64 tenths = 0; // virtual time, tenths of a second
    Kind kind = Kind::Contact;
    int id = 0;         // contact, or the marker that / D asks for
    QString value;      // contact state letter, locomotive number, or the answer
    int sourceLine = 0; // its line in the events file, 0 when made otherwise
};

struct RunEventsParse {
    QList<RunEvent> events; // in time order (stable for equal times)
    int errorLine = 0;      // 0: no error
    QString error;          // "" when none
    bool ok() const { return errorLine == 0 && error.isEmpty(); }
};

// The events file: one event a line, "TIME THING ID VALUE"; blank lines and
// lines starting with '#' are passed over.
RunEventsParse ParseRunEvents(const QString& text);

struct RunTraceEntry {
    qint64 step = 0;   // 1 for the first row run
    qint64 tenths = 0; // virtual time when the row ran
    QString file;
    int line = 0; // 1-based
    QString text;
    QString effect; // the explanation, " (assumed)" behind where it is our reading
};

struct RunFinding {
    QString file;
    int line = 0;
    QString kind; // "busy-loop", "no-end", ...
    QString message;
};

enum class RunEnd {
    None,    // can go on
    Ended,   // E, or past the last row
    Waiting, // waits and nothing left can release it
    Jam,     // J 0/1/2
    Limit,   // the step budget of a whole run (never a slice's)
    Error,   // a finding stopped it
};

// "ended", "waiting", ...; "" for None.
QString RunEndName(RunEnd end);
// How the run ended, for people ("The run waits"); "" for None.
QString RunEndText(RunEnd end, const TextCatalogue& catalogue);

class DryRunEngine;

class DryRun {
public:
    // layout: the other schedules of the folder (N, never-satisfied); may be null.
    DryRun(const ExplanationLanguage& language, const LayoutIndex* layout, QString file,
           QStringList lines, quint32 seed = 1);
    ~DryRun();
    DryRun(const DryRun&) = delete;
    DryRun& operator=(const DryRun&) = delete;

    void setEvents(QList<RunEvent> events);
    // Back to row 1 of the first schedule, the start state, the events unplayed.
    void reset();

    // Runs at most maxRows rows; stops before a row in breakpoints (rows of the
    // first schedule; not on the row the call started at), at a wait when
    // stopAtWait, or at the end. Returns None when it can go on.
    RunEnd run(qint64 maxRows, const QSet<int>* breakpoints = nullptr, bool stopAtWait = false);
    // One row; false when the run is over (or waits with nothing to release it).
    bool step();

    RunEnd end() const;
    QString file() const; // the schedule that runs next
    int line() const;     // the row that runs next, 1-based
    qint64 steps() const; // rows run so far
    const RunState& state() const;
    QString waitingFor() const; // what it waits for, "" when not waiting
    const QList<RunFinding>& findings() const;
    // Changes whenever a finding is added or withdrawn.
    quint64 findingsRevision() const;
    // The contacts the first schedule names, ascending (for a contacts panel).
    QList<int> contactsUsed() const;

    // The user's hand on the layout; either may release a wait.
    void setContact(int n, QChar value);
    void answerInput(int marker, int value);

    void setTraceSink(std::function<void(const RunTraceEntry&)> sink);

private:
    std::unique_ptr<DryRunEngine> engine_;
};

// A whole run as the command line makes it: until it ends or has run
// maxSteps rows (end Limit).
RunEnd RunToEnd(DryRun& run, qint64 maxSteps);

// "12.5": virtual time in seconds, exact to the tenth.
QString RunTimeText(qint64 tenths);
// "STEP TIME FILE:LINE: TEXT -> EFFECT"
QString RunTracePlain(const RunTraceEntry& entry);
// {"step": N, "time": 2.0, "file": ..., "line": R, "text": ..., "effect": ...}
QString RunTraceJson(const RunTraceEntry& entry);
// "END KIND at FILE:LINE, TIME s" and one line per finding, each ending in '\n'.
QString RunSummaryPlain(const DryRun& run, RunEnd end);
// The last object of --json.
QString RunSummaryJson(const DryRun& run, RunEnd end);

} // namespace vx
