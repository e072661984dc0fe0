#include "document/autosave.h"

#include "document/schedule_document.h"
#include "document/vfp_file.h"
#include "texts/text_catalogue.h"

#include <QDir>
#include <QFileInfo>

namespace vx {

namespace {
constexpr const char16_t* Threshold = u"12";
} // namespace

Autosave::Autosave(ScheduleDocument& document, bool& timerEnabled)
    : document_(document), enabled_(timerEnabled) {}

QString Autosave::prefix(Language lang) {
    return lang == Language::DE ? QStringLiteral("Sich_Fahrplan_")
                                : QStringLiteral("Save_Schedule_");
}

QString Autosave::backupPath(Language lang, int index) const {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(QDir::separator()))
        folder += u'/';
    return folder + prefix(lang) + QString::number(index) + QStringLiteral(".vfp");
}

void Autosave::tick(Language lang) {
    if (!document_.Modified)
        return;
    if (tickCounter < QStringView(Threshold).toInt()) {
        ++tickCounter;
        return;
    }
    enabled_ = false;
    if (backupIndex == -1)
        backupIndex = 0;
    const QString remembered = document_.FilePath;
    document_.FilePath = backupPath(lang, backupIndex);
    failedFolders.clear();
    if (!writeBackup(document_.FilePath)) {
        failedFolders.append(QFileInfo(document_.FilePath).absolutePath());
        if (!fallbackFolder.isEmpty()) {
            const QString name = QFileInfo(document_.FilePath).fileName();
            if (writeBackup(QDir(fallbackFolder).filePath(name)))
                failedFolders.clear();
            else
                failedFolders.append(QDir(fallbackFolder).absolutePath());
        }
    }
    ++backupIndex;
    if (backupIndex == BackupCount)
        backupIndex = 0;
    document_.FilePath = remembered;
    tickCounter = 1;
    enabled_ = true;
}

bool Autosave::writeBackup(const QString& path) {
    QStringList rows;
    for (int r = 1; r <= document_.RowCount; ++r)
        rows.append(document_.line(r));
    QDir().mkpath(QFileInfo(path).absolutePath());
    const Status written = WriteScheduleFile(path, SerializeSchedule(rows));
    if (written) {
        lastBackupPath = path;
        lastError.clear();
        return true;
    }
    lastError = written.message();
    return false;
}

} // namespace vx
