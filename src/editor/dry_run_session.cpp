#include "editor/dry_run_session.h"

#include "commands/parsed_command.h"
#include "form/line_explanation.h"
#include "texts/text_catalogue.h"

#include <QFileInfo>
#include <QTimer>
#include <algorithm>

namespace vx {

namespace {

QString TenthsText(qint64 tenths) {
    const qint64 seconds = tenths / 10;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'))
        .arg(tenths % 10);
}

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return a == b;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

// ---- The trace ----------------------------------------------------------------

void RunTraceModel::append(std::vector<RunTraceEntry>& entries) {
    if (entries.empty())
        return;
    const auto cap = static_cast<size_t>(limit_);
    // Only the newest entries of a long slice can stay.
    if (entries.size() > cap)
        entries.erase(entries.begin(), entries.end() - static_cast<qsizetype>(cap));
    const size_t overflow =
        entries_.size() + entries.size() > cap ? entries_.size() + entries.size() - cap : 0;
    if (overflow > 0) {
        beginRemoveRows({}, 0, static_cast<int>(overflow) - 1);
        entries_.erase(entries_.begin(), entries_.begin() + static_cast<qsizetype>(overflow));
        endRemoveRows();
    }
    const int first = static_cast<int>(entries_.size());
    beginInsertRows({}, first, first + static_cast<int>(entries.size()) - 1);
    std::move(entries.begin(), entries.end(), std::back_inserter(entries_));
    endInsertRows();
    entries.clear();
}

void RunTraceModel::clear() {
    if (entries_.empty())
        return;
    beginResetModel();
    entries_.clear();
    endResetModel();
}

int RunTraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int RunTraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RunTraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RunTraceEntry& e = entry(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case StepColumn:
            return QString::number(e.step);
        case TimeColumn:
            return TenthsText(e.tenths);
        case LineColumn:
            return QString::number(e.line);
        default:
            return e.effect;
        }
    case Qt::ToolTipRole:
        return QString(QFileInfo(e.file).fileName() + u':' + QString::number(e.line) +
                       QStringLiteral(": ") + e.text);
    case LineRole:
        return e.line;
    case FileRole:
        return e.file;
    default:
        return {};
    }
}

QVariant RunTraceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static constexpr QStringView captions[] = {u"Step", u"Time", u"Row", u"Effect"};
    return section >= 0 && section < ColumnCount ? catalogue_.tx(captions[section]) : QString();
}

void RunTraceModel::retranslate() {
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

// ---- The state ----------------------------------------------------------------

void RunStateModel::setRows(QList<Row> rows) {
    const auto same = [](const Row& a, const Row& b) {
        return a.kind == b.kind && a.id == b.id && a.value == b.value && a.state == b.state;
    };
    if (rows.size() == rows_.size() && std::equal(rows.begin(), rows.end(), rows_.begin(), same)) {
        emit headerDataChanged(Qt::Horizontal, 0, 2);
        return;
    }
    if (rows.size() != rows_.size()) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
        return;
    }
    rows_ = std::move(rows);
    emit dataChanged(index(0, 0), index(rowCount() - 1, 2));
    emit headerDataChanged(Qt::Horizontal, 0, 2);
}

int RunStateModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int RunStateModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant RunStateModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& r = row(index.row());
    if (role == Qt::DisplayRole)
        return index.column() == KindColumn ? r.kind : index.column() == IdColumn ? r.id : r.value;
    if (role == StateRole)
        return r.state;
    return {};
}

QVariant RunStateModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static constexpr QStringView captions[] = {u"Kind", u"Number/name", u"State"};
    return section >= 0 && section < 3 ? catalogue_.tx(captions[section]) : QString();
}

// ---- The session ----------------------------------------------------------------

DryRunSession::DryRunSession(Parts parts, QObject* parent)
    : QObject(parent), parts_(std::move(parts)), trace_(parts_.catalogue, TraceLimit),
      state_(parts_.catalogue), timer_(new QTimer(this)) {
    timer_->setSingleShot(true);
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &DryRunSession::runSlice);
}

DryRunSession::~DryRunSession() = default;

void DryRunSession::follow(const QString& file, quint64 generation,
                           const std::function<QStringList()>& lines) {
    const bool languageChanged =
        language_ && language_->catalogue().language() != parts_.catalogue.language();
    if (generation == generation_ && file == file_ && !languageChanged)
        return;
    const bool sameFile = file == file_;
    generation_ = generation;
    QStringList now = lines();
    if (now == lines_ && sameFile && !languageChanged)
        return;
    // The breakpoints belong to the rows of one schedule.
    if (!sameFile)
        breakpoints_.clear();
    file_ = file;
    lines_ = std::move(now);
    QMap<Thing, QSet<int>> used;
    for (const QString& line : std::as_const(lines_))
        for (const Use& use : ParseCommand(line).uses) {
            bool ok = false;
            const int n = use.id.toInt(&ok);
            if (ok)
                used[use.thing].insert(n);
        }
    used_.clear();
    for (auto it = used.begin(); it != used.end(); ++it) {
        QList<int> ids(it.value().begin(), it.value().end());
        std::sort(ids.begin(), ids.end());
        used_.insert(it.key(), ids);
    }
    contacts_ = used_.value(Thing::Contact);
    rebuild();
}

void DryRunSession::rebuild() {
    timer_->stop();
    mode_ = Mode::Idle;
    started_ = false;
    pending_.clear();
    trace_.clear();
    if (findingsSeen_ > 0)
        ++findingsGeneration_;
    findingsSeen_ = 0;
    engine_.reset(); // made again when the user runs
    refreshState();
    emit changed();
}

DryRun& DryRunSession::engine() {
    if (!language_ || language_->catalogue().language() != parts_.catalogue.language())
        language_ = std::make_unique<ExplanationLanguage>(parts_.catalogue.languageCode());
    if (!engine_) {
        engine_ = std::make_unique<DryRun>(*language_, parts_.layout ? parts_.layout() : nullptr,
                                           file_, lines_);
        engine_->setTraceSink([this](const RunTraceEntry& e) {
            pending_.push_back(e);
            // A long slice keeps only what the trace can hold.
            if (pending_.size() > static_cast<size_t>(2 * TraceLimit))
                pending_.erase(pending_.begin(), pending_.end() - TraceLimit);
        });
    }
    return *engine_;
}

void DryRunSession::step() {
    timer_->stop();
    mode_ = Mode::Idle;
    started_ = true;
    engine().step();
    afterRows();
    emit changed();
}

void DryRunSession::runToWait() {
    mode_ = Mode::RunningToWait;
    started_ = true;
    schedule();
}

void DryRunSession::run() {
    mode_ = Mode::Running;
    started_ = true;
    schedule();
}

void DryRunSession::pause() {
    timer_->stop();
    mode_ = Mode::Idle;
    // The views may not have followed the last slices yet.
    afterRows();
    emit changed();
}

void DryRunSession::reset() {
    rebuild();
}

void DryRunSession::schedule() {
    sinceNotify_.start();
    if (timerDriven_)
        timer_->start();
    emit changed();
}

void DryRunSession::toggleBreakpoint(int row) {
    if (row < 1)
        return;
    if (!breakpoints_.remove(row))
        breakpoints_.insert(row);
    emit changed();
}

QChar DryRunSession::contactState(int contact) const {
    if (engine_) {
        const QChar c = engine_->state().contacts.value(contact, u'F');
        return c;
    }
    return u'F';
}

void DryRunSession::toggleContact(int contact) {
    const QChar next = contactState(contact) == u'B' ? u'F' : u'B';
    engine().setContact(contact, next);
    refreshState();
    // A run that waited for the user goes on by itself.
    if (mode_ != Mode::Idle && !timer_->isActive() && timerDriven_)
        timer_->start();
    emit changed();
}

int DryRunSession::inputMarker() const {
    if (!engine_ || engine_->waitingFor().isEmpty() || !SameFile(engine_->file(), file_))
        return 0;
    const int line = engine_->line();
    if (line < 1 || line > lines_.size())
        return 0;
    const ParsedCommand command = ParseCommand(lines_[line - 1]);
    if (command.code != u'/')
        return 0;
    for (const Use& use : command.usesOf(Thing::Marker))
        if (use.access == Access::Writes)
            return use.id.toInt();
    return 0;
}

void DryRunSession::answerInput(int value) {
    const int marker = inputMarker();
    if (marker == 0)
        return;
    engine().answerInput(marker, value);
    if (mode_ != Mode::Idle && !timer_->isActive() && timerDriven_)
        timer_->start();
    refreshState();
    emit changed();
}

void DryRunSession::runSlice() {
    if (mode_ == Mode::Idle)
        return;
    DryRun& run = engine();
    QElapsedTimer slice;
    slice.start();
    bool goOn = true;
    while (goOn) {
        const bool toWait = mode_ == Mode::RunningToWait;
        const RunEnd end = run.run(SliceRows, &breakpoints_, toWait);
        // A slice that ended right before a breakpoint stops there too: the
        // next call would run that row.
        const bool atBreakpoint =
            end == RunEnd::None && breakpoints_.contains(run.line()) && SameFile(run.file(), file_);
        if (end == RunEnd::Waiting || (toWait && !run.waitingFor().isEmpty())) {
            // A plain run stays on: the user's next contact or answer resumes it.
            if (toWait)
                mode_ = Mode::Idle;
            goOn = false;
        } else if (end != RunEnd::None || atBreakpoint) {
            mode_ = Mode::Idle;
            goOn = false;
        } else if (slice.elapsed() >= SliceMs) {
            break;
        }
    }
    const bool stopped = !goOn;
    if (!stopped && timerDriven_)
        timer_->start();
    // The views follow a running slice only now and then.
    if (stopped || sinceNotify_.elapsed() >= NotifyMs) {
        afterRows();
        sinceNotify_.start();
        emit changed();
    }
}

void DryRunSession::afterRows() {
    trace_.append(pending_);
    if (engine_ && engine_->findingsRevision() != findingsSeen_) {
        findingsSeen_ = engine_->findingsRevision();
        ++findingsGeneration_;
    }
    refreshState();
}

int DryRunSession::runningRow() const {
    if (!engine_ || !started_ || !SameFile(engine_->file(), file_))
        return 0;
    return engine_->line();
}

RunEnd DryRunSession::end() const {
    return engine_ ? engine_->end() : RunEnd::None;
}

QString DryRunSession::runFile() const {
    return engine_ ? engine_->file() : file_;
}

int DryRunSession::runLine() const {
    return engine_ ? engine_->line() : 0;
}

QString DryRunSession::waitingFor() const {
    return engine_ ? engine_->waitingFor() : QString();
}

bool DryRunSession::waitsForInput() const {
    return inputMarker() != 0;
}

QList<RunFinding> DryRunSession::findings() const {
    return engine_ ? engine_->findings() : QList<RunFinding>();
}

QString DryRunSession::statusLine() const {
    const TextCatalogue& c = parts_.catalogue;
    if (!started_)
        return c.tx(u"Not started: Step (F10) or Run (F5) begins at line 1.");
    QString text;
    switch (end()) {
    case RunEnd::None:
    case RunEnd::Limit:
        text = mode_ == Mode::Idle ? c.tx(u"Paused") : c.tx(u"Running");
        break;
    case RunEnd::Waiting:
        text = c.tx(u"Waiting for ") + waitingFor();
        break;
    case RunEnd::Ended:
        text = c.tx(u"Ended");
        break;
    case RunEnd::Jam:
        text = c.tx(u"Stopped (jam)");
        break;
    case RunEnd::Error:
        text = c.tx(u"Stopped by an error");
        break;
    }
    const qint64 tenths = engine_ ? engine_->state().tenths : 0;
    text += QStringLiteral(" · ") + c.tx(u"next line") + u' ' + QString::number(runLine());
    if (!SameFile(runFile(), file_))
        text += QStringLiteral(" (") + QFileInfo(runFile()).fileName() + u')';
    text += QStringLiteral(" · ") + TenthsText(tenths) + QStringLiteral(" · ") +
            QString::number(steps()) + u' ' + c.tx(u"steps");
    return text;
}

void DryRunSession::refreshState() {
    QList<RunStateModel::Row> rows;
    const TextCatalogue& c = parts_.catalogue;
    static const RunState start;
    const RunState& s = engine_ ? engine_->state() : start;
    const auto add = [&rows](const QString& kind, const QString& id, const QString& value,
                             const QString& state = QString()) {
        rows.append({kind, id, value, state});
    };
    add(c.tx(u"Virtual time"), QString(), TenthsText(s.tenths));
    add(c.tx(u"Model clock"), QString(),
        s.clockText() + (s.clockRunning
                             ? QString(QStringLiteral(" ×") + QString::number(s.clockLapse))
                             : QString(QStringLiteral(" (") + c.tx(u"stopped") + u')')));
    const auto where = [this](const QString& file, int line) {
        return SameFile(file, file_) ? QString::number(line)
                                     : QFileInfo(file).fileName() + u':' + QString::number(line);
    };
    QStringList frames;
    for (const RunState::Frame& f : s.callStack)
        frames.append(where(f.file, f.line));
    add(c.tx(u"Call stack"), QString(),
        frames.isEmpty() ? c.tx(u"empty") : frames.join(QStringLiteral(" ← ")));
    QStringList repeats;
    for (const RunState::Repeat& r : s.repeatStack)
        repeats.append(where(r.file, r.line) + u'×' + QString::number(r.remaining));
    add(c.tx(u"Repeat stack"), QString(),
        repeats.isEmpty() ? c.tx(u"empty") : repeats.join(QStringLiteral(" ← ")));
    const QString setVar = c.tx(ThingName(Thing::SetVar));
    add(setVar, QString(), QString::number(s.setVars.value(QString(), 0)));
    for (auto it = s.setVars.begin(); it != s.setVars.end(); ++it)
        if (!it.key().isEmpty())
            add(setVar, it.key(), QString::number(it.value()));

    // The things the schedule names, and any the run has changed besides.
    const auto ids = [this](Thing thing, const QList<int>& changed) {
        QList<int> all = used_.value(thing) + changed;
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
        return all;
    };
    const auto colours = [&](Thing thing, const QMap<int, QChar>& map) {
        for (int n : ids(thing, map.keys())) {
            const QChar colour = map.value(n);
            add(c.tx(ThingName(thing)), QString::number(n),
                colour.isNull() ? c.tx(u"unknown") : QString(colour), QString(colour));
        }
    };
    colours(Thing::Article, s.articles);
    colours(Thing::Signal, s.signalColours);
    for (int n : ids(Thing::Route, s.routes.keys())) {
        const bool reserved = s.routes.value(n) == u'R';
        add(c.tx(ThingName(Thing::Route)), QString::number(n),
            reserved ? QStringLiteral("R") : QStringLiteral("F"),
            reserved ? QStringLiteral("B") : QStringLiteral("F"));
    }
    for (int n : ids(Thing::Marker, s.markers.keys()))
        add(c.tx(ThingName(Thing::Marker)), QString::number(n),
            QString::number(s.markers.value(n)));
    for (int n : ids(Thing::Counter, s.counters.keys()))
        add(c.tx(ThingName(Thing::Counter)), QString::number(n),
            QString::number(s.counters.value(n)));
    for (int n : ids(Thing::Loco, s.locos.keys())) {
        const RunLoco loco = s.locos.value(n);
        QString text = c.tx(u"speed") + u' ' + QString::number(loco.speed) + QStringLiteral(", ") +
                       (loco.direction == u'R' ? c.tx(u"backward") : c.tx(u"forward")) +
                       QStringLiteral(", ") + (loco.light ? c.tx(u"light on") : c.tx(u"light off"));
        if (!loco.functions.isEmpty()) {
            QList<int> on(loco.functions.begin(), loco.functions.end());
            std::sort(on.begin(), on.end());
            QStringList f;
            for (int k : on)
                f.append(u'F' + QString::number(k));
            text += QStringLiteral(", ") + f.join(u' ');
        }
        add(c.tx(ThingName(Thing::Loco)), QString::number(n), text);
    }
    for (auto it = s.locoOnContact.begin(); it != s.locoOnContact.end(); ++it)
        add(c.tx(ThingName(Thing::Contact)), QString::number(it.key()),
            c.tx(ThingName(Thing::Loco)) + u' ' + QString::number(it.value()));
    for (auto it = s.turntables.begin(); it != s.turntables.end(); ++it)
        add(c.tx(ThingName(Thing::Turntable)), QString::number(it.key()),
            QString::number(it.value()));
    if (!s.shown.isEmpty())
        add(QStringLiteral("/ I, / M"), QString(), s.shown.back());
    state_.setRows(rows);
}

} // namespace vx
