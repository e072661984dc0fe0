#pragma once

// Renumbering a thing of the layout: which lines change, what stands in the
// way, and carrying it out over files so that either every file changes or
// none does. Only the characters of the id change; every other byte of each
// line and of each file stays as it was.

#include "layout/layout_index.h"
#include "texts/phrase.h"
#include "texts/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vx {

struct LineEdit {
    QString file; // the schedule's path
    int line = 0; // 1-based
    QString oldText;
    QString newText;
    QList<TextSpan> spans; // of the id in oldText, in order
};

struct RenumberPlan {
    QList<LineEdit> edits;             // file by file in index order, then by line
    QList<LayoutIndex::Ref> conflicts; // uses of NEW that would merge with OLD
    QStringList refusals;              // why it cannot be done; empty: it can
    QList<Phrase> reasons;             // the refusals, to be worded in any language
};

// Whether a command still accepts its line with the new id. Given the line
// before and after, true when the change makes no operand invalid.
using LineAcceptor = std::function<bool(const QString& before, const QString& after)>;

// Plans thing OLD -> NEW over every read schedule of the index, or only over
// the schedule at scope when that is given.
RenumberPlan PlanRenumber(const LayoutIndex& index, Thing thing, const QString& oldId,
                          const QString& newId, const LineAcceptor& accepts,
                          const QString& scope = QString());

// The bytes of a schedule with the plan's edits made in it.
QByteArray EditedBytes(const LayoutSchedule& schedule, const QList<LineEdit>& edits);

// Writes one file atomically; a failure says why.
using FileWriter = std::function<Status(const QString& path, const QByteArray& bytes)>;
// The file layer's atomic replacement.
FileWriter AtomicFileWriter();

struct RenumberOutcome {
    bool done = false;
    QString message;     // on failure: which file and why, and what was put back
    Phrase reason;       // the message, to be worded in any language
    QStringList changed; // files replaced
};

// Keeps each changed file's old content as NAME.vfp.bak beside it, then
// replaces the file. Nothing is written when any file to change has changed
// on disk since it was read or cannot be written; when a write fails part-way,
// every file and copy already written is put back.
// Reasons of the file layer come in catalogue's language when one is given.
RenumberOutcome ApplyRenumber(const LayoutIndex& index, const RenumberPlan& plan,
                              const FileWriter& write = AtomicFileWriter(),
                              const TextCatalogue* catalogue = nullptr);

} // namespace vx
