// A schedule whose first row holds one very long line, in the real main
// window: opening it, clicking its row and fetching it must each stay
// interactive. Prints the times; never a pass/fail test.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_long_line [MEGABYTES]   (default 16)

#include "editor/editor.h"
#include "gui/main_window.h"
#include "gui/qt_platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

// Runs action, then lets the window lay out and paint what changed.
double timed(const std::function<void()>& action, QWidget& window) {
    QElapsedTimer clock;
    clock.start();
    action();
    QCoreApplication::processEvents();
    window.repaint();
    QCoreApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 16;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.vfp"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 2;
        QByteArray line("* ");
        line.append(QByteArray(qsizetype(megabytes) * 1024 * 1024, 'x'));
        file.write(line + "\r\nK, 12, B\r\n");
    }

    vx::QtPlatform platform;
    QElapsedTimer clock;
    clock.start();
    vx::MainWindow window(platform.platform(), dir.path());
    platform.setParentWindow(&window);
    window.show();
    const double start = timed([] {}, window);

    const double open = timed([&] { window.openAtStart(path); }, window);
    auto* grid = window.findChild<QTableView*>(QStringLiteral("grdFahrpl"));
    auto* fetch = window.findChild<QPushButton*>(QStringLiteral("cmdHol_Zei"));
    if (!grid || !fetch)
        return 2;
    const auto clickRow = [grid](int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    };
    const double otherRow = timed([&] { clickRow(1); }, window);
    const double click = timed([&] { clickRow(0); }, window);
    const double fetched = timed([&] { fetch->click(); }, window);
    std::printf("row 1 of %d MB: start %.1f ms, open %.1f ms, click another row %.1f ms, "
                "click the row %.1f ms, fetch %.1f ms\n",
                megabytes, start, open, otherRow, click, fetched);
    return 0;
}
