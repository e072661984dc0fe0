#include "layout/renumber.h"

#include "document/file_io.h"
#include "document/vfp_file.h"
#include "texts/basic_numbers.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

namespace vx {

using namespace Qt::Literals::StringLiterals;

namespace {

QString normalId(Thing thing, const QString& id) {
    if (thing == Thing::Address)
        return id.trimmed().toUpper();
    QString n = id.trimmed();
    qsizetype zeros = 0;
    while (zeros + 1 < n.size() && n[zeros] == u'0')
        ++zeros;
    return n.mid(zeros);
}

// An address that N can tell from a line number and that a line can hold.
bool addressNameOk(const QString& name) {
    if (name.isEmpty() || IsDigits(name))
        return false;
    for (QChar c : name)
        if (c == u',' || c == u' ' || c == u'*' || c.unicode() < 0x20)
            return false;
    bool lossy = false;
    EncodeWindows1252(name, &lossy);
    return !lossy;
}

QString where(const LayoutSchedule& s, int line) {
    return s.path + u':' + QString::number(line);
}

// The schedule the N line at line of s loads, as its file names it.
const LayoutUse* loadedFile(const LayoutSchedule& s, int line) {
    for (const LayoutUse& u : s.uses)
        if (u.line == line && u.thing == Thing::ScheduleFile)
            return &u;
    return nullptr;
}

bool loadsOneOf(const LayoutSchedule& s, int line, const QList<const LayoutSchedule*>& owners) {
    const LayoutUse* file = loadedFile(s, line);
    if (!file)
        return false;
    return std::any_of(owners.begin(), owners.end(), [&](const LayoutSchedule* o) {
        return NamesScheduleFile(file->id, o->name());
    });
}

// The uses of id that a renaming of the address id in owners changes: the
// owners' own, and the starts that N gives into an owner.
QList<LayoutIndex::Ref> addressUses(const QList<const LayoutSchedule*>& files,
                                    const QList<const LayoutSchedule*>& owners, const QString& id) {
    QList<LayoutIndex::Ref> refs;
    for (const LayoutSchedule* s : files)
        for (const LayoutUse& u : s->uses) {
            if (u.thing != Thing::Address || u.id != id)
                continue;
            const bool start = u.access == Access::Loads;
            if (start ? loadsOneOf(*s, u.line, owners) : owners.contains(s))
                refs.append({s, &u});
        }
    return refs;
}

QList<LayoutIndex::Ref> usesOf(const QList<const LayoutSchedule*>& files, Thing thing,
                               const QString& id) {
    QList<LayoutIndex::Ref> refs;
    for (const LayoutSchedule* s : files)
        for (const LayoutUse& u : s->uses)
            if (u.thing == thing && u.id == id)
                refs.append({s, &u});
    return refs;
}

void refuse(RenumberPlan& plan, Phrase reason) {
    plan.refusals << reason.english();
    plan.reasons << std::move(reason);
}

} // namespace

RenumberPlan PlanRenumber(const LayoutIndex& index, Thing thing, const QString& oldText,
                          const QString& newText, const LineAcceptor& accepts,
                          const QString& scope) {
    RenumberPlan plan;
    const QString oldId = normalId(thing, oldText);
    const QString newId = normalId(thing, newText);
    const QString written = thing == Thing::Address ? newText.trimmed() : newId;
    if (thing == Thing::ScheduleFile) {
        refuse(plan, Phrase{u"a schedule file is renamed with the file, not here"_s, {}});
        return plan;
    }
    if (thing == Thing::Address ? !addressNameOk(written) : !IsDigits(newId)) {
        refuse(plan, Phrase{u"%1 is no valid %2"_s, {newText, ThingName(thing)}, 0b10});
        return plan;
    }
    if (oldId == newId)
        return plan;

    QList<const LayoutSchedule*> files;
    for (const LayoutSchedule& s : index.schedules())
        if (s.isRead() && (scope.isEmpty() || s.path == scope))
            files.append(&s);

    QList<LayoutIndex::Ref> changing;
    if (thing == Thing::Address) {
        QList<const LayoutSchedule*> owners;
        for (const LayoutSchedule* s : files)
            if (std::any_of(s->uses.begin(), s->uses.end(), [&](const LayoutUse& u) {
                    return u.thing == Thing::Address && u.id == oldId && u.access != Access::Loads;
                }))
                owners.append(s);
        changing = addressUses(files, owners, oldId);
        plan.conflicts = addressUses(files, owners, newId);
    } else {
        changing = usesOf(files, thing, oldId);
        plan.conflicts = usesOf(files, thing, newId);
    }

    // Group the spans per line; refs come file by file and line by line.
    for (const LayoutIndex::Ref& r : changing) {
        if (r.use->span.isEmpty()) {
            refuse(plan, Phrase{u"%1: uses %2 %3 without naming it: %4"_s,
                                {where(*r.schedule, r.use->line), ThingName(thing), oldId,
                                 r.schedule->lines[r.use->line - 1]},
                                0b10});
            continue;
        }
        if (plan.edits.isEmpty() || plan.edits.back().file != r.schedule->path ||
            plan.edits.back().line != r.use->line)
            plan.edits.append(
                {r.schedule->path, r.use->line, r.schedule->lines[r.use->line - 1], QString(), {}});
        plan.edits.back().spans.append(r.use->span);
    }
    for (LineEdit& e : plan.edits) {
        std::sort(e.spans.begin(), e.spans.end(),
                  [](const TextSpan& a, const TextSpan& b) { return a.from < b.from; });
        e.newText = e.oldText;
        QList<qsizetype> starts;
        qsizetype shift = 0;
        for (const TextSpan& s : e.spans) {
            starts.append(s.from + shift);
            shift += written.size() - (s.to - s.from);
        }
        for (qsizetype k = e.spans.size() - 1; k >= 0; --k)
            e.newText.replace(e.spans[k].from, e.spans[k].to - e.spans[k].from, written);
        // The command must read the new id where the old one stood, and
        // still accept every operand.
        const ParsedCommand parsed = ParseCommand(e.newText);
        const bool readBack = std::all_of(starts.begin(), starts.end(), [&](qsizetype at) {
            return std::any_of(parsed.uses.begin(), parsed.uses.end(), [&](const Use& u) {
                return u.thing == thing && u.id == newId && u.span.from == at;
            });
        });
        if (!readBack || (accepts && !accepts(e.oldText, e.newText)))
            refuse(plan,
                   {u"%1: %2 %3 is not valid for this command: %4"_s,
                    {e.file + u':' + QString::number(e.line), ThingName(thing), written, e.oldText},
                    0b10});
        // The things the line implies move with the one it names (the
        // markers behind a clock's): other lines that use the old or the
        // new ones are conflicts too.
        QSet<QString> before, after;
        for (const Use& u : ParseCommand(e.oldText).uses)
            if (u.thing == thing && u.span.isEmpty())
                before.insert(u.id);
        for (const Use& u : parsed.uses)
            if (u.thing == thing && u.span.isEmpty())
                after.insert(u.id);
        const QSet<QString> moved = (before - after) + (after - before);
        for (const LayoutSchedule* f : files)
            for (const LayoutUse& u : f->uses)
                if (u.thing == thing && moved.contains(u.id) &&
                    !(f->path == e.file && u.line == e.line))
                    plan.conflicts.append({f, &u});
    }
    return plan;
}

QByteArray EditedBytes(const LayoutSchedule& schedule, const QList<LineEdit>& edits) {
    QByteArray out;
    out.reserve(schedule.bytes.size() + 64);
    qsizetype copied = 0;
    for (const LineEdit& e : edits) {
        if (e.file != schedule.path || e.line < 1 || e.line > schedule.lineStarts.size())
            continue;
        const qsizetype start = schedule.lineStarts[e.line - 1];
        // The whole line goes in again: its bytes map one to one to its characters.
        const qsizetype end = start + e.oldText.size();
        out.append(QByteArrayView(schedule.bytes).sliced(copied, start - copied));
        out.append(EncodeWindows1252(e.newText));
        copied = end;
    }
    out.append(QByteArrayView(schedule.bytes).sliced(copied));
    return out;
}

FileWriter AtomicFileWriter() {
    return
        [](const QString& path, const QByteArray& bytes) { return WriteOutputFile(path, bytes); };
}

namespace {

struct FileChange {
    QString path;
    QString backup;
    QByteArray before;
    QByteArray after;
    std::optional<QByteArray> oldBackup; // a copy that was there already
};

bool writable(const QString& path) {
    const QFileInfo file(path);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

RenumberOutcome ApplyRenumber(const LayoutIndex& index, const RenumberPlan& plan,
                              const FileWriter& write, const TextCatalogue* catalogue) {
    RenumberOutcome outcome;
    const auto fail = [&](Phrase reason) {
        outcome.message = reason.english();
        outcome.reason = std::move(reason);
        return outcome;
    };
    QList<FileChange> changes;
    for (const LineEdit& e : plan.edits) {
        if (!changes.isEmpty() && changes.back().path == e.file)
            continue;
        const LayoutSchedule* s = index.find(e.file);
        if (!s) {
            return fail(Phrase{u"%1: not part of the layout"_s, {e.file}});
        }
        changes.append({s->path, s->path + QStringLiteral(".bak"), s->bytes,
                        EditedBytes(*s, plan.edits), std::nullopt});
    }
    // Everything that can be known before writing is checked first, so that a
    // refusal leaves every file alone.
    for (FileChange& c : changes) {
        const Result<QByteArray> now = ReadInputFile(c.path, catalogue);
        if (!now)
            return fail(Phrase{u"%1: %2; nothing written"_s, {c.path, now.message()}});
        if (*now != c.before)
            return fail(
                Phrase{u"%1: changed on disk since it was read; nothing written"_s, {c.path}});
        if (!writable(c.path))
            return fail(Phrase{u"%1: cannot be written; nothing written"_s, {c.path}});
        if (QFileInfo::exists(c.backup)) {
            const Result<QByteArray> old = ReadInputFile(c.backup, catalogue);
            if (!old)
                return fail(Phrase{u"%1: %2; nothing written"_s, {c.backup, old.message()}});
            c.oldBackup = *old;
        }
    }
    QStringList notRestored;
    const auto putBack = [&](const FileChange& c, bool fileWritten) {
        if (fileWritten && !write(c.path, c.before))
            notRestored << c.path;
        if (c.oldBackup) {
            if (!write(c.backup, *c.oldBackup))
                notRestored << c.backup;
        } else {
            QFile::remove(c.backup);
        }
    };
    for (qsizetype i = 0; i < changes.size(); ++i) {
        const FileChange& c = changes[i];
        Status written = write(c.backup, c.before);
        const bool backedUp = static_cast<bool>(written);
        if (backedUp)
            written = write(c.path, c.after);
        if (written) {
            outcome.changed << c.path;
            continue;
        }
        const QString failed = backedUp ? c.path : c.backup;
        if (backedUp)
            putBack(c, false);
        for (qsizetype k = i - 1; k >= 0; --k)
            putBack(changes[k], true);
        outcome.changed.clear();
        if (notRestored.isEmpty())
            return fail(Phrase{u"%1: %2; every file is as it was"_s, {failed, written.message()}});
        return fail(Phrase{u"%1: %2; could not be put back: %3"_s,
                           {failed, written.message(), notRestored.join(QStringLiteral(", "))}});
    }
    outcome.done = true;
    return outcome;
}

} // namespace vx
