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

QList<LayoutFinding> CheckLayout(const LayoutIndex& index) {
    QList<const LayoutSchedule*> read;
    for (const LayoutSchedule& s : index.schedules())
        if (s.isRead())
            read.append(&s);

    QSet<QString> written;
    QHash<QString, const LayoutSchedule*> firstOccupier;
    for (const LayoutSchedule* s : read)
        for (const LayoutUse& u : s->uses) {
            if (u.thing == Thing::Marker && u.access == Access::Writes)
                written.insert(u.id);
            if (u.thing == Thing::Contact && u.access == Access::Sets &&
                !firstOccupier.contains(u.id))
                firstOccupier.insert(u.id, s);
        }

    QList<LayoutFinding> out;
    const auto add = [&](const LayoutSchedule* s, int line, LayoutFinding::Kind kind,
                         Phrase phrase) {
        out.append({s->path, line, kind, phrase.english(), phrase});
    };
    for (const LayoutSchedule* s : read) {
        QSet<QString> markersSeen;
        QSet<QString> contactsSeen;
        for (const LayoutUse& u : s->uses) {
            // A file that is there but cannot be read is not missing.
            if (u.thing == Thing::ScheduleFile && u.access == Access::Loads &&
                std::none_of(
                    index.schedules().begin(), index.schedules().end(),
                    [&](const LayoutSchedule& t) { return NamesScheduleFile(u.id, t.name()); }))
                add(s, u.line, LayoutFinding::Kind::MissingSchedule,
                    Phrase{u"the schedule %1 is not in the layout's folder"_s, {u.id}});
            // One finding per schedule and marker: its first read.
            if (u.thing == Thing::Marker &&
                (u.access == Access::Reads || u.access == Access::Tests) &&
                !written.contains(u.id) && !markersSeen.contains(u.id)) {
                markersSeen.insert(u.id);
                add(s, u.line, LayoutFinding::Kind::UnwrittenMarker,
                    Phrase{u"marker %1 is read, but no schedule of the layout writes it"_s,
                           {u.id}});
            }
            if (u.thing == Thing::Contact && u.access == Access::Sets &&
                firstOccupier.value(u.id) != s && !contactsSeen.contains(u.id)) {
                contactsSeen.insert(u.id);
                add(s, u.line, LayoutFinding::Kind::SharedContact,
                    Phrase{u"contact %1 is occupied by %2 as well"_s,
                           {u.id, firstOccupier.value(u.id)->name()}});
            }
        }
    }
    return out;
}

} // namespace vx
