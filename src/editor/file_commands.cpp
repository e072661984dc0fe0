// The file commands of the File menu: New, Open, Save and the MTS-PC import.

#include "document/mts_import.h"
#include "document/vfp_file.h"
#include "editor/editor.h"
#include "form/entry_form.h"

#include <QFileInfo>

namespace vx {

namespace {

const QString& errorTitle() {
    static const QString title = QStringLiteral("VX-Editor");
    return title;
}

// New's question. False when the user wanted the schedule saved and that
// failed: clearing it now would lose it.
bool askToSaveCurrent(Editor& editor) {
    ScheduleDocument& doc = editor.document;
    if (!doc.Modified || !doc.anyRowHasContent())
        return true;
    const QString title =
        Trim(doc.FilePath).isEmpty() ? editor.catalogue.tx(u"New file") : doc.FilePath;
    const int answer = editor.ShowMessage(editor.catalogue.tx(u"Save actual data?"),
                                          MsgStyle::YesNo + MsgStyle::Question, title);
    doc.Answer = static_cast<qint16>(answer);
    const bool saveFailed = answer == MsgAnswer::Yes && editor.Save() == Editor::SaveResult::Failed;
    doc.Answer = ScheduleDocument::AnswerNone;
    return !saveFailed;
}

std::optional<QString> askForFileToOpen(Editor& editor, QStringView title, QStringView filter,
                                        const QString& initialName) {
    const TextCatalogue& c = editor.catalogue;
    return editor.platform.files->openFile(
        {c.tx(title), c.tx(filter), initialName, c.tx(u"C:\\Velox-PC_V9")});
}

// Reads the whole file before anything of the current schedule is touched, so
// that a file that cannot be read leaves the schedule as it was.
bool readBeforeLoading(Editor& editor, const QString& path, ScheduleFileContent& content) {
    QString reason;
    if (ReadScheduleFile(path, content, &reason, &editor.catalogue))
        return true;
    editor.ShowMessage(path + TextCatalogue::HintLineBreak() + reason, MsgStyle::Critical,
                       errorTitle());
    return false;
}

// Fills the cleared document row by row, growing the table a few rows ahead
// as a line reaches the last row.
void fillRows(Editor& editor, const QStringList& lines) {
    ScheduleDocument& doc = editor.document;
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

void finishLoading(Editor& editor) {
    editor.openWithoutDialog = false;
    editor.document.Modified = false;
    editor.setAutosaveEnabled(false);
    editor.document.grid.currentRow = 1;
    editor.form->setFieldText(0, QStringLiteral("1"));
}

void tellLinesNotLoaded(Editor& editor, const QString& path, qint64 count) {
    if (count <= 0)
        return;
    editor.ShowMessage(path + TextCatalogue::HintLineBreak() +
                           editor.catalogue.tx(u"Lines not loaded (more than 1999): ") +
                           QString::number(count),
                       MsgStyle::Critical, errorTitle());
}

} // namespace

void Editor::New() {
    if (askToSaveCurrent(*this))
        ClearDocument();
}

void Editor::Open(const std::optional<QString>& pathFromRecent) {
    // Order: New's question (and its Save) concerns the schedule being left, so
    // it comes before the dialog and before a path from the recent list is
    // taken over. The file is then read whole; only when that worked is the
    // document cleared and filled. A cancelled dialog clears it, as New would.
    openWithoutDialog = pathFromRecent.has_value();
    if (!askToSaveCurrent(*this)) {
        openWithoutDialog = false;
        return;
    }
    QString path;
    if (pathFromRecent) {
        path = *pathFromRecent;
    } else {
        const auto chosen =
            askForFileToOpen(*this, u" File selection for: Open  >>> SCHEDULE FILE <<<",
                             u"SCHEDULE-FILE  (*.vfp) | *.vfp", QStringLiteral("*.vfp"));
        if (!chosen) {
            ClearDocument();
            return;
        }
        path = *chosen;
    }
    ScheduleFileContent content;
    if (!readBeforeLoading(*this, path, content)) {
        openWithoutDialog = false;
        return;
    }
    ClearDocument();
    document.FilePath = path;
    document.ExtractFileName();
    for (int k = 1; k <= 6; ++k)
        form->setFieldText(k, QString());
    fillRows(*this, content.lines);
    finishLoading(*this);
    afterFileWritten(document.FilePath);
    windowTitle = titleWithFile();
    tellLinesNotLoaded(*this, path, content.linesNotLoaded);
}

Editor::SaveResult Editor::Save() {
    const QString initialName =
        Trim(document.FileName).isEmpty() ? QStringLiteral("*.vfp") : document.FileName;
    const auto chosen =
        platform.files->saveFile({catalogue.tx(u" File selection for: Save  >>> SCHEDULE FILE <<<"),
                                  catalogue.tx(u"SCHEDULE-FILE  (*.vfp) | *.vfp"), initialName,
                                  catalogue.tx(u"C:\\Velox-PC_V9")});
    if (!chosen)
        return SaveResult::Cancelled;
    const QString path = *chosen;
    const QFileInfo info(path);
    if (info.exists() && !info.isDir()) {
        const int answer = ShowMessage(
            path + QStringLiteral("\r\n") + catalogue.tx(u"File available, overwriting?"),
            MsgStyle::YesNo + MsgStyle::Question + MsgStyle::DefaultButton2,
            catalogue.tx(u"&Save schedule data"));
        if (answer != MsgAnswer::Yes)
            return SaveResult::Cancelled;
    }
    document.Answer = ScheduleDocument::AnswerNone;

    QStringList rows;
    rows.reserve(document.RowCount);
    for (int r = 1; r <= document.RowCount; ++r)
        rows.append(document.line(r));
    bool lossy = false;
    const QByteArray bytes = SerializeSchedule(rows, &lossy);
    QString reason;
    // FilePath, the title and Modified change only once the file is written.
    if (!WriteScheduleFile(path, bytes, &reason, &catalogue)) {
        ShowMessage(path + TextCatalogue::HintLineBreak() + reason, MsgStyle::Critical,
                    errorTitle());
        return SaveResult::Failed;
    }
    document.FilePath = path;
    afterFileWritten(document.FilePath);
    document.Modified = false;
    setAutosaveEnabled(false);
    windowTitle = titleWithFile();
    if (lossy)
        ShowMessage(path + TextCatalogue::HintLineBreak() +
                        catalogue.tx(u"Some characters cannot be stored and were saved as ?"),
                    MsgStyle::Critical, errorTitle());
    return SaveResult::Written;
}

void Editor::Import() {
    // The same order as Open: question, dialog, read, then clear and fill.
    if (!askToSaveCurrent(*this))
        return;
    const auto chosen =
        askForFileToOpen(*this, u" File selection for: Open  >>> LGB SCHEDULE <<<",
                         u"MTS-PC SCHEDULE-FILE  (*.lsp) | *.lsp", QStringLiteral("*.lsp"));
    if (!chosen) {
        ClearDocument();
        return;
    }
    const QString path = *chosen;
    ScheduleFileContent content;
    if (!readBeforeLoading(*this, path, content))
        return;
    ClearDocument();
    document.FilePath = path;
    document.ExtractFileName();
    QStringList rows;
    rows.reserve(content.lines.size());
    for (QString& source : content.lines) {
        QString row;
        ConvertMtsLine(source, row);
        rows.append(row);
    }
    fillRows(*this, rows);
    // A later Save proposes the .vfp name beside the imported file.
    const QString trimmed = RTrim(document.FilePath);
    if (trimmed.endsWith(u".LSP", Qt::CaseInsensitive)) {
        document.FilePath = trimmed.chopped(4) + QStringLiteral(".vfp");
        document.ExtractFileName();
    }
    finishLoading(*this);
    tellLinesNotLoaded(*this, path, content.linesNotLoaded);
}

} // namespace vx
