#pragma once

// The user's side of the editor without windows: one editor on the scripted
// platform, driven by the actions of `vxedit-cli script` (select a command,
// focus and type into a field, press a button, ...), with the state dump of
// that tool. The tests drive the editor through this class as well, so that
// what they check is what a user, or a script, does.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "script/scripted_platform.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <memory>
#include <optional>
#include <utility>

namespace vx {

class UserDriver {
public:
    explicit UserDriver(QStringView language = u"ES");
    UserDriver(const UserDriver&) = delete;
    UserDriver& operator=(const UserDriver&) = delete;

    ScriptedPlatform platform;
    std::unique_ptr<Editor> editor;
    EntryForm& form() { return *editor->form; }

    // ---- What the user does. Each returns false (with a reason in lastError)
    // when the action cannot be done at all; then nothing has happened.
    bool select(int line);
    bool focus(QStringView control);
    bool type(QStringView control, QStringView text);
    bool set(QStringView control, const QString& text);
    bool key(QStringView key);
    bool row(int row);
    bool rowText(int row, const QString& text);
    bool rows(int first, int last);
    bool click(QStringView button);
    bool dblclick();
    bool gridKey(int code);
    bool find(const QString& text);

    // One line of a script: blank lines and "#" lines do nothing.
    bool runLine(const QString& line);
    // The first line of a script whose action, or menu key, the editor does
    // not know, with what is wrong; checked before a script runs, so that a
    // typo stops it before it changes anything.
    struct ScriptProblem {
        qsizetype line = 0; // index into lines
        QString message;
    };
    static std::optional<ScriptProblem> checkScript(const QStringList& lines);
    // The state as one JSON object; forgets the beeps, messages and help
    // requests reported so far.
    QString dump();

    QString lastError;
    // Actions done although a user could not quite do them (focus into a
    // hidden control); the caller reports and clears them.
    QStringList warnings;
    QStringList dumps; // every dump of runLine("dump"), in order

private:
    bool runAction(const QString& line);
    bool fail(const QString& reason);
    std::optional<Control> control(QStringView name, bool withGrid = false);

    int reportedBeeps_ = 0;
    qsizetype reportedMessages_ = 0;
    qsizetype reportedHelp_ = 0;
};

} // namespace vx
