#include "commands/run_machine.h"

namespace vx {

namespace {

// Digits only, at most nine of them: a value the machine can hold.
bool ReadDigits(QStringView text, int* value) {
    if (text.isEmpty() || text.size() > 9)
        return false;
    int v = 0;
    for (QChar c : text) {
        if (!c.isDigit())
            return false;
        v = v * 10 + c.digitValue();
    }
    *value = v;
    return true;
}

} // namespace

QString RunState::clockText() const {
    const qint64 minutes = (clockTenths / 600) % (24 * 60);
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QChar(u'0'))
        .arg(minutes % 60, 2, 10, QChar(u'0'));
}

void RunState::setMarker(int n, int value) {
    if (n < 1 || n > 999)
        return;
    if (value == 0)
        markers.remove(n);
    else
        markers.insert(n, value);
}

int RunValueOf(const QString& operand, const RunState& state) {
    const QStringView text = QStringView(operand).trimmed();
    int v = 0;
    if (!text.isEmpty() && text.front().toUpper() == u'M')
        return ReadDigits(text.mid(1), &v) ? state.marker(v) : 0;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        if (!ReadDigits(text.mid(1), &v))
            return 0;
        return text.front() == u'-' ? -v : v;
    }
    return ReadDigits(text, &v) ? v : 0;
}

int RunValue(const ParsedCommand& p, const RunState& state, int k) {
    return RunValueOf(p.operands[static_cast<size_t>(k)], state);
}

bool IsMarkerOperand(const ParsedCommand& p, int k) {
    const QString u = p.upper(k);
    int v = 0;
    return u.size() > 1 && u.front() == u'M' && ReadDigits(QStringView(u).mid(1), &v);
}

} // namespace vx
