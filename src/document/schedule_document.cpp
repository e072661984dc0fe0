#include "document/schedule_document.h"

#include "platform/platform.h"
#include "texts/text_catalogue.h"

#include <QDir>

namespace vx {

void GridState::resize(int newRows) {
    rows = newRows;
    numberColumn.resize(static_cast<size_t>(newRows));
    textColumn.resize(static_cast<size_t>(newRows));
    if (currentRow >= rows)
        currentRow = rows - 1;
    if (topRow >= rows)
        topRow = rows - 1;
}

ScheduleDocument::ScheduleDocument(const Platform& platform, const TextCatalogue& catalogue)
    : platform_(platform), catalogue_(catalogue) {
    Lines.resize(InitialRows + 2);
    RowNumbers.resize(InitialRows + 2);
    for (size_t r = 0; r < RowNumbers.size(); ++r)
        RowNumbers[r] = static_cast<qint16>(r);
    grid.resize(InitialRows + 1);
    for (int r = 1; r <= InitialRows; ++r)
        grid.numberColumn[static_cast<size_t>(r)] = QString::number(r);
}

void ScheduleDocument::setLine(int r, const QString& text) {
    Lines[static_cast<size_t>(r)] = text;
    if (r < grid.rows)
        grid.textColumn[static_cast<size_t>(r)] = text;
}

bool ScheduleDocument::anyRowHasContent() const {
    for (int r = 1; r <= RowCount; ++r)
        if (hasContent(Lines[static_cast<size_t>(r)]))
            return true;
    return false;
}

void ScheduleDocument::ClearDocument() {
    RowCount = InitialRows;
    // Rows above 99 of an earlier, longer schedule must not come back when the
    // table grows again.
    for (auto& text : Lines)
        text.clear();
    for (size_t r = 0; r < RowNumbers.size(); ++r)
        RowNumbers[r] = static_cast<qint16>(r);
    grid.resize(InitialRows + 1);
    for (int r = 1; r <= InitialRows; ++r) {
        grid.numberColumn[static_cast<size_t>(r)] = QString::number(r);
        grid.textColumn[static_cast<size_t>(r)].clear();
    }
}

void ScheduleDocument::ExpandRows(int& n) {
    if (n <= 0)
        return;
    if (n >= AskFromRows) {
        const QString prompt = catalogue_.tx(u"Expand table really for ") + u' ' +
                               QString::number(n) + catalogue_.tx(u" lines") + u'?';
        const int answer =
            platform_.messages->show(prompt, MsgStyle::YesNo, QStringLiteral("VX-Editor"),
                                     catalogue_.language() == Language::DE);
        Answer = static_cast<qint16>(answer);
        if (answer == AnswerNo) {
            Answer = AnswerNone;
            return;
        }
    }
    platform_.desktop->setBusy(true);
    const int old = RowCount;
    const qint64 wanted = qint64(old) + n; // n may be anything a caller computed
    const int now = wanted >= MaxRows ? MaxRows : int(wanted);
    if (Lines.size() < static_cast<size_t>(now + 1)) {
        Lines.resize(static_cast<size_t>(now + 1));
        RowNumbers.resize(static_cast<size_t>(now + 1));
    }
    for (int r = old; r <= now; ++r)
        RowNumbers[static_cast<size_t>(r)] = static_cast<qint16>(r);
    RowCount = static_cast<qint16>(now);
    grid.resize(now + 1);
    for (int r = old + 1; r <= now; ++r) {
        Lines[static_cast<size_t>(r)].clear();
        grid.numberColumn[static_cast<size_t>(r)] = u' ' + QString::number(r);
        grid.textColumn[static_cast<size_t>(r)].clear();
    }
    grid.currentColumn = 1;
    platform_.desktop->setBusy(false);
}

void ScheduleDocument::ExtractFileName() {
    // The platform's separators stand where the original program knew only the
    // backslash.
    const qsizetype slash = FilePath.lastIndexOf(u'/');
    const qsizetype back = FilePath.lastIndexOf(u'\\');
    const qsizetype cut = std::max(slash, back);
    FileName = cut < 0 ? QString() : FilePath.mid(cut + 1);
}

} // namespace vx
