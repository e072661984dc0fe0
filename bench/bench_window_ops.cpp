// Three operations on a long schedule, in the real main window and in the
// model alone (the editor without windows, driven by the actions of
// `vxedit-cli script`, which keep the schedule's findings up to date as the
// window does):
// opening a schedule over another one, a search through every row, and the
// language switch. Prints the fastest runs and the window's cost against the
// model's; the window should stay within 1.5 times the model. The window's
// figure is split into the handling (the model and the windows' update from
// it) and the toolkit's layout and painting of what changed, which costs the
// same with any number of rows (compare LINES 199). Never a test.
//
//   QT_QPA_PLATFORM=offscreen build/bench/bench_window_ops [RUNS [LINES]]
//   (defaults: 15 runs, 1999 lines)

#include "editor/editor.h"
#include "gui/main_window.h"
#include "gui/search_window.h"
#include "script/scripted_platform.h"
#include "script/user_driver.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace vx;

namespace {

// A schedule of every command family; `last` is the text of its last line.
bool writeSchedule(const QString& path, int lines, int variant, const char* last) {
    static const char* const samples[] = {"K, 12, B",         "L, 1234+, S, 100, F, 1",
                                          "F, K, 12, B, AND", "M, 17, G  * west yard",
                                          "Z, 123",           "T, 7, 30, S, 60",
                                          "D, 10, TS",        "* a remark line",
                                          "/, M, Train",      "I4, 1, 99",
                                          "Q, S, 3, +2",      "O, 1, 12, L",
                                          "X, 12, R, LOOP",   "B, 1000, F, M12",
                                          "C, 12, P5, 1",     "G, LOOP"};
    constexpr int count = sizeof(samples) / sizeof(samples[0]);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (int i = 0; i < lines - 1; ++i) {
        file.write(samples[(i + variant) % count]);
        file.write("\r\n");
    }
    file.write(last);
    file.write("\r\n");
    return true;
}

// The fastest run: on a machine shared with other work, the one least disturbed.
double fastest(const std::vector<double>& samples) {
    return *std::min_element(samples.begin(), samples.end());
}

double milliseconds(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

struct Figures {
    std::vector<double> window, handling, painting, model;

    // Runs action, then lets the windows lay out and paint what changed, as
    // the event loop does: the updates the action asked for, no more.
    void inWindow(const std::function<void()>& action) {
        QElapsedTimer clock;
        clock.start();
        action();
        const double handled = milliseconds(clock);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const double all = milliseconds(clock);
        this->window.push_back(all);
        handling.push_back(handled);
        painting.push_back(all - handled);
    }
    void inModel(const std::function<void()>& action) {
        QElapsedTimer clock;
        clock.start();
        action();
        model.push_back(milliseconds(clock));
    }
    void print(const char* what) const {
        const double w = fastest(window);
        const double h = fastest(handling);
        const double m = fastest(model);
        std::printf("%-30s window %6.2f ms (handling %5.2f + layout and paint %5.2f)   "
                    "model %5.2f ms   ratio %6.2f (handling alone %4.2f)\n",
                    what, w, h, fastest(painting), m, w / m, h / m);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const int lines = argc > 2 ? std::max(2, std::atoi(argv[2])) : 1999;
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.vfp"));
    const QString second = dir.filePath(QStringLiteral("second.vfp"));
    if (!writeSchedule(first, lines, 0, "* first NEEDLE") ||
        !writeSchedule(second, lines, 5, "* second NEEDLE"))
        return 2;

    ScriptedPlatform platform;
    MainWindow window(platform.platform(), dir.path());
    window.show();
    QCoreApplication::processEvents();
    Editor& shown = window.editor();
    UserDriver driver(u"ES");
    Editor& model = *driver.editor;

    // Each open loads the schedule that is not loaded, over the one that is.
    platform.fileChoices.push_back(first);
    window.menuAction(QStringLiteral("Dat_Ein"))->trigger();
    driver.platform.fileChoices.push_back(first);
    driver.runLine(QStringLiteral("menu Dat_Ein"));
    Figures open;
    for (int i = 0; i < runs; ++i) {
        const QString& path = i % 2 == 0 ? second : first;
        open.inWindow([&] {
            platform.fileChoices.push_back(path);
            window.menuAction(QStringLiteral("Dat_Ein"))->trigger();
        });
        open.inModel([&] {
            driver.platform.fileChoices.push_back(path);
            driver.runLine(QStringLiteral("menu Dat_Ein"));
        });
    }
    if (shown.document.grid.rows < lines + 1 || model.document.grid.rows < lines + 1) {
        std::fprintf(stderr, "the schedules did not load: %d and %d rows\n",
                     shown.document.grid.rows, model.document.grid.rows);
        return 1;
    }

    // The search window with its text typed; each search starts from row 1.
    window.menuAction(QStringLiteral("Wrk_Such"))->trigger();
    QCoreApplication::processEvents();
    SearchWindow* search = window.searchWindow();
    auto* text = search ? search->findChild<QLineEdit*>(QStringLiteral("txbSuchtext")) : nullptr;
    if (!text)
        return 2;
    const auto searchFor = [&](const QString& what, Figures& figures) {
        text->setText(what);
        emit text->textEdited(what);
        for (int i = 0; i < runs; ++i) {
            shown.form->setCurrentRow(1);
            window.syncFromModel();
            QCoreApplication::processEvents();
            figures.inWindow([&] { search->sevCmdBef(0)->click(); });
            model.form->setCurrentRow(1);
            figures.inModel([&] { driver.runLine(QStringLiteral("find ") + what); });
        }
    };
    Figures found, missing;
    searchFor(QStringLiteral("NEEDLE"), found);
    if (shown.document.grid.currentRow != lines || model.document.grid.currentRow != lines) {
        std::fprintf(stderr, "the search ended in rows %d and %d\n", shown.document.grid.currentRow,
                     model.document.grid.currentRow);
        return 1;
    }
    searchFor(QStringLiteral("ABSENT"), missing);
    search->close();
    QCoreApplication::processEvents();

    Figures language;
    for (int i = 0; i < runs; ++i) {
        language.inWindow([&] { window.menuAction(QStringLiteral("Opt_Spr"))->trigger(); });
        language.inModel([&] { driver.runLine(QStringLiteral("menu Opt_Spr")); });
    }

    std::printf("%d lines, fastest of %d runs\n", lines, runs);
    open.print("open a schedule over another");
    found.print("search, found in the last row");
    missing.print("search, not found");
    language.print("language switch");
    return 0;
}
