#pragma once

#include <QtTest>

// The user's side of the entry area for the operand-rule tests: choose a
// command in the list, move the focus into a field and type character by
// character, read the explanation line and the fields. Every test goes
// through this one class.

#include "editor/editor.h"
#include "form/entry_form.h"
#include "script/scripted_platform.h"
#include "texts/text_catalogue.h"

#include <QString>
#include <memory>

namespace vx::test {

class EntrySession {
public:
    explicit EntrySession(const QString& language = QStringLiteral("EN"))
        : editor_(std::make_unique<Editor>(platform_.platform())) {
        editor_->catalogue.LoadCatalogue(language);
        editor_->commands.setNames(editor_->catalogue);
        form().FillList();
    }

    Editor& editor() { return *editor_; }
    EntryForm& form() { return *editor_->form; }
    EntryField& field(int k) { return form().msk[static_cast<size_t>(k)]; }
    QString caption() { return form().lblBemerkung.caption; }
    bool captionRed() { return form().lblBemerkung.error; }
    int beeps() const { return platform_.beeps; }
    QString hint(QChar code, int n) {
        return form().fieldHint(editor_->commands.findByLine(QString(code)), n);
    }

    // The first field drawn red (free-text boxes count as the field they
    // stand for), 0 when none.
    int redField() {
        for (int k = 1; k <= 7; ++k)
            if (field(k).error)
                return k;
        if (form().txbTxt2.error)
            return 2;
        if (form().txbTxt3.error)
            return 3;
        return 0;
    }

    // A click on the command's line of the command list.
    void choose(QChar code) {
        form().setFocus(Control::lstBefehle);
        form().lstBefehle_Click(editor_->commands.findByLine(QString(code)));
    }

    // Focus into field k (1..6; 2 and 3 mean the free-text box while it
    // stands in) and type text one character at a time. Returns the
    // characters the field refused.
    QString type(int k, const QString& text) {
        form().setFocus(control(k));
        QString refused;
        for (QChar c : text)
            if (!form().typeCharacter(control(k), c))
                refused += c;
        return refused;
    }

    // Select the whole field, delete it, and type text.
    QString retype(int k, const QString& text) {
        form().setFocus(control(k));
        form().setBoxText(control(k), QString());
        return type(k, text);
    }

    // Row 1 holds line; the fetch button brings it into the fields.
    void fetch(const QString& line) {
        editor_->document.setLine(1, line);
        form().setCurrentRow(1);
        form().clickFetch();
    }

    // Empty a field with the backspace key.
    void erase(int k) {
        form().setFocus(control(k));
        while (EntryField* f = form().fieldOf(control(k))) {
            if (f->text.isEmpty())
                break;
            form().setBoxText(control(k), f->text.chopped(1));
        }
    }

private:
    Control control(int k) {
        if (k == 2 && form().txbTxt2.visible)
            return Control::txbTxt2;
        if (k == 3 && form().txbTxt3.visible)
            return Control::txbTxt3;
        return static_cast<Control>(k);
    }

    ScriptedPlatform platform_;
    std::unique_ptr<Editor> editor_;
};

// Chooses the command of code's letter, types the rest of code into the
// command field, then each operand into its field. Returns the head of the
// sentence (E1) as the command list and the command field left it.
inline QString Enter(EntrySession& s, const QString& code, const QStringList& operands) {
    s.choose(code.front());
    // What the user types must pass the field's mask, or the case is moot.
    [&] {
        if (code.size() > 1)
            QCOMPARE(s.type(1, code.mid(1)), QString());
    }();
    const QString head = s.form().ExplanationParts[1];
    for (int i = 0; i < operands.size(); ++i)
        [&] { QCOMPARE(s.type(i + 2, operands[i]), QString()); }();
    return head;
}

// "^" at the start of an expected caption stands for the command's head.
inline QString WithHead(const QString& head, const QString& expected) {
    return expected.startsWith(u'^') ? head + expected.mid(1) : expected;
}

inline const QString False = QStringLiteral("False input");

} // namespace vx::test
