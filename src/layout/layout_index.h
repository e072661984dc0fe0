#pragma once

// The layout: the schedules that run one model railway together, read file
// by file into the uses their lines declare. A folder stands for the *.vfp
// files directly in it. A file that cannot be read, is too large or holds no
// schedule is kept as such, with its reason, and contributes no use.

#include "commands/parsed_command.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vx {

struct LayoutUse {
    Thing thing;
    QString id;
    Access access;
    int line = 0;    // 1-based
    int operand = 0; // 0: implied by the line, or the code's digit
    TextSpan span;   // in the line's text; empty for an implied use
};

struct LayoutSchedule {
    enum class State { Read, Unreadable, NotSchedule };
    QString path; // as given, or the folder as given joined with the name
    State state = State::Read;
    QString reason;              // why it was skipped
    QByteArray bytes;            // as read; empty for lines taken from memory
    QList<qsizetype> lineStarts; // byte offset of each line in bytes
    QStringList lines;
    QList<LayoutUse> uses; // in line order, then as the line declares them

    bool isRead() const { return state == State::Read; }
    // The file name, the last part of path.
    QString name() const;
};

// The schedule files a folder stands for, in name order, joined to the
// folder as given. nullopt when folder cannot be listed.
std::optional<QStringList> SchedulesInFolder(const QString& folder);

// Whether a schedule named as N names it ("west", "C:\\x\\WEST.VFP" and
// "west.vfp" all name west.vfp): the last part of the path, ignoring case and
// a missing extension.
bool NamesScheduleFile(const QString& written, const QString& fileName);

class LayoutIndex {
public:
    // Reads every file; a folder stands for its schedules. A folder that
    // cannot be listed is kept as one unreadable entry.
    void addPaths(const QStringList& paths);
    // Reads one file again, or for the first time.
    const LayoutSchedule& readFile(const QString& path);
    // Which lines setLines replaced: from line first + 1 on, removed lines
    // became added ones and the lines after them moved by added - removed.
    struct LinesChange {
        int schedule = -1; // its place in schedules()
        int first = 0;
        int removed = 0;
        int added = 0;
        bool none() const { return removed == 0 && added == 0; }
    };
    // A schedule taken from lines in memory (the open document). Only the
    // lines that differ from the ones it held are parsed again.
    const LayoutSchedule& setLines(const QString& path, const QStringList& lines,
                                   LinesChange* change = nullptr);
    // Makes room for a file that is read later, in the order it comes; until
    // then it is a schedule without lines.
    void reserve(const QString& path);
    // The place of path's schedule in schedules(); -1 for none.
    int placeOf(const QString& path) const;
    // Takes path's schedule out; the places after it move up by one.
    void drop(const QString& path);

    const QList<LayoutSchedule>& schedules() const { return schedules_; }
    const LayoutSchedule* find(const QString& path) const;

    // Every use, sorted by kind, id (numbers as numbers), schedule in the
    // order added, line and operand.
    struct Ref {
        const LayoutSchedule* schedule;
        const LayoutUse* use;
    };
    QList<Ref> sortedUses() const;

private:
    LayoutSchedule& slot(const QString& path);
    QList<LayoutSchedule> schedules_;
    QHash<QString, qsizetype> slots_; // by the file's real path
};

// The lines and uses of schedule bytes; state NotSchedule for binary data.
void ParseLayoutSchedule(LayoutSchedule& schedule);

// Thing by its cross-reference word ("contact", ...); nullopt for none.
std::optional<Thing> ThingByName(const QString& name);

// Orders ids as the cross-references list them: numbers as numbers.
bool IdLess(const QString& a, const QString& b);

} // namespace vx
