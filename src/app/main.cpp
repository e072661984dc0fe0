// vxedit: the schedule editor's windows. `vxedit [FILE.vfp]` opens FILE at
// start, as choosing it from the recent list would; `vxedit FILE.lsp` imports it.

#include "editor/editor.h"
#include "editor/language_switch.h"
#include "gui/main_window.h"
#include "gui/qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLocale>
#include <QStandardPaths>

#include <cstdio>
#include <cstring>
#include <utility>

namespace {

const char usageText[] =
    "Usage: vxedit [OPTIONS] [FILE.vfp | FILE.lsp]\n"
    "\n"
    "The schedule editor for the VELOX model-railway control program.\n"
    "\n"
    "  FILE.vfp    opens this schedule at start, as choosing it from the recent list would\n"
    "  FILE.lsp    converts this MTS-PC schedule at start, as the Import menu entry does\n"
    "  --version   prints the version and ends\n"
    "  --help, -h  this text\n"
    "\n"
    "The toolkit's own options (-platform NAME, -display DISPLAY, -style STYLE, ...)\n"
    "are accepted as well.\n";

// The file dialog of an import named on the command line: it answers with that
// file once and leaves every later question to the user.
class ImportAtStart : public vx::FileDialogs {
public:
    ImportAtStart(vx::FileDialogs* dialogs, QString path)
        : dialogs_(dialogs), path_(std::move(path)) {}

    std::optional<QString> openFile(const vx::FileDialogRequest& request) override {
        if (!path_.isEmpty())
            return std::exchange(path_, QString());
        return dialogs_->openFile(request);
    }
    std::optional<QString> saveFile(const vx::FileDialogRequest& request) override {
        return dialogs_->saveFile(request);
    }

private:
    vx::FileDialogs* dialogs_;
    QString path_;
};

// The language of the last run, or on the first start the system's.
void startInChosenLanguage(vx::MainWindow& window) {
    vx::Editor& editor = window.editor();
    const QString remembered =
        editor.platform.settings->value(QStringLiteral("VX-Editor"), QStringLiteral("Options"),
                                        QStringLiteral("Language"), QString());
    const QStringList system = QLocale::system().uiLanguages();
    const vx::Language language =
        vx::StartLanguage(remembered, system.isEmpty() ? QLocale::system().name() : system[0]);
    if (language != editor.catalogue.language())
        editor.startInLanguage(vx::TextCatalogue::languageCode(language));
    editor.rememberLanguage = true;
    window.syncFromModel();
}

} // namespace

int main(int argc, char* argv[]) {
    // Answered before the application starts, so that neither needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vxedit %s\n", VX_VERSION);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usageText, stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vxedit"));
    QApplication::setOrganizationName(QStringLiteral("VX-Editor"));
    QApplication::setApplicationVersion(QStringLiteral(VX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("vxedit"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vxedit/vxedit.svg")));

    vx::QtPlatform platform;
    vx::MainWindow window(platform.platform(), QCoreApplication::applicationDirPath());
    platform.setParentWindow(&window);
    platform.setCurrentSchedule([&window] { return window.editor().document.FilePath; });
    // An installed program cannot write backups beside itself.
    window.editor().setFolders(
        window.editor().programFolder,
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
    startInChosenLanguage(window);
    window.show();

    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(u'-'))
            continue;
        const QString path =
            QDir::toNativeSeparators(QDir::current().absoluteFilePath(arguments[i]));
        if (path.endsWith(u".lsp", Qt::CaseInsensitive)) {
            // An MTS-PC schedule (a double-click in a file manager) is converted,
            // as the Import menu entry does.
            vx::FileDialogs* dialogs = window.editor().platform.files;
            ImportAtStart once(dialogs, path);
            window.editor().platform.files = &once;
            window.menuAction(QStringLiteral("Dat_Imp"))->trigger();
            window.editor().platform.files = dialogs;
        } else {
            window.openAtStart(path);
        }
        break;
    }
    return QApplication::exec();
}
