#include "gui/toolkit_translation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>

namespace vx {

ToolkitTranslation::ToolkitTranslation() {
    // Installed once and reloaded at each switch: the toolkit then tells its
    // windows of the change once, not once for the old language going and
    // again for the new one coming.
    QCoreApplication::installTranslator(&translator_);
}

ToolkitTranslation::~ToolkitTranslation() {
    QCoreApplication::removeTranslator(&translator_);
}

void ToolkitTranslation::follow(Language language) {
    if (language_ == language)
        return;
    language_ = language;
    // A load starts by emptying the translator; English, Qt's own, loads nothing.
    const QString code =
        language == Language::EN ? QString() : TextCatalogue::languageCode(language).toLower();
    const bool loaded =
        translator_.load(code.isEmpty() ? QString() : QStringLiteral("qtbase_") + code,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installed_ = loaded ? code : QString();
    QEvent changed(QEvent::LanguageChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &changed);
}

} // namespace vx
