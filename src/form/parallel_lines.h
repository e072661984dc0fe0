#pragma once

// Many lines at once on every core: the batch readers (vxedit-cli explain and
// check, the findings of a schedule just loaded) spend nearly all their time
// on lines that do not depend on each other.

#include "form/line_explanation.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <memory>
#include <vector>

namespace vx {

// How many threads work on count lines: one for a few hundred lines, where
// starting a thread costs more than it saves; else one per core.
int WorkersFor(qsizetype count);

// Calls work(worker, begin, end) for consecutive slices of [0, count) of at
// most slice items each, on workers threads (worker 0 is the calling thread).
// One worker runs one slice at a time; which worker gets which slice varies,
// so work must write only to what belongs to its slice or its worker.
void RunInSlices(qsizetype count, int workers, qsizetype slice,
                 const std::function<void(int worker, qsizetype begin, qsizetype end)>& work);

// The UTF-8 text that item(worker, i, out) appends to out for every i of
// [0, count), put together on workers threads: a part per slice of at most
// slice items, in the order of the items.
std::vector<QByteArray>
Utf8InSlices(qsizetype count, int workers, qsizetype slice,
             const std::function<void(int worker, qsizetype i, QByteArray& out)>& item);

// For a batch run, before its heap grows: the heap of the calling thread and
// of every worker that RunInSlices starts asks the system for large pages. A
// run keeps a hundred megabytes of findings until its end; in small pages
// that costs tens of thousands of page faults. Where the system has no large
// pages on request, nothing changes.
void UseLargeHeapPages();

// One ExplanationLanguage per worker: each keeps states that only one thread
// at a time may use.
class ExplanationTeam {
public:
    explicit ExplanationTeam(QStringView language);

    // Makes sure that workers 0..count-1 have theirs; call before RunInSlices.
    void prepare(int count);
    const ExplanationLanguage& of(int worker) const {
        return *languages_[static_cast<size_t>(worker)];
    }

private:
    QString code_;
    std::vector<std::unique_ptr<ExplanationLanguage>> languages_;
};

} // namespace vx
