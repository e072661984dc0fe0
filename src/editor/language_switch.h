#pragma once

// The language switch of the Options menu: every text is reloaded, the
// document is left alone.

#include "texts/text_catalogue.h"

namespace vx {

// The language the window starts in: the one the user chose last (a language
// code, "" when none was kept); else the system's, given as a locale name
// ("de_DE", "en-GB", "C"), when it is German, English or Spanish; else the
// edition language.
Language StartLanguage(QStringView remembered, QStringView systemLocale);

class CommandTable;
class EntryForm;
class MenuModel;
struct GridState;

class LanguageSwitch {
public:
    LanguageSwitch(TextCatalogue& catalogue, CommandTable& commands, MenuModel& menu,
                   EntryForm& form, GridState& grid);

    // Options > Language: the next language of the cycle.
    void Smn_Opt_Sprache();
    // Options > one of the three languages: the same switch to that language.
    void switchTo(Language next);
    void loadLanguage(Language next);
    // The grid's column headings in the current language.
    void refreshGridHeadings();
    bool running() const { return running_; }

private:
    TextCatalogue& catalogue_;
    CommandTable& commands_;
    MenuModel& menu_;
    EntryForm& form_;
    GridState& grid_;
    bool running_ = false;
};

} // namespace vx
