#include "editor/language_switch.h"

#include "commands/command_table.h"
#include "editor/menu_model.h"
#include "form/entry_form.h"

namespace vx {

LanguageSwitch::LanguageSwitch(TextCatalogue& catalogue, CommandTable& commands, MenuModel& menu,
                               EntryForm& form, GridState& grid)
    : catalogue_(catalogue), commands_(commands), menu_(menu), form_(form), grid_(grid) {}

void LanguageSwitch::loadLanguage(Language next) {
    catalogue_.LoadCatalogue(TextCatalogue::languageCode(next));
    commands_.setNames(catalogue_);
    menu_.setCaptions(catalogue_);
    menu_.setHints(catalogue_);
    form_.ListCommand = form_.CurrentCommand;
    form_.FillList();
    form_.rebuildRowButtonCaptions();
    form_.retranslate();
    refreshGridHeadings();
}

void LanguageSwitch::refreshGridHeadings() {
    grid_.headerNumber = catalogue_.tx(u"line no.");
    grid_.headerText = catalogue_.tx(u"Schedule commands - L i s t i n g");
}

void LanguageSwitch::Smn_Opt_Sprache() {
    running_ = true;
    const Language next = TextCatalogue::nextLanguage(catalogue_.language());
    loadLanguage(next);
    // The grid is set up again: same rows, current cell back to row 1.
    form_.setCurrentRow(1);
    running_ = false;
}

} // namespace vx
