#pragma once

// Findings that only the whole layout shows: few, and certain.

#include "layout/layout_index.h"
#include "texts/phrase.h"

#include <QList>
#include <QString>
#include <memory>

namespace vx {

struct LayoutFinding {
    enum class Kind {
        MissingSchedule, // an N names a schedule file that is not in the layout
        UnwrittenMarker, // a marker is read, and no schedule writes it
        SharedContact,   // two schedules occupy the same contact
    };
    enum class Severity { Error, Warning, Info };
    QString file;
    int line = 0;
    Kind kind = Kind::MissingSchedule;
    QString message; // the phrase in English
    Phrase phrase;

    Severity severity() const;
};

QString LayoutKindName(LayoutFinding::Kind kind);             // "missing-schedule", ...
QString LayoutSeverityName(LayoutFinding::Severity severity); // "error", "warning", "info"

// The findings of the layout's read schedules, schedule by schedule in index
// order, each in line order.
QList<LayoutFinding> CheckLayout(const LayoutIndex& index);

// What the findings of one schedule need of all the others, made once while
// only that one changes.
class LayoutOthers {
public:
    LayoutOthers();
    LayoutOthers(const LayoutIndex& index, const QString& path);
    ~LayoutOthers();

private:
    friend QList<LayoutFinding> CheckLayoutSchedule(const LayoutIndex&, const LayoutOthers&);
    struct Data;
    std::shared_ptr<const Data> data_;
};

// CheckLayout's findings in the schedule that others was made for, at the
// cost of reading that schedule alone.
QList<LayoutFinding> CheckLayoutSchedule(const LayoutIndex& index, const LayoutOthers& others);

} // namespace vx
