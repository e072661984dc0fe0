// vxedit: the schedule editor's windows. `vxedit [FILE.vfp]` opens FILE at
// start, as choosing it from the recent list would.

#include "editor/editor.h"
#include "gui/main_window.h"
#include "gui/qt_platform.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>

int main(int argc, char* argv[]) {
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
    window.editor().autosave.fallbackFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    window.show();

    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(u'-'))
            continue;
        window.openAtStart(
            QDir::toNativeSeparators(QDir::current().absoluteFilePath(arguments[i])));
        break;
    }
    return QApplication::exec();
}
