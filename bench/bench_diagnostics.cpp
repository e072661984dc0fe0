// Cost of keeping the findings of a 1999-row schedule up to date, as the
// editor does after every event: one row typed over with a line not seen
// before, a row whose address changes (the pass over all addresses and
// blocks runs), a row inserted (every row below moves), and an event that
// changed nothing. Target: under 1 ms per changed row.

#include "editor/schedule_diagnostics.h"

#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace vx;
using Clock = std::chrono::steady_clock;

namespace {

// A main program that calls subroutines with loops, gotos and conditions.
QStringList Schedule() {
    QStringList lines;
    int sub = 0;
    while (lines.size() < 1999 - 12) {
        const QString name = QStringLiteral("S%1").arg(sub++);
        lines << QStringLiteral("U, %1").arg(name) << QStringLiteral("W, %1").arg(sub % 9 + 1)
              << QStringLiteral("K, %1, B").arg(sub % 1000 + 1)
              << QStringLiteral("M, %1, G").arg(sub % 1000) << QStringLiteral("L, 3, S, 40")
              << QStringLiteral("F, K, %1, B").arg(sub % 500 + 1) << QStringLiteral("E, W")
              << QStringLiteral("E, W") << QStringLiteral("!, L%1").arg(name)
              << QStringLiteral("Z, %1").arg(sub % 999) << QStringLiteral("E, U")
              << QStringLiteral("R, %1").arg(name);
    }
    while (lines.size() < 1999)
        lines << QStringLiteral("* end");
    return lines;
}

struct Figures {
    double median;
    double worst;
};

template <typename Step> Figures Measure(int rounds, Step step) {
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(rounds));
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        step(i);
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.back()};
}

void Print(const char* what, Figures f) {
    std::printf("%-44s median %8.1f us   worst %8.1f us\n", what, f.median, f.worst);
}

} // namespace

int main() {
    QStringList lines = Schedule();
    ScheduleDiagnostics diagnostics(u"EN");

    const Figures full = Measure(1, [&](int) { diagnostics.update(lines); });
    Print("first check of 1999 rows (every line fetched)", full);
    Print("a fresh check of the same rows", Measure(5, [&](int) {
              ScheduleDiagnostics fresh(u"EN");
              fresh.update(lines);
          }));

    const int row = 1000;
    Print("one row typed over (a line not seen before)", Measure(500, [&](int i) {
              lines[row] = QStringLiteral("K, %1, B").arg(i % 1056 + 1) +
                           QStringLiteral(", AND").left(i % 3);
              diagnostics.update(lines);
          }));
    Print("one row's address renamed (pass over all)", Measure(500, [&](int i) {
              lines[row] = QStringLiteral("!, X%1").arg(i);
              diagnostics.update(lines);
          }));
    Print("a row inserted (the rows below move)", Measure(200, [&](int i) {
              lines.insert(row, QStringLiteral("Z, %1").arg(i % 999));
              lines.removeLast();
              diagnostics.update(lines);
          }));
    Print("an event that changed no row", Measure(500, [&](int) { diagnostics.update(lines); }));
    std::printf("findings: %d\n", diagnostics.problemCount());
    return 0;
}
