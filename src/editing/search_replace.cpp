#include "editing/search_replace.h"

#include "document/schedule_document.h"
#include "texts/blanks.h"

namespace vx {

namespace {
bool isDigitAt(QStringView line, qsizetype i) {
    return i >= 0 && i < line.size() && line[i] >= u'0' && line[i] <= u'9';
}

int firstPosition(const QString& line, const QString& s, const QString& upper, bool wholeNumber) {
    // Positions run over the length of the trimmed line but compare the line
    // as it stands, so a line with leading blanks is searched only partly.
    const qsizetype limit = TrimView(line).size();
    const QStringView view(line);
    for (qsizetype p = 0; p < limit; ++p) {
        const QStringView piece = view.mid(p, s.size());
        if (piece != s && piece != upper)
            continue;
        if (wholeNumber && ((isDigitAt(s, 0) && isDigitAt(view, p - 1)) ||
                            (isDigitAt(s, s.size() - 1) && isDigitAt(view, p + s.size()))))
            continue;
        return static_cast<int>(p + 1);
    }
    return 0;
}
} // namespace

Occurrence FindOccurrence(const ScheduleDocument& document, int currentRow, const QString& text,
                          bool wholeNumber) {
    const QString s = RTrim(text);
    if (s.isEmpty())
        return {};
    const QString upper = s.toUpper();
    const int rows = document.RowCount;
    auto pass = [&](int from, int to) -> Occurrence {
        for (int i = from; i <= to; ++i) {
            if (const int p = firstPosition(document.line(i), s, upper, wholeNumber))
                return {i, p};
        }
        return {};
    };
    Occurrence found = currentRow == rows ? pass(1, rows) : pass(currentRow + 1, rows);
    if (found.row == 0)
        found = pass(1, std::min(currentRow, rows));
    return found;
}

QString ReplaceAt(const QString& line, int position, const QString& oldText,
                  const QString& newText) {
    const int keep = position == 0 ? 1 : position - 1;
    const QString oldTrimmed = Trim(oldText);
    return line.left(keep) + Trim(newText) + line.mid(keep + oldTrimmed.size());
}

} // namespace vx
