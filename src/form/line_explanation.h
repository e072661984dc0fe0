#pragma once

// What fetching one schedule line into an untouched entry area shows, as a
// function of the line and the language: the explanation line and the
// controls drawn as false input. The batch readers (vxedit-cli explain and
// check, the findings of a schedule) use it; the window's entry form keeps its
// own event-by-event handling. It runs the command families' rules on a value
// of its own, with no editor, document, focus or desktop behind it, so that a
// change to how the window handles its controls cannot change a verdict here.

#include "commands/command_table.h"
#include "commands/entry_state.h"
#include "texts/text_catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <map>
#include <optional>

namespace vx {

struct LineExplanation {
    QString explanation; // caption of the explanation line afterwards
    bool explanationRed = false;
    QStringList redFields; // controls drawn red, in control order
    QStringList redTexts;  // their texts, in the same order
};

// The controls in the order the tools list them.
const QList<Control>& ReportedControls();

// The texts of one language that every line needs, loaded once, and the
// states that explaining reuses (so one thread at a time explains with it).
class ExplanationLanguage {
public:
    // "DE", "EN" or "ES"; any other code gives the edition language.
    explicit ExplanationLanguage(QStringView code = u"ES");

    const TextCatalogue& catalogue() const { return catalogue_; }
    const CommandTable& commands() const { return commands_; }
    // The head of the explanation that choosing command 1..29 sets.
    const QString& head(int command) const { return heads_[static_cast<size_t>(command)]; }
    // The entry area as the editor starts it, in this language.
    const EntryFormState& startState() const { return start_; }
    // The hints that choosing command 1..29 stores, as the form stores them.
    void applyLayoutHints(EntryFormState& state, int command) const;

private:
    friend class PreparedFetch;
    // The entry area once the fetch has put this first character into the
    // command field: the command's whole setup, the same for every such line.
    // Null once too many different first characters have come.
    const EntryFormState* preparedFor(QChar first) const;

    TextCatalogue catalogue_;
    CommandTable commands_;
    std::array<QString, CommandTable::CommandCount + 1> heads_;
    std::array<std::array<std::optional<QString>, 6>, CommandTable::CommandCount + 1> layoutHints_;
    EntryFormState start_;
    mutable std::map<char16_t, EntryFormState> prepared_;
    mutable EntryFormState scratch_;
};

// The line as the fetch button would show it in row 1 of an empty schedule.
LineExplanation ExplainLine(const QString& line, const ExplanationLanguage& language);
// A control that the fetch draws red.
struct FalseInput {
    Control control;
    QString text;
    QString hint; // as the command shows it ("" for none)
};

// Only the red controls of the same fetch, in control order, for a caller
// that has split the line already: fields as SplitLine(line) gives them (the
// same texts; a null text stands for an empty one).
QList<FalseInput> FalseInputsOf(const QString& line, const std::array<QString, 6>& fields,
                                const ExplanationLanguage& language);

} // namespace vx
