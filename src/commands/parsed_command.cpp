#include "commands/parsed_command.h"

#include "commands/command_family.h"
#include "commands/line_syntax.h"
#include "texts/blanks.h"

namespace vx {

QString ThingName(Thing thing) {
    static const char* const names[] = {
        "contact", "article",   "signal", "route",       "marker",        "counter", "loco",
        "module",  "turntable", "setvar", "schedule-no", "schedule-file", "address"};
    return QString::fromLatin1(names[static_cast<int>(thing)]);
}

QString AccessName(Access access) {
    static const char* const names[] = {"waits", "tests",  "sets",    "switches",
                                        "reads", "writes", "drives",  "triggers",
                                        "calls", "jumps",  "defines", "loads"};
    return QString::fromLatin1(names[static_cast<int>(access)]);
}

std::array<TextSpan, 6> SplitSpans(const QString& s) {
    // Mirrors SplitLine step by step, keeping positions instead of copies.
    std::array<TextSpan, 6> f{};
    auto trim = [&s](qsizetype a, qsizetype z) {
        while (a < z && s[a] == u' ')
            ++a;
        while (z > a && s[z - 1] == u' ')
            --z;
        return TextSpan{a, z};
    };
    auto ltrim = [&s](qsizetype a, qsizetype z) {
        while (a < z && s[a] == u' ')
            ++a;
        return TextSpan{a, z};
    };
    // Searched within the span only: a line is short, a call into the
    // library's search costs more than the loop.
    const QChar* const c16 = s.constData();
    auto comma = [c16](const TextSpan& in) {
        for (qsizetype at = in.from; at < in.to; ++at)
            if (c16[at] == u',')
                return at;
        return qsizetype(-1);
    };
    const TextSpan line = trim(0, s.size());
    if (line.isEmpty())
        return f;
    if (s[line.from] == u'*') {
        f[0] = {line.from, line.from + 1};
        f[1] = {line.from + 1, line.to};
        return f;
    }
    qsizetype workEnd = line.to;
    if (s[line.from] != u'/') {
        for (qsizetype p = line.from; p + 1 < line.to; ++p)
            if (c16[p] == u' ' && c16[p + 1] == u'*') {
                workEnd = p + 1;
                break;
            }
    }
    TextSpan rest = trim(line.from, workEnd);
    qsizetype c = comma(rest);
    if (c < 0) {
        f[0] = trim(rest.from, std::min(rest.from + 1, rest.to));
        f[1] = trim(std::min(rest.from + 1, rest.to), rest.to);
        return f;
    }
    f[0] = trim(rest.from, c);
    rest = trim(c + 1, rest.to);
    for (int k = 1; k <= 4; ++k) {
        c = comma(rest);
        if (c < 0) {
            f[static_cast<size_t>(k)] =
                k == 4 ? ltrim(rest.from, rest.to) : trim(rest.from, rest.to);
            return f;
        }
        f[static_cast<size_t>(k)] = k == 4 ? ltrim(rest.from, c) : trim(rest.from, c);
        rest = trim(c + 1, rest.to); // its end is trimmed already
    }
    f[5] = trim(rest.from, rest.to);
    return f;
}

std::array<QString, 6> SplitBySpans(const QString& line) {
    const std::array<TextSpan, 6> spans = SplitSpans(line);
    std::array<QString, 6> fields;
    for (size_t k = 0; k < fields.size(); ++k)
        if (!spans[k].isEmpty())
            fields[k] = line.mid(spans[k].from, spans[k].to - spans[k].from);
    return fields;
}

QString ParsedCommand::upper(int k) const {
    return k >= 1 && k <= 5 ? operands[static_cast<size_t>(k)].toUpper() : QString();
}

QList<Use> ParsedCommand::usesOf(Thing thing) const {
    QList<Use> out;
    for (const Use& u : uses)
        if (u.thing == thing)
            out.append(u);
    return out;
}

void ParsedCommand::add(Thing thing, qsizetype from, qsizetype to, Access access, int operand) {
    if (!wanted(thing))
        return;
    QString id = text_.mid(from, to - from);
    if (thing == Thing::Address)
        id = id.toUpper();
    else if (thing != Thing::ScheduleFile) {
        qsizetype zeros = 0;
        while (zeros + 1 < id.size() && id[zeros] == u'0')
            ++zeros;
        id.remove(0, zeros);
    }
    uses.append({thing, id, access, operand, {from, to}});
}

namespace {
bool allDigits(QStringView text) {
    if (text.isEmpty())
        return false;
    for (QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}
} // namespace

void ParsedCommand::number(int k, Thing thing, Access access) {
    numberAt(spans[static_cast<size_t>(k)], k, thing, access);
}

void ParsedCommand::markerRef(int k, Access access) {
    markerAt(spans[static_cast<size_t>(k)], k, access);
}

void ParsedCommand::numberAt(TextSpan s, int k, Thing thing, Access access) {
    if (allDigits(QStringView(text_).mid(s.from, s.to - s.from)))
        add(thing, s.from, s.to, access, k);
}

void ParsedCommand::markerAt(TextSpan s, int k, Access access) {
    if (s.isEmpty() || text_[s.from].toUpper() != u'M')
        return;
    ++s.from;
    while (s.from < s.to && text_[s.from] == u' ')
        ++s.from;
    if (allDigits(QStringView(text_).mid(s.from, s.to - s.from)))
        add(Thing::Marker, s.from, s.to, access, k);
}

void ParsedCommand::numberOrMarker(int k, Thing thing, Access access, Access markerAccess) {
    number(k, thing, access);
    markerRef(k, markerAccess);
}

void ParsedCommand::name(int k, Thing thing, Access access) {
    const TextSpan s = spans[static_cast<size_t>(k)];
    if (!s.isEmpty())
        add(thing, s.from, s.to, access, k);
}

void ParsedCommand::variantNumber(Thing thing, Access access) {
    if (variant > 0)
        add(thing, spans[0].from + 1, spans[0].from + 2, access, 0);
}

void ParsedCommand::implied(Thing thing, const QString& id, Access access, int operand) {
    if (!wanted(thing))
        return;
    uses.append({thing, id, access, operand, {}});
}

ParsedCommand ParseCommand(const QString& line, std::optional<Thing> only) {
    ParsedCommand p;
    p.text_ = line;
    p.only_ = only;
    p.spans = SplitSpans(line);
    // The spans are the split's fields: copy only the operands that are there.
    for (size_t k = 1; k <= 5; ++k)
        if (!p.spans[k].isEmpty())
            p.operands[k] = line.mid(p.spans[k].from, p.spans[k].to - p.spans[k].from);
    const QStringView field =
        p.spans[0].isEmpty()
            ? QStringView()
            : QStringView(line).mid(p.spans[0].from, p.spans[0].to - p.spans[0].from);
    if (field.isEmpty())
        return p;
    p.code = field.front().toUpper();
    p.family = BehaviourOf(p.code);
    if (field.size() > 1 && field[1] >= u'1' && field[1] <= u'9')
        p.variant = field[1].digitValue();
    if (!p.family)
        return p;
    p.wellFormed =
        field.size() == 1 || (field.size() == 2 && p.variant > 0 && p.family->takesDigit);
    p.block = p.family->block;
    if (p.family->uses) {
        if (!only)
            p.uses.reserve(4); // a line names a few things; growing costs more than the spare
        p.family->uses(p);
    }
    return p;
}

bool ParsedCommand::namesCommand() const {
    const qsizetype size = spans[0].to - spans[0].from;
    return family && (size == 1 || (size == 2 && family->takesDigit));
}

} // namespace vx
