#pragma once

// The one schedule document and the File commands that replace or write it:
// New, Open, Save and the MTS-PC import.

#include "document/schedule_document.h"
#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <functional>
#include <optional>

namespace vx {

class Messages;
struct ScheduleFileContent;
class RecentSchedules;

// The name the save dialog proposes for a document of that FileName: always
// one ending in .vfp ("*.vfp" when there is none).
QString ProposedScheduleName(const QString& fileName);

class DocumentFiles {
public:
    struct Parts {
        const Platform& platform;
        const TextCatalogue& catalogue;
        Messages& messages;
        RecentSchedules& recent;
        bool& autosaveEnabled;
        // The program sets an entry field's text (0 = mskTxt0).
        std::function<void(int field, const QString& text)> setEntryField;
        // What became of the rows; the undo history and its clean mark follow.
        enum class Rows { Cleared, Loaded, Imported, Saved };
        std::function<void(Rows)> rowsReplaced;
        // The rows differ from those last loaded or saved.
        std::function<bool()> rowsDifferFromSaved;
    };
    explicit DocumentFiles(const Parts& parts);

    ScheduleDocument& document() { return document_; }
    const ScheduleDocument& document() const { return document_; }

    void New();
    // A path from the recent list opens without the dialog.
    void Open(const std::optional<QString>& pathFromRecent = std::nullopt);
    // Failed: the file could not be written (the user was told); the document
    // and the file that was there are unchanged.
    enum class SaveResult { Written, Cancelled, Failed };
    SaveResult Save();
    void Import();

    // Empties the document and the entry fields, resets the title.
    void ClearDocument();
    // Some row has content and it is not in a file as it stands: Modified, or
    // the rows differ from those last loaded or saved (after an import).
    bool needsSaveQuestion() const;

    const QString& windowTitle() const { return windowTitle_; }
    void setWindowTitle(const QString& title) { windowTitle_ = title; }
    // The title without a file, in the current language.
    void resetWindowTitle();
    // True while Open works on a path handed over by the recent list.
    bool openWithoutDialog() const { return openWithoutDialog_; }

private:
    // " S C H E D U L E - E D I T O R   for   V E L O X" plus the file, if any.
    QString titleWithFile() const;
    // After a successful Open or Save: the path goes to the top of the recent list.
    void afterFileWritten(const QString& path);
    bool askToSaveCurrent();
    bool mayLoad(const QString& path, const ScheduleFileContent& content);
    void tell(Parts::Rows what);
    std::optional<QString> askForFileToOpen(QStringView title, QStringView filter,
                                            const QString& initialName);
    bool readBeforeLoading(const QString& path, ScheduleFileContent& content);
    void fillRows(const QStringList& lines);
    void finishLoading();
    void tellLinesNotLoaded(const QString& path, qint64 count);

    Parts parts_;
    ScheduleDocument document_;
    QString windowTitle_;
    bool openWithoutDialog_ = false;
    // The file the last load cut at the line limit, and how many lines it left out.
    QString cutFile_;
    qint64 cutLines_ = 0;
};

} // namespace vx
