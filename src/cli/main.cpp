// vxedit-cli: the editor without its windows. main() parses the command line
// with QCommandLineParser, the common options and then the subcommand's own,
// makes the one application object the subcommand needs and runs it.

#include "cli/cli.h"

#include "document/file_io.h"
#include "form/parallel_lines.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <unistd.h>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <map>
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace vx::cli {

namespace {

std::map<QString, Subcommand>& registry() {
    static std::map<QString, Subcommand> subcommands;
    return subcommands;
}

void writeStderr(const QString& text) {
    WriteStderr(text.toUtf8());
}

// Usage error: the message and a pointer to --help; returns false.
bool UsageError(const Invocation& inv, const QString& message) {
    PrintError(inv, message);
    writeStderr(inv.command.isEmpty()
                    ? QStringLiteral("Try 'vxedit-cli --help'.\n")
                    : QStringLiteral("Try 'vxedit-cli %1 --help'.\n").arg(inv.command));
    return false;
}

QString usageLine(const Subcommand& s) {
    QString line = QStringLiteral("vxedit-cli ") + s.name.toString();
    if (!s.usage.isEmpty())
        line += u' ' + s.usage.toString();
    return line;
}

QString commonOptionsHelp() {
    return QStringLiteral(
        "Common options (before or after the subcommand):\n"
        "  --lang DE|EN|ES  catalogue language (default ES, the edition language)\n"
        "  --date TEXT      date printed in listing headers (default: today, in the short "
        "format of the language)\n"
        "  --help, -h       this text, or the subcommand's text after a subcommand\n"
        "  --               ends the options; later arguments are names, even if they start "
        "with '-'\n"
        "\n"
        "Schedule files are read and written as Windows-1252 with CR LF line ends\n"
        "(a lone CR or LF also ends a line on reading); everything printed is UTF-8.\n"
        "Inputs are regular files of 64 MiB at most, or '-'; outputs replace regular\n"
        "files whole and are written straight into devices and FIFOs.\n"
        "Exit codes: 0 done, 1 problems found (check) or lines left out (import),\n"
        "2 bad usage or unreadable input.\n");
}

QString overallHelp() {
    QString text = QStringLiteral("Usage: vxedit-cli [OPTIONS] SUBCOMMAND [ARGUMENTS]\n\n"
                                  "The schedule editor without its windows.\n\nSubcommands:\n");
    for (const Subcommand& s : Subcommands())
        text += QStringLiteral("  ") + usageLine(s) + u'\n';
    text += u'\n' + commonOptionsHelp() +
            QStringLiteral("\n'vxedit-cli SUBCOMMAND --help' explains one subcommand.\n");
    return text;
}

QString subcommandHelp(const Subcommand& s) {
    return QStringLiteral("Usage: ") + usageLine(s) + QStringLiteral("\n\n") + s.help.toString() +
           QStringLiteral("\n\n") + commonOptionsHelp();
}

bool isLanguage(const QString& code) {
    return code == u"DE" || code == u"EN" || code == u"ES";
}

// ---- Parsing -----------------------------------------------------------------------

const QString LangOption = QStringLiteral("lang");
const QString DateOption = QStringLiteral("date");
const QString HelpOption = QStringLiteral("help");
const QString VersionOption = QStringLiteral("version");

// Taken before or after the subcommand.
QList<QCommandLineOption> commonOptions() {
    return {QCommandLineOption(LangOption, QString(), QStringLiteral("L")),
            QCommandLineOption(DateOption, QString(), QStringLiteral("TEXT")),
            QCommandLineOption(QStringList{QStringLiteral("h"), HelpOption})};
}

// Before the subcommand only; the help texts leave it out.
QCommandLineOption versionOption() {
    return QCommandLineOption(VersionOption);
}

void configure(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
               bool stopAtPositional) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(
        stopAtPositional ? QCommandLineParser::ParseAsPositionalArguments
                         : QCommandLineParser::ParseAsOptions);
    parser.addOptions(options);
}

// ARG names an option whole ("-o", "--output") that takes the next argument as
// its value.
bool takesNextArgument(const QList<QCommandLineOption>& options, const QString& arg) {
    for (const QCommandLineOption& option : options) {
        if (option.valueName().isEmpty())
            continue;
        for (const QString& name : option.names())
            if (arg == (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name)
                return true;
    }
    return false;
}

// The index of the first option that the parser refuses on its own: an unknown
// name, or a value given to an option that takes none. Values of earlier
// options are passed over. -1 when there is none.
qsizetype refusedArgument(const QList<QCommandLineOption>& options, const QStringList& args,
                          bool stopAtPositional) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--")
            break;
        if (!arg.startsWith(u'-') || arg == u"-") {
            if (stopAtPositional)
                break;
            continue;
        }
        QCommandLineParser alone;
        configure(alone, options, false);
        if (!alone.parse({args[0], arg, QStringLiteral("value")}))
            return i;
        if (takesNextArgument(options, arg))
            ++i;
    }
    return -1;
}

// The last argument, when it is an option left without its value.
std::optional<QString> lackingValue(const QCommandLineParser& parser,
                                    const QList<QCommandLineOption>& options,
                                    const QStringList& args) {
    if (!takesNextArgument(options, args.back()))
        return std::nullopt;
    const QStringList found = parser.optionNames();
    for (const QCommandLineOption& option : options) {
        if (option.valueName().isEmpty())
            continue;
        qsizetype named = 0;
        for (const QString& name : option.names())
            named += found.count(name);
        if (named > parser.values(option.names().front()).size())
            return args.back();
    }
    return std::nullopt;
}

// Whether a "--" ends the options before the subcommand's name at commandAt.
bool separatorBefore(const QList<QCommandLineOption>& options, const QStringList& args,
                     qsizetype commandAt) {
    for (qsizetype i = 1; i < commandAt; ++i) {
        if (args[i] == u"--")
            return true;
        if (takesNextArgument(options, args[i]))
            ++i;
    }
    return false;
}

// --help or -h as typed, not in a value or after "--".
bool helpAsked(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
               const QStringList& args) {
    if (!parser.isSet(HelpOption))
        return false;
    for (qsizetype i = 1; i < args.size() && args[i] != u"--"; ++i) {
        if (args[i] == u"--help" || args[i] == u"-h")
            return true;
        if (takesNextArgument(options, args[i]))
            ++i;
    }
    return false;
}

// The values of --lang and --date; false after a usage message.
bool takeCommonValues(Invocation& inv, const QCommandLineParser& parser) {
    for (const QString& value : parser.values(LangOption)) {
        const QString code = value.toUpper();
        if (!isLanguage(code))
            return UsageError(inv,
                              QStringLiteral("unknown language '%1' (use DE, EN or ES)").arg(code));
        inv.lang = code;
    }
    const QStringList dates = parser.values(DateOption);
    if (!dates.isEmpty())
        inv.date = dates.back();
    return true;
}

bool refuse(const Invocation& inv, const QCommandLineParser& parser, const QStringList& args,
            qsizetype at) {
    return UsageError(inv, at < 0 ? parser.errorText()
                                  : QStringLiteral("unknown option '%1'").arg(args[at]));
}

bool needsValue(const Invocation& inv, const QString& option) {
    return UsageError(inv, QStringLiteral("option %1 needs a value").arg(option));
}

// Parses the command line (args[0] is the program). Returns the exit code when
// the run ends here: after help, the version or a usage message.
std::optional<int> parseCommandLine(const QStringList& args, Invocation& inv,
                                    std::optional<Subcommand>& subcommand,
                                    QCommandLineParser& own) {
    // Up to the subcommand's name.
    QList<QCommandLineOption> globalOptions = commonOptions();
    globalOptions.append(versionOption());
    QCommandLineParser global;
    configure(global, globalOptions, true);
    if (!global.parse(args)) {
        // What comes first is reported first, as before the subcommand every
        // option is looked at in turn.
        const qsizetype at = refusedArgument(globalOptions, args, true);
        if (at > 0) {
            QCommandLineParser before;
            configure(before, globalOptions, true);
            before.parse(args.mid(0, at));
            if (takeCommonValues(inv, before))
                refuse(inv, global, args, at);
            return ExitUsage;
        }
    }
    if (!takeCommonValues(inv, global))
        return ExitUsage;
    if (const auto option = lackingValue(global, globalOptions, args)) {
        needsValue(inv, *option);
        return ExitUsage;
    }
    if (!global.errorText().isEmpty()) {
        refuse(inv, global, args, -1);
        return ExitUsage;
    }
    if (global.isSet(VersionOption)) {
        std::fputs("vxedit-cli " VX_VERSION "\n", stdout);
        return ExitDone;
    }
    const QStringList positional = global.positionalArguments();
    if (positional.isEmpty()) {
        if (helpAsked(global, globalOptions, args)) {
            std::fputs(overallHelp().toUtf8().constData(), stdout);
            return ExitDone;
        }
        UsageError(inv, QStringLiteral("no subcommand given"));
        return ExitUsage;
    }
    const bool helpBefore = helpAsked(global, globalOptions, args);
    inv.command = positional.front();
    const qsizetype commandAt = args.size() - positional.size();
    // After a "--" the common options are over; the subcommand's own are not.
    const bool common = !separatorBefore(globalOptions, args, commandAt);
    if (common && inv.command == u"-") {
        const QString name = inv.command;
        inv.command.clear();
        UsageError(inv, QStringLiteral("unknown option '%1'").arg(name));
        return ExitUsage;
    }

    // The subcommand's part, with its own options. The common options are
    // checked first, even for a subcommand that does not exist.
    subcommand = FindSubcommand(inv.command);
    QList<QCommandLineOption> options = common ? commonOptions() : QList<QCommandLineOption>();
    if (subcommand)
        options.append(subcommand->options);
    configure(own, options, false);
    const QStringList rest = QStringList{args.front()} + args.mid(commandAt + 1);
    const bool parsed = own.parse(rest);
    if (common && !takeCommonValues(inv, own))
        return ExitUsage;
    const std::optional<QString> lacking = lackingValue(own, options, rest);
    if (lacking && takesNextArgument(commonOptions(), *lacking) && common) {
        needsValue(inv, *lacking);
        return ExitUsage;
    }
    if (!subcommand) {
        const QString name = inv.command;
        inv.command.clear();
        UsageError(inv, QStringLiteral("unknown subcommand '%1'").arg(name));
        return ExitUsage;
    }
    if (helpBefore || (common && helpAsked(own, options, rest))) {
        std::fputs(subcommandHelp(*subcommand).toUtf8().constData(), stdout);
        return ExitDone;
    }
    if (lacking) {
        needsValue(inv, *lacking);
        return ExitUsage;
    }
    if (!parsed) {
        refuse(inv, own, rest, refusedArgument(options, rest, false));
        return ExitUsage;
    }
    inv.args = own.positionalArguments();
    inv.options = &own;
    if (const Status usage = subcommand->check(inv); !usage) {
        UsageError(inv, usage.message());
        return ExitUsage;
    }
    return std::nullopt;
}

// Standard error carries the subcommand's own messages; the toolkit's chatter
// (a missing runtime folder, font substitutions) stays out of it, its errors
// do not.
void quietToolkitMessages() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
            return;
        writeStderr(QStringLiteral("vxedit-cli: ") + text + u'\n');
    });
}

} // namespace

bool Invocation::isSet(const QString& option) const {
    return options && options->isSet(option);
}

std::optional<QString> Invocation::value(const QString& option) const {
    if (!options)
        return std::nullopt;
    const QStringList values = options->values(option);
    if (values.isEmpty())
        return std::nullopt;
    return values.back();
}

Registration::Registration(const Subcommand& subcommand) {
    registry().insert_or_assign(subcommand.name.toString(), subcommand);
}

QList<Subcommand> Subcommands() {
    QList<Subcommand> list;
    for (const auto& entry : registry())
        list.append(entry.second);
    return list;
}

std::optional<Subcommand> FindSubcommand(QStringView name) {
    const auto it = registry().find(name.toString());
    if (it == registry().end())
        return std::nullopt;
    return it->second;
}

void WriteStderr(QByteArrayView bytes) {
    std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
}

void NoteIfNotSchedule(const Invocation& inv, const QString& path, bool hasControlCharacters) {
    if (hasControlCharacters)
        PrintError(inv, path + QStringLiteral(": does not look like a schedule (it holds control "
                                              "characters); read as one all the same"));
}

void PrintError(const Invocation& inv, const QString& message) {
    QString prefix = QStringLiteral("vxedit-cli: ");
    if (!inv.command.isEmpty())
        prefix += inv.command + QStringLiteral(": ");
    writeStderr(prefix + message + u'\n');
}

namespace {

// The failure, told on stderr as well.
Failure Printed(const Invocation& inv, const QString& message) {
    PrintError(inv, message);
    return {message};
}

} // namespace

Status WriteStdout(const Invocation& inv, QByteArrayView bytes) {
    if (!bytes.isEmpty() && std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()),
                                        stdout) != static_cast<size_t>(bytes.size()))
        return Printed(inv, QStringLiteral("cannot write to standard output"));
    return {};
}

Result<QByteArray> ReadInput(const Invocation& inv, const QString& path) {
    const bool fromStdin = path == u"-";
    Result<QByteArray> bytes = fromStdin ? ReadInputStream(STDIN_FILENO) : ReadInputFile(path);
    if (!bytes)
        return Printed(inv, (fromStdin ? QStringLiteral("standard input") : path) +
                                QStringLiteral(": ") + bytes.message());
    return bytes;
}

Status WriteOutput(const Invocation& inv, const QString& path, const QByteArray& bytes) {
    if (path == u"-")
        return WriteStdout(inv, bytes);
    if (const Status written = WriteOutputFile(path, bytes); !written)
        return Printed(inv, path + QStringLiteral(": cannot write: ") + written.message());
    return {};
}

} // namespace vx::cli

int main(int argc, char** argv) {
    using namespace vx::cli;
#ifdef __GLIBC__
    // A batch run allocates a little at a time up to a whole file's findings
    // and frees them only at the end: the heap grows in large steps, and
    // nothing is handed back to the system before the exit.
    mallopt(M_TOP_PAD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
    vx::UseLargeHeapPages();
#ifdef Q_OS_WIN
    // Schedule files go to stdout byte for byte, CR LF included.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    // Read as QCoreApplication reads them on Unix, but before there is one:
    // the subcommand chooses it.
    QStringList args{argc > 0 ? QString::fromLocal8Bit(argv[0]) : QStringLiteral("vxedit-cli")};
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    Invocation inv;
    std::optional<Subcommand> subcommand;
    QCommandLineParser options;
    if (const std::optional<int> code = parseCommandLine(args, inv, subcommand, options))
        return *code;

    // The arguments are all taken; the application object gets none of them.
    char programName[] = "vxedit-cli";
    int appArgc = 1;
    char* appArgv[] = {argc > 0 ? argv[0] : programName, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (inv.application == Application::Gui) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        quietToolkitMessages();
        app = std::make_unique<QGuiApplication>(appArgc, appArgv);
    } else {
        app = std::make_unique<QCoreApplication>(appArgc, appArgv);
    }
    const int code = subcommand->run(inv);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(inv, QStringLiteral("cannot write to standard output"));
        return ExitUsage;
    }
    return code;
}
