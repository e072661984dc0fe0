#include "editor/menu_model.h"

#include "texts/text_catalogue.h"

namespace vx {

namespace {
struct Entry {
    const char16_t* key;
    const char16_t* parent;
    int hint;
};

// One entry per line, in display order.
// clang-format off
constexpr Entry Tree[] = {
    {u"MenuDat", u"", 0},
    {u"Dat_Neu", u"MenuDat", 1},
    {u"Dat_Ein", u"MenuDat", 2},
    {u"Dat_Imp", u"MenuDat", 3},
    {u"-", u"MenuDat", -1},
    {u"Dat_Sav", u"MenuDat", 4},
    {u"-", u"MenuDat", -1},
    {u"Dat_Dru", u"MenuDat", 5},
    {u"Dat_Pdf", u"MenuDat", -1},
    {u"Dat_DFo", u"MenuDat", 6},
    {u"-", u"MenuDat", -1},
    {u"Dat_End", u"MenuDat", 7},
    {u"MyFpls_0", u"MenuDat", -1},
    {u"MyFpls_1", u"MenuDat", -1},
    {u"MyFpls_2", u"MenuDat", -1},
    {u"MyFpls_3", u"MenuDat", -1},
    {u"MyFpls_4", u"MenuDat", -1},
    {u"MyFpls_5", u"MenuDat", -1},
    {u"MenuWrk", u"", 10},
    {u"Wrk_Such", u"MenuWrk", 11},
    {u"Wrk_Ers", u"MenuWrk", 12},
    {u"-", u"MenuWrk", -1},
    {u"Wrk_Undo", u"MenuWrk", -1},
    {u"Wrk_Redo", u"MenuWrk", -1},
    {u"-", u"MenuWrk", -1},
    {u"Wrk_Probl", u"MenuWrk", -1},
    {u"Wrk_GoDef", u"MenuWrk", -1},
    {u"Wrk_Uses", u"MenuWrk", -1},
    {u"MenuOpt", u"", 20},
    {u"Opt_Spr", u"MenuOpt", 21},
    {u"MenuHlp", u"", 30},
    {u"Hlp_Hilfe", u"MenuHlp", 31},
    {u"Hlp_Info", u"MenuHlp", 32},
};
// clang-format on

bool isRecent(QStringView key) {
    return key.startsWith(u"MyFpls_") && key != u"MyFpls_0";
}
} // namespace

MenuModel::MenuModel() {
    for (const Entry& e : Tree) {
        MenuItem item;
        item.key = QString::fromUtf16(e.key);
        item.parentKey = QString::fromUtf16(e.parent);
        item.hintIndex = e.hint;
        item.separator = item.key == u"-" || item.key == u"MyFpls_0";
        if (isRecent(item.key)) {
            // Created with a blank caption and hidden until the list is read.
            item.caption = QStringLiteral(" ");
            item.visible = false;
        }
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
    for (MenuItem& item : items)
        if (!item.separator && !isRecent(item.key))
            item.caption = catalogue.menuCaption(item.key);
}

void MenuModel::setHints(const TextCatalogue& catalogue, bool blank) {
    for (MenuItem& item : items)
        if (item.hintIndex >= 0)
            item.hint = blank ? QString() : catalogue.MenuHints(item.hintIndex);
}

int MenuModel::helpContextOfClick(QStringView key) {
    if (key == u"MenuWrk" || key == u"Wrk_Such" || key == u"Wrk_Ers")
        return 110;
    if (key == u"MenuOpt" || key == u"Opt_Spr")
        return 120;
    if (key == u"Hlp_Info")
        return 130;
    if (key == u"Hlp_Hilfe" || key == u"MenuHlp")
        return -1;
    if (key.startsWith(u"Dat_") || key == u"MenuDat" || key.startsWith(u"MyFpls_"))
        return 100;
    return -1;
}

int MenuModel::helpContextOfHighlight(QStringView key) {
    if (key == u"MenuDat")
        return 100;
    if (key == u"MenuWrk")
        return 110;
    if (key == u"MenuOpt")
        return 120;
    if (key == u"Hlp_Hilfe")
        return 1;
    return -1;
}

} // namespace vx
