#include "editor/language_switch.h"

#include "commands/command_table.h"
#include "editor/menu_model.h"
#include "form/entry_form.h"

namespace vx {

Language StartLanguage(QStringView remembered, QStringView systemLocale) {
    Language language = TextCatalogue::EditionLanguage;
    if (TextCatalogue::parseLanguageCode(remembered, &language))
        return language;
    // The language is the part before the territory: "de" of "de_AT".
    qsizetype end = 0;
    while (end < systemLocale.size() && systemLocale[end].isLetter())
        ++end;
    if (TextCatalogue::parseLanguageCode(systemLocale.left(end), &language))
        return language;
    return TextCatalogue::EditionLanguage;
}

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
    switchTo(TextCatalogue::nextLanguage(catalogue_.language()));
}

namespace {

// The hints the entry area may have on display: each operand field's, for the
// command on display and the one in the list, and the free-text request of
// an operating command. Index 0 is the request.
QStringList shownHintCandidates(const EntryForm& form, const TextCatalogue& catalogue) {
    QStringList hints{catalogue.tx(u" Please, ") + QStringLiteral("2. ") +
                      catalogue.tx(u"parameter") + TextCatalogue::HintLineBreak() +
                      catalogue.tx(u"Text for input request ") + catalogue.tx(u"¶to enter.")};
    for (const int command : {form.CurrentCommand, form.ListCommand})
        for (int n = 1; n <= 5; ++n)
            hints.append(form.operandHint(n, command));
    return hints;
}

} // namespace

void LanguageSwitch::switchTo(Language next) {
    running_ = true;
    // The form refreshes the hint of a field that has the focus and is not
    // false; any other hint on display is matched to what it was made from.
    const QString hint = form_.lblHinweise.caption;
    const qsizetype madeFrom = shownHintCandidates(form_, catalogue_).indexOf(hint);
    loadLanguage(next);
    if (form_.lblHinweise.visible && form_.lblHinweise.caption == hint && madeFrom >= 0)
        form_.lblHinweise.caption = shownHintCandidates(form_, catalogue_).value(madeFrom);
    // The grid is set up again: same rows, current cell back to row 1.
    form_.setCurrentRow(1);
    running_ = false;
}

} // namespace vx
