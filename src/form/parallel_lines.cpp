#include "form/parallel_lines.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

namespace vx {

namespace {

constexpr qsizetype LinesPerWorker = 512;
// More threads than this would mostly wait for the output.
constexpr int MostWorkers = 8;

} // namespace

int WorkersFor(qsizetype count) {
    // Asking reads a file of the system: once is enough.
    static const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    const qsizetype wanted = std::max<qsizetype>(1, count / LinesPerWorker);
    return static_cast<int>(std::min<qsizetype>({wanted, cores, MostWorkers}));
}

void RunInSlices(qsizetype count, int workers, qsizetype slice,
                 const std::function<void(int, qsizetype, qsizetype)>& work) {
    slice = std::max<qsizetype>(1, slice);
    std::atomic<qsizetype> next{0};
    const auto run = [&](int worker) {
        for (;;) {
            const qsizetype begin = next.fetch_add(slice);
            if (begin >= count)
                return;
            work(worker, begin, std::min(count, begin + slice));
        }
    };
    std::vector<std::thread> threads;
    for (int w = 1; w < workers; ++w) {
        // Without another thread the calling one does all the slices.
        try {
            threads.emplace_back(run, w);
        } catch (const std::system_error&) {
            break;
        }
    }
    run(0);
    for (std::thread& t : threads)
        t.join();
}

std::vector<QByteArray> Utf8InSlices(qsizetype count, int workers, qsizetype slice,
                                     const std::function<void(int, qsizetype, QByteArray&)>& item) {
    slice = std::max<qsizetype>(1, slice);
    std::vector<QByteArray> parts(static_cast<size_t>((count + slice - 1) / slice));
    RunInSlices(count, workers, slice, [&](int worker, qsizetype begin, qsizetype end) {
        QByteArray& out = parts[static_cast<size_t>(begin / slice)];
        for (qsizetype i = begin; i < end; ++i)
            item(worker, i, out);
    });
    return parts;
}

ExplanationTeam::ExplanationTeam(QStringView language) : code_(language.toString()) {
    prepare(1);
}

void ExplanationTeam::prepare(int count) {
    while (static_cast<int>(languages_.size()) < count)
        languages_.push_back(std::make_unique<ExplanationLanguage>(code_));
}

} // namespace vx
