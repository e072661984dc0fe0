// The language switch of the Options menu: every text is reloaded, the
// document is left alone.

#include "editor/editor.h"
#include "form/entry_form.h"

namespace vx {

void Editor::loadLanguage(Language next) {
    catalogue.LoadCatalogue(TextCatalogue::languageCode(next));
    commands.setNames(catalogue);
    menu.setCaptions(catalogue);
    menu.setHints(catalogue);
    form->ListCommand = form->CurrentCommand;
    form->FillList();
    form->rebuildRowButtonCaptions();
    form->retranslate();
    refreshGridHeadings();
}

void Editor::refreshGridHeadings() {
    GridState& grid = document.grid;
    grid.headerNumber = catalogue.tx(u"line no.");
    grid.headerText = catalogue.tx(u"Schedule commands - L i s t i n g");
}

void Editor::Smn_Opt_Sprache() {
    languageSwitchRunning = true;
    const Language next = TextCatalogue::nextLanguage(catalogue.language());
    loadLanguage(next);
    // The grid is set up again: same rows, current cell back to row 1.
    form->setCurrentRow(1);
    languageSwitchRunning = false;
}

} // namespace vx
