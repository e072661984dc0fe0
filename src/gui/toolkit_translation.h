#pragma once

// Qt's own dialogs and standard buttons (file, font and print dialogs,
// Yes/No/Cancel) in the program's language, switching with it.

#include "texts/text_catalogue.h"

#include <QTranslator>
#include <optional>

namespace vx {

class ToolkitTranslation {
public:
    ToolkitTranslation();
    ToolkitTranslation(const ToolkitTranslation&) = delete;
    ToolkitTranslation& operator=(const ToolkitTranslation&) = delete;
    ~ToolkitTranslation();

    // Loads Qt's translation of the language (none for English, Qt's own);
    // a language whose translation is not installed leaves Qt in English.
    void follow(Language language);
    // The language whose translation is installed, empty for English.
    QString installed() const { return installed_; }

private:
    std::optional<Language> language_;
    QTranslator translator_;
    QString installed_;
};

} // namespace vx
