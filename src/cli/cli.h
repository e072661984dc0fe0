#pragma once

// The frame of vxedit-cli: a registry of subcommands, the common options and
// the input and output helpers that every subcommand shares.
//
// A subcommand lives in one file, cli_<name>.cpp, and registers itself with one
// line at namespace scope:
//
//     static const vx::cli::Registration reg{{u"name", u"usage", u"help text", run}};

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>
#include <memory>
#include <optional>

class QCoreApplication;

namespace vx::cli {

// Exit codes of the tool.
constexpr int ExitDone = 0;
constexpr int ExitProblems = 1; // check: problems found
constexpr int ExitUsage = 2;    // bad usage or unreadable input

// What main hands to a subcommand: the common options already taken out of the
// arguments, the rest in the order given.
struct Invocation {
    QString command;
    QStringList args;
    QString lang = QStringLiteral("ES"); // "DE", "EN" or "ES", upper case
    QString date;                        // listing header date; the system short date by default
};

struct Subcommand {
    QStringView name;
    QStringView usage; // the arguments after the subcommand name
    QStringView help;  // what it does, shown by --help; may span lines
    int (*run)(Invocation& invocation);
    // The application object the subcommand runs under; a QCoreApplication when
    // not given (a subcommand that draws or prints may want a QGuiApplication).
    std::unique_ptr<QCoreApplication> (*application)(int& argc, char** argv) = nullptr;
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

// Standard error carries the subcommand's own messages; the toolkit's chatter
// (a missing runtime folder, font substitutions) stays out of it, its errors
// do not.
void QuietToolkitMessages();
// Usage error: the message and a pointer to --help; returns ExitUsage.
int UsageError(const Invocation& invocation, const QString& message);

// Writes bytes to stdout; false (and a message on stderr) when that fails.
bool WriteStdout(const Invocation& invocation, QByteArrayView bytes);

// Reads the whole of FILE, or stdin for "-". On failure (and beyond maxBytes)
// returns nothing and has written a message on stderr.
std::optional<QByteArray> ReadInput(const Invocation& invocation, const QString& path,
                                    qint64 maxBytes = std::numeric_limits<qint64>::max());

// Takes "-o VALUE" / "--output VALUE" / "--output=VALUE" style options out of
// args. Returns false (after a usage message) when the option lacks its value.
bool TakeOption(Invocation& invocation, QStringList names, std::optional<QString>& value);

// After the subcommand's own options are taken: any argument left that starts
// with "-" (except "-" itself and anything after "--") is an unknown option.
// Removes a "--" separator. Returns false after a usage message.
bool RejectUnknownOptions(Invocation& invocation);

} // namespace vx::cli
