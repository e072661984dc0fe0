#include "form/parallel_lines.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <system_error>
#include <thread>

#if defined(__GLIBC__) && defined(__linux__) && !defined(VX_SANITIZED)
#define VX_LARGE_HEAP_PAGES
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace vx {

namespace {

constexpr qsizetype LinesPerWorker = 512;
// More threads than this would mostly wait for the output.
constexpr int MostWorkers = 8;

#ifdef VX_LARGE_HEAP_PAGES
std::atomic<bool> largeHeapPages{false};
constexpr uintptr_t LargePage = uintptr_t{2} << 20;
// The heap of the whole run starts with this much in large pages, taken in
// blocks small enough to come from the heap; beyond it, it grows in small ones.
constexpr size_t ReserveBlock = size_t{16} << 20;
constexpr int ReserveBlocks = 16;
// glibc reserves a thread's heap at an address aligned to its largest size.
constexpr uintptr_t ThreadHeapSize = uintptr_t{64} << 20;

void adviseLargePages(uintptr_t from, uintptr_t to) {
    from = (from + LargePage - 1) & ~(LargePage - 1);
    to &= ~(LargePage - 1);
    // Refused or partly unmapped: those pages stay small, which only costs time.
    if (from < to)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}
#endif

// Once per worker thread: the heap that its allocations come from.
void adviseThreadHeap() {
#ifdef VX_LARGE_HEAP_PAGES
    if (!largeHeapPages.load(std::memory_order_relaxed))
        return;
    void* probe = malloc(1);
    if (!probe)
        return;
    const uintptr_t heap = reinterpret_cast<uintptr_t>(probe) & ~(ThreadHeapSize - 1);
    free(probe);
    adviseLargePages(heap, heap + ThreadHeapSize);
#endif
}

} // namespace

void UseLargeHeapPages() {
#ifdef VX_LARGE_HEAP_PAGES
    if (largeHeapPages.exchange(true))
        return;
    // Large blocks come from the heap too, so that they share its pages. The
    // reserve is taken from the system, advised and handed back to the heap,
    // where the next allocations find it.
    mallopt(M_MMAP_THRESHOLD, 2 * ReserveBlock);
    const auto before = reinterpret_cast<uintptr_t>(sbrk(0));
    std::array<void*, ReserveBlocks> reserve{};
    for (void*& block : reserve)
        block = malloc(ReserveBlock);
    adviseLargePages(before, reinterpret_cast<uintptr_t>(sbrk(0)));
    for (void* block : reserve)
        free(block);
#endif
}

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
        if (worker != 0)
            adviseThreadHeap();
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
