#include "platform/silent_platform.h"

namespace vx {

Platform SilentPlatform::platform() {
    Platform p;
    p.messages = this;
    p.files = this;
    p.fonts = this;
    p.settings = this;
    p.help = this;
    p.desktop = this;
    return p;
}

int SilentPlatform::show(const QString&, int style, const QString&, bool) {
    return defaultAnswerForStyle(style);
}

std::optional<QString> SilentPlatform::openFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<QString> SilentPlatform::saveFile(const FileDialogRequest&) {
    return std::nullopt;
}

std::optional<FontChoice> SilentPlatform::chooseFont(const FontChoice&) {
    return std::nullopt;
}

QString SilentPlatform::value(const QString&, const QString&, const QString&,
                              const QString& fallback) {
    return fallback;
}

void SilentPlatform::setValue(const QString&, const QString&, const QString&, const QString&) {}
void SilentPlatform::displayTopic(const QString&, const QString&) {}
void SilentPlatform::helpContext(const QString&, int) {}
void SilentPlatform::close() {}
void SilentPlatform::beep() {}
void SilentPlatform::setBusy(bool) {}

} // namespace vx
