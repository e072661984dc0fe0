#include "run/dry_run.h"

// A first stand-in so that views can build against the interface; the
// engine follows.

namespace vx {

class DryRunEngine {
public:
    QString file;
    RunState state;
    QList<RunFinding> findings;
};

RunEventsParse ParseRunEvents(const QString&) {
    return {};
}

QString RunEndName(RunEnd end) {
    switch (end) {
    case RunEnd::None:
        return {};
    case RunEnd::Ended:
        return QStringLiteral("ended");
    case RunEnd::Waiting:
        return QStringLiteral("waiting");
    case RunEnd::Jam:
        return QStringLiteral("jam");
    case RunEnd::Limit:
        return QStringLiteral("limit");
    case RunEnd::Error:
        return QStringLiteral("error");
    }
    return {};
}

DryRun::DryRun(const ExplanationLanguage&, const LayoutIndex*, QString file, QStringList, quint32)
    : engine_(std::make_unique<DryRunEngine>()) {
    engine_->file = file;
}
DryRun::~DryRun() = default;
void DryRun::setEvents(QList<RunEvent>) {}
void DryRun::reset() {}
RunEnd DryRun::run(qint64, const QSet<int>*, bool) {
    return RunEnd::Ended;
}
bool DryRun::step() {
    return false;
}
RunEnd DryRun::end() const {
    return RunEnd::Ended;
}
QString DryRun::file() const {
    return engine_->file;
}
int DryRun::line() const {
    return 1;
}
qint64 DryRun::steps() const {
    return 0;
}
const RunState& DryRun::state() const {
    return engine_->state;
}
QString DryRun::waitingFor() const {
    return {};
}
const QList<RunFinding>& DryRun::findings() const {
    return engine_->findings;
}
QList<int> DryRun::contactsUsed() const {
    return {};
}
void DryRun::setContact(int, QChar) {}
void DryRun::answerInput(int, int) {}
void DryRun::setTraceSink(std::function<void(const RunTraceEntry&)>) {}

RunEnd RunToEnd(DryRun& run, qint64 maxSteps) {
    return run.run(maxSteps);
}
QString RunTimeText(qint64 tenths) {
    return QString::number(tenths / 10) + u'.' + QString::number(tenths % 10);
}
QString RunTracePlain(const RunTraceEntry&) {
    return {};
}
QString RunTraceJson(const RunTraceEntry&) {
    return {};
}
QString RunSummaryPlain(const DryRun&, RunEnd) {
    return {};
}
QString RunSummaryJson(const DryRun&, RunEnd) {
    return {};
}

} // namespace vx
