#include "editor/layout_view.h"

#include "document/file_io.h"
#include "form/line_explanation.h"
#include "texts/text_catalogue.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>
#include <QTimer>

namespace vx {

LineAcceptor FetchAcceptor(const QString& language) {
    auto texts = std::make_shared<ExplanationLanguage>(language);
    return [texts](const QString& before, const QString& after) {
        const LineExplanation was = ExplainLine(before, *texts);
        const LineExplanation now = ExplainLine(after, *texts);
        if (now.explanationRed && !was.explanationRed)
            return false;
        const QSet<QString> red(was.redFields.begin(), was.redFields.end());
        for (const QString& field : now.redFields)
            if (!red.contains(field))
                return false;
        return true;
    };
}

// ---- the layout ----

namespace {

// A slice of folder reading leaves the window its events in between.
constexpr qint64 SliceMs = 25;

} // namespace

LayoutView::LayoutView(const Parts& parts) : parts_(parts), model_(parts.catalogue, index_) {
    filter_.setSourceModel(&model_);
}

LayoutView::~LayoutView() = default;

void LayoutView::chooseFolder(const QString& folder) {
    chosen_ = !folder.isEmpty();
    if (!chosen_) {
        followOpenSchedule();
        return;
    }
    folder_ = folder;
    readFolder();
}

void LayoutView::followOpenSchedule() {
    if (chosen_)
        return;
    const QString path = parts_.openPath();
    const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
    if (folder == folder_)
        return;
    folder_ = folder;
    readFolder();
}

void LayoutView::readFolder() {
    ++othersGeneration_;
    index_ = LayoutIndex();
    stamps_.clear();
    openLines_.clear();
    pending_.clear();
    if (stepper_)
        stepper_->stop();
    if (!folder_.isEmpty()) {
        if (const std::optional<QStringList> files = SchedulesInFolder(folder_)) {
            // Places in name order now, contents as the slices come.
            for (const QString& file : *files) {
                index_.reserve(file);
                stamps_.insert(QFileInfo(file).absoluteFilePath(), stampOf(file));
            }
            pending_ = *files;
        } else {
            index_.addPaths({folder_});
        }
    }
    watch();
    model_.reset();
    ++generation_;
    syncOpenSchedule();
    if (!stepped_ || pending_.isEmpty()) {
        complete();
        return;
    }
    if (!stepper_) {
        stepper_ = std::make_unique<QTimer>();
        stepper_->setSingleShot(true);
        // Files first, then the merges of their rows, one a step.
        QObject::connect(stepper_.get(), &QTimer::timeout, [this] {
            if (!pending_.isEmpty()) {
                readSlice(SliceMs);
            } else if (!model_.mergeStaged()) {
                model_.commitStaged();
                doneReading();
                if (rescanned)
                    rescanned();
                return;
            }
            stepper_->start();
        });
    }
    stepper_->start(0);
}

void LayoutView::readSlice(qint64 milliseconds) {
    QElapsedTimer clock;
    clock.start();
    QList<int> read;
    while (!pending_.isEmpty() && (milliseconds < 0 || clock.elapsed() < milliseconds)) {
        const QString path = pending_.takeFirst();
        if (isOpen(path))
            continue; // the document's rows stand for it
        const LayoutSchedule& s = index_.readFile(path);
        read.append(static_cast<int>(&s - index_.schedules().data()));
    }
    model_.stageSchedules(read);
}

void LayoutView::doneReading() {
    ++othersGeneration_;
    ++generation_;
}

void LayoutView::complete() {
    if (!reading())
        return;
    if (stepper_)
        stepper_->stop();
    readSlice(-1);
    model_.commitStaged();
    doneReading();
}

bool LayoutView::isOpen(const QString& path) const {
    return !openPath_.isEmpty() &&
           QFileInfo(path).absoluteFilePath() == QFileInfo(openPath_).absoluteFilePath();
}

bool LayoutView::inFolder(const QString& path) const {
    return !folder_.isEmpty() &&
           QFileInfo(path).absolutePath() == QFileInfo(folder_).absoluteFilePath();
}

void LayoutView::readAgain(const QString& path) {
    const LayoutSchedule& s = index_.readFile(path);
    model_.scheduleRead(static_cast<int>(&s - index_.schedules().data()));
    stamps_.insert(QFileInfo(path).absoluteFilePath(), stampOf(path));
}

void LayoutView::leaveOpenSchedule() {
    const QString left = openPath_;
    openPath_.clear();
    openLines_.clear();
    if (left.isEmpty())
        return;
    const int place = index_.placeOf(left);
    if (place < 0)
        return;
    if (inFolder(left) && left.endsWith(u".vfp", Qt::CaseInsensitive)) {
        readAgain(left);
    } else {
        index_.drop(left);
        model_.reset(); // the places after it moved
    }
    ++othersGeneration_;
    ++generation_;
}

void LayoutView::documentCleared() {
    leaveOpenSchedule();
    detached_ = true;
}

void LayoutView::syncOpenSchedule() {
    if (detached_)
        return;
    const QString path = parts_.openPath();
    if (path != openPath_)
        leaveOpenSchedule();
    if (path.isEmpty())
        return;
    QStringList lines = parts_.openLines();
    if (path == openPath_ && lines == openLines_)
        return;
    openPath_ = path;
    openLines_ = lines;
    // A schedule of another folder is still the one the user works on.
    LayoutIndex::LinesChange change;
    index_.setLines(path, lines, &change);
    model_.linesChanged(change);
    ++generation_;
}

void LayoutView::savedByEditor() {
    const QString path = parts_.openPath();
    if (!path.isEmpty())
        stamps_.insert(QFileInfo(path).absoluteFilePath(), stampOf(path));
}

LayoutView::Stamp LayoutView::stampOf(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    return {info.lastModified(), info.size()};
}

void LayoutView::setWatching(bool on) {
    if (!on) {
        watcher_.reset();
        debounce_.reset();
        return;
    }
    if (watcher_)
        return;
    watcher_ = std::make_unique<QFileSystemWatcher>();
    debounce_ = std::make_unique<QTimer>();
    debounce_->setSingleShot(true);
    // An atomic save is a burst of events; react once it has settled.
    debounce_->setInterval(300);
    QObject::connect(debounce_.get(), &QTimer::timeout, [this] { rescan(); });
    QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged,
                     [this] { debounce_->start(); });
    QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged,
                     [this] { debounce_->start(); });
    watch();
}

void LayoutView::watch() {
    if (!watcher_)
        return;
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    // The folder tells of atomic saves (a rename); in-place writes show only
    // on a watch of the file itself.
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (folder_.isEmpty())
        return;
    watcher_->addPath(folder_);
    if (const std::optional<QStringList> files = SchedulesInFolder(folder_);
        files && !files->isEmpty())
        watcher_->addPaths(*files);
}

void LayoutView::rescan() {
    if (folder_.isEmpty())
        return;
    if (reading()) {
        debounce_->start(); // the slices read the files as they are now
        return;
    }
    const std::optional<QStringList> files = SchedulesInFolder(folder_);
    if (!files)
        return; // the folder vanished: keep what was read
    bool changed = false;
    bool openChanged = false;
    for (const QString& path : *files) {
        const QString key = QFileInfo(path).absoluteFilePath();
        const Stamp now = stampOf(path);
        const auto it = stamps_.constFind(key);
        if (it != stamps_.constEnd() && *it == now)
            continue;
        stamps_.insert(key, now);
        if (isOpen(path)) {
            openChanged = true;
            continue;
        }
        readAgain(path);
        ++othersGeneration_;
        changed = true;
    }
    watch();
    if (changed)
        ++generation_;
    if (openChanged && parts_.openChangedOnDisk)
        parts_.openChangedOnDisk();
    if ((changed || openChanged) && rescanned)
        rescanned();
}

namespace {

// The start address an N line gives, and the schedule file it loads.
std::optional<QPair<QString, QString>> StartOf(const QList<Use>& uses) {
    QString file;
    for (const Use& u : uses)
        if (u.thing == Thing::ScheduleFile && u.access == Access::Loads)
            file = u.id;
    for (const Use& u : uses)
        if (u.thing == Thing::Address && u.access == Access::Loads && !file.isEmpty())
            return QPair<QString, QString>{file, u.id};
    return std::nullopt;
}

const LayoutSchedule* Loaded(const LayoutIndex& index, const QString& written) {
    for (const LayoutSchedule& s : index.schedules())
        if (s.isRead() && NamesScheduleFile(written, s.name()))
            return &s;
    return nullptr;
}

} // namespace

std::optional<LayoutView::Place> LayoutView::startDefinition(const QString& line) {
    complete();
    syncOpenSchedule();
    const std::optional<QPair<QString, QString>> start = StartOf(ParseCommand(line).uses);
    if (!start)
        return std::nullopt;
    const LayoutSchedule* target = Loaded(index_, start->first);
    if (!target)
        return std::nullopt;
    for (const LayoutUse& u : target->uses)
        if (u.thing == Thing::Address && u.access == Access::Defines && u.id == start->second)
            return Place{target->path, u.line};
    return Place{target->path, 0};
}

std::optional<LayoutView::FoundUses> LayoutView::usesOfLine(const QString& line) {
    complete();
    syncOpenSchedule();
    const ParsedCommand parsed = ParseCommand(line);
    if (parsed.uses.isEmpty())
        return std::nullopt;
    // Every use of thing id that counts, one a line, the open schedule's as rows.
    const auto collect = [this](Thing thing, const QString& id, const auto& counts) {
        FoundUses found{thing, id, {}, {}};
        for (const LayoutSchedule& s : index_.schedules()) {
            const bool open = isOpen(s.path);
            int last = 0;
            for (const LayoutUse& u : s.uses) {
                if (u.thing != thing || u.id != id || u.line == last || !counts(s, u, open))
                    continue;
                last = u.line;
                if (open)
                    found.rows.append(u.line);
                else
                    found.layoutLines.append({s.path, u.line});
            }
        }
        return found;
    };
    // A start address is the loaded schedule's: its uses there, and the N
    // lines of the layout that start that schedule at it.
    if (const std::optional<QPair<QString, QString>> start = StartOf(parsed.uses)) {
        const LayoutSchedule* target = Loaded(index_, start->first);
        return collect(
            Thing::Address, start->second, [&](const LayoutSchedule& s, const LayoutUse& u, bool) {
                if (u.access != Access::Loads)
                    return &s == target;
                if (u.line < 1 || u.line > s.lines.size())
                    return false;
                const auto other = StartOf(ParseCommand(s.lines[u.line - 1]).uses);
                return other && target && NamesScheduleFile(other->first, target->name());
            });
    }
    const Use& first = parsed.uses.front();
    // An address belongs to its schedule.
    return collect(first.thing, first.id, [&](const LayoutSchedule&, const LayoutUse&, bool open) {
        return open || first.thing != Thing::Address;
    });
}

namespace {

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QByteArray LayoutView::csv() {
    complete();
    QString out = QStringLiteral("kind,id,schedule,row,access,line\r\n");
    for (const LayoutIndex::Ref& r : index_.sortedUses()) {
        const int i = r.use->line - 1;
        const QString line =
            i >= 0 && i < r.schedule->lines.size() ? r.schedule->lines[i] : QString();
        out += QStringList{ThingName(r.use->thing),    CsvField(r.use->id),
                           CsvField(r.schedule->path), QString::number(r.use->line),
                           AccessName(r.use->access),  CsvField(line)}
                   .join(u',') +
               QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

Status LayoutView::exportCsv(const QString& path, const FileWriter& write) {
    return write(path, csv());
}

RenumberPlan LayoutView::plan(Thing thing, const QString& oldId, const QString& newId,
                              bool wholeLayout) {
    complete();
    syncOpenSchedule();
    const LayoutSchedule* open = openPath_.isEmpty() ? nullptr : index_.find(openPath_);
    // Made on first use: it loads the texts of the language.
    if (!acceptor_)
        acceptor_ = FetchAcceptor(parts_.catalogue.languageCode());
    // Without a schedule file open, "this schedule" is none of the layout's.
    const QString scope =
        wholeLayout ? QString() : (open ? open->path : QStringLiteral("\n(no schedule)"));
    return PlanRenumber(index_, thing, oldId, newId, acceptor_, scope);
}

const QList<LayoutFinding>& LayoutView::openFindings() {
    // Half a folder would report markers that nobody writes.
    static const QList<LayoutFinding> none;
    if (reading())
        return none;
    syncOpenSchedule();
    if (findingsOf_ == generation_)
        return openFindings_;
    findingsOf_ = generation_;
    openFindings_.clear();
    if (openPath_.isEmpty())
        return openFindings_;
    // The other schedules are summed up again only when one of them changed.
    if (othersOf_ != othersGeneration_ || othersPath_ != openPath_) {
        others_ = LayoutOthers(index_, openPath_);
        othersOf_ = othersGeneration_;
        othersPath_ = openPath_;
    }
    openFindings_ = CheckLayoutSchedule(index_, others_);
    return openFindings_;
}

RenumberOutcome LayoutView::apply(const RenumberPlan& plan, const FileWriter& given) {
    complete();
    const TextCatalogue* catalogue = &parts_.catalogue;
    FileWriter write = given;
    if (!write)
        write = [catalogue](const QString& path, const QByteArray& bytes) {
            return WriteOutputFile(path, bytes, catalogue);
        };
    RenumberPlan others = plan;
    others.edits.clear();
    QList<QPair<int, QString>> openRows;
    for (const LineEdit& e : plan.edits) {
        if (isOpen(e.file))
            openRows.append({e.line, e.newText});
        else
            others.edits.append(e);
    }
    RenumberOutcome outcome;
    if (!others.edits.isEmpty()) {
        outcome = ApplyRenumber(index_, others, write, catalogue);
        if (!outcome.done)
            return outcome;
        ++othersGeneration_;
        for (const QString& path : outcome.changed)
            readAgain(path);
        ++generation_;
    }
    outcome.done = true;
    if (!openRows.isEmpty()) {
        parts_.replaceRows(openRows);
        syncOpenSchedule();
    }
    return outcome;
}

} // namespace vx
