#pragma once

// The user's side of the editor for the tests: the script driver behind
// vxedit-cli script (its actions are the user's actions), with read-outs taken
// from its state dump. Helpers return "" when all went well and otherwise what
// went wrong, for VX_TRY to report; nothing here checks on its own.

#include "script/user_driver.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QtTest>

// Fails the test at once with the description a helper returned.
#define VX_TRY(expr)                                                                               \
    do {                                                                                           \
        const QString vxProblem = (expr);                                                          \
        QVERIFY2(vxProblem.isEmpty(), qPrintable(vxProblem));                                      \
    } while (false)

namespace vx::test {

using namespace Qt::StringLiterals;

class Driver : public UserDriver {
public:
    explicit Driver(QStringView language = u"EN")
        : UserDriver(language), language_(language.toString()) {}

    // One script action; besides those of vxedit-cli script:
    //   choose C      clicks the command of code C in the command list
    //   enter LINE    chooses LINE's command, then types each operand into its field
    //   fetch LINE    puts LINE into row 1 and presses the fetch button
    //   clear CTRL    the program empties the control (no focus change)
    QString act(const QString& action) {
        const qsizetype blank = action.indexOf(u' ');
        const QString word = action.left(blank);
        const QString rest = blank < 0 ? QString() : action.mid(blank + 1);
        if (word == u"choose")
            return choose(rest);
        if (word == u"enter")
            return enter(rest);
        if (word == u"fetch")
            return run({u"row-text 1 "_s + rest, u"row 1"_s, u"click fetch"_s});
        if (word == u"clear")
            return run({u"set "_s + rest + u' '});
        return run({action});
    }

    QString run(const QStringList& lines) {
        for (const QString& line : lines)
            if (!runLine(line))
                return line + u": "_s + lastError;
        return {};
    }

    QString choose(QStringView code) {
        const int line = listLine(code);
        if (line < 0)
            return u"no command of code "_s + code.toString();
        return select(line) ? QString() : lastError;
    }

    // "L, 3, S, 7": L from the list, then 3, S and 7 typed into operand
    // fields 1 to 3 (or the free-text box that stands in for a field).
    QString enter(const QString& line) {
        const QStringList parts = line.split(u',');
        const QString code = parts[0].trimmed();
        if (QString problem = choose(code.left(1)); !problem.isEmpty())
            return problem;
        if (code.size() > 1 && !type(u"mskTxt1", code.mid(1)))
            return lastError;
        for (qsizetype i = 1; i < parts.size(); ++i) {
            const QString box = u"txbTxt"_s + QString::number(i + 1);
            const bool free = i <= 2 && state()[u"fields"_s][box][u"visible"_s].toBool();
            const QString control = free ? box : u"mskTxt"_s + QString::number(i + 1);
            if (!type(control, parts[i].trimmed()))
                return lastError;
        }
        return {};
    }

    // The dump as JSON. Like every dump it forgets the beeps and messages
    // reported so far.
    QJsonObject state() { return QJsonDocument::fromJson(dump().toUtf8()).object(); }

    // The value at "fields.mskTxt2.mask" or "messages.0.prompt".
    static QJsonValue at(QJsonValue value, QStringView path) {
        for (QStringView key : path.split(u'.')) {
            bool index = false;
            const int i = key.toInt(&index);
            value = index && value.isArray() ? value.toArray().at(i)
                                             : value.toObject().value(key.toString());
        }
        return value;
    }

    // The entry controls drawn red, in control order: "mskTxt2 txbTxt3".
    static QString redControls(const QJsonObject& state) {
        QStringList names;
        for (int k = 0; k <= 7; ++k)
            names.append(u"mskTxt"_s + QString::number(k));
        names << u"txbTxt2"_s << u"txbTxt3"_s << u"txbAnmerk"_s;
        QStringList red;
        for (const QString& name : names)
            if (state[u"fields"_s][name][u"error"_s].toBool())
                red.append(name);
        return red.join(u' ');
    }

private:
    // The command list's line of a code, learnt once per language by
    // clicking every line and reading the code it writes.
    int listLine(QStringView code) {
        static QHash<QString, QHash<QString, int>> lines;
        QHash<QString, int>& mine = lines[language_];
        if (mine.isEmpty()) {
            UserDriver probe(language_);
            for (int n = 1; probe.select(n); ++n) {
                const QJsonObject s = QJsonDocument::fromJson(probe.dump().toUtf8()).object();
                mine.insert(s[u"fields"_s][u"mskTxt1"_s][u"text"_s].toString().toUpper(), n);
            }
        }
        return mine.value(code.toString().toUpper(), -1);
    }

    QString language_;
};

} // namespace vx::test
