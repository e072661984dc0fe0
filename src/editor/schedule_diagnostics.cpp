#include "editor/schedule_diagnostics.h"

#include "commands/command_family.h"
#include "commands/field_titles.h"
#include "commands/parsed_command.h"
#include "document/schedule_document.h"
#include "form/line_explanation.h"
#include "form/parallel_lines.h"
#include "texts/blanks.h"

#include <algorithm>

namespace vx {

using Kind = ScheduleProblem::Kind;

QString KindName(Kind kind) {
    switch (kind) {
    case Kind::FalseInput:
        return QStringLiteral("false-input");
    case Kind::UnknownCommand:
        return QStringLiteral("unknown-command");
    case Kind::DoubleAddress:
        return QStringLiteral("double-address");
    case Kind::UndefinedAddress:
        return QStringLiteral("undefined-address");
    case Kind::WrongTarget:
        return QStringLiteral("wrong-target");
    case Kind::EndWithoutBlock:
        return QStringLiteral("end-without-block");
    case Kind::UnclosedBlock:
        return QStringLiteral("unclosed-block");
    case Kind::UnusedSubroutine:
        return QStringLiteral("unused-subroutine");
    case Kind::TooManyLines:
        return QStringLiteral("too-many-lines");
    }
    return QString();
}

QString SeverityName(ScheduleProblem::Severity severity) {
    return severity == ScheduleProblem::Severity::Warning ? QStringLiteral("warning")
                                                          : QStringLiteral("error");
}

// What a line is, whatever the lines around it: its findings of its own and
// what the pass over the whole schedule needs.
struct ScheduleDiagnostics::LineFacts {
    bool blank = true;
    Block block = Block::None;
    bool definesAddress = false; // a ! or U line, also without a name
    bool call = false;           // target is called, not jumped to
    QString name;                // the address the line defines, upper case
    // The address a G or R names, or an X or Y that reserves names to go to
    // when the route is taken already.
    QString target;
    QList<ScheduleProblem> own;

    bool sameAcross(const LineFacts& o) const {
        return blank == o.blank && block == o.block && definesAddress == o.definesAddress &&
               call == o.call && name == o.name && target == o.target;
    }
};

namespace {

// The command field names a command: one code character, or one that takes
// a digit with one more character (a wrong digit there is the field check's
// false input).
// The seen lines are kept for undo and moved rows; beyond this many the
// memory is better spent otherwise, and the next update starts afresh.
constexpr qsizetype SeenLimit = 20000;

} // namespace

struct ScheduleDiagnostics::Worker {
    explicit Worker(QStringView language)
        : texts(language),
          unknownHead(texts.catalogue().tx(u"Unknown command") + QStringLiteral(": ")) {}

    std::shared_ptr<const LineFacts> factsOf(const QString& text);
    // "False input: <title of the field> ", by the field and its hint.
    const QString& falseInputHead(Control control, const QString& hint);

    ExplanationLanguage texts;
    const QString unknownHead;
    // Most lines are one of these; sharing them saves an allocation a line.
    const std::shared_ptr<const LineFacts> blankLine = std::make_shared<const LineFacts>();
    const std::shared_ptr<const LineFacts> plainLine = [] {
        auto facts = std::make_shared<LineFacts>();
        facts->blank = false;
        return facts;
    }();
    std::array<QHash<QString, QString>, static_cast<size_t>(Control::None) + 1> falseInputHeads;
};

ScheduleDiagnostics::ScheduleDiagnostics(QStringView language) : language_(language.toString()) {
    workers_.push_back(std::make_unique<Worker>(language));
}

ScheduleDiagnostics::~ScheduleDiagnostics() = default;

std::shared_ptr<const ScheduleDiagnostics::LineFacts>
ScheduleDiagnostics::factsOf(const QString& text) {
    const auto it = seen_.constFind(text);
    if (it != seen_.constEnd())
        return *it;
    std::shared_ptr<const LineFacts> facts = workers_.front()->factsOf(text);
    remember(text, facts);
    return facts;
}

void ScheduleDiagnostics::remember(const QString& text,
                                   const std::shared_ptr<const LineFacts>& facts) {
    if (seen_.size() >= SeenLimit)
        seen_.clear();
    seen_.insert(text, facts);
}

std::shared_ptr<const ScheduleDiagnostics::LineFacts>
ScheduleDiagnostics::Worker::factsOf(const QString& text) {
    if (TrimView(text).isEmpty())
        return blankLine;
    LineFacts facts;
    facts.blank = false;
    const ParsedCommand parsed = ParseCommand(text, Thing::Address);
    const QString codeField = parsed.codeField();
    if (parsed.wellFormed) {
        facts.block = parsed.block;
        facts.definesAddress = parsed.family->definesAddress;
        for (const Use& use : parsed.uses) {
            if (use.thing != Thing::Address || use.operand == 0)
                continue;
            if (use.access == Access::Defines) {
                facts.name = use.id;
            } else if (use.access == Access::Jumps || use.access == Access::Calls) {
                facts.target = use.id;
                facts.call = use.access == Access::Calls;
            }
        }
    }
    if (!parsed.namesCommand()) {
        facts.own.append({0, Kind::UnknownCommand, QString(), unknownHead, codeField});
    } else {
        // The parse has split the line already.
        const std::array<QString, 6> fields = {codeField,          parsed.operands[1],
                                               parsed.operands[2], parsed.operands[3],
                                               parsed.operands[4], parsed.operands[5]};
        const QList<FalseInput> red = FalseInputsOf(text, fields, texts);
        facts.own.reserve(red.size());
        for (const FalseInput& f : red)
            facts.own.append({0, Kind::FalseInput, ControlName(f.control),
                              falseInputHead(f.control, f.hint), f.text});
    }
    if (facts.sameAcross(*plainLine) && facts.own.isEmpty())
        return plainLine;
    return std::make_shared<const LineFacts>(std::move(facts));
}

// The same few fields and hints come back on line after line: their titles
// are put together once.
const QString& ScheduleDiagnostics::Worker::falseInputHead(Control control, const QString& hint) {
    QHash<QString, QString>& heads = falseInputHeads[static_cast<size_t>(control)];
    auto it = heads.constFind(hint);
    if (it == heads.constEnd()) {
        const TextCatalogue& cat = texts.catalogue();
        it = heads.insert(hint, cat.tx(u"False input") + QStringLiteral(": ") +
                                    FieldTitle(cat, control, hint) + u' ');
    }
    return *it;
}

std::vector<char> ScheduleDiagnostics::storeInParallel(
    const std::vector<int>& rows, const std::function<const QString&(int)>& lineAt, bool& across) {
    std::vector<int> unknown;
    for (int i : rows)
        if (!seen_.contains(lineAt(i)))
            unknown.push_back(i);
    const int workers = WorkersFor(static_cast<qsizetype>(unknown.size()));
    if (workers < 2)
        return {};
    while (static_cast<int>(workers_.size()) < workers)
        workers_.push_back(std::make_unique<Worker>(language_));
    std::vector<char> stored(rows_.size());
    std::vector<char> acrossOf(static_cast<size_t>(workers));
    RunInSlices(static_cast<qsizetype>(unknown.size()), workers, 256,
                [&](int worker, qsizetype begin, qsizetype end) {
                    Worker& w = *workers_[static_cast<size_t>(worker)];
                    char& changesAcross = acrossOf[static_cast<size_t>(worker)];
                    for (qsizetype k = begin; k < end; ++k) {
                        const auto i = static_cast<size_t>(unknown[static_cast<size_t>(k)]);
                        Row& row = rows_[i];
                        const QString& text = lineAt(static_cast<int>(i));
                        std::shared_ptr<const LineFacts> facts = w.factsOf(text);
                        changesAcross =
                            changesAcross || !row.facts || !row.facts->sameAcross(*facts);
                        row.text = text;
                        row.setFacts(std::move(facts));
                        stored[i] = 1;
                    }
                });
    across = across || std::find(acrossOf.begin(), acrossOf.end(), 1) != acrossOf.end();
    return stored;
}

void ScheduleDiagnostics::Row::setFacts(std::shared_ptr<const LineFacts> found) {
    facts = std::move(found);
    block = facts->block;
    blank = facts->blank;
    named = !facts->target.isEmpty() || !facts->name.isEmpty();
    own = static_cast<int>(facts->own.size());
}

bool ScheduleDiagnostics::update(int count, const std::function<const QString&(int)>& lineAt) {
    count = std::max(count, 0);
    bool changed = static_cast<size_t>(count) != rows_.size();
    bool across = changed;
    for (int i : toRemember_)
        remember(rows_[static_cast<size_t>(i)].text, rows_[static_cast<size_t>(i)].facts);
    toRemember_.clear();
    rows_.resize(static_cast<size_t>(count));
    std::vector<int> differ;
    for (int i = 0; i < count; ++i) {
        const Row& row = rows_[static_cast<size_t>(i)];
        if (!row.facts || row.text != lineAt(i))
            differ.push_back(i);
    }
    // Many new lines (a schedule loaded) are found on every core first.
    std::vector<char> stored;
    if (WorkersFor(static_cast<qsizetype>(differ.size())) > 1)
        stored = storeInParallel(differ, lineAt, across);
    for (int i : differ) {
        Row& row = rows_[static_cast<size_t>(i)];
        changed = true;
        if (!stored.empty() && stored[static_cast<size_t>(i)]) {
            // Earlier ones would be forgotten before the end of the schedule.
            if (i >= count - SeenLimit)
                toRemember_.push_back(i);
            continue;
        }
        const QString& text = lineAt(i);
        std::shared_ptr<const LineFacts> facts = factsOf(text);
        across = across || !row.facts || !row.facts->sameAcross(*facts);
        row.text = text;
        row.setFacts(std::move(facts));
    }
    if (across)
        checkAcross();
    if (changed) {
        ++generation_;
        problemCount_ = 0;
        for (const Row& row : rows_)
            problemCount_ += row.own + static_cast<int>(row.across.size());
    }
    return changed;
}

bool ScheduleDiagnostics::update(const QStringList& lines) {
    return update(static_cast<int>(lines.size()),
                  [&lines](int i) -> const QString& { return lines[i]; });
}

// Addresses and blocks. A "!" or "U" defines an address, a "G" or "R" jumps
// to one. "W" opens a repeat loop and "U" a subroutine; "E, W" and "E, U"
// close them, and an "E" without operand ends the main program, or closes
// the innermost block as the listing reads it. An "E" right after an "F" is
// an exit taken only when the condition holds: it closes nothing, but needs
// a block of its kind around it.
void ScheduleDiagnostics::checkAcross() {
    const TextCatalogue& cat = workers_.front()->texts.catalogue();
    for (Row& row : rows_)
        row.across.clear();
    definedAt_.clear();
    jumpsTo_.clear();

    auto add = [this](int line, Kind kind, const QString& message) {
        rows_[static_cast<size_t>(line - 1)].across.append(
            {line, kind, QString(), message, QString()});
    };

    struct Block {
        bool subroutine;
        int line;
    };
    std::vector<Block> open;
    auto unclosed = [&](const Block& b) {
        add(b.line, Kind::UnclosedBlock,
            cat.tx(b.subroutine ? u"Subroutine never ended: no \"E, U\" follows"
                                : u"Repeat never ended: no \"E, W\" follows"));
    };
    auto isOpen = [&open](bool subroutine) {
        return std::any_of(open.begin(), open.end(),
                           [subroutine](const Block& b) { return b.subroutine == subroutine; });
    };
    QHash<QString, bool> gotoInsideSubroutine; // "!" address -> within a U block

    bool afterIf = false;
    const int count = static_cast<int>(rows_.size());
    for (int line = 1; line <= count; ++line) {
        const Row& row = rows_[static_cast<size_t>(line - 1)];
        if (row.blank)
            continue;
        const bool conditional = afterIf;
        afterIf = row.block == vx::Block::Condition;

        if (row.block == vx::Block::OpensSubroutine) {
            for (const Block& b : open)
                unclosed(b);
            open.clear();
            open.push_back({true, line});
        } else if (row.block == vx::Block::OpensRepeat) {
            open.push_back({false, line});
        } else if (row.block == vx::Block::EndsSubroutine || row.block == vx::Block::EndsRepeat) {
            const bool subroutine = row.block == vx::Block::EndsSubroutine;
            if (!isOpen(subroutine)) {
                add(line, Kind::EndWithoutBlock,
                    cat.tx(subroutine ? u"End of subroutine, but no subroutine is open"
                                      : u"End of repeat, but no repeat is open"));
            } else if (!conditional) {
                while (open.back().subroutine != subroutine) {
                    unclosed(open.back());
                    open.pop_back();
                }
                open.pop_back();
            }
        } else if (row.block == vx::Block::Ends) {
            if (!conditional && !open.empty())
                open.pop_back();
        }

        if (!row.named)
            continue;
        const LineFacts& f = *row.facts;
        if (!f.target.isEmpty()) {
            jumpsTo_[f.target].append(line);
        } else if (!f.name.isEmpty()) {
            const auto it = definedAt_.constFind(f.name);
            if (it != definedAt_.constEnd()) {
                add(line, Kind::DoubleAddress,
                    cat.ErrorTexts(16) + u' ' + f.name + QStringLiteral(" (") +
                        cat.tx(u"defined at: ") + QString::number(*it) + u')');
            } else {
                definedAt_.insert(f.name, line);
                if (f.block != vx::Block::OpensSubroutine)
                    gotoInsideSubroutine.insert(f.name, isOpen(true));
            }
        }
    }
    for (const Block& b : open)
        unclosed(b);

    for (auto it = jumpsTo_.cbegin(); it != jumpsTo_.cend(); ++it) {
        const auto def = definedAt_.constFind(it.key());
        for (int line : *it) {
            if (def == definedAt_.constEnd()) {
                add(line, Kind::UndefinedAddress, cat.ErrorTexts(15) + u' ' + it.key());
                continue;
            }
            const bool isGoto = !rows_[static_cast<size_t>(line - 1)].facts->call;
            const bool toSubroutine =
                rows_[static_cast<size_t>(*def - 1)].facts->block == vx::Block::OpensSubroutine;
            // A goto into a subroutine start leaves nothing for its end to
            // return to; a call of a goto address in the main program runs on
            // into whatever follows. A "!" inside a subroutine is a second
            // way into it, and may be called.
            if (isGoto && toSubroutine)
                add(line, Kind::WrongTarget,
                    cat.tx(u"Goto to a subroutine start (call it with \"R\") at line ") +
                        QString::number(*def));
            else if (!isGoto && !toSubroutine && !gotoInsideSubroutine.value(it.key()))
                add(line, Kind::WrongTarget,
                    cat.tx(u"Call of a GOTO address outside any subroutine at line ") +
                        QString::number(*def));
        }
    }
    for (auto it = definedAt_.cbegin(); it != definedAt_.cend(); ++it) {
        const LineFacts& f = *rows_[static_cast<size_t>(*it - 1)].facts;
        if (f.block != vx::Block::OpensSubroutine)
            continue;
        const QList<int> jumps = jumpsTo_.value(it.key());
        const bool called = std::any_of(jumps.begin(), jumps.end(), [this](int line) {
            return rows_[static_cast<size_t>(line - 1)].facts->call;
        });
        if (!called)
            add(*it, Kind::UnusedSubroutine,
                cat.tx(u"Subroutine that no \"R\" calls: ") + it.key());
    }

    if (count > ScheduleDocument::MaxRows)
        add(ScheduleDocument::MaxRows + 1, Kind::TooManyLines,
            cat.tx(u"Lines not loaded (more than 1999): ") +
                QString::number(count - ScheduleDocument::MaxRows));
    // Hash order above; a line lists its findings by kind.
    for (Row& row : rows_)
        if (row.across.size() > 1)
            std::stable_sort(
                row.across.begin(), row.across.end(),
                [](const ScheduleProblem& a, const ScheduleProblem& b) { return a.kind < b.kind; });
}

QList<ScheduleProblem> ScheduleDiagnostics::problemsAt(int line) const {
    QList<ScheduleProblem> out;
    if (line < 1 || static_cast<size_t>(line) > rows_.size())
        return out;
    const Row& row = rows_[static_cast<size_t>(line - 1)];
    out.reserve(row.facts->own.size() + row.across.size());
    for (ScheduleProblem p : row.facts->own) {
        p.line = line;
        out.append(std::move(p));
    }
    out.append(row.across);
    return out;
}

void ScheduleDiagnostics::visitProblemsAt(
    int line, const std::function<void(const ScheduleProblem&)>& visit) const {
    if (line < 1 || static_cast<size_t>(line) > rows_.size())
        return;
    const Row& row = rows_[static_cast<size_t>(line - 1)];
    for (const ScheduleProblem& p : row.facts->own)
        visit(p);
    for (const ScheduleProblem& p : row.across)
        visit(p);
}

QList<ScheduleProblem> ScheduleDiagnostics::problems() const {
    QList<ScheduleProblem> out;
    out.reserve(problemCount_);
    // As problemsAt gives them, without a list for every line.
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        for (const ScheduleProblem& p : row.facts->own) {
            out.append(p);
            out.back().line = static_cast<int>(i + 1);
        }
        out.append(row.across);
    }
    return out;
}

int ScheduleDiagnostics::definitionOf(int line) const {
    if (line < 1 || static_cast<size_t>(line) > rows_.size())
        return 0;
    const LineFacts& f = *rows_[static_cast<size_t>(line - 1)].facts;
    return f.target.isEmpty() ? 0 : definedAt_.value(f.target, 0);
}

QString ScheduleDiagnostics::targetOf(int line) const {
    if (line < 1 || static_cast<size_t>(line) > rows_.size())
        return QString();
    return rows_[static_cast<size_t>(line - 1)].facts->target;
}

std::optional<QString> ScheduleDiagnostics::addressAt(int line) const {
    if (line < 1 || static_cast<size_t>(line) > rows_.size())
        return std::nullopt;
    const LineFacts& f = *rows_[static_cast<size_t>(line - 1)].facts;
    if (!f.definesAddress)
        return std::nullopt;
    return f.name;
}

QList<int> ScheduleDiagnostics::usesOf(int line) const {
    const std::optional<QString> address = addressAt(line);
    return address && !address->isEmpty() ? jumpsTo_.value(*address) : QList<int>();
}

QList<ScheduleProblem> CheckSchedule(ScheduleDiagnostics& diagnostics, const QStringList& lines) {
    diagnostics.update(lines);
    return diagnostics.problems();
}

} // namespace vx
