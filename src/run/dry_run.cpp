#include "run/dry_run.h"

#include "commands/command_family.h"
#include "form/line_explanation.h"
#include "layout/layout_index.h"
#include "texts/text_catalogue.h"

#include <QHash>

#include <algorithm>
#include <deque>
#include <limits>

namespace vx {

namespace {

constexpr int BusyRows = 1000;
constexpr int MaxCallDepth = 100;
constexpr qint64 Never = std::numeric_limits<qint64>::max();

// One row, made ready once: the run never parses or explains in its loop.
struct Row {
    enum class Kind { Pass, Run, Invalid };
    Kind kind = Kind::Pass;
    ParsedCommand parsed;
    RunHook hook = nullptr;
    QString effect;
    QString effectAssumed;
    int repeatEnd = -1; // W: the index of its E, W
    // The last address the row jumped to, and its row: a loop resolves once.
    QString target;
    int targetRow = -1;
};

struct Program {
    QString file;
    QStringList lines;
    QList<Row> rows;
    QHash<QString, int> labels;      // ! address -> its row index
    QHash<QString, int> subroutines; // U name -> its row index
};

// A command field that names no command ("KX") is false input, whatever its
// first character: it neither passes over nor defines an address.
bool IsPassedOver(const ParsedCommand& p, const QString& line) {
    if (line.trimmed().isEmpty() || !p.namesCommand())
        return line.trimmed().isEmpty();
    return p.family->remarkLine ||
           (p.family->definesAddress && p.family->block != Block::OpensSubroutine);
}

Program MakeProgram(const QString& file, const QStringList& lines,
                    const ExplanationLanguage& language) {
    Program program;
    program.file = file;
    program.lines = lines;
    program.rows.resize(lines.size());
    const QString assumed = u' ' + language.catalogue().tx(u"(assumed)");
    QList<int> repeats;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Row& row = program.rows[i];
        row.parsed = ParseCommand(lines[i]);
        const ParsedCommand& p = row.parsed;
        if (IsPassedOver(p, lines[i])) {
            row.kind = Row::Kind::Pass;
        } else {
            const LineExplanation e = ExplainLine(lines[i], language);
            const bool invalid = !p.namesCommand() || e.explanationRed || !e.redFields.isEmpty();
            row.kind = invalid ? Row::Kind::Invalid : Row::Kind::Run;
            row.effect = e.explanation;
            row.effectAssumed = e.explanation + assumed;
            row.hook = p.family ? p.family->run : nullptr;
        }
        if (p.namesCommand() && p.family->definesAddress) {
            QHash<QString, int>& names =
                p.block == Block::OpensSubroutine ? program.subroutines : program.labels;
            if (!names.contains(p.upper(1)))
                names.insert(p.upper(1), static_cast<int>(i));
        }
        if (row.kind == Row::Kind::Invalid)
            continue;
        if (p.block == Block::OpensRepeat) {
            repeats.append(static_cast<int>(i));
        } else if (p.block == Block::EndsRepeat && !repeats.isEmpty()) {
            program.rows[repeats.takeLast()].repeatEnd = static_cast<int>(i);
        }
    }
    return program;
}

// The program's own generator (xorshift32), the same numbers in every build.
quint32 NextRandom(quint32& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

bool SetsThing(const LayoutSchedule& schedule, Thing thing, const QString& id) {
    for (const LayoutUse& use : schedule.uses)
        if (use.thing == thing && use.id == id &&
            (use.access == Access::Sets || use.access == Access::Switches ||
             use.access == Access::Writes))
            return true;
    return false;
}

} // namespace

class DryRunEngine final : public RunMachine {
public:
    DryRunEngine(const ExplanationLanguage& language, const LayoutIndex* layout, QString file,
                 QStringList lines, quint32 seed)
        : language_(language), layout_(layout), seed_(seed) {
        programs_.push_back(MakeProgram(file, lines, language));
        for (const Row& row : programs_.front().rows)
            for (const Use& use : row.parsed.usesOf(Thing::Contact))
                contactsUsed_.append(use.id.toInt());
        std::sort(contactsUsed_.begin(), contactsUsed_.end());
        contactsUsed_.erase(std::unique(contactsUsed_.begin(), contactsUsed_.end()),
                            contactsUsed_.end());
        reset();
    }

    // ---- driving ----

    void reset() {
        state_ = RunState();
        findings_.clear();
        noted_.clear();
        pendingInputs_.clear();
        program_ = 0;
        pos_ = normalized(0);
        end_ = RunEnd::None;
        waiting_ = false;
        stuck_ = false;
        steps_ = 0;
        busy_ = 0;
        nextEvent_ = 0;
        random_ = seed_ == 0 ? 1 : seed_;
        group_ = Group();
        skipNext_ = false;
    }

    void setEvents(QList<RunEvent> events) {
        std::stable_sort(events.begin(), events.end(),
                         [](const RunEvent& a, const RunEvent& b) { return a.tenths < b.tenths; });
        events_ = std::move(events);
        nextEvent_ = 0;
    }

    enum class Attempt { Done, WaitBegan, Stuck, Over };

    // One row, or one more try of the row that waits.
    Attempt attempt() {
        if (end_ != RunEnd::None)
            return Attempt::Over;
        if (waiting_)
            return retry();
        applyEvents(state_.tenths);
        while (true) {
            const Program& program = programs_[program_];
            if (pos_ >= program.rows.size()) {
                noteOnce(QStringLiteral("no-end"), static_cast<int>(program.rows.size()));
                pos_ = std::max<qsizetype>(0, program.rows.size() - 1);
                end_ = RunEnd::Ended;
                return Attempt::Over;
            }
            const Row& row = program.rows[pos_];
            // A condition group ends before the first row that is no condition.
            if (group_.open && row.parsed.block != Block::Condition) {
                skipNext_ = !group_.value;
                group_ = Group();
            }
            if (skipNext_) {
                skipNext_ = false;
                pos_ = normalized(pos_ + 1);
                continue;
            }
            if (row.kind == Row::Kind::Invalid) {
                noteOnce(QStringLiteral("invalid-line"), static_cast<int>(pos_ + 1));
                pos_ = normalized(pos_ + 1);
                continue;
            }
            break;
        }
        const Attempt a = runRow();
        if (a == Attempt::WaitBegan) {
            busy_ = 0;
            waiting_ = true;
        }
        return a;
    }

    Attempt retry() {
        const QString file = programs_[program_].file;
        const int line = static_cast<int>(pos_ + 1);
        while (true) {
            if (runRow() == Attempt::Done) {
                waiting_ = false;
                stuck_ = false;
                // Something set it after all: the finding no longer holds.
                forget(QStringLiteral("never-satisfied"), file, line);
                return Attempt::Done;
            }
            const qint64 event = nextEvent_ < events_.size() ? events_[nextEvent_].tenths : Never;
            const qint64 by = wait_.until >= 0 ? wait_.until : Never;
            const qint64 next = std::min(event, by);
            if (next == Never) {
                if (!stuck_) {
                    stuck_ = true;
                    if (!satisfiable())
                        noteOnce(QStringLiteral("never-satisfied"), static_cast<int>(pos_ + 1));
                }
                return Attempt::Stuck;
            }
            passTime(std::max(next, state_.tenths + 1));
        }
    }

    Attempt runRow() {
        Program& program = programs_[program_];
        Row& row = program.rows[pos_];
        const QString file = program.file;
        const qsizetype at = pos_;
        const qint64 time = state_.tenths;
        next_ = at + 1;
        assumed_ = false;
        current_ = &row;
        if (row.hook && row.hook(row.parsed, *this) == RunStep::Wait)
            return Attempt::WaitBegan;
        ++steps_;
        ++busy_;
        if (sink_)
            sink_({steps_, time, file, static_cast<int>(at + 1), program.lines[at],
                   assumed_ ? row.effectAssumed : row.effect});
        if (end_ != RunEnd::None)
            return Attempt::Done;
        if (busy_ >= BusyRows) {
            fail(QStringLiteral("busy-loop"), static_cast<int>(at + 1));
            return Attempt::Done;
        }
        pos_ = normalized(next_);
        return Attempt::Done;
    }

    RunEnd run(qint64 maxRows, const QSet<int>* breakpoints, bool stopAtWait) {
        qint64 rows = 0;
        bool first = true;
        while (rows < maxRows) {
            if (!first && !waiting_ && breakpoints && program_ == 0 &&
                breakpoints->contains(static_cast<int>(pos_ + 1)))
                return RunEnd::None;
            first = false;
            switch (attempt()) {
            case Attempt::Done:
                ++rows;
                break;
            case Attempt::WaitBegan:
                if (stopAtWait)
                    return RunEnd::Waiting;
                break;
            case Attempt::Stuck:
                return RunEnd::Waiting;
            case Attempt::Over:
                return end_;
            }
        }
        return end_;
    }

    bool step() {
        Attempt a = attempt();
        if (a == Attempt::WaitBegan)
            a = attempt();
        return a == Attempt::Done && end_ == RunEnd::None;
    }

    RunEnd end() const {
        if (end_ == RunEnd::None && waiting_ && stuck_)
            return RunEnd::Waiting;
        return end_;
    }

    // ---- the user's hand ----

    void setContact(int n, QChar value) {
        state_.setContact(n, value.toUpper() == u'B');
        stuck_ = false;
    }

    void answerInput(int marker, int value) {
        pendingInputs_.insert(marker, value);
        stuck_ = false;
    }

    // ---- RunMachine ----

    RunState& state() override { return state_; }

    void endMain() override { end_ = RunEnd::Ended; }
    void jam() override { end_ = RunEnd::Jam; }

    void jump(const QString& address) override {
        Row& row = *current_;
        if (row.targetRow < 0 || row.target != address) {
            row.target = address;
            row.targetRow = programs_[program_].labels.value(address, -1);
        }
        if (row.targetRow < 0) {
            fail(QStringLiteral("undefined-address"), static_cast<int>(pos_ + 1), address);
            return;
        }
        next_ = row.targetRow + 1;
    }

    void call(const QString& address, bool setsValue, int value) override {
        const int sub = programs_[program_].subroutines.value(address, -1);
        if (sub < 0) {
            fail(QStringLiteral("undefined-address"), static_cast<int>(pos_ + 1), address);
            return;
        }
        if (state_.callStack.size() >= MaxCallDepth) {
            fail(QStringLiteral("call-depth"), static_cast<int>(pos_ + 1));
            return;
        }
        state_.callStack.append({programs_[program_].file, static_cast<int>(pos_ + 2)});
        if (setsValue) {
            if (value == 0)
                state_.setVars.remove(QString());
            else
                state_.setVars.insert(QString(), value);
        }
        next_ = sub + 1;
    }

    void returnFromCall() override {
        if (state_.callStack.isEmpty()) {
            fail(QStringLiteral("return-without-call"), static_cast<int>(pos_ + 1));
            return;
        }
        const RunState::Frame frame = state_.callStack.takeLast();
        program_ = programOf(frame.file);
        next_ = frame.line - 1;
    }

    void enterSubroutine() override {
        noteOnce(QStringLiteral("enters-subroutine"), static_cast<int>(pos_ + 1));
    }

    void repeat(int count) override {
        if (count > 0) {
            state_.repeatStack.append(
                {programs_[program_].file, static_cast<int>(pos_ + 1), count});
            return;
        }
        const int end = current_->repeatEnd;
        next_ = end < 0 ? programs_[program_].rows.size() : end + 1;
    }

    void repeatEnd() override {
        if (state_.repeatStack.isEmpty()) {
            fail(QStringLiteral("repeat-end-without-repeat"), static_cast<int>(pos_ + 1));
            return;
        }
        RunState::Repeat& top = state_.repeatStack.last();
        if (--top.remaining > 0) {
            program_ = programOf(top.file);
            next_ = top.line;
        } else {
            state_.repeatStack.removeLast();
        }
    }

    void condition(bool holds, bool joinsNext, bool andNext) override {
        if (!group_.open)
            group_.value = holds;
        else
            group_.value = group_.andNext ? group_.value && holds : group_.value || holds;
        group_.open = joinsNext;
        group_.andNext = andNext;
        if (!joinsNext) {
            skipNext_ = !group_.value;
            group_ = Group();
        }
    }

    void delay(qint64 tenths) override {
        if (tenths > 0) {
            busy_ = 0;
            passTime(state_.tenths + tenths);
        }
    }

    RunStep wait(const RunWait& wait) override {
        wait_ = wait;
        return RunStep::Wait;
    }

    bool takeInput(int marker, int* value) override {
        const auto it = pendingInputs_.find(marker);
        if (it == pendingInputs_.end())
            return false;
        *value = it.value();
        pendingInputs_.erase(it);
        return true;
    }

    void load(int number, const QString& file, const QString& start,
              const QString& startAddress) override {
        assumed_ = true;
        if (number != 0 && number != OwnScheduleNumber) {
            state_.shown.append(programs_[program_].lines[pos_].trimmed());
            return;
        }
        const int to = programNamed(file);
        if (to < 0) {
            fail(QStringLiteral("missing-schedule"), static_cast<int>(pos_ + 1), file.trimmed());
            return;
        }
        const Program& program = programs_[to];
        qsizetype row = 0;
        const QString first = start.trimmed();
        bool digits = !first.isEmpty();
        for (QChar c : first)
            digits = digits && c.isDigit();
        if (digits) {
            row = first.toInt() - 1;
        } else {
            const QString address = (first.isEmpty() ? startAddress : first).trimmed().toUpper();
            if (!address.isEmpty()) {
                const int at =
                    program.labels.value(address, program.subroutines.value(address, -1));
                if (at < 0) {
                    fail(QStringLiteral("undefined-address"), static_cast<int>(pos_ + 1), address);
                    return;
                }
                row = at + 1;
            }
        }
        state_.callStack.clear();
        state_.repeatStack.clear();
        program_ = to;
        next_ = row;
    }

    void divisionByZero() override {
        noteOnce(QStringLiteral("division-by-zero"), static_cast<int>(pos_ + 1));
    }

    quint32 random() override { return NextRandom(random_); }
    void assumed() override { assumed_ = true; }

    // ---- reading ----

    QString file() const { return programs_[program_].file; }
    int line() const { return static_cast<int>(pos_ + 1); }
    qint64 steps() const { return steps_; }
    const RunState& constState() const { return state_; }
    const QList<RunFinding>& findings() const { return findings_; }
    quint64 findingsRevision() const { return findingsRevision_; }
    const QList<int>& contactsUsed() const { return contactsUsed_; }

    QString waitingFor() const {
        if (!waiting_)
            return {};
        return programs_[program_].rows[pos_].effect;
    }

    std::function<void(const RunTraceEntry&)> sink_;

private:
    // The run's own schedule number: N with it continues in the named schedule.
    static constexpr int OwnScheduleNumber = 1;

    struct Group {
        bool open = false;
        bool value = true;
        bool andNext = true;
    };

    qsizetype normalized(qsizetype at) const {
        const QList<Row>& rows = programs_[program_].rows;
        while (at < rows.size() && rows[at].kind == Row::Kind::Pass)
            ++at;
        return at;
    }

    void passTime(qint64 to) {
        applyEvents(to);
        advanceClock(to);
    }

    void advanceClock(qint64 to) {
        if (to <= state_.tenths)
            return;
        if (state_.clockRunning)
            state_.clockTenths += (to - state_.tenths) * state_.clockLapse;
        state_.tenths = to;
    }

    void applyEvents(qint64 until) {
        while (nextEvent_ < events_.size() && events_[nextEvent_].tenths <= until) {
            const RunEvent& e = events_[nextEvent_++];
            advanceClock(e.tenths);
            switch (e.kind) {
            case RunEvent::Kind::Contact:
                state_.setContact(e.id, e.value.toUpper() == u"B");
                break;
            case RunEvent::Kind::LocoOn:
                state_.locoOnContact.insert(e.id, e.value.toInt());
                break;
            case RunEvent::Kind::Input:
                pendingInputs_.insert(e.id, e.value.toInt());
                break;
            }
        }
    }

    // Whether an event or a line of the layout could give what the row waits for.
    bool satisfiable() const {
        if (wait_.clock) {
            const auto sets = [](const QStringList& lines) {
                for (const QString& line : lines)
                    if (SetsModelClock(ParseCommand(line)))
                        return true;
                return false;
            };
            if (sets(programs_.front().lines))
                return true;
            if (layout_)
                for (const LayoutSchedule& s : layout_->schedules())
                    if (s.isRead() && sets(s.lines))
                        return true;
            return false;
        }
        const RunEvent::Kind kind = wait_.input ? RunEvent::Kind::Input : RunEvent::Kind::Contact;
        if (wait_.input || wait_.thing == Thing::Contact)
            for (const RunEvent& e : events_)
                if (e.kind == kind && QString::number(e.id) == wait_.id)
                    return true;
        if (wait_.input)
            return false;
        for (const Program& p : programs_)
            for (const Row& row : p.rows)
                for (const Use& use : row.parsed.uses)
                    if (use.thing == wait_.thing && use.id == wait_.id &&
                        (use.access == Access::Sets || use.access == Access::Switches))
                        return true;
        if (layout_)
            for (const LayoutSchedule& s : layout_->schedules())
                if (s.isRead() && SetsThing(s, wait_.thing, wait_.id))
                    return true;
        return false;
    }

    int programOf(const QString& file) const {
        for (size_t i = 0; i < programs_.size(); ++i)
            if (programs_[i].file == file)
                return static_cast<int>(i);
        return program_;
    }

    // The schedule of the layout that N names, made ready on first use.
    int programNamed(const QString& written) {
        for (size_t i = 0; i < programs_.size(); ++i)
            if (NamesScheduleFile(written, programs_[i].file.section(u'/', -1)))
                return static_cast<int>(i);
        if (!layout_)
            return -1;
        for (const LayoutSchedule& s : layout_->schedules()) {
            if (!s.isRead() || !NamesScheduleFile(written, s.name()))
                continue;
            programs_.push_back(MakeProgram(s.path, s.lines, language_));
            return static_cast<int>(programs_.size() - 1);
        }
        return -1;
    }

    void note(const QString& kind, int line, const QString& detail = {}) {
        const TextCatalogue& tx = language_.catalogue();
        QString message = tx.tx(messageKey(kind));
        if (!detail.isEmpty())
            message += QStringLiteral(": ") + detail;
        findings_.append({programs_[program_].file, line, kind, message});
        ++findingsRevision_;
    }

    void noteOnce(const QString& kind, int line) {
        const QString key = programs_[program_].file + u'\n' + QString::number(line) + u'\n' + kind;
        if (noted_.contains(key))
            return;
        noted_.insert(key);
        note(kind, line);
    }

    void forget(const QString& kind, const QString& file, int line) {
        if (!noted_.remove(file + u'\n' + QString::number(line) + u'\n' + kind))
            return;
        findings_.removeIf([&](const RunFinding& f) {
            return f.kind == kind && f.file == file && f.line == line;
        });
        ++findingsRevision_;
    }

    void fail(const QString& kind, int line, const QString& detail = {}) {
        note(kind, line, detail);
        end_ = RunEnd::Error;
    }

    static const char16_t* messageKey(const QString& kind);

    const ExplanationLanguage& language_;
    const LayoutIndex* layout_;
    quint32 seed_;
    std::deque<Program> programs_; // a loaded schedule leaves the others where they are
    QList<int> contactsUsed_;
    QList<RunEvent> events_;
    qsizetype nextEvent_ = 0;
    QMap<int, int> pendingInputs_;
    RunState state_;
    QList<RunFinding> findings_;
    quint64 findingsRevision_ = 0;
    QSet<QString> noted_;
    int program_ = 0;
    qsizetype pos_ = 0;
    qsizetype next_ = 0;
    Row* current_ = nullptr;
    RunEnd end_ = RunEnd::None;
    bool waiting_ = false;
    bool stuck_ = false;
    RunWait wait_;
    qint64 steps_ = 0;
    int busy_ = 0;
    quint32 random_ = 1;
    bool assumed_ = false;
    bool skipNext_ = false;
    Group group_;
};

const char16_t* DryRunEngine::messageKey(const QString& kind) {
    static const QHash<QString, const char16_t*> keys = {
        {QStringLiteral("busy-loop"), u"1,000 rows ran without a wait, delay or pause"},
        {QStringLiteral("return-without-call"), u"End of subroutine without a call"},
        {QStringLiteral("repeat-end-without-repeat"), u"End of repeating loop without a repeat"},
        {QStringLiteral("undefined-address"), u"The address is defined nowhere"},
        {QStringLiteral("call-depth"), u"More than 100 subroutine calls are open"},
        {QStringLiteral("enters-subroutine"), u"The run enters a subroutine without a call"},
        {QStringLiteral("invalid-line"), u"False input: the line is passed over"},
        {QStringLiteral("division-by-zero"), u"Division by zero: the marker stays unchanged"},
        {QStringLiteral("no-end"), u"The run went past the last row without an end"},
        {QStringLiteral("never-satisfied"),
         u"The run waits for something that no event and no schedule of the layout sets"},
        {QStringLiteral("missing-schedule"), u"The schedule to load is not in the layout"},
    };
    return keys.value(kind, u"");
}

// ---- DryRun ----

DryRun::DryRun(const ExplanationLanguage& language, const LayoutIndex* layout, QString file,
               QStringList lines, quint32 seed)
    : engine_(std::make_unique<DryRunEngine>(language, layout, std::move(file), std::move(lines),
                                             seed)) {}
DryRun::~DryRun() = default;
void DryRun::setEvents(QList<RunEvent> events) {
    engine_->setEvents(std::move(events));
}
void DryRun::reset() {
    engine_->reset();
}
RunEnd DryRun::run(qint64 maxRows, const QSet<int>* breakpoints, bool stopAtWait) {
    return engine_->run(maxRows, breakpoints, stopAtWait);
}
bool DryRun::step() {
    return engine_->step();
}
RunEnd DryRun::end() const {
    return engine_->end();
}
QString DryRun::file() const {
    return engine_->file();
}
int DryRun::line() const {
    return engine_->line();
}
qint64 DryRun::steps() const {
    return engine_->steps();
}
const RunState& DryRun::state() const {
    return engine_->constState();
}
QString DryRun::waitingFor() const {
    return engine_->waitingFor();
}
const QList<RunFinding>& DryRun::findings() const {
    return engine_->findings();
}
quint64 DryRun::findingsRevision() const {
    return engine_->findingsRevision();
}
QList<int> DryRun::contactsUsed() const {
    return engine_->contactsUsed();
}
void DryRun::setContact(int n, QChar value) {
    engine_->setContact(n, value);
}
void DryRun::answerInput(int marker, int value) {
    engine_->answerInput(marker, value);
}
void DryRun::setTraceSink(std::function<void(const RunTraceEntry&)> sink) {
    engine_->sink_ = std::move(sink);
}

RunEnd RunToEnd(DryRun& run, qint64 maxSteps) {
    const RunEnd end = run.run(maxSteps);
    return end == RunEnd::None ? RunEnd::Limit : end;
}

QString RunEndText(RunEnd end, const TextCatalogue& catalogue) {
    switch (end) {
    case RunEnd::None:
        return {};
    case RunEnd::Ended:
        return catalogue.tx(u"The run ended");
    case RunEnd::Waiting:
        return catalogue.tx(u"The run waits");
    case RunEnd::Jam:
        return catalogue.tx(u"The run jammed");
    case RunEnd::Limit:
        return catalogue.tx(u"The step limit is reached");
    case RunEnd::Error:
        return catalogue.tx(u"A finding stopped the run");
    }
    return {};
}

QString RunEndName(RunEnd end) {
    switch (end) {
    case RunEnd::None:
        return {};
    case RunEnd::Ended:
        return QStringLiteral("ended");
    case RunEnd::Waiting:
        return QStringLiteral("waiting");
    case RunEnd::Jam:
        return QStringLiteral("jam");
    case RunEnd::Limit:
        return QStringLiteral("limit");
    case RunEnd::Error:
        return QStringLiteral("error");
    }
    return {};
}

} // namespace vx
