// vxedit-cli script [--settings DIR] [--program-folder DIR] [FILE]: replays user
// actions against the editor and prints state dumps.

#include "cli/cli.h"
#include "document/vfp_file.h"
#include "render/cups_printer.h"
#include "render/listing_painter.h"
#include "script/user_driver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace vx::cli {

namespace {

QString withSeparator(const QString& folder) {
    const QString path = QDir::fromNativeSeparators(folder);
    return path.endsWith(u'/') ? path : path + u'/';
}

const QString SettingsOption = QStringLiteral("settings");
const QString ProgramFolderOption = QStringLiteral("program-folder");
const QString AppDataOption = QStringLiteral("app-data");

Status checkScript(Invocation& inv) {
    if (inv.args.size() > 1)
        return Failure{QStringLiteral("one FILE at most")};
    for (const QString& option : {SettingsOption, ProgramFolderOption, AppDataOption}) {
        const std::optional<QString> folder = inv.value(option);
        if (folder && !QFileInfo(*folder).isDir())
            return Failure{QStringLiteral("%1: no such folder").arg(*folder)};
    }
    // "printer pdf" and "printer system" draw the listing: fonts and printers.
    // No display is needed, the script never shows a window.
    inv.application = Application::Gui;
    return {};
}

int runScript(const Invocation& inv) {
    const std::optional<QString> settings = inv.value(SettingsOption);
    const std::optional<QString> programFolder = inv.value(ProgramFolderOption);
    const QString input = inv.args.isEmpty() ? QStringLiteral("-") : inv.args.front();
    const Result<QByteArray> bytes = ReadInput(inv, input);
    if (!bytes)
        return ExitUsage;
    const QStringList lines = QString::fromUtf8(*bytes).split(u'\n');
    const QString name = input == u"-" ? QStringLiteral("stdin") : input;
    if (const auto problem = UserDriver::checkScript(lines)) {
        PrintError(
            inv,
            QStringLiteral("%1:%2: %3").arg(name).arg(problem->line + 1).arg(problem->message));
        return ExitUsage;
    }

    ListingPdfPainter painter;
    CupsPrinter systemPrinter;
    UserDriver driver(inv.lang);
    driver.platform.usePdfPainter(&painter);
    driver.platform.printer.system = &systemPrinter;
    if (settings)
        driver.platform.settingsFile = withSeparator(*settings) + QStringLiteral("settings.ini");
    // Without a stand-in the program folder is the tool's own folder.
    const QString folder = programFolder ? *programFolder : QCoreApplication::applicationDirPath();
    driver.editor->setFolders(withSeparator(folder), inv.value(AppDataOption).value_or(QString()));
    driver.editor->listingDate = inv.date;
    if (settings)
        driver.editor->recent.Smn_GetRecentSchedules();

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qsizetype before = driver.dumps.size();
        const QString where = QStringLiteral("%1:%2: ").arg(name).arg(i + 1);
        const bool done = driver.runLine(lines[i]);
        for (const QString& warning : driver.warnings)
            PrintError(inv, where + QStringLiteral("warning: ") + warning);
        driver.warnings.clear();
        if (!done) {
            PrintError(inv, where + driver.lastError);
            return ExitUsage;
        }
        if (driver.dumps.size() > before &&
            !WriteStdout(inv, (driver.dumps.back() + u'\n').toUtf8()))
            return ExitUsage;
    }
    return ExitDone;
}

const Registration registration{
    {u"script",
     u"[--settings DIR] [--program-folder DIR] [--app-data DIR] [FILE]",
     u"Replays a script of user actions (FILE, or standard input when FILE is missing\n"
     u"or '-'), one action per line: select N, focus CONTROL, type CONTROL TEXT,\n"
     u"set CONTROL TEXT, click fetch|transfer|transfer-empty|insert|delete, row N,\n"
     u"rows A B, row-text N TEXT, gridkey CODE, dblclick, key F1|Ctrl+Z|Ctrl+Shift+Z|\n"
     u"Ctrl+Y|F12|Shift+F12|Ctrl+C|Ctrl+X|Ctrl+V (help, undo, redo, to the address of a\n"
     u"jump, the jumps to an address, copy, cut and paste the selected rows),\n"
     u"menu KEY, highlight KEY, whole on|off (the \"whole number\" search option),\n"
     u"answer WORD, file PATH|cancel, font NAME SIZE|cancel, printer none|pdf PATH|\n"
     u"text PATH|system, find TEXT, replace-of TEXT, replace-to TEXT, click replace-search|\n"
     u"replace, tick [K], close, dump. Each dump prints the state as one JSON object,\n"
     u"with the schedule's findings under \"problems\" and, after Shift+F12, the rows\n"
     u"that jump to the address under \"uses\".\n"
     u"Blank lines and lines starting with '#' are ignored. An unknown action or menu key\n"
     u"stops the script before its first action runs; an action that cannot be done (an\n"
     u"unknown control, a row outside the table) stops it there. Either way a message\n"
     u"names the line, and the exit code is 2. Focusing or typing into a hidden\n"
     u"control is done as asked, with a warning on standard error.\n"
     u"  --settings DIR        keep the recent-schedules list in a file under DIR\n"
     u"  --program-folder DIR  stands in for the program folder (help, backups)\n"
     u"  --app-data DIR        stands in for the user's application data folder, where\n"
     u"                        backups go when the program folder cannot be written\n"
     u"'printer system' prints on the system's default printer (else the first one).",
     {QCommandLineOption(SettingsOption, QString(), QStringLiteral("DIR")),
      QCommandLineOption(ProgramFolderOption, QString(), QStringLiteral("DIR")),
      QCommandLineOption(AppDataOption, QString(), QStringLiteral("DIR"))},
     checkScript,
     runScript}};

} // namespace

} // namespace vx::cli
