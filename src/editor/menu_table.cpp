#include "editor/menu_table.h"

#include "texts/text_catalogue.h"

namespace vx {

namespace {

using C = MenuCommand;
constexpr int De = static_cast<int>(Language::DE);
constexpr int En = static_cast<int>(Language::EN);
constexpr int Es = static_cast<int>(Language::ES);

constexpr MenuEntry top(QStringView key, int hint, int context) {
    return {key, u"", hint, u"", u"", false, context, context, C::None, 0, true, false};
}
constexpr MenuEntry entry(QStringView key, QStringView parent, int hint, int context, C command,
                          int argument = 0, QStringView shortcut = u"") {
    return {key, parent, hint, u"", shortcut, false, context, -1, command, argument, true, false};
}
constexpr MenuEntry separator(QStringView parent, QStringView key = u"-", int context = -1) {
    return {key, parent, -1, u"", u"", false, context, -1, C::None, 0, true, true};
}
// Like search and replace, the entries of the dry run make its page the
// window's help context.
constexpr MenuEntry dryRun(QStringView key, DryRunCommand what, QStringView shortcut = u"") {
    return {key,       u"MenuWrk",
            -1,        u"",
            shortcut,  what == DryRunCommand::Dock,
            150,       -1,
            C::DryRun, static_cast<int>(what),
            true,      false};
}
constexpr MenuEntry recent(int i, QStringView key) {
    // Hidden until the recent list gives it a path.
    return {key, u"MenuDat", -1, u"", u"", false, 100, -1, C::Recent, i, false, false};
}
// Each language under its own name, so that a user who cannot read the
// current one still finds their own.
constexpr MenuEntry language(QStringView key, QStringView name, int lang) {
    return {key, u"MenuOpt", -1, name, u"", true, 120, -1, C::Language, lang, true, false};
}

// In display order.
// clang-format off
constexpr MenuEntry Table[] = {
    top(u"MenuDat", 0, 100),
    entry(u"Dat_Neu", u"MenuDat", 1, 100, C::FileCommand, 1, u"Ctrl+N"),
    entry(u"Dat_Ein", u"MenuDat", 2, 100, C::FileCommand, 2, u"Ctrl+O"),
    entry(u"Dat_Imp", u"MenuDat", 3, 100, C::FileCommand, 3),
    entry(u"Dat_Lay", u"MenuDat", -1, 100, C::OpenLayoutFolder),
    separator(u"MenuDat"),
    entry(u"Dat_Sav", u"MenuDat", 4, 100, C::FileCommand, 5, u"Ctrl+S"),
    separator(u"MenuDat"),
    entry(u"Dat_Dru", u"MenuDat", 5, 100, C::FileCommand, 7, u"Ctrl+P"),
    entry(u"Dat_Pdf", u"MenuDat", -1, 100, C::ExportPdf),
    entry(u"Dat_Xref", u"MenuDat", -1, 100, C::ExportXref),
    entry(u"Dat_DFo", u"MenuDat", 6, 100, C::FileCommand, 8),
    separator(u"MenuDat"),
    entry(u"Dat_End", u"MenuDat", 7, 100, C::ProgramEnd, 0, u"Ctrl+Q"),
    separator(u"MenuDat", u"MyFpls_0", 100),
    recent(1, u"MyFpls_1"),
    recent(2, u"MyFpls_2"),
    recent(3, u"MyFpls_3"),
    recent(4, u"MyFpls_4"),
    recent(5, u"MyFpls_5"),
    top(u"MenuWrk", 10, 110),
    entry(u"Wrk_Such", u"MenuWrk", 11, 110, C::Search, 1, u"Ctrl+F"),
    entry(u"Wrk_Ers", u"MenuWrk", 12, 110, C::Replace, 2, u"Ctrl+H"),
    separator(u"MenuWrk"),
    entry(u"Wrk_Undo", u"MenuWrk", -1, -1, C::Undo, 0, u"Ctrl+Z"),
    entry(u"Wrk_Redo", u"MenuWrk", -1, -1, C::Redo, 0, u"Ctrl+Shift+Z; Ctrl+Y"),
    separator(u"MenuWrk"),
    {u"Wrk_Probl", u"MenuWrk", -1, u"", u"", true, -1, -1, C::ProblemsList, 0, true, false},
    entry(u"Wrk_GoDef", u"MenuWrk", -1, -1, C::GoToDefinition, 0, u"F12"),
    entry(u"Wrk_Uses", u"MenuWrk", -1, -1, C::FindUses, 0, u"Shift+F12"),
    entry(u"Wrk_Renum", u"MenuWrk", -1, -1, C::Renumber),
    separator(u"MenuWrk"),
    dryRun(u"Wrk_Run", DryRunCommand::Dock),
    dryRun(u"Wrk_RunStep", DryRunCommand::Step, u"F10"),
    dryRun(u"Wrk_RunWait", DryRunCommand::RunToWait, u"Ctrl+F10"),
    dryRun(u"Wrk_RunGo", DryRunCommand::Run, u"F5"),
    dryRun(u"Wrk_RunPause", DryRunCommand::Pause, u"F6"),
    dryRun(u"Wrk_RunReset", DryRunCommand::Reset, u"Ctrl+Shift+F5"),
    dryRun(u"Wrk_RunBreak", DryRunCommand::Breakpoint, u"F9"),
    top(u"MenuOpt", 20, 120),
    // The two-language toggle stays for scripts; the window offers the three
    // languages below instead.
    {u"Opt_Spr", u"MenuOpt", 21, u"", u"", false, 120, -1, C::LanguageToggle, 0, false, false},
    language(u"Opt_Spr_DE", u"Deutsch", De),
    language(u"Opt_Spr_EN", u"English", En),
    language(u"Opt_Spr_ES", u"Español", Es),
    top(u"MenuHlp", 30, -1),
    {u"Hlp_Hilfe", u"MenuHlp", 31, u"", u"", false, -1, 1, C::HelpIndex, 0, true, false},
    entry(u"Hlp_Info", u"MenuHlp", 32, 130, C::Info),
};
// clang-format on

} // namespace

std::span<const MenuEntry> MenuTable() {
    return Table;
}

const MenuEntry* FindMenuEntry(QStringView key) {
    if (key == u"-")
        return nullptr;
    for (const MenuEntry& e : Table)
        if (e.key == key)
            return &e;
    return nullptr;
}

} // namespace vx
