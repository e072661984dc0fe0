// The file commands of the File menu: New, Open, Save and the MTS-PC import.

#include "editor/document_files.h"

#include "document/mts_import.h"
#include "document/vfp_file.h"
#include "editor/error_messages.h"
#include "editor/recent_schedules.h"
#include "texts/blanks.h"

#include <QFileInfo>

namespace vx {

namespace {

const QString& errorTitle() {
    static const QString title = QStringLiteral("VX-Editor");
    return title;
}

} // namespace

DocumentFiles::DocumentFiles(const Parts& parts)
    : parts_(parts), document_(parts.platform, parts.catalogue) {
    resetWindowTitle();
}

void DocumentFiles::resetWindowTitle() {
    windowTitle_ = parts_.catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X");
}

QString DocumentFiles::titleWithFile() const {
    return parts_.catalogue.tx(u" S C H E D U L E - E D I T O R   for   V E L O X") +
           QStringLiteral("   ") + Trim(document_.FilePath);
}

void DocumentFiles::afterFileWritten(const QString& path) {
    parts_.recent.Smn_WriteRecentSchedules(path);
    parts_.recent.Smn_GetRecentSchedules();
}

void DocumentFiles::tell(Parts::Rows what) {
    if (parts_.rowsReplaced)
        parts_.rowsReplaced(what);
}

bool DocumentFiles::needsSaveQuestion() const {
    if (!document_.anyRowHasContent())
        return false;
    return document_.Modified || (parts_.rowsDifferFromSaved && parts_.rowsDifferFromSaved());
}

void DocumentFiles::ClearDocument() {
    document_.ClearDocument();
    tell(Parts::Rows::Cleared);
    for (int k = 1; k <= 7; ++k)
        parts_.setEntryField(k, QString());
    parts_.setEntryField(0, QStringLiteral("1"));
    resetWindowTitle();
}

// New's question. False when the user wanted the schedule saved and that
// did not happen (a cancelled or failed save): clearing it now would lose it.
bool DocumentFiles::askToSaveCurrent() {
    ScheduleDocument& doc = document_;
    if (!needsSaveQuestion())
        return true;
    const TextCatalogue& c = parts_.catalogue;
    const QString title = Trim(doc.FilePath).isEmpty() ? c.tx(u"New file") : doc.FilePath;
    const int answer = parts_.messages.ShowMessage(c.tx(u"Save actual data?"),
                                                   MsgStyle::YesNo + MsgStyle::Question, title);
    doc.Answer = static_cast<qint16>(answer);
    const bool notSaved = answer == MsgAnswer::Yes && Save() != SaveResult::Written;
    doc.Answer = ScheduleDocument::AnswerNone;
    return !notSaved;
}

std::optional<QString> DocumentFiles::askForFileToOpen(QStringView title, QStringView filter,
                                                       const QString& initialName) {
    const TextCatalogue& c = parts_.catalogue;
    return parts_.platform.files->openFile(
        {c.tx(title), c.tx(filter), initialName, c.tx(u"C:\\Velox-PC_V9")});
}

// Reads the whole file before anything of the current schedule is touched, so
// that a file that cannot be read leaves the schedule as it was.
bool DocumentFiles::readBeforeLoading(const QString& path, ScheduleFileContent& content) {
    Result<ScheduleFileContent> read = ReadScheduleFile(path, &parts_.catalogue);
    if (read) {
        content = std::move(*read);
        return true;
    }
    parts_.messages.ShowMessage(path + TextCatalogue::HintLineBreak() + read.message(),
                                MsgStyle::Critical, errorTitle());
    return false;
}

// A file with control characters is most likely no schedule (a picture, a
// program, another editor's file): the user decides, and "no" is the default.
bool DocumentFiles::mayLoad(const QString& path, const ScheduleFileContent& content) {
    if (!content.hasControlCharacters)
        return true;
    const TextCatalogue& c = parts_.catalogue;
    const int answer = parts_.messages.ShowMessage(
        path + TextCatalogue::HintLineBreak() +
            c.tx(u"This file does not look like a schedule (it holds control characters).") +
            TextCatalogue::HintLineBreak() + c.tx(u"Open it anyway?"),
        MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2, errorTitle());
    return answer == MsgAnswer::Yes;
}

// Fills the cleared document row by row, growing the table a few rows ahead
// as a line reaches the last row.
void DocumentFiles::fillRows(const QStringList& lines) {
    ScheduleDocument& doc = document_;
    int n = 0;
    for (const QString& text : lines) {
        ++n;
        doc.CurrentRow = static_cast<qint16>(n);
        if (n >= doc.RowCount) {
            int r = n % 10;
            if (r == 0)
                r = 1;
            int grow = 10 - r;
            doc.ExpandRows(grow);
        }
        if (n > doc.RowCount)
            break; // never: the file reader stops at the largest table
        doc.setLine(n, text);
        doc.grid.numberColumn[static_cast<size_t>(n)] = QString::number(n);
    }
}

void DocumentFiles::finishLoading() {
    openWithoutDialog_ = false;
    document_.Modified = false;
    parts_.autosaveEnabled = false;
    document_.grid.currentRow = 1;
    parts_.setEntryField(0, QStringLiteral("1"));
}

void DocumentFiles::tellLinesNotLoaded(const QString& path, qint64 count) {
    cutFile_ = count > 0 ? QFileInfo(path).absoluteFilePath() : QString();
    cutLines_ = count;
    if (count <= 0)
        return;
    parts_.messages.ShowMessage(path + TextCatalogue::HintLineBreak() +
                                    parts_.catalogue.tx(u"Lines not loaded (more than 1999): ") +
                                    QString::number(count),
                                MsgStyle::Critical, errorTitle());
}

void DocumentFiles::New() {
    if (askToSaveCurrent())
        ClearDocument();
}

void DocumentFiles::Open(const std::optional<QString>& pathFromRecent) {
    // Order: New's question (and its Save) concerns the schedule being left, so
    // it comes before the dialog and before a path from the recent list is
    // taken over. The file is then read whole; only when that worked and the
    // user still wants it is the document cleared and filled. A cancelled
    // dialog leaves everything as it was.
    openWithoutDialog_ = pathFromRecent.has_value();
    if (!askToSaveCurrent()) {
        openWithoutDialog_ = false;
        return;
    }
    QString path;
    if (pathFromRecent) {
        path = *pathFromRecent;
    } else {
        const auto chosen =
            askForFileToOpen(u" File selection for: Open  >>> SCHEDULE FILE <<<",
                             u"SCHEDULE-FILE  (*.vfp) | *.vfp", QStringLiteral("*.vfp"));
        if (!chosen)
            return;
        path = *chosen;
    }
    ScheduleFileContent content;
    if (!readBeforeLoading(path, content) || !mayLoad(path, content)) {
        openWithoutDialog_ = false;
        return;
    }
    ClearDocument();
    document_.FilePath = path;
    document_.ExtractFileName();
    for (int k = 1; k <= 6; ++k)
        parts_.setEntryField(k, QString());
    fillRows(content.lines);
    finishLoading();
    tell(Parts::Rows::Loaded);
    afterFileWritten(document_.FilePath);
    windowTitle_ = titleWithFile();
    tellLinesNotLoaded(path, content.linesNotLoaded);
}

DocumentFiles::SaveResult DocumentFiles::Save() {
    const TextCatalogue& c = parts_.catalogue;
    Messages& messages = parts_.messages;
    const QString initialName = ProposedScheduleName(document_.FileName);
    const auto chosen = parts_.platform.files->saveFile(
        {c.tx(u" File selection for: Save  >>> SCHEDULE FILE <<<"),
         c.tx(u"SCHEDULE-FILE  (*.vfp) | *.vfp"), initialName, c.tx(u"C:\\Velox-PC_V9")});
    if (!chosen)
        return SaveResult::Cancelled;
    const QString path = *chosen;
    const QFileInfo info(path);
    if (!messages.mayOverwrite(path, c.tx(u"&Save schedule data")))
        return SaveResult::Cancelled;
    // The file the schedule was loaded from had lines beyond the largest
    // schedule; saving over it would drop them for good.
    const bool overCutFile = cutLines_ > 0 && QFileInfo(path).absoluteFilePath() == cutFile_;
    if (overCutFile && info.exists()) {
        const int answer = messages.ShowMessage(
            path + QStringLiteral("\r\n") +
                c.tx(u"Lines that were not loaded and are lost when saving over this file: ") +
                QString::number(cutLines_) + QStringLiteral("\r\n") + c.tx(u"Save anyway?"),
            MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2,
            c.tx(u"&Save schedule data"));
        if (answer != MsgAnswer::Yes)
            return SaveResult::Cancelled;
    }
    document_.Answer = ScheduleDocument::AnswerNone;

    QStringList rows;
    rows.reserve(document_.RowCount);
    for (int r = 1; r <= document_.RowCount; ++r)
        rows.append(document_.line(r));
    bool lossy = false;
    const QByteArray bytes = SerializeSchedule(rows, &lossy);
    // FilePath, the title and Modified change only once the file is written.
    if (const Status written = WriteScheduleFile(path, bytes, &c); !written) {
        messages.ShowMessage(path + TextCatalogue::HintLineBreak() + written.message(),
                             MsgStyle::Critical, errorTitle());
        return SaveResult::Failed;
    }
    document_.FilePath = path;
    if (overCutFile)
        cutLines_ = 0;
    afterFileWritten(document_.FilePath);
    document_.Modified = false;
    parts_.autosaveEnabled = false;
    tell(Parts::Rows::Saved);
    windowTitle_ = titleWithFile();
    if (lossy)
        messages.ShowMessage(path + TextCatalogue::HintLineBreak() +
                                 c.tx(u"Some characters cannot be stored and were saved as ?"),
                             MsgStyle::Critical, errorTitle());
    return SaveResult::Written;
}

void DocumentFiles::Import() {
    // The same order as Open: question, dialog, read, then clear and fill.
    if (!askToSaveCurrent())
        return;
    const auto chosen =
        askForFileToOpen(u" File selection for: Open  >>> LGB SCHEDULE <<<",
                         u"MTS-PC SCHEDULE-FILE  (*.lsp) | *.lsp", QStringLiteral("*.lsp"));
    if (!chosen)
        return;
    const QString path = *chosen;
    ScheduleFileContent content;
    if (!readBeforeLoading(path, content) || !mayLoad(path, content))
        return;
    ClearDocument();
    document_.FilePath = path;
    document_.ExtractFileName();
    QStringList rows;
    rows.reserve(content.lines.size());
    for (QString& source : content.lines) {
        QString row;
        ConvertMtsLine(source, row);
        rows.append(row);
    }
    fillRows(rows);
    // A later Save proposes the .vfp name beside the imported file.
    const QString trimmed = RTrim(document_.FilePath);
    if (trimmed.endsWith(u".LSP", Qt::CaseInsensitive)) {
        document_.FilePath = trimmed.chopped(4) + QStringLiteral(".vfp");
        document_.ExtractFileName();
    }
    finishLoading();
    // Not yet saved as a schedule: leaving it asks first.
    tell(Parts::Rows::Imported);
    tellLinesNotLoaded(path, content.linesNotLoaded);
}

QString ProposedScheduleName(const QString& fileName) {
    const QString name = Trim(fileName);
    if (name.isEmpty())
        return QStringLiteral("*.vfp");
    if (name.endsWith(u".vfp", Qt::CaseInsensitive))
        return name;
    // "plan.txt" and "plan" both become "plan.vfp".
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot > 0 ? name.left(dot) : name) + QStringLiteral(".vfp");
}

} // namespace vx
