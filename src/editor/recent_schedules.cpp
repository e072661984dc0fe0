#include "editor/recent_schedules.h"

#include "editor/menu_model.h"
#include "platform/platform.h"
#include "texts/blanks.h"

namespace vx {

const QString& RecentSchedules::App() {
    static const QString s = QStringLiteral("VX-Editor");
    return s;
}

const QString& RecentSchedules::Section() {
    static const QString s = QStringLiteral("Recent Schedules");
    return s;
}

QString RecentSchedules::Key(int i) {
    return QStringLiteral("RecentSchedule") + QString::number(i);
}

namespace {
QString menuKey(int i) {
    return QStringLiteral("MyFpls_") + QString::number(i);
}
} // namespace

RecentSchedules::RecentSchedules(SettingsStore& store, MenuModel& menu)
    : store_(store), menu_(menu) {}

void RecentSchedules::Smn_GetRecentSchedules() {
    QStringList paths;
    for (int i = 1; i <= Size; ++i) {
        const QString value = store_.value(App(), Section(), Key(i), QString());
        const QString trimmed = Trim(value);
        if (trimmed.isEmpty() || trimmed == u"0")
            break;
        paths.append(value);
    }
    for (int i = 1; i <= Size; ++i) {
        MenuItem* item = menu_.find(menuKey(i));
        if (i <= paths.size()) {
            item->caption = paths[i - 1];
            item->visible = true;
        } else {
            item->caption.clear();
            item->visible = false;
        }
    }
}

int RecentSchedules::Fmn_OnMyScheduleList(const QString& path) const {
    for (int i = 1; i <= Size; ++i)
        if (menu_.find(menuKey(i))->caption == path)
            return i;
    return -1;
}

void RecentSchedules::Smn_WriteRecentSchedules(const QString& path) {
    const int k = Fmn_OnMyScheduleList(path);
    auto copy = [this](int from, int to) {
        const QString value = store_.value(App(), Section(), Key(from), QString());
        if (!value.isEmpty())
            store_.setValue(App(), Section(), Key(to), value);
    };
    if (k > 0) {
        for (int j = k; j >= 2; --j)
            copy(j - 1, j);
    } else {
        for (int j = 4; j >= 1; --j)
            copy(j, j + 1);
    }
    store_.setValue(App(), Section(), Key(1), path);
}

QStringList RecentSchedules::visiblePaths() const {
    QStringList paths;
    for (int i = 1; i <= Size; ++i) {
        const MenuItem* item = menu_.find(menuKey(i));
        if (item->visible)
            paths.append(item->caption);
    }
    return paths;
}

QString RecentSchedules::pathOf(int i) const {
    return Trim(menu_.find(menuKey(i))->caption);
}

} // namespace vx
