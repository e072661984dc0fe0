#include "script/scripted_platform.h"

#include <QSettings>

namespace vx {

ScriptedPlatform::ScriptedPlatform() = default;

Platform ScriptedPlatform::platform() {
    Platform p;
    p.messages = this;
    p.files = this;
    p.fonts = this;
    p.settings = this;
    p.help = this;
    p.desktop = this;
    p.printer = &printer;
    p.pdf = this;
    p.clipboard = this;
    return p;
}

int ScriptedPlatform::show(const QString& prompt, int style, const QString& title, bool) {
    messages.append({title, prompt, style});
    if (answers.empty())
        return defaultAnswerForStyle(style);
    const int a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedPlatform::nextFile(const FileDialogRequest& request) {
    fileRequests.append(request);
    if (fileChoices.empty())
        return std::nullopt;
    const bool chosen = fileChoices.front().has_value();
    const QString path = chosen ? *fileChoices.front() : QString();
    fileChoices.pop_front();
    return chosen ? std::optional<QString>(path) : std::nullopt;
}

std::optional<QString> ScriptedPlatform::openFile(const FileDialogRequest& request) {
    return nextFile(request);
}

std::optional<QString> ScriptedPlatform::saveFile(const FileDialogRequest& request) {
    return nextFile(request);
}

std::optional<FontChoice> ScriptedPlatform::chooseFont(const FontChoice&) {
    if (fontChoices.empty())
        return std::nullopt;
    const bool chosen = fontChoices.front().has_value();
    const FontChoice font = chosen ? *fontChoices.front() : FontChoice();
    fontChoices.pop_front();
    return chosen ? std::optional<FontChoice>(font) : std::nullopt;
}

QString ScriptedPlatform::value(const QString& app, const QString& section, const QString& key,
                                const QString& fallback) {
    if (settingsFile.isEmpty())
        return memorySettings_.value(app + u'/' + section + u'/' + key, fallback);
    QSettings s(settingsFile, QSettings::IniFormat);
    return s.value(app + u'/' + section + u'/' + key, fallback).toString();
}

void ScriptedPlatform::setValue(const QString& app, const QString& section, const QString& key,
                                const QString& value) {
    if (settingsFile.isEmpty()) {
        memorySettings_.insert(app + u'/' + section + u'/' + key, value);
        return;
    }
    QSettings s(settingsFile, QSettings::IniFormat);
    s.setValue(app + u'/' + section + u'/' + key, value);
}

void ScriptedPlatform::displayTopic(const QString& helpFile, const QString& page) {
    helpRequests.append({helpFile, page, -1});
}

void ScriptedPlatform::helpContext(const QString& helpFile, int context) {
    helpRequests.append({helpFile, QString(), context});
}

void ScriptedPlatform::close() {
    helpClosed = true;
}
void ScriptedPlatform::beep() {
    ++beeps;
}
void ScriptedPlatform::setBusy(bool b) {
    busy = b;
}

Result<QByteArray> ScriptedPlatform::paintListing(const ListingDocument& document,
                                                  const FontChoice& font) {
    ++pdfListings;
    return PaintPdf(painter_, document, font);
}

void ScriptedPlatform::usePdfPainter(PdfPainter* painter) {
    painter_ = painter;
    printer.painter = painter;
}

} // namespace vx
