#pragma once

// What each schedule command does, reached by its letter. A family of commands
// keeps all of it in one file: the layout that choosing a command gives the
// entry fields, the hints it stores, the head of its explanation, the rules of
// the command field and of each operand, and the sub-forms that operand 1
// selects. The families:
//   contacts.cpp          B, K, H      contacts and occupancy
//   articles_signals.cpp  A, M, S, X, Y, O
//   locomotives.cpp       L, C
//   markers_counters.cpp  D, Q, V, I   markers, counters, queues, SET variable
//   time.cpp              T, Z         model time and time delay
//   flow.cpp              F, G, !, R, U, W, E, N
//   operating.cpp         /, *, J, P   operating commands and remarks
// Each file also declares what its lines name on the layout (parsed_command.h)
// and how the printed listing words them (listing_words.h).

#include "commands/command_layouts.h"
#include "commands/line_block.h"
#include "commands/listing_words.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <array>
#include <span>

namespace vx {

struct ParsedCommand;
class RunMachine;
enum class RunStep;

class TextCatalogue;
struct EntryFormState;
enum class RuleEnd;
namespace rules {
struct Rule;
}

// A text in the current language: one catalogue entry by its English key, or
// a function that composes several.
class CatalogueText {
public:
    constexpr CatalogueText() = default;
    constexpr CatalogueText(const char16_t* english) : english_(english) {}
    constexpr CatalogueText(QString (*compose)(const TextCatalogue&)) : compose_(compose) {}

    bool isSet() const { return english_ != nullptr || compose_ != nullptr; }
    QString in(const TextCatalogue& catalogue) const;

private:
    const char16_t* english_ = nullptr;
    QString (*compose_)(const TextCatalogue&) = nullptr;
};

// In a list of hints: this one stays as it is.
constexpr CatalogueText Kept{};

using FieldRule = RuleEnd (*)(rules::Rule&);

// Arranges the operand fields and free-text boxes as the focus enters them.
using EntryArrangement = void (*)(EntryFormState&);
// Leaves the fields and boxes as they are.
inline void KeepBoxes(EntryFormState&) {}

struct CommandBehaviour {
    CommandLayout layout{}; // layout.code is the command's letter
    // Stored by choosing the command; an unset hint keeps what it was.
    std::array<CatalogueText, 5> hints{};
    CatalogueText head{}; // E1, set by choosing the command
    // The command field's own rule (digits behind the letter); null: none.
    FieldRule commandField = nullptr;
    // Operands 1..5; null: accepted without a part.
    std::array<FieldRule, 5> operands{};
    // On entering operand field 1; null: both free-text boxes hidden.
    EntryArrangement operand1Entry = nullptr;
    // On entering the free-text box of operand 1, before boxHints are stored;
    // null: the boxes hidden, operand field 1 shown.
    EntryArrangement textBoxEntry = nullptr;
    // Written on entering the free-text box of operand 1.
    std::array<CatalogueText, 5> boxHints{};
    // The things a line of the command names, and how it uses them.
    void (*uses)(ParsedCommand&) = nullptr;
    Block block = Block::None;
    // Its line defines a jump or subroutine address (operand 1).
    bool definesAddress = false;
    // The command field may carry a digit 1..9 behind the letter.
    bool takesDigit = false;
    // Its line in the printed listing.
    ListingRule listing = nullptr;
    // The whole line is a remark: its text as typed, in the free-text box.
    bool remarkLine = false;
    // The line carries no trailing remark: a " *" is part of its text.
    bool noTrailingRemark = false;
    // Choosing the command puts operand 1 into its free-text box.
    bool operand1InBox = false;
    // The letters of operand 1 after which operand 2 is free text.
    const char16_t* textForms = u"";
    // What its line does in a dry run (run_machine.h); null: nothing.
    RunStep (*run)(const ParsedCommand&, RunMachine&) = nullptr;
};

// What entering operand field 2 sets while operand 1 begins with `type`.
struct Operand2Form {
    char16_t command = 0;            // 0: whatever the command
    char16_t type = 0;               // 0: whatever operand 1 holds
    bool whole = false;              // operand 1 is that one letter and nothing more
    const char16_t* mask2 = nullptr; // operand field 2 (mskTxt3)
    char16_t prompt2 = 0;            // 0: keeps its prompt
    const char16_t* mask3 = nullptr; // operand field 3 (mskTxt4)
    char16_t prompt3 = 0;
    int textBox = 0; // 1: the free-text box stands for operand 2; -1: the field again
    bool hideOperand4 = false;
    char16_t hintsOf = 0; // the command whose hints follow; 0: none
    std::array<CatalogueText, 5> hints{};
};

struct CommandFamily {
    std::span<const CommandBehaviour> commands;
    std::span<const Operand2Form> operand2Forms;
};

const CommandFamily& ContactsFamily();
const CommandFamily& ArticlesSignalsFamily();
const CommandFamily& LocomotivesFamily();
const CommandFamily& MarkersCountersFamily();
const CommandFamily& TimeFamily();
const CommandFamily& FlowFamily();
const CommandFamily& OperatingFamily();

// The behaviour of the command with this letter (upper case); null for none.
const CommandBehaviour* BehaviourOf(QChar code);

// The sub-forms that entering operand 2 applies, in order: those for every
// value of operand 1, then the one its type selects (a command's own before
// the one for every command). operand1: operand field 1, upper-cased.
QList<const Operand2Form*> Operand2FormsOf(QChar command, QStringView operand1);

} // namespace vx
