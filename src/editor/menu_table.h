#pragma once

// Every menu entry once: its place in the tree, its caption and hint, its key
// and what choosing it does. The menu model, the menu dispatch, the help
// contexts, the window's actions and the script driver all read this table.

#include <QStringView>
#include <span>

namespace vx {

// What choosing an entry does; the argument of the entry says with what.
enum class MenuCommand {
    None,        // a top menu or a separator: the help context alone
    FileCommand, // Menue_Auswahl with the argument as command number
    ExportPdf,
    ProgramEnd,
    Recent, // Smn_MyFpls_Dat with the argument
    Search,
    Replace,
    Undo,
    Redo,
    ProblemsList,
    GoToDefinition,
    FindUses,
    OpenLayoutFolder,
    ExportXref,
    Renumber,
    DryRun,         // the dry run: the argument is a DryRunCommand
    LanguageToggle, // Smn_Opt_Sprache
    Language,       // the language with the argument as Language value
    HelpIndex,
    Info,
};

// What a dry-run entry of the Work menu does.
enum class DryRunCommand { Dock, Step, RunToWait, Run, Pause, Reset, Breakpoint };

struct MenuEntry {
    QStringView key;    // "-" for a separator without a key of its own
    QStringView parent; // "" for the four top menus
    int hint;           // into MenuHints; -1 = none
    // The caption: "" takes the catalogue's caption of the key; otherwise this
    // text, the same in every language.
    QStringView fixedCaption;
    QStringView shortcut; // portable QKeySequence texts, "; " between keys; "" = none
    bool checkable;
    int clickContext;     // help context a click sets; -1 keeps the current one
    int highlightContext; // help context highlighting sets; -1 = none
    MenuCommand command;
    int argument;
    bool visible; // shown at start (the recent list shows its entries later)
    bool separator;
};

std::span<const MenuEntry> MenuTable();
// The entry of a key; null for "-" and for keys the menus do not have.
const MenuEntry* FindMenuEntry(QStringView key);

} // namespace vx
