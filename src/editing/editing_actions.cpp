// The script actions of the row buttons, the grid keys, the search and replace
// windows and the printer, for vxedit-cli script and the tests.

#include "app/user_driver.h"
#include "texts/blanks.h"

namespace vx {

namespace {
void pressRowButton(UserDriver& d, Control button, void (Editor::*handler)()) {
    d.form().setFocus(button);
    (d.editor.get()->*handler)();
}
} // namespace

void RegisterEditingActions(UserDriver& driver) {
    driver.addClick(QStringLiteral("transfer"), [](UserDriver& d) {
        pressRowButton(d, Control::cmdUeb_Zei, &Editor::cmdUeb_Zei_Click);
    });
    driver.addClick(QStringLiteral("transfer-empty"), [](UserDriver& d) {
        pressRowButton(d, Control::cmdUeb_leerZ, &Editor::cmdUeb_leerZ_Click);
    });
    driver.addClick(QStringLiteral("insert"), [](UserDriver& d) {
        pressRowButton(d, Control::cmdEinf_leerZ, &Editor::cmdEinf_leerZ_Click);
    });
    driver.addClick(QStringLiteral("delete"), [](UserDriver& d) {
        pressRowButton(d, Control::cmdLoe_Zei, &Editor::cmdLoe_Zei_Click);
    });
    driver.addClick(QStringLiteral("replace-search"), [](UserDriver& d) {
        d.editor->Smn_Su_Ers(2);
        d.editor->replaceSearchButton();
    });
    driver.addClick(QStringLiteral("replace"), [](UserDriver& d) {
        d.editor->Smn_Su_Ers(2);
        d.editor->replaceButton();
    });
    driver.addAction(QStringLiteral("gridkey"), [](UserDriver& d, const QString& rest) {
        bool ok = false;
        const int code = Trim(rest).toInt(&ok);
        if (!ok)
            return false;
        d.form().setFocus(Control::grid);
        d.editor->gridKeyPress(code);
        return true;
    });
    driver.addAction(QStringLiteral("find"), [](UserDriver& d, const QString& rest) {
        d.editor->Smn_Su_Ers(1);
        d.editor->search.searchText = rest;
        d.editor->searchButton();
        return true;
    });
    driver.addAction(QStringLiteral("replace-of"), [](UserDriver& d, const QString& rest) {
        d.editor->Smn_Su_Ers(2);
        d.editor->search.replaceOf = rest;
        return true;
    });
    driver.addAction(QStringLiteral("replace-to"), [](UserDriver& d, const QString& rest) {
        d.editor->Smn_Su_Ers(2);
        d.editor->search.replaceTo = rest;
        return true;
    });
    driver.addAction(QStringLiteral("printer"), [](UserDriver& d, const QString& rest) {
        QString error;
        if (d.platform.printer.configure(rest, &error))
            return true;
        d.lastError = error;
        return false;
    });
    driver.addDumpKey(QStringLiteral("searchFound"), [](UserDriver& d) {
        return JsonObject()
            .num(u"row", d.editor->search.foundRow)
            .num(u"position", d.editor->search.foundPosition)
            .text();
    });
}

} // namespace vx
