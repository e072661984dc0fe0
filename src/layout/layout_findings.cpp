#include "layout/layout_findings.h"

#include <QHash>
#include <QSet>
#include <algorithm>

namespace vx {

using namespace Qt::Literals::StringLiterals;

LayoutFinding::Severity LayoutFinding::severity() const {
    switch (kind) {
    case Kind::MissingSchedule:
        return Severity::Error;
    case Kind::UnwrittenMarker:
        return Severity::Warning;
    case Kind::SharedContact:
        break;
    }
    return Severity::Info;
}

QString LayoutKindName(LayoutFinding::Kind kind) {
    static const char* const names[] = {"missing-schedule", "unwritten-marker", "shared-contact"};
    return QString::fromLatin1(names[static_cast<int>(kind)]);
}

QString LayoutSeverityName(LayoutFinding::Severity severity) {
    static const char* const names[] = {"error", "warning", "info"};
    return QString::fromLatin1(names[static_cast<int>(severity)]);
}

namespace {

// What the findings of one schedule need of the whole layout: the markers
// that some schedule writes, and for each contact the schedule (by its place
// in the index) that occupies it first.
struct Shared {
    QSet<QString> written;
    QHash<QString, qsizetype> firstOccupier;
};

void FindingsOf(const LayoutIndex& index, qsizetype at, const Shared& shared,
                QList<LayoutFinding>& out) {
    const LayoutSchedule* s = &index.schedules()[at];
    const QSet<QString>& written = shared.written;
    const auto add = [&](int line, LayoutFinding::Kind kind, Phrase phrase) {
        out.append({s->path, line, kind, phrase.english(), phrase});
    };
    QSet<QString> markersSeen;
    QSet<QString> contactsSeen;
    for (const LayoutUse& u : s->uses) {
        // A file that is there but cannot be read is not missing.
        if (u.thing == Thing::ScheduleFile && u.access == Access::Loads &&
            std::none_of(
                index.schedules().begin(), index.schedules().end(),
                [&](const LayoutSchedule& t) { return NamesScheduleFile(u.id, t.name()); }))
            add(u.line, LayoutFinding::Kind::MissingSchedule,
                Phrase{u"the schedule %1 is not in the layout's folder"_s, {u.id}});
        // One finding per schedule and marker: its first read.
        if (u.thing == Thing::Marker && (u.access == Access::Reads || u.access == Access::Tests) &&
            !written.contains(u.id) && !markersSeen.contains(u.id)) {
            markersSeen.insert(u.id);
            add(u.line, LayoutFinding::Kind::UnwrittenMarker,
                Phrase{u"marker %1 is read, but no schedule of the layout writes it"_s, {u.id}});
        }
        if (u.thing == Thing::Contact && u.access == Access::Sets &&
            shared.firstOccupier.value(u.id, at) != at && !contactsSeen.contains(u.id)) {
            contactsSeen.insert(u.id);
            add(u.line, LayoutFinding::Kind::SharedContact,
                Phrase{u"contact %1 is occupied by %2 as well"_s,
                       {u.id, index.schedules()[shared.firstOccupier.value(u.id)].name()}});
        }
    }
}

void Summarise(const LayoutIndex& index, qsizetype at, Shared& shared) {
    const LayoutSchedule& s = index.schedules()[at];
    for (const LayoutUse& u : s.uses) {
        if (u.thing == Thing::Marker && u.access == Access::Writes)
            shared.written.insert(u.id);
        if (u.thing == Thing::Contact && u.access == Access::Sets &&
            !shared.firstOccupier.contains(u.id))
            shared.firstOccupier.insert(u.id, at);
    }
}

} // namespace

QList<LayoutFinding> CheckLayout(const LayoutIndex& index) {
    Shared shared;
    for (qsizetype i = 0; i < index.schedules().size(); ++i)
        if (index.schedules()[i].isRead())
            Summarise(index, i, shared);
    QList<LayoutFinding> out;
    for (qsizetype i = 0; i < index.schedules().size(); ++i)
        if (index.schedules()[i].isRead())
            FindingsOf(index, i, shared, out);
    return out;
}

struct LayoutOthers::Data {
    qsizetype at = -1;
    Shared before; // the schedules before the one
    Shared after;  // and those after it
};

LayoutOthers::LayoutOthers() = default;
LayoutOthers::~LayoutOthers() = default;

LayoutOthers::LayoutOthers(const LayoutIndex& index, const QString& path) {
    auto data = std::make_shared<Data>();
    const LayoutSchedule* one = index.find(path);
    data->at = one ? one - index.schedules().data() : -1;
    for (qsizetype i = 0; i < index.schedules().size(); ++i)
        if (i != data->at && index.schedules()[i].isRead())
            Summarise(index, i, i < data->at ? data->before : data->after);
    data_ = std::move(data);
}

QList<LayoutFinding> CheckLayoutSchedule(const LayoutIndex& index, const LayoutOthers& others) {
    QList<LayoutFinding> out;
    if (!others.data_ || others.data_->at < 0 || others.data_->at >= index.schedules().size() ||
        !index.schedules()[others.data_->at].isRead())
        return out;
    // The layout as CheckLayout sees it, the one schedule read anew.
    const qsizetype at = others.data_->at;
    Shared shared = others.data_->before;
    Summarise(index, at, shared);
    shared.written.unite(others.data_->after.written);
    FindingsOf(index, at, shared, out);
    return out;
}

} // namespace vx
