// The events file of a dry run, and the run's trace and summary as the
// command line prints them.

#include "run/dry_run.h"

#include "commands/limits.h"
#include "texts/json_writer.h"

#include <QRegularExpression>

#include <algorithm>

namespace vx {

namespace {

// A whole number from low to high; the message says what was expected.
QString RangeText(const char* what, int low, int high) {
    return QString::fromLatin1(what) + u' ' + QString::number(low) + QStringLiteral(" to ") +
           QString::number(high) + QStringLiteral(" expected: ");
}

bool ReadNumber(const QString& text, int low, int high, int* value) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

// "12", "12.5": tenths of a second; nullopt for anything else.
std::optional<qint64> ReadTime(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,9})(?:\\.(\\d))?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLongLong() * 10 + (m.hasCaptured(2) ? m.captured(2).toInt() : 0);
}

QString MapOf(const QMap<int, QChar>& map) {
    JsonObject o;
    for (auto it = map.begin(); it != map.end(); ++it)
        o.str(QString::number(it.key()), QString(it.value()));
    return o.text();
}

QString MapOf(const QMap<int, int>& map) {
    JsonObject o;
    for (auto it = map.begin(); it != map.end(); ++it)
        o.num(QString::number(it.key()), it.value());
    return o.text();
}

} // namespace

RunEventsParse ParseRunEvents(const QString& text) {
    RunEventsParse result;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto error = [&](const QString& message) {
            result.errorLine = static_cast<int>(i + 1);
            result.error = message;
            result.events.clear();
            return result;
        };
        const QStringList f = line.split(QRegularExpression(QStringLiteral("\\s+")));
        if (f.size() != 4)
            return error(QStringLiteral("expected TIME THING ID VALUE"));
        RunEvent e;
        e.sourceLine = static_cast<int>(i + 1);
        const std::optional<qint64> time = ReadTime(f[0]);
        if (!time)
            return error(QStringLiteral("time in seconds, exact to the tenth, expected: ") + f[0]);
        e.tenths = *time;
        const QString thing = f[1].toLower();
        int value = 0;
        if (thing == u"contact") {
            e.kind = RunEvent::Kind::Contact;
            if (!ReadNumber(f[2], 0, MaxContact, &e.id))
                return error(RangeText("contact", 0, MaxContact) + f[2]);
            e.value = f[3].toUpper();
            if (e.value != u"B" && e.value != u"F")
                return error(QStringLiteral("contact state B or F expected: ") + f[3]);
        } else if (thing == u"loco-on") {
            e.kind = RunEvent::Kind::LocoOn;
            if (!ReadNumber(f[2], 0, MaxContact, &e.id))
                return error(RangeText("contact", 0, MaxContact) + f[2]);
            if (!ReadNumber(f[3], 0, MaxLoco, &value))
                return error(RangeText("locomotive", 0, MaxLoco) + f[3]);
            e.value = QString::number(value);
        } else if (thing == u"input") {
            e.kind = RunEvent::Kind::Input;
            if (!ReadNumber(f[2], 1, MaxMarker, &e.id))
                return error(RangeText("marker", 1, MaxMarker) + f[2]);
            if (!ReadNumber(f[3], -MaxMarkerValue, MaxMarkerValue, &value))
                return error(RangeText("value", -MaxMarkerValue, MaxMarkerValue) + f[3]);
            e.value = QString::number(value);
        } else {
            return error(QStringLiteral("contact, loco-on or input expected: ") + f[1]);
        }
        result.events.append(e);
    }
    std::stable_sort(result.events.begin(), result.events.end(),
                     [](const RunEvent& a, const RunEvent& b) { return a.tenths < b.tenths; });
    return result;
}

QString RunTimeText(qint64 tenths) {
    return QString::number(tenths / 10) + u'.' + QString::number(tenths % 10);
}

QString RunTracePlain(const RunTraceEntry& entry) {
    return QString::number(entry.step) + u' ' + RunTimeText(entry.tenths) + u' ' + entry.file +
           u':' + QString::number(entry.line) + QStringLiteral(": ") + entry.text.trimmed() +
           QStringLiteral(" -> ") + entry.effect;
}

QString RunTraceJson(const RunTraceEntry& entry) {
    return JsonObject()
        .num(u"step", entry.step)
        .raw(u"time", RunTimeText(entry.tenths))
        .str(u"file", entry.file)
        .num(u"line", entry.line)
        .str(u"text", entry.text)
        .str(u"effect", entry.effect)
        .text();
}

QString RunSummaryPlain(const DryRun& run, RunEnd end) {
    QString out = QStringLiteral("END ") + RunEndName(end) + QStringLiteral(" at ") + run.file() +
                  u':' + QString::number(run.line()) + QStringLiteral(", ") +
                  RunTimeText(run.state().tenths) + QStringLiteral(" s\n");
    for (const RunFinding& f : run.findings())
        out += f.file + u':' + QString::number(f.line) + QStringLiteral(": ") + f.kind +
               QStringLiteral(": ") + f.message + u'\n';
    return out;
}

QString RunSummaryJson(const DryRun& run, RunEnd end) {
    const RunState& s = run.state();
    JsonArray findings;
    for (const RunFinding& f : run.findings())
        findings.raw(JsonObject()
                         .num(u"line", f.line)
                         .str(u"kind", f.kind)
                         .str(u"message", f.message)
                         .text());
    JsonObject setvar;
    setvar.num(u"", s.setVars.value(QString()));
    for (auto it = s.setVars.begin(); it != s.setVars.end(); ++it)
        if (!it.key().isEmpty())
            setvar.num(it.key(), it.value());
    JsonObject locos;
    for (auto it = s.locos.begin(); it != s.locos.end(); ++it)
        locos.raw(QString::number(it.key()), JsonObject()
                                                 .num(u"speed", it->speed)
                                                 .str(u"direction", QString(it->direction))
                                                 .flag(u"light", it->light)
                                                 .text());
    const QString state = JsonObject()
                              .raw(u"contacts", MapOf(s.contacts))
                              .raw(u"articles", MapOf(s.articles))
                              .raw(u"signals", MapOf(s.signalColours))
                              .raw(u"routes", MapOf(s.routes))
                              .raw(u"markers", MapOf(s.markers))
                              .raw(u"counters", MapOf(s.counters))
                              .raw(u"setvar", setvar.text())
                              .raw(u"locos", locos.text())
                              .str(u"clock", s.clockText())
                              .text();
    return JsonObject()
        .str(u"end", RunEndName(end))
        .str(u"file", run.file())
        .num(u"line", run.line())
        .raw(u"time", RunTimeText(s.tenths))
        .raw(u"findings", findings.text())
        .raw(u"state", state)
        .text();
}

} // namespace vx
