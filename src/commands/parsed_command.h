#pragma once

// A schedule line parsed once: its command, the variant digit behind the
// code, its operands and, for every operand that names a thing on the layout,
// which thing it is, how the line uses it and where its id stands in the
// line's text. The command families declare the uses (command_family.h); the
// listing, the findings and the cross-references read them.

#include "commands/line_block.h"

#include <QChar>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace vx {

struct CommandBehaviour;

enum class Thing {
    Contact,
    Article,
    Signal,
    Route,
    Marker,
    Counter,
    Loco,
    Module,
    Turntable,
    SetVar,
    ScheduleNo,
    ScheduleFile,
    Address
};

enum class Access {
    Waits,
    Tests,
    Sets,
    Switches,
    Reads,
    Writes,
    Drives,
    Triggers,
    Calls,
    Jumps,
    Defines,
    Loads
};

// "contact", "schedule-no", ... and "waits", "defines", ...: the words of
// the cross-references.
QString ThingName(Thing thing);
QString AccessName(Access access);

// Characters from..to (exclusive) of a line's text.
struct TextSpan {
    qsizetype from = -1;
    qsizetype to = -1;
    bool isEmpty() const { return to <= from; }
    bool operator==(const TextSpan&) const = default;
};

struct Use {
    Thing thing;
    QString id; // a number without leading zeros; a name as written, addresses upper-cased
    Access access;
    int operand = 0; // 1..5; 0 for the code's digit and for things the line implies
    TextSpan span;   // where id stands; empty for an implied thing
    bool operator==(const Use&) const = default;
};

struct ParsedCommand {
    const CommandBehaviour* family = nullptr; // by the line's first character; null: none
    QChar code;                               // upper case
    int variant = 0;                          // the digit 1..9 behind the code, 0: none
    // The command field is the code alone, or with a digit where the command takes one.
    bool wellFormed = false;
    std::array<QString, 6> operands{}; // [1]..[5] as split and trimmed, case as written
    std::array<TextSpan, 6> spans{};   // [0] the command field, [1]..[5] the operands
    QList<Use> uses;
    Block block = Block::None;

    // Operand k trimmed and upper-cased; "" beyond 5.
    QString upper(int k) const;
    QList<Use> usesOf(Thing thing) const;
    const QString& text() const { return text_; } // the line as given
    QString codeField() const { return text_.mid(spans[0].from, spans[0].to - spans[0].from); }
    // Whether the check takes the command field for a command: a second
    // character stands only behind a command that takes a digit (what that
    // character may be is the operand rules' to say).
    bool namesCommand() const;

    // ---- for the families' declarations ----
    // Operand k when it is a number: the thing with that number.
    void number(int k, Thing thing, Access access);
    // Operand k as "M" and a number: that marker.
    void markerRef(int k, Access access);
    // Operand k as a number or "M" and a number: the thing, or the marker that holds it.
    void numberOrMarker(int k, Thing thing, Access access, Access markerAccess);
    // Operand k when not empty: the name as written, addresses upper-cased.
    void name(int k, Thing thing, Access access);
    // The digit behind the code: that numbered thing.
    void variantNumber(Thing thing, Access access);
    // A thing the line uses without naming it; operand: the operand that implies it.
    void implied(Thing thing, const QString& id, Access access, int operand = 0);
    // The same as number and markerRef within a part of operand k.
    void numberAt(TextSpan span, int k, Thing thing, Access access);
    void markerAt(TextSpan span, int k, Access access);

private:
    void add(Thing thing, qsizetype from, qsizetype to, Access access, int operand);
    bool wanted(Thing thing) const { return !only_ || *only_ == thing; }
    QString text_;
    std::optional<Thing> only_;
    friend ParsedCommand ParseCommand(const QString& line, std::optional<Thing> only);
};

// The fields of SplitLine and where each stands in line.
std::array<TextSpan, 6> SplitSpans(const QString& line);
// The texts of SplitLine, cut where SplitSpans finds them (an empty one may
// be null): the quicker way for a reader that only compares them.
std::array<QString, 6> SplitBySpans(const QString& line);

// only: the uses of that thing alone, for a reader that looks at no other
// (the findings read the addresses of every line of a schedule).
ParsedCommand ParseCommand(const QString& line, std::optional<Thing> only = std::nullopt);

} // namespace vx
