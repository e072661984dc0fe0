#pragma once

// The findings of a whole schedule, for vxedit-cli check and for the marks on
// the editor's grid. It is kept up to date row by row: a line is fetched only
// when its text has not been seen before, and the pass over addresses and
// blocks reads only the code and first operand each line keeps of itself and
// runs only when one of those changed. So one typed key in a schedule of 1999
// rows costs one fetch at most, never a check of every line.

#include "commands/entry_state.h"
#include "commands/line_block.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vx {

class ExplanationLanguage;
class TextCatalogue;

struct ScheduleProblem {
    // In the order a line lists its findings.
    enum class Kind {
        FalseInput,
        UnknownCommand,
        DoubleAddress,
        UndefinedAddress,
        WrongTarget,
        EndWithoutBlock,
        UnclosedBlock,
        UnusedSubroutine,
        TooManyLines,
    };
    enum class Severity { Error, Warning };
    int line = 0; // 1-based line of the file
    Kind kind = Kind::FalseInput;
    QString field; // the red control of a false input, else empty
    // The message is head + tail: a false input's head is the same text for
    // every finding of its field, so a schedule of many keeps it once.
    QString head;
    QString tail;

    QString message() const { return tail.isEmpty() ? head : head + tail; }

    Severity severity() const {
        return kind == Kind::UnusedSubroutine ? Severity::Warning : Severity::Error;
    }
};

QString KindName(ScheduleProblem::Kind kind);             // "false-input", ...
QString SeverityName(ScheduleProblem::Severity severity); // "error", "warning"

class ScheduleDiagnostics {
public:
    // language: "DE", "EN" or "ES", the language of the messages.
    explicit ScheduleDiagnostics(QStringView language);
    ~ScheduleDiagnostics();
    ScheduleDiagnostics(const ScheduleDiagnostics&) = delete;
    ScheduleDiagnostics& operator=(const ScheduleDiagnostics&) = delete;

    const QString& language() const { return language_; }

    // Brings the findings in line with a schedule of count lines; lineAt(i)
    // is line i + 1. Lines beyond the largest schedule are checked too, and
    // the first of them is a finding of its own (the editor never loads
    // them). Returns true when any line differs from the last update.
    bool update(int count, const std::function<const QString&(int)>& lineAt);
    bool update(const QStringList& lines);

    // Grows by one with every update that changed a line.
    quint64 generation() const { return generation_; }

    // Every finding, in line order.
    QList<ScheduleProblem> problems() const;
    int problemCount() const { return problemCount_; }
    // The findings of one line (1-based); empty beyond the schedule.
    QList<ScheduleProblem> problemsAt(int line) const;
    // The same, each handed to visit without a copy; its line is the given one
    // whatever p.line says. Safe on several threads at once between updates.
    void visitProblemsAt(int line,
                         const std::function<void(const ScheduleProblem& p)>& visit) const;

    // For a jump (a G or R line, or an X or Y that reserves and names where
    // to go when the route is taken), the line that defines its address; 0
    // when there is none or the line is no jump.
    int definitionOf(int line) const;
    // The address that such a jump names, upper-cased; "" for any other line.
    QString targetOf(int line) const;
    // For a ! or U line, the address it defines (empty when it names none);
    // nullopt for any other line.
    std::optional<QString> addressAt(int line) const;
    // For a ! or U line, the jumps to its address, in order; empty for any
    // other line.
    QList<int> usesOf(int line) const;

private:
    struct LineFacts;
    struct Row {
        QString text;
        std::shared_ptr<const LineFacts> facts;
        QList<ScheduleProblem> across; // findings that need other lines
        // What the pass over the whole schedule reads of every line, kept
        // beside the text, so that it looks into the facts of only the
        // lines that name an address.
        Block block = Block::None;
        bool blank = true;
        bool named = false; // it defines or names an address
        int own = 0;        // findings of its own

        void setFacts(std::shared_ptr<const LineFacts> facts);
    };

    // What finds a line's facts; one per thread.
    struct Worker;

    std::shared_ptr<const LineFacts> factsOf(const QString& text);
    void remember(const QString& text, const std::shared_ptr<const LineFacts>& facts);
    // Finds the facts of the given rows' lines that the seen lines do not
    // know on every core, and stores each in its row with the line, while its
    // facts are at hand. Returns which rows it stored (none when there are
    // too few); across: set when a stored row changes what the pass over the
    // whole schedule reads.
    std::vector<char> storeInParallel(const std::vector<int>& rows,
                                      const std::function<const QString&(int)>& lineAt,
                                      bool& across);
    void checkAcross();

    QString language_;
    std::vector<std::unique_ptr<Worker>> workers_; // [0] works on the calling thread
    QHash<QString, std::shared_ptr<const LineFacts>> seen_;
    // Rows found on every core: they join the seen lines when the next
    // update looks, which a single check never does.
    std::vector<int> toRemember_;
    std::vector<Row> rows_;
    QHash<QString, int> definedAt_;      // address -> first defining line
    QHash<QString, QList<int>> jumpsTo_; // address -> G and R lines
    int problemCount_ = 0;
    quint64 generation_ = 0;
};

// Every finding of the schedule's lines (lines[i] is line i + 1), in line order.
QList<ScheduleProblem> CheckSchedule(ScheduleDiagnostics& diagnostics, const QStringList& lines);

} // namespace vx
