// The cross-references of a whole layout against the check of it: vxedit-cli
// xref and vxedit-cli check over one folder of 100 schedules of 1999 distinct
// lines each, whole runs of the tool, best of three each. Target: xref takes
// at most 1.5 times as long as check. Beside it, what the problems list
// pays after a change of the open schedule: its findings across the layout.
// Then the pane over that layout, a table view on the offscreen platform:
// the longest time the event loop waits while the folder is read (target at
// most 100 ms), and how long a transfer into the open schedule takes until
// the table shows it (target at most 5 ms).

#include "document/vfp_file.h"
#include "editor/layout_view.h"
#include "layout/layout_findings.h"
#include "layout/layout_index.h"
#include "texts/text_catalogue.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QStringList>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

// Lines that differ within a schedule and from one schedule to the next, so
// that neither tool can reuse what it made of another line.
QStringList Schedule(int s) {
    static const char* const forms[] = {"D, %1, A, M%2", "D, %1, S, M%2", "D, %1, M, M%2",
                                        "H, %1, M%2",    "B, %1, F, %2",  "B, %1, B, M%2",
                                        "K, %1, B",      "G, A%2"};
    QStringList lines;
    for (int i = 0; i < 1999; ++i) {
        const int a = i / 8 + 1;
        QString line = QString::fromLatin1(forms[i % 8]).arg(a);
        lines << (line.contains(u"%2") ? line.arg(s + 1) : line + QStringLiteral(" * %1").arg(s));
    }
    return lines;
}

// Milliseconds of the best of three runs; -1 when the tool failed.
qint64 BestRun(const QString& tool, const QStringList& args, qint64* outputBytes) {
    qint64 best = -1;
    for (int k = 0; k < 3; ++k) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(tool, args);
        if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() > 1)
            return -1;
        const qint64 ms = timer.elapsed();
        best = best < 0 ? ms : std::min(best, ms);
    }
    QProcess once;
    once.start(tool, args);
    once.waitForFinished(600000);
    *outputBytes = once.readAllStandardOutput().size();
    return best;
}

struct Figures {
    double median = 0;
    double worst = 0;
    double cpu = 0; // median of the thread's processor time, without what the machine took away
};

Figures Spread(std::vector<double> ms, std::vector<double> cpu) {
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    return {ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2]};
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The pane over the layout in dir, the first schedule open.
int Pane(QApplication& app, const QString& dir) {
    vx::TextCatalogue catalogue;
    const std::optional<QStringList> files = vx::SchedulesInFolder(dir);
    if (!files || files->isEmpty())
        return 2;
    const QString openPath = files->front();
    QStringList openLines = Schedule(0);
    vx::LayoutView view(vx::LayoutView::Parts{catalogue, [&] { return openPath; },
                                              [&] { return openLines; },
                                              [](const QList<QPair<int, QString>>&) {}, [] {}});
    view.setStepped(true);
    // Set up as the pane sets up its table.
    QTableView table;
    // Unfiltered, as the pane opens: the table on the model, the proxy idle.
    table.setModel(&view.model());
    view.filter().setSourceModel(nullptr);
    table.setSortingEnabled(true);
    table.sortByColumn(vx::XrefModel::KindColumn, Qt::AscendingOrder);
    table.verticalHeader()->hide();
    table.verticalHeader()->setResizeContentsPrecision(200);
    table.horizontalHeader()->setStretchLastSection(true);
    table.resize(640, 400); // about the pane's size beside the grid
    table.show();
    app.processEvents();

    // Opening: a timer that ticks every millisecond sees each stall.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, stall = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        stall = std::max(stall, now - last);
        last = now;
        if (!view.reading())
            loop.quit();
    });
    tick.start();
    last = clock.nsecsElapsed();
    view.followOpenSchedule();
    loop.exec();
    tick.stop();
    const double readMs = double(clock.nsecsElapsed()) / 1e6;
    app.processEvents();
    std::printf("pane: %d rows; folder read in %.0f ms, longest stall %.1f ms (target <= 100)\n",
                view.model().rowCount(), readMs, double(stall) / 1e6);

    // A transfer writes one row; an inserted row moves the rows below it.
    const auto transfer = [&](auto edit) {
        std::vector<double> ms, cpu;
        for (int k = 0; k < 101; ++k) {
            edit(k);
            QElapsedTimer t;
            t.start();
            const double cpu0 = ThreadCpuMs();
            view.syncOpenSchedule();
            app.processEvents(); // the table repaints
            cpu.push_back(ThreadCpuMs() - cpu0);
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        return Spread(ms, cpu);
    };
    const Figures replaced = transfer(
        [&](int k) { openLines[1000 + k % 50] = QStringLiteral("K, %1, B").arg(900 + k); });
    const Figures inserted = transfer(
        [&](int k) { openLines.insert(500 + k, QStringLiteral("M, %1, G").arg(700 + k)); });
    std::printf("pane up to date after a transfer: %.2f ms median (processor %.2f), worst %.2f "
                "(target <= 5)\n"
                "after a row inserted above others: %.2f ms median (processor %.2f), worst %.2f\n",
                replaced.median, replaced.cpu, replaced.worst, inserted.median, inserted.cpu,
                inserted.worst);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString tool = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VX_CLI);
    QTemporaryDir dir;
    for (int s = 0; s < 100; ++s) {
        QFile file(dir.filePath(QStringLiteral("schedule%1.vfp").arg(s, 3, 10, QChar(u'0'))));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(vx::SerializeSchedule(Schedule(s))) < 0) {
            std::fprintf(stderr, "cannot write the layout\n");
            return 2;
        }
    }
    qint64 xrefBytes = 0, checkBytes = 0;
    const qint64 xref = BestRun(tool, {QStringLiteral("xref"), dir.path()}, &xrefBytes);
    const qint64 check = BestRun(tool, {QStringLiteral("check"), dir.path()}, &checkBytes);
    if (xref < 0 || check < 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(tool));
        return 2;
    }
    std::printf("layout: 100 schedules x 1999 distinct lines\n");
    std::printf("xref : %6lld ms (%lld bytes of output)\n", static_cast<long long>(xref),
                static_cast<long long>(xrefBytes));
    std::printf("check: %6lld ms (%lld bytes of output)\n", static_cast<long long>(check),
                static_cast<long long>(checkBytes));
    std::printf("xref / check = %.2f (target <= 1.50)\n",
                check > 0 ? double(xref) / double(check) : 0.0);

    vx::LayoutIndex index;
    index.addPaths({dir.path()});
    const QString open = index.schedules().front().path;
    QStringList lines = index.schedules().front().lines;
    const vx::LayoutOthers others(index, open);
    qint64 best = -1;
    qsizetype found = 0;
    for (int k = 0; k < 5; ++k) {
        lines[0] = QStringLiteral("K, %1, B").arg(k + 1);
        QElapsedTimer timer;
        timer.start();
        index.setLines(open, lines);
        found = vx::CheckLayoutSchedule(index, others).size();
        const qint64 us = timer.nsecsElapsed() / 1000;
        best = best < 0 ? us : std::min(best, us);
    }
    std::printf("open schedule's layout findings after one change: %6.1f ms (%lld findings)\n",
                double(best) / 1000, static_cast<long long>(found));
    return Pane(app, dir.path());
}
