// vxedit-cli: the editor without its windows. main() takes out the common
// options and hands the rest to the registered subcommand.

#include "cli/cli.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cstdio>
#include <map>

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
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);
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
        "  --date TEXT      date printed in listing headers (default: today, system short "
        "format)\n"
        "  --help, -h       this text, or the subcommand's text after a subcommand\n"
        "  --               ends the options; later arguments are names, even if they start "
        "with '-'\n"
        "\n"
        "Schedule files are read and written as Windows-1252 with CR LF line ends\n"
        "(a lone CR also ends a line on reading); everything printed is UTF-8.\n"
        "Exit codes: 0 done, 1 problems found (check), 2 bad usage or unreadable input.\n");
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

// Takes one common option at args[i], if it is one. Returns 1 when taken
// (i then points behind it), 0 when args[i] is no common option, -1 on error.
int takeCommonOption(Invocation& inv, const QStringList& args, qsizetype& i, bool& help) {
    const QString& a = args[i];
    if (a == u"--help" || a == u"-h") {
        help = true;
        ++i;
        return 1;
    }
    for (const QStringView name : {u"--lang", u"--date"}) {
        QString value;
        if (a == name) {
            if (i + 1 >= args.size()) {
                UsageError(inv, QStringLiteral("option %1 needs a value").arg(name));
                return -1;
            }
            value = args[i + 1];
            i += 2;
        } else if (a.startsWith(name) && a.mid(name.size()).startsWith(u'=')) {
            value = a.mid(name.size() + 1);
            ++i;
        } else {
            continue;
        }
        if (name == u"--lang") {
            value = value.toUpper();
            if (!isLanguage(value)) {
                UsageError(inv,
                           QStringLiteral("unknown language '%1' (use DE, EN or ES)").arg(value));
                return -1;
            }
            inv.lang = value;
        } else {
            inv.date = value;
        }
        return 1;
    }
    return 0;
}

} // namespace

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

void QuietToolkitMessages() {
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg)
            return;
        writeStderr(QStringLiteral("vxedit-cli: ") + text + u'\n');
    });
}

void PrintError(const Invocation& inv, const QString& message) {
    QString prefix = QStringLiteral("vxedit-cli: ");
    if (!inv.command.isEmpty())
        prefix += inv.command + QStringLiteral(": ");
    writeStderr(prefix + message + u'\n');
}

int UsageError(const Invocation& inv, const QString& message) {
    PrintError(inv, message);
    writeStderr(inv.command.isEmpty()
                    ? QStringLiteral("Try 'vxedit-cli --help'.\n")
                    : QStringLiteral("Try 'vxedit-cli %1 --help'.\n").arg(inv.command));
    return ExitUsage;
}

bool WriteStdout(const Invocation& inv, QByteArrayView bytes) {
    if (!bytes.isEmpty() && std::fwrite(bytes.data(), 1, static_cast<size_t>(bytes.size()),
                                        stdout) != static_cast<size_t>(bytes.size())) {
        PrintError(inv, QStringLiteral("cannot write to standard output"));
        return false;
    }
    return true;
}

std::optional<QByteArray> ReadInput(const Invocation& inv, const QString& path, qint64 maxBytes) {
    const bool fromStdin = path == u"-";
    const QString shownName = fromStdin ? QStringLiteral("standard input") : path;
    QFile file;
    if (fromStdin) {
        if (!file.open(stdin, QIODevice::ReadOnly)) {
            PrintError(inv, QStringLiteral("cannot read standard input"));
            return std::nullopt;
        }
    } else {
        if (QFileInfo(path).isDir()) {
            PrintError(inv, QStringLiteral("%1: is a folder, not a file").arg(path));
            return std::nullopt;
        }
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) {
            PrintError(inv, QStringLiteral("%1: cannot open: %2").arg(path, file.errorString()));
            return std::nullopt;
        }
    }
    // In pieces: pipes and devices report no size.
    QByteArray bytes;
    while (true) {
        const QByteArray piece = file.read(1 << 16);
        if (file.error() != QFileDevice::NoError) {
            PrintError(inv,
                       QStringLiteral("%1: cannot read: %2").arg(shownName, file.errorString()));
            return std::nullopt;
        }
        if (piece.isEmpty())
            break;
        if (bytes.size() + piece.size() > maxBytes) {
            PrintError(inv, QStringLiteral("%1: more than %2 bytes, too large for a schedule")
                                .arg(shownName)
                                .arg(maxBytes));
            return std::nullopt;
        }
        bytes.append(piece);
    }
    return bytes;
}

bool TakeOption(Invocation& inv, QStringList names, std::optional<QString>& value) {
    QStringList& args = inv.args;
    for (qsizetype i = 0; i < args.size();) {
        const QString& a = args[i];
        if (a == u"--")
            break;
        bool taken = false;
        for (const QString& name : names) {
            if (a == name) {
                if (i + 1 >= args.size()) {
                    UsageError(inv, QStringLiteral("option %1 needs a value").arg(name));
                    return false;
                }
                value = args[i + 1];
                args.remove(i, 2);
                taken = true;
            } else if (name.startsWith(u"--") && a.startsWith(name + u'=')) {
                value = a.mid(name.size() + 1);
                args.remove(i);
                taken = true;
            }
            if (taken)
                break;
        }
        if (!taken)
            ++i;
    }
    return true;
}

bool RejectUnknownOptions(Invocation& inv) {
    QStringList& args = inv.args;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"--") {
            args.remove(i);
            return true;
        }
        if (a.startsWith(u'-') && a != u"-") {
            UsageError(inv, QStringLiteral("unknown option '%1'").arg(a));
            return false;
        }
    }
    return true;
}

} // namespace vx::cli

int main(int argc, char** argv) {
    using namespace vx::cli;
#ifdef Q_OS_WIN
    // Schedule files go to stdout byte for byte, CR LF included.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    // The subcommand chooses its application object, so the arguments are read
    // before there is one, as QCoreApplication itself reads them on Unix.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));

    Invocation inv;
    inv.date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    bool help = false;
    bool endOfOptions = false;
    for (qsizetype i = 0; i < args.size();) {
        if (!endOfOptions && args[i] == u"--") {
            // Kept for the subcommand, which removes it, so that a file named like
            // an option stays a file.
            endOfOptions = true;
            if (!inv.command.isEmpty())
                inv.args.append(args[i]);
            ++i;
            continue;
        }
        if (!endOfOptions) {
            const int taken = takeCommonOption(inv, args, i, help);
            if (taken < 0)
                return ExitUsage;
            if (taken > 0)
                continue;
        }
        if (inv.command.isEmpty() && !endOfOptions && args[i].startsWith(u'-'))
            return UsageError(inv, QStringLiteral("unknown option '%1'").arg(args[i]));
        if (inv.command.isEmpty())
            inv.command = args[i];
        else
            inv.args.append(args[i]);
        ++i;
    }

    if (inv.command.isEmpty()) {
        if (help) {
            std::fputs(overallHelp().toUtf8().constData(), stdout);
            return ExitDone;
        }
        return UsageError(inv, QStringLiteral("no subcommand given"));
    }
    const std::optional<Subcommand> subcommand = FindSubcommand(inv.command);
    if (!subcommand) {
        const QString name = inv.command;
        inv.command.clear();
        return UsageError(inv, QStringLiteral("unknown subcommand '%1'").arg(name));
    }
    if (help) {
        std::fputs(subcommandHelp(*subcommand).toUtf8().constData(), stdout);
        return ExitDone;
    }
    const std::unique_ptr<QCoreApplication> app =
        subcommand->application ? subcommand->application(argc, argv)
                                : std::make_unique<QCoreApplication>(argc, argv);
    const int code = subcommand->run(inv);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        PrintError(inv, QStringLiteral("cannot write to standard output"));
        return ExitUsage;
    }
    return code;
}
