#pragma once

// The last five schedules in the per-user settings store, most recent first,
// shown as the entries MyFpls_1..MyFpls_5 of the File menu.

#include <QString>
#include <QStringList>

namespace vx {

class MenuModel;
class SettingsStore;

class RecentSchedules {
public:
    static constexpr int Size = 5;
    static const QString& App();     // "VX-Editor"
    static const QString& Section(); // "Recent Schedules"
    static QString Key(int i);       // "RecentSchedule1".."RecentSchedule5"

    RecentSchedules(SettingsStore& store, MenuModel& menu);

    void Smn_GetRecentSchedules();
    void Smn_WriteRecentSchedules(const QString& path);
    // Position 1..5 of the entry whose caption equals path exactly; -1 if none.
    int Fmn_OnMyScheduleList(const QString& path) const;
    // The visible entries' paths in menu order.
    QStringList visiblePaths() const;
    // Trimmed caption of entry i.
    QString pathOf(int i) const;

private:
    SettingsStore& store_;
    MenuModel& menu_;
};

} // namespace vx
