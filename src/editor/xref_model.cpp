#include "editor/xref_model.h"

#include "texts/basic_numbers.h"
#include "texts/text_catalogue.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <numeric>

namespace vx {

namespace {

constexpr int AccessCount = static_cast<int>(Access::Loads) + 1;
// More separate runs of rows than this are told as one reset: a view and a
// proxy pay for each run about what a reset costs them.
constexpr size_t MostRuns = 16;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// As IdLess orders them, as a three-way comparison. Digits of one length
// compare as their values do.
int CompareIds(const XrefModel::Entry& x, const XrefModel::Entry& y) {
    if (x.numberId != y.numberId)
        return x.numberId ? -1 : 1;
    if (x.numberId) {
        if (x.id.size() != y.id.size())
            return x.id.size() < y.id.size() ? -1 : 1;
        if (x.id.size() <= 18)
            return (x.number > y.number) - (x.number < y.number);
    }
    return Sign(QString::compare(x.id, y.id));
}

// Ranks of texts sorted without regard to case; equal texts share one.
std::vector<int> Ranks(const QStringList& texts) {
    std::vector<int> order(static_cast<size_t>(texts.size()));
    std::iota(order.begin(), order.end(), 0);
    const auto cmp = [&](int a, int b) {
        return QString::compare(texts[a], texts[b], Qt::CaseInsensitive);
    };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cmp(a, b) < 0; });
    std::vector<int> rank(order.size());
    int r = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && cmp(order[i - 1], order[i]) != 0)
            ++r;
        rank[static_cast<size_t>(order[i])] = r;
    }
    return rank;
}

} // namespace

XrefModel::XrefModel(const TextCatalogue& catalogue, const LayoutIndex& index)
    : catalogue_(catalogue), index_(index) {}

const QString& XrefModel::scheduleName(const Entry& e) const {
    static const QString none;
    return e.schedule >= 0 && e.schedule < names_.size() ? names_[e.schedule] : none;
}

QStringList XrefModel::kindWords() const {
    quint32 seen = 0;
    for (const int slot : rows_)
        seen |= 1u << static_cast<int>(store_[static_cast<size_t>(slot)].thing);
    QStringList words;
    for (int t = 0; t <= static_cast<int>(Thing::Address); ++t)
        if (seen & (1u << t))
            words << catalogue_.tx(ThingName(static_cast<Thing>(t)));
    return words;
}

QStringList XrefModel::useWords() const {
    quint32 seen = 0;
    for (const int slot : rows_)
        seen |= 1u << static_cast<int>(store_[static_cast<size_t>(slot)].access);
    QStringList words;
    for (int a = 0; a < AccessCount; ++a)
        if (seen & (1u << a))
            words << catalogue_.tx(AccessName(static_cast<Access>(a)));
    return words;
}

QString XrefModel::text(const Entry& e) const {
    const QList<LayoutSchedule>& all = index_.schedules();
    if (e.schedule < 0 || e.schedule >= all.size())
        return {};
    const QStringList& lines = all[e.schedule].lines;
    const int i = e.line - 1;
    return i >= 0 && i < lines.size() ? lines[i] : QString();
}

int XrefModel::compareBy(int column, const Entry& x, const Entry& y) const {
    switch (column) {
    case KindColumn:
        return Sign(static_cast<int>(x.thing) - static_cast<int>(y.thing));
    case IdColumn:
        return CompareIds(x, y);
    case ScheduleColumn:
        return Sign(nameRank_[static_cast<size_t>(x.schedule)] -
                    nameRank_[static_cast<size_t>(y.schedule)]);
    case RowColumn:
        return Sign(x.line - y.line);
    case AccessColumn:
        return Sign(accessRank_[static_cast<size_t>(x.access)] -
                    accessRank_[static_cast<size_t>(y.access)]);
    case LineColumn:
        return Sign(QString::compare(text(x), text(y), Qt::CaseInsensitive));
    default:
        return 0;
    }
}

bool XrefModel::less(int a, int b) const {
    const Entry& x = store_[static_cast<size_t>(a)];
    const Entry& y = store_[static_cast<size_t>(b)];
    if (column_ >= 0) {
        if (const int c = compareBy(column_, x, y); c != 0)
            return order_ == Qt::AscendingOrder ? c < 0 : c > 0;
    }
    if (x.thing != y.thing)
        return x.thing < y.thing;
    if (const int c = CompareIds(x, y); c != 0)
        return c < 0;
    if (x.schedule != y.schedule)
        return x.schedule < y.schedule;
    if (x.line != y.line)
        return x.line < y.line;
    if (x.operand != y.operand)
        return x.operand < y.operand;
    return x.order < y.order;
}

bool XrefModel::takeNames() {
    // Places keep their paths: only new ones need a name.
    const QList<LayoutSchedule>& all = index_.schedules();
    if (names_.size() == all.size())
        return false;
    for (qsizetype p = names_.size(); p < all.size(); ++p)
        names_.append(all[p].name());
    return true;
}

void XrefModel::rank() {
    nameRank_ = Ranks(names_);
    QStringList words;
    for (int a = 0; a < AccessCount; ++a)
        words.append(catalogue_.tx(AccessName(static_cast<Access>(a))));
    accessRank_ = Ranks(words);
}

void XrefModel::appendEntries(int place, int fromLine, int toLine, std::vector<int>& added) {
    const LayoutSchedule& s = index_.schedules()[place];
    if (!s.isRead())
        return;
    qsizetype k = std::lower_bound(s.uses.begin(), s.uses.end(), fromLine,
                                   [](const LayoutUse& u, int l) { return u.line < l; }) -
                  s.uses.begin();
    int order = 0;
    for (int last = -1; k < s.uses.size() && s.uses[k].line <= toLine; ++k) {
        const LayoutUse& u = s.uses[k];
        order = u.line == last ? order + 1 : 0;
        last = u.line;
        const bool number = IsDigits(u.id);
        const quint64 value = number && u.id.size() <= 18 ? u.id.toULongLong() : 0;
        Entry e{u.thing, u.access, number, value, place, u.line, u.operand, order, u.id};
        int slot;
        if (free_.empty()) {
            slot = static_cast<int>(store_.size());
            store_.push_back(std::move(e));
        } else {
            slot = free_.back();
            free_.pop_back();
            store_[static_cast<size_t>(slot)] = std::move(e);
        }
        added.push_back(slot);
    }
}

void XrefModel::release(int slot) {
    store_[static_cast<size_t>(slot)] = Entry{};
    free_.push_back(slot);
}

void XrefModel::sortRows() {
    std::sort(rows_.begin(), rows_.end(), [this](int a, int b) { return less(a, b); });
}

void XrefModel::reset() {
    beginResetModel();
    staged_.clear();
    store_.clear();
    free_.clear();
    rows_.clear();
    names_.clear();
    takeNames();
    rank();
    bySchedule_.assign(static_cast<size_t>(names_.size()), {});
    for (int p = 0; p < names_.size(); ++p) {
        std::vector<int>& mine = bySchedule_[static_cast<size_t>(p)];
        appendEntries(p, 1, std::numeric_limits<int>::max(), mine);
        rows_.insert(rows_.end(), mine.begin(), mine.end());
    }
    sortRows();
    endResetModel();
}

void XrefModel::mergeRuns(std::vector<int>& into, std::vector<int>& from) {
    std::vector<int> merged;
    merged.reserve(into.size() + from.size());
    std::merge(into.begin(), into.end(), from.begin(), from.end(), std::back_inserter(merged),
               [this](int a, int b) { return less(a, b); });
    into = std::move(merged);
    from = {};
}

void XrefModel::stageSchedules(const QList<int>& places) {
    if (takeNames())
        rank();
    bySchedule_.resize(static_cast<size_t>(names_.size()));
    // A schedule read before would be there twice.
    for (const int p : places)
        if (!bySchedule_[static_cast<size_t>(p)].empty()) {
            reset();
            return;
        }
    std::vector<int> run;
    for (const int p : places) {
        std::vector<int>& mine = bySchedule_[static_cast<size_t>(p)];
        appendEntries(p, 1, std::numeric_limits<int>::max(), mine);
        run.insert(run.end(), mine.begin(), mine.end());
    }
    if (run.empty())
        return;
    std::sort(run.begin(), run.end(), [this](int a, int b) { return less(a, b); });
    staged_.push_back(std::move(run));
    // Runs of about one size are merged at once, so that no merge later is
    // much larger than the rows read so far.
    while (staged_.size() >= 2 && staged_[staged_.size() - 2].size() <= 2 * staged_.back().size())
        mergeStaged();
}

bool XrefModel::mergeStaged() {
    if (staged_.size() < 2)
        return false;
    mergeRuns(staged_[staged_.size() - 2], staged_.back());
    staged_.pop_back();
    return staged_.size() >= 2;
}

void XrefModel::commitStaged() {
    if (staged_.empty())
        return;
    while (mergeStaged()) {
    }
    std::vector<int> rows = rows_;
    mergeRuns(rows, staged_.front());
    staged_.clear();
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::ptrdiff_t XrefModel::rowOf(int slot) const {
    return std::lower_bound(rows_.begin(), rows_.end(), slot,
                            [this](int a, int b) { return less(a, b); }) -
           rows_.begin();
}

void XrefModel::linesChanged(const LayoutIndex::LinesChange& change) {
    const int shift = change.added - change.removed;
    // A moved row number reorders rows sorted by it.
    if (change.schedule < 0 || (shift != 0 && column_ == RowColumn)) {
        reset();
        return;
    }
    if (change.none())
        return;
    // Rows out of sight cannot be told as removed.
    commitStaged();
    if (takeNames()) {
        rank();
        bySchedule_.resize(static_cast<size_t>(names_.size()));
    }
    const int place = change.schedule;
    const int lastOld = change.first + change.removed;
    std::vector<int>& mine = bySchedule_[static_cast<size_t>(place)];
    std::vector<int> gone, kept;
    kept.reserve(mine.size());
    for (const int slot : mine) {
        const int line = store_[static_cast<size_t>(slot)].line;
        (line > change.first && line <= lastOld ? gone : kept).push_back(slot);
    }
    // Where the going rows stand: sought while their keys still hold, unless
    // their line's text, which is new already, is what the rows are sorted by.
    std::vector<int> goneRows;
    const bool byText = column_ == LineColumn;
    if (!byText && gone.size() <= 64) {
        for (const int slot : gone)
            goneRows.push_back(static_cast<int>(rowOf(slot)));
        std::sort(goneRows.begin(), goneRows.end());
    } else if (!gone.empty()) {
        std::vector<char> going(store_.size(), 0);
        for (const int slot : gone)
            going[static_cast<size_t>(slot)] = 1;
        for (size_t r = 0; r < rows_.size(); ++r)
            if (going[static_cast<size_t>(rows_[r])])
                goneRows.push_back(static_cast<int>(r));
    }
    // Within one schedule rows keep their order when the ones below move.
    std::vector<int> moved;
    for (const int slot : kept) {
        Entry& e = store_[static_cast<size_t>(slot)];
        if (e.line > lastOld && shift != 0) {
            e.line += shift;
            moved.push_back(slot);
        }
    }
    std::vector<int> added;
    appendEntries(place, change.first + 1, change.first + change.added, added);
    std::sort(added.begin(), added.end(), [this](int a, int b) { return less(a, b); });
    mine = std::move(kept);
    mine.insert(mine.end(), added.begin(), added.end());

    // Runs of removed rows, first row and length.
    std::vector<std::pair<int, int>> removals;
    for (const int r : goneRows) {
        if (!removals.empty() && removals.back().first + removals.back().second == r)
            ++removals.back().second;
        else
            removals.push_back({r, 1});
    }
    // Runs of added rows: those that fall between the same two old rows.
    size_t insertions = 0;
    if (byText) {
        insertions = added.size();
    } else {
        for (size_t k = 0, last = 0; k < added.size(); ++k) {
            const auto at = static_cast<size_t>(rowOf(added[k]));
            if (k == 0 || at != last)
                ++insertions;
            last = at;
        }
    }

    if (removals.size() + insertions > MostRuns) {
        std::vector<int> rest;
        rest.reserve(rows_.size());
        size_t next = 0;
        for (size_t r = 0; r < rows_.size(); ++r) {
            if (next < goneRows.size() && static_cast<size_t>(goneRows[next]) == r)
                ++next;
            else
                rest.push_back(rows_[r]);
        }
        std::vector<int> merged;
        merged.reserve(rest.size() + added.size());
        std::merge(rest.begin(), rest.end(), added.begin(), added.end(), std::back_inserter(merged),
                   [this](int a, int b) { return less(a, b); });
        beginResetModel();
        rows_ = std::move(merged);
        for (const int slot : gone)
            release(slot);
        endResetModel();
        return;
    }
    for (auto run = removals.rbegin(); run != removals.rend(); ++run) {
        beginRemoveRows({}, run->first, run->first + run->second - 1);
        rows_.erase(rows_.begin() + run->first, rows_.begin() + run->first + run->second);
        endRemoveRows();
    }
    for (const int slot : gone)
        release(slot);
    for (size_t k = 0; k < added.size();) {
        const auto at = rowOf(added[k]);
        size_t end = k + 1;
        while (end < added.size() && rowOf(added[end]) == at)
            ++end;
        const int first = static_cast<int>(at);
        beginInsertRows({}, first, first + static_cast<int>(end - k) - 1);
        rows_.insert(rows_.begin() + at, added.begin() + static_cast<qsizetype>(k),
                     added.begin() + static_cast<qsizetype>(end));
        endInsertRows();
        k = end;
    }
    if (moved.empty())
        return;
    // The rows below the change show other numbers now: a few are sought,
    // many span the table anyway.
    int top = 0, bottom = static_cast<int>(rows_.size()) - 1;
    if (moved.size() <= 64) {
        top = bottom = static_cast<int>(rowOf(moved.front()));
        for (const int slot : moved) {
            const int r = static_cast<int>(rowOf(slot));
            top = std::min(top, r);
            bottom = std::max(bottom, r);
        }
    }
    emit dataChanged(index(top, RowColumn), index(bottom, RowColumn));
}

void XrefModel::scheduleRead(int place) {
    LayoutIndex::LinesChange all;
    all.schedule = place;
    all.removed = std::numeric_limits<int>::max() / 2;
    all.added = place >= 0 && place < index_.schedules().size()
                    ? static_cast<int>(index_.schedules()[place].lines.size())
                    : 0;
    linesChanged(all);
}

void XrefModel::sort(int column, Qt::SortOrder order) {
    if (column == column_ && order == order_)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> held;
    held.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& i : before)
        held.push_back(rows_[static_cast<size_t>(i.row())]);
    column_ = column >= 0 && column < ColumnCount ? column : -1;
    order_ = order;
    rank();
    sortRows();
    for (std::vector<int>& run : staged_)
        std::sort(run.begin(), run.end(), [this](int a, int b) { return less(a, b); });
    std::vector<int> rowOf(store_.size(), -1);
    for (size_t r = 0; r < rows_.size(); ++r)
        rowOf[static_cast<size_t>(rows_[r])] = static_cast<int>(r);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype k = 0; k < before.size(); ++k)
        after.append(
            index(rowOf[static_cast<size_t>(held[static_cast<size_t>(k)])], before[k].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int XrefModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int XrefModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant XrefModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    const Entry& e = entry(index.row());
    if (role == FileRole) {
        const QList<LayoutSchedule>& all = index_.schedules();
        return e.schedule >= 0 && e.schedule < all.size() ? all[e.schedule].path : QString();
    }
    if (role == SortRole) {
        switch (index.column()) {
        case KindColumn:
            return static_cast<int>(e.thing);
        case RowColumn:
            return e.line;
        default:
            break;
        }
    }
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    switch (index.column()) {
    case KindColumn:
        return catalogue_.tx(ThingName(e.thing));
    case IdColumn:
        return e.id;
    case ScheduleColumn:
        return scheduleName(e);
    case RowColumn:
        return e.line;
    case AccessColumn:
        return catalogue_.tx(AccessName(e.access));
    case LineColumn:
        return text(e);
    default:
        return {};
    }
}

QVariant XrefModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char16_t* const Titles[ColumnCount] = {u"Kind", u"Number/name", u"Schedule",
                                                        u"Row",  u"Use",         u"Line"};
    if (section < 0 || section >= ColumnCount)
        return {};
    return catalogue_.tx(QStringView(Titles[section]));
}

// ---- the proxy ----

XrefFilter::XrefFilter() {
    // Its filter reads nothing that a data change touches.
    setDynamicSortFilter(false);
}

void XrefFilter::setKind(std::optional<Thing> kind) {
    kind_ = kind;
    invalidateFilter();
}

void XrefFilter::setText(const QString& text) {
    text_ = text.trimmed();
    // A typed number is the whole id: 12 finds contact 12, not 112.
    const int n = text_.toInt(&number_);
    numberId_ = number_ ? QString::number(n) : QString();
    invalidateFilter();
}

void XrefFilter::sort(int column, Qt::SortOrder order) {
    if (QAbstractItemModel* model = sourceModel())
        model->sort(column, order);
}

bool XrefFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* model = static_cast<const XrefModel*>(sourceModel());
    const XrefModel::Entry& e = model->entry(sourceRow);
    if (kind_ && e.thing != *kind_)
        return false;
    if (text_.isEmpty())
        return true;
    if (number_)
        return e.id == numberId_;
    return e.id.contains(text_, Qt::CaseInsensitive) ||
           model->scheduleName(e).contains(text_, Qt::CaseInsensitive) ||
           model->text(e).contains(text_, Qt::CaseInsensitive);
}

} // namespace vx
