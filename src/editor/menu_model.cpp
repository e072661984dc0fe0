#include "editor/menu_model.h"

#include "editor/menu_table.h"
#include "texts/text_catalogue.h"

namespace vx {

MenuModel::MenuModel() {
    for (const MenuEntry& e : MenuTable()) {
        MenuItem item;
        item.key = e.key.toString();
        item.parentKey = e.parent.toString();
        item.hintIndex = e.hint;
        item.separator = e.separator;
        item.visible = e.visible;
        item.shortcut = e.shortcut.toString();
        item.checkable = e.checkable;
        // Recent entries are created with a blank caption.
        if (e.command == MenuCommand::Recent)
            item.caption = QStringLiteral(" ");
        items.append(item);
    }
}

MenuItem* MenuModel::find(QStringView key) {
    for (MenuItem& item : items)
        if (item.key == key)
            return &item;
    return nullptr;
}

const MenuItem* MenuModel::find(QStringView key) const {
    return const_cast<MenuModel*>(this)->find(key);
}

void MenuModel::setCaptions(const TextCatalogue& catalogue) {
    for (MenuItem& item : items) {
        const MenuEntry* e = FindMenuEntry(item.key);
        if (!e || e->separator || e->command == MenuCommand::Recent)
            continue;
        item.caption = e->fixedCaption.isEmpty() ? catalogue.menuCaption(item.key)
                                                 : e->fixedCaption.toString();
        if (e->command == MenuCommand::Language)
            item.checked = e->argument == static_cast<int>(catalogue.language());
    }
}

void MenuModel::setHints(const TextCatalogue& catalogue, bool blank) {
    for (MenuItem& item : items)
        if (item.hintIndex >= 0)
            item.hint = blank ? QString() : catalogue.MenuHints(item.hintIndex);
}

int MenuModel::helpContextOfClick(QStringView key) {
    const MenuEntry* e = FindMenuEntry(key);
    return e ? e->clickContext : -1;
}

int MenuModel::helpContextOfHighlight(QStringView key) {
    const MenuEntry* e = FindMenuEntry(key);
    return e ? e->highlightContext : -1;
}

} // namespace vx
