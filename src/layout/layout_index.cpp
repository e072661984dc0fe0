#include "layout/layout_index.h"

#include "document/file_io.h"
#include "document/vfp_file.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace vx {

QString LayoutSchedule::name() const {
    return QFileInfo(path).fileName();
}

std::optional<QStringList> SchedulesInFolder(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists() || !QFileInfo(folder).isReadable())
        return std::nullopt;
    // Special files count too: they are then listed as unreadable, not hidden.
    QStringList names = dir.entryList({QStringLiteral("*.vfp")},
                                      QDir::Files | QDir::System | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end());
    const QString head = folder.endsWith(u'/') ? folder : folder + u'/';
    for (QString& name : names)
        name.prepend(head);
    return names;
}

bool NamesScheduleFile(const QString& written, const QString& fileName) {
    QString last = written.trimmed();
    const qsizetype cut = std::max(last.lastIndexOf(u'/'), last.lastIndexOf(u'\\'));
    last = last.mid(cut + 1);
    if (last.compare(fileName, Qt::CaseInsensitive) == 0)
        return true;
    return !last.contains(u'.') &&
           QString(last + QStringLiteral(".vfp")).compare(fileName, Qt::CaseInsensitive) == 0;
}

namespace {

// Control bytes that no text editor leaves in a line: the file is binary.
bool isBinary(const QByteArray& bytes) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n' && b != 0x0C && b != 0x1A)
            return true;
    }
    return false;
}

} // namespace

void ParseLayoutSchedule(LayoutSchedule& s) {
    s.lines.clear();
    s.lineStarts.clear();
    s.uses.clear();
    if (isBinary(s.bytes)) {
        s.state = LayoutSchedule::State::NotSchedule;
        s.reason = QStringLiteral("not a schedule (binary data)");
        return;
    }
    s.state = LayoutSchedule::State::Read;
    s.reason.clear();
    // Line ends as the schedule reader takes them: CR LF, a lone CR or LF.
    const QByteArray& b = s.bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] != '\r' && b[i] != '\n')
            continue;
        s.lineStarts.append(start);
        s.lines.append(DecodeWindows1252(QByteArrayView(b).sliced(start, i - start)));
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < b.size()) {
        s.lineStarts.append(start);
        s.lines.append(DecodeWindows1252(QByteArrayView(b).sliced(start)));
    }
    for (qsizetype i = 0; i < s.lines.size(); ++i) {
        const ParsedCommand p = ParseCommand(s.lines[i]);
        for (const Use& u : p.uses)
            s.uses.append({u.thing, u.id, u.access, static_cast<int>(i + 1), u.operand, u.span});
    }
}

LayoutSchedule& LayoutIndex::slot(const QString& path) {
    // One file named twice ("dir" and "dir/a.vfp") is one schedule: it must
    // not be read, changed and written twice.
    const QString real = QFileInfo(path).canonicalFilePath();
    const QString key = real.isEmpty() ? path : real;
    if (const auto at = slots_.constFind(key); at != slots_.cend())
        return schedules_[*at];
    slots_.insert(key, schedules_.size());
    schedules_.append(LayoutSchedule{});
    schedules_.back().path = path;
    return schedules_.back();
}

void LayoutIndex::addPaths(const QStringList& paths) {
    for (const QString& path : paths) {
        if (!QFileInfo(path).isDir()) {
            readFile(path);
            continue;
        }
        const std::optional<QStringList> files = SchedulesInFolder(path);
        if (!files) {
            LayoutSchedule& s = slot(path);
            s.state = LayoutSchedule::State::Unreadable;
            s.reason = QStringLiteral("the folder cannot be read");
            continue;
        }
        for (const QString& file : *files)
            readFile(file);
    }
}

const LayoutSchedule& LayoutIndex::readFile(const QString& path) {
    LayoutSchedule& s = slot(path);
    Result<QByteArray> bytes = ReadInputFile(path);
    if (!bytes) {
        s = LayoutSchedule{};
        s.path = path;
        s.state = LayoutSchedule::State::Unreadable;
        s.reason = bytes.message();
        return s;
    }
    s.bytes = std::move(*bytes);
    ParseLayoutSchedule(s);
    return s;
}

namespace {

// A line of a document holds what a file holds when the line is saved and
// read back; lines of ASCII come back as they are.
QString AsStored(const QString& line) {
    for (const QChar c : line)
        if (c.unicode() >= 0x80)
            return DecodeWindows1252(EncodeWindows1252(line));
    return line;
}

bool HasBinary(const QString& line) {
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != 0x0C && u != 0x1A)
            return true;
    }
    return false;
}

// The first use at line or after it.
qsizetype FirstUseFrom(const QList<LayoutUse>& uses, int line) {
    return std::lower_bound(uses.begin(), uses.end(), line,
                            [](const LayoutUse& u, int l) { return u.line < l; }) -
           uses.begin();
}

} // namespace

const LayoutSchedule& LayoutIndex::setLines(const QString& path, const QStringList& lines,
                                            LinesChange* change) {
    const qsizetype before = schedules_.size();
    LayoutSchedule& s = slot(path);
    LinesChange c;
    c.schedule = static_cast<int>(&s - schedules_.data());
    const qsizetype had = s.lines.size();
    const qsizetype count = lines.size();
    qsizetype same = 0; // leading lines that stay
    qsizetype tail = 0; // trailing lines that stay
    const bool known = schedules_.size() == before && s.isRead();
    if (known) {
        while (same < std::min(had, count) && AsStored(lines[same]) == s.lines[same])
            ++same;
        while (tail < std::min(had, count) - same &&
               AsStored(lines[count - 1 - tail]) == s.lines[had - 1 - tail])
            ++tail;
    }
    c.first = static_cast<int>(same);
    c.removed = static_cast<int>(had - same - tail);
    c.added = static_cast<int>(count - same - tail);
    // Made again from scratch when it was no schedule or may become none.
    bool whole = !known;
    for (qsizetype i = same; !whole && i < same + c.added; ++i)
        whole = HasBinary(lines[i]);
    if (whole) {
        // Row for row, blank rows included (saving drops them): a use must
        // name the row the editor shows, or renumbering would change another
        // row.
        s.bytes.clear();
        for (const QString& line : lines) {
            s.bytes.append(EncodeWindows1252(line));
            s.bytes.append("\r\n", 2);
        }
        ParseLayoutSchedule(s);
        s.bytes.clear();
        s.lineStarts.clear();
        c.first = 0;
        c.removed = static_cast<int>(had);
        c.added = static_cast<int>(s.lines.size());
    } else if (c.removed > 0 || c.added > 0) {
        s.bytes.clear();
        s.lineStarts.clear();
        const qsizetype from = FirstUseFrom(s.uses, c.first + 1);
        const qsizetype to = FirstUseFrom(s.uses, c.first + c.removed + 1);
        QList<LayoutUse> fresh;
        for (int i = 0; i < c.added; ++i) {
            const int line = c.first + i + 1;
            for (const Use& u : ParseCommand(lines[c.first + i]).uses)
                fresh.append({u.thing, u.id, u.access, line, u.operand, u.span});
        }
        const int shift = c.added - c.removed;
        for (qsizetype k = to; shift != 0 && k < s.uses.size(); ++k)
            s.uses[k].line += shift;
        s.uses.remove(from, to - from);
        s.uses.insert(from, fresh.size(), LayoutUse{});
        std::move(fresh.begin(), fresh.end(), s.uses.begin() + from);
        s.lines.remove(c.first, c.removed);
        s.lines.insert(c.first, c.added, QString());
        for (int i = 0; i < c.added; ++i)
            s.lines[c.first + i] = AsStored(lines[c.first + i]);
    }
    if (change)
        *change = c;
    return s;
}

void LayoutIndex::reserve(const QString& path) {
    slot(path);
}

int LayoutIndex::placeOf(const QString& path) const {
    for (qsizetype i = 0; i < schedules_.size(); ++i)
        if (schedules_[i].path == path)
            return static_cast<int>(i);
    const QString real = QFileInfo(path).canonicalFilePath();
    const auto at = slots_.constFind(real.isEmpty() ? path : real);
    return at == slots_.cend() ? -1 : static_cast<int>(*at);
}

void LayoutIndex::drop(const QString& path) {
    const int place = placeOf(path);
    if (place < 0)
        return;
    schedules_.removeAt(place);
    for (auto it = slots_.begin(); it != slots_.end();) {
        if (*it == place) {
            it = slots_.erase(it);
            continue;
        }
        if (*it > place)
            --*it;
        ++it;
    }
}

const LayoutSchedule* LayoutIndex::find(const QString& path) const {
    for (const LayoutSchedule& s : schedules_)
        if (s.path == path)
            return &s;
    return nullptr;
}

std::optional<Thing> ThingByName(const QString& name) {
    for (int k = 0; k <= static_cast<int>(Thing::Address); ++k)
        if (ThingName(static_cast<Thing>(k)) == name)
            return static_cast<Thing>(k);
    return std::nullopt;
}

bool IdLess(const QString& a, const QString& b) {
    const bool na = !a.isEmpty() &&
                    std::all_of(a.begin(), a.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    const bool nb = !b.isEmpty() &&
                    std::all_of(b.begin(), b.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (na && nb)
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    if (na != nb)
        return na; // within one kind ids are all numbers or all names; be total anyway
    return a < b;
}

QList<LayoutIndex::Ref> LayoutIndex::sortedUses() const {
    QList<Ref> refs;
    for (const LayoutSchedule& s : schedules_)
        for (const LayoutUse& u : s.uses)
            refs.append({&s, &u});
    // The schedules lie in one array in the order added.
    std::stable_sort(refs.begin(), refs.end(), [](const Ref& x, const Ref& y) {
        if (x.use->thing != y.use->thing)
            return x.use->thing < y.use->thing;
        if (x.use->id != y.use->id)
            return IdLess(x.use->id, y.use->id);
        if (x.schedule != y.schedule)
            return x.schedule < y.schedule;
        if (x.use->line != y.use->line)
            return x.use->line < y.use->line;
        return x.use->operand < y.use->operand;
    });
    return refs;
}

} // namespace vx
