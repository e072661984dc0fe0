#pragma once

// What a schedule line does when it runs at the desk (the dry run). Each
// command family says it in its own file, beside its other knowledge, as a
// run hook over the machine below; the machine (src/run) keeps the rows, the
// stacks, the virtual time and the events.

#include "commands/parsed_command.h"

#include <QChar>
#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace vx {

struct RunLoco {
    int speed = 0;
    int speedBeforeBraking = 0;
    QChar direction = u'V';
    bool light = false;
    QSet<int> functions; // switched on
    bool operator==(const RunLoco&) const = default;
};

// The simulated layout. Each map holds only what differs from the start state.
struct RunState {
    QMap<int, QChar> contacts;      // 'B' occupied (free: absent)
    QSet<int> freedContacts;        // went from occupied to free at their last change
    QMap<int, QChar> articles;      // the colour letter last switched
    QMap<int, QChar> signalColours; // the colour letter last switched
    QMap<int, QChar> routes;        // 'R' reserved (free: absent)
    QMap<int, int> markers;
    QMap<int, int> counters;
    QMap<QString, int> setVars; // "" the plain SET variable, "1".."9" the numbered
    QMap<int, RunLoco> locos;
    QMap<int, int> locoOnContact;         // contact -> locomotive standing on it
    QMap<int, QSet<int>> moduleFunctions; // function module -> functions on
    QMap<int, int> turntables;            // track the turntable stands at
    QStringList shown; // texts of / I and / M, sounds, queue and load records, in order
    // Model clock, in tenths of a model second since 00:00.
    qint64 clockTenths = 0;
    bool clockRunning = false;
    int clockLapse = 1;
    qint64 tenths = 0; // virtual time; the system clock of the run
    struct Frame {
        QString file;
        int line = 0; // the row to go on with
    };
    QList<Frame> callStack;
    struct Repeat {
        QString file;
        int line = 0;      // the W row
        int remaining = 0; // passes still to run, this one included
    };
    QList<Repeat> repeatStack;

    // "HH:MM" of the model clock.
    QString clockText() const;
    int marker(int n) const { return markers.value(n, 0); }
    void setMarker(int n, int value);
};

// What a waiting row waits for.
struct RunWait {
    QString what; // for people: "contact 12 B"
    Thing thing = Thing::Contact;
    QString id;         // "" for the model clock and for input
    bool clock = false; // the model clock
    bool input = false; // an answer to / D
    qint64 until = -1;  // virtual time at which it holds by itself, -1: never
};

enum class RunStep {
    Next, // the row is done
    Wait, // the row waits; it runs again when the layout changes
};

// Control flow and the world around the state, as the machine offers them.
class RunMachine {
public:
    virtual ~RunMachine() = default;
    virtual RunState& state() = 0;

    virtual void endMain() = 0; // the main program ends
    virtual void jam() = 0;     // the run ends blocked
    virtual void jump(const QString& address) = 0;
    virtual void call(const QString& address, bool setsValue, int value) = 0;
    virtual void returnFromCall() = 0;
    virtual void enterSubroutine() = 0; // a U row reached in the flow
    virtual void repeat(int count) = 0;
    virtual void repeatEnd() = 0;
    // One condition of an F group; joinsNext: a connector AND/OR is given.
    virtual void condition(bool holds, bool joinsNext, bool andNext) = 0;
    virtual void delay(qint64 tenths) = 0;
    virtual RunStep wait(const RunWait& wait) = 0; // records what it waits for
    // An answer to / D for marker, if one is there (taken).
    virtual bool takeInput(int marker, int* value) = 0;
    // N: continue in the named schedule (own schedule) or record the loading.
    virtual void load(int number, const QString& file, const QString& start,
                      const QString& startAddress) = 0;
    virtual void divisionByZero() = 0;
    virtual quint32 random() = 0;
    // The effect is the editor's reading, not what the explanation states.
    virtual void assumed() = 0;
};

using RunHook = RunStep (*)(const ParsedCommand&, RunMachine&);

// Operand k as a number, or "M" and a marker number: that marker's value.
// 0 for anything else.
int RunValue(const ParsedCommand& p, const RunState& state, int k);
// The same for a text.
int RunValueOf(const QString& operand, const RunState& state);
// Operand k is "M" followed by digits.
bool IsMarkerOperand(const ParsedCommand& p, int k);
// Whether a line sets the model clock (T ... S); the waits of the clock look for one.
bool SetsModelClock(const ParsedCommand& p);

} // namespace vx
