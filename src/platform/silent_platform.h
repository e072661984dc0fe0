#pragma once

// A platform that shows nothing and asks nobody: every message window answers
// with its default button, dialogs are cancelled, settings keep their defaults
// and there is no printer. What explain and check run the model on.

#include "platform/platform.h"

namespace vx {

class SilentPlatform : public MessageWindow,
                       public FileDialogs,
                       public FontDialog,
                       public SettingsStore,
                       public HelpViewer,
                       public Desktop {
public:
    Platform platform();

    int show(const QString& prompt, int style, const QString& title, bool germanButtons) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    std::optional<FontChoice> chooseFont(const FontChoice& current) override;
    QString value(const QString& app, const QString& section, const QString& key,
                  const QString& fallback) override;
    void setValue(const QString& app, const QString& section, const QString& key,
                  const QString& value) override;
    void displayTopic(const QString& helpFile, const QString& page) override;
    void helpContext(const QString& helpFile, int context) override;
    void close() override;
    void beep() override;
    void setBusy(bool busy) override;
};

} // namespace vx
