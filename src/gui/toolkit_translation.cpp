#include "gui/toolkit_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace vx {

ToolkitTranslation::~ToolkitTranslation() {
    if (!installed_.isEmpty())
        QCoreApplication::removeTranslator(&translator_);
}

void ToolkitTranslation::follow(Language language) {
    if (language_ == language)
        return;
    language_ = language;
    if (!installed_.isEmpty()) {
        QCoreApplication::removeTranslator(&translator_);
        installed_.clear();
    }
    if (language == Language::EN)
        return;
    const QString code = TextCatalogue::languageCode(language).toLower();
    if (translator_.load(QStringLiteral("qtbase_") + code,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(&translator_))
        installed_ = code;
}

} // namespace vx
