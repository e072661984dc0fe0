#pragma once

// Timed backups while changes are unsaved: the timer ticks once a minute, and
// every twelfth tick that finds the schedule modified writes one of nine
// rotating backup files. A backup never asks, never counts as saving and never
// disturbs the document, even when it cannot be written.

#include <QString>
#include <QStringList>

namespace vx {

class ScheduleDocument;
enum class Language;

class Autosave {
public:
    static constexpr int IntervalMs = 60000;
    static constexpr int BackupCount = 9;

    // timerEnabled is the timer trmSichDat's enabled state, owned by the editor.
    Autosave(ScheduleDocument& document, bool& timerEnabled);

    qint16 tickCounter = 0;
    qint16 backupIndex = -1;

    // Where backups go: the program folder, or the fallback folder when the
    // program folder cannot be written (an installed program).
    QString programFolder;
    QString fallbackFolder;

    // Result of the last backup, for the help text and the tests.
    QString lastBackupPath;
    QString lastError;
    // The folders the last backup tried in vain; empty when it was written
    // (or none was due).
    QStringList failedFolders;

    static QString prefix(Language lang); // "Sich_Fahrplan_" or "Save_Schedule_"
    QString backupPath(Language lang, int index) const;

    void tick(Language lang);

private:
    bool writeBackup(const QString& path);
    ScheduleDocument& document_;
    bool& enabled_;
};

} // namespace vx
