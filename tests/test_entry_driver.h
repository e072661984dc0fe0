#pragma once

// The entry-area tests act as the user does, through the model's own driver
// (the one behind vxedit-cli script): choose a command in the list, focus a
// field, type into it, fetch a row. These few helpers only read the results.

#include "form/entry_form.h"
#include "script/user_driver.h"
#include "texts/text_catalogue.h"

#include <QStringList>
#include <QtTest>

namespace vx::test {

class Entry : public UserDriver {
public:
    explicit Entry(QStringView language = u"EN") : UserDriver(language) {}

    EntryField& field(int k) { return form().msk[static_cast<size_t>(k)]; }
    EntryField& box(QStringView name) { return *form().fieldOf(*ControlByName(name)); }
    QString caption() { return form().lblBemerkung.caption; }
    QString part(int k) { return form().ExplanationParts[static_cast<size_t>(k)]; }
    QString tx(QStringView english) { return editor->catalogue.tx(english); }
    int command(QChar code) { return editor->commands.findByLine(QString(code)); }
    QString hint(QChar code, int n) { return form().fieldHint(command(code), n); }
    QString focused() { return ControlName(form().focus); }

    // Clicks the command's line in the command list.
    void choose(QChar code) { QVERIFY(select(command(code))); }

    // Names of the visible masked operand fields and free-text boxes, "mskTxt2 txbTxt3".
    QString visibleOperands() {
        QStringList names;
        for (int k = 2; k <= 7; ++k)
            if (field(k).visible)
                names.append(field(k).name);
        for (const EntryField* f : {&form().txbTxt2, &form().txbTxt3})
            if (f->visible)
                names.append(f->name);
        return names.join(u' ');
    }

    // Names of the controls drawn red, in control order.
    QString redControls() {
        QStringList names;
        for (int k = 0; k <= 7; ++k)
            if (field(k).error)
                names.append(field(k).name);
        for (const EntryField* f : {&form().txbTxt2, &form().txbTxt3, &form().txbAnmerk})
            if (f->error)
                names.append(f->name);
        return names.join(u' ');
    }

    // Beeps since the last call.
    int newBeeps() {
        const int n = platform.beeps - seenBeeps_;
        seenBeeps_ = platform.beeps;
        return n;
    }

    // Puts the line into row r and fetches it, as the fetch button does.
    void fetch(int r, const QString& line) {
        QVERIFY(rowText(r, line));
        QVERIFY(row(r));
        QVERIFY(click(u"fetch"));
    }

private:
    int seenBeeps_ = 0;
};

// "a¶b" with the catalogue's line break.
inline QString br(QStringView text) {
    QString s = text.toString();
    return s.replace(u'\u00B6', TextCatalogue::HintLineBreak());
}

} // namespace vx::test
