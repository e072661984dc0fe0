#pragma once

// The frame of vxedit-cli: a registry of subcommands, the options they take and
// the input and output helpers that every subcommand shares.
//
// main() parses the whole command line before there is an application object:
// the common options, then the subcommand's own options. The subcommand's
// check() looks at what was parsed and says which application object it needs;
// main() makes that one object, owns it, and calls run() for the exit code.
//
// A subcommand lives in one file, cli_<name>.cpp, and registers itself with one
// line at namespace scope:
//
//     static const vx::cli::Registration reg{{u"name", u"usage", u"help text",
//                                             {options}, check, run}};

#include "texts/result.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>
#include <memory>
#include <optional>

class QCommandLineParser;

namespace vx::cli {

// Exit codes of the tool.
constexpr int ExitDone = 0;
constexpr int ExitProblems = 1; // check: problems found; import: lines left out
constexpr int ExitUsage = 2;    // bad usage or unreadable input

// The application object a subcommand runs under.
enum class Application {
    Core,
    Gui, // fonts, printers, the PDF writer; offscreen unless QT_QPA_PLATFORM says otherwise
};

// What main hands to a subcommand: the common options and the subcommand's own,
// parsed; the other arguments in the order given.
struct Invocation {
    QString command;
    QStringList args;                    // positional arguments, without the "--"
    QString lang = QStringLiteral("ES"); // "DE", "EN" or "ES", upper case
    QString date; // listing header date; empty: today in the listing's language
    Application application = Application::Core;
    const QCommandLineParser* options = nullptr; // the subcommand's own options

    bool isSet(const QString& option) const;
    // The value given last, if the option was given.
    std::optional<QString> value(const QString& option) const;
};

struct Subcommand {
    QStringView name;
    QStringView usage; // the arguments after the subcommand name
    QStringView help;  // what it does, shown by --help; may span lines
    QList<QCommandLineOption> options;
    // Checks the arguments before there is an application object and may ask for
    // the GUI one; a failure is a usage error, which main reports.
    Status (*check)(Invocation& invocation);
    int (*run)(const Invocation& invocation);
};

// Self-registration of a subcommand at start-up.
struct Registration {
    explicit Registration(const Subcommand& subcommand);
};

// Registered subcommands, sorted by name.
QList<Subcommand> Subcommands();
std::optional<Subcommand> FindSubcommand(QStringView name);

// Messages on stderr, prefixed with "vxedit-cli: " (and the subcommand, if any).
void PrintError(const Invocation& invocation, const QString& message);
// Writes bytes to stderr as they are.
void WriteStderr(QByteArrayView bytes);

// Writes bytes to stdout; a failure has its message on stderr already.
Status WriteStdout(const Invocation& invocation, QByteArrayView bytes);

// Reads the whole of FILE, or stdin for "-", through the one reader: regular
// files only, one size limit. A failure has its message on stderr already.
Result<QByteArray> ReadInput(const Invocation& invocation, const QString& path);

// A file with control characters is read as a schedule all the same, but
// named on stderr: a lint of a picture should not look like a clean schedule.
void NoteIfNotSchedule(const Invocation& invocation, const QString& path,
                       bool hasControlCharacters);

// Writes an output: '-' is standard output; otherwise through the one writer,
// which replaces only regular files and writes devices and FIFOs straight.
// A failure has its message on stderr already.
Status WriteOutput(const Invocation& invocation, const QString& path, const QByteArray& bytes);

// What a run holds to its end, left to the end of the process: the system
// takes the memory back whole, far sooner than a free of every piece (the
// findings of a large file are hundreds of thousands). Sanitizer builds free
// it, so that their leak check still sees what a run loses.
template <class T> void LeaveToExit(std::unique_ptr<T> held) {
#ifdef VX_SANITIZED
    held.reset();
#else
    static_cast<void>(held.release());
#endif
}

} // namespace vx::cli
