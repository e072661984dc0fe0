#pragma once

// The menu bar as the model sees it: keys in display order with caption, hint,
// visibility, shortcut and check mark, made from the menu table
// (menu_table.h). The window builds its QMenuBar from this and keeps it in line.

#include <QList>
#include <QString>

namespace vx {

class TextCatalogue;

struct MenuItem {
    QString key;       // "MenuDat", "Dat_Neu", ...; separators have "-" or "MyFpls_0"
    QString parentKey; // "" for the four top menus
    QString caption;
    QString hint;
    int hintIndex = -1; // into MenuHints, -1 = none
    bool visible = true;
    bool separator = false;
    QString shortcut; // portable QKeySequence texts, "; " between keys; "" = none
    bool checkable = false;
    bool checked = false;

    bool operator==(const MenuItem&) const = default;
};

class MenuModel {
public:
    MenuModel();

    QList<MenuItem> items;

    MenuItem* find(QStringView key);
    const MenuItem* find(QStringView key) const;

    // Captions of the catalogue's language, whose entry is checked; recent
    // entries keep their paths.
    void setCaptions(const TextCatalogue& catalogue);
    // MenuHints entry i on the entry listed with hint i; blank hints when asked.
    void setHints(const TextCatalogue& catalogue, bool blank = false);

    // Help context a click on key sets; -1 when the click keeps the current one.
    static int helpContextOfClick(QStringView key);
    // Help context highlighting key sets; -1 when highlighting sets none.
    static int helpContextOfHighlight(QStringView key);
};

} // namespace vx
