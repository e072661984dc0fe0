// A dry run of 1,000,000 steps: a loop with a delay, run as the window runs
// it, in slices. Prints steps/s and the time.

#include "form/line_explanation.h"
#include "run/dry_run.h"

#include <QElapsedTimer>
#include <QTextStream>

int main() {
    using namespace vx;
    const ExplanationLanguage language(u"EN");
    const QStringList lines = {QStringLiteral("!, LOOP"), QStringLiteral("D, 1, A, 1"),
                               QStringLiteral("Z, 1"), QStringLiteral("G, LOOP")};
    DryRun run(language, nullptr, QStringLiteral("loop.vfp"), lines);
    constexpr qint64 Steps = 1000000;
    QElapsedTimer timer;
    timer.start();
    qint64 done = 0;
    while (done < Steps && run.run(10000) == RunEnd::None)
        done = run.steps();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    QTextStream(stdout) << "steps " << run.steps() << ", " << seconds << " s, "
                        << static_cast<qint64>(static_cast<double>(run.steps()) / seconds)
                        << " steps/s (target: 1000000 steps in at most 2 s)\n";
    return run.steps() >= Steps ? 0 : 1;
}
