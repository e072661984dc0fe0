#pragma once

// The help viewer: a plain window with a QTextBrowser that shows the help
// pages from the resources, titled "VXWEditd" or "VXWEdite" by the language
// of the help file it shows, and in the reader's language where that file has
// it. GuiHelpViewer is the HelpViewer the main window hands the model; it
// creates the window on the first request and closes it at program end.

#include "gui/help_resolver.h"
#include "platform/platform.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <optional>

class QPushButton;
class QTextBrowser;

namespace vx {

enum class Language;

class HelpViewerWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewerWindow(QWidget* parent = nullptr);

    // Shows url, a page in pageLanguage (title, buttons). An empty url
    // shows a short note that helpFile has no such page (or does not exist).
    void showPage(Language pageLanguage, const QUrl& url, const QString& helpFile,
                  const QString& what);

    Language pageLanguage() const { return language_; }
    QTextBrowser* browser() const { return browser_; }
    QUrl currentPage() const;

private:
    void goToContents();
    void retranslate();
    void fitIntoScreen();

    Language language_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;
    QPushButton* contents_ = nullptr;
};

class GuiHelpViewer : public HelpViewer {
public:
    GuiHelpViewer();
    ~GuiHelpViewer() override;
    GuiHelpViewer(const GuiHelpViewer&) = delete;
    GuiHelpViewer& operator=(const GuiHelpViewer&) = delete;

    // HelpViewer: a display-topic request (page as F1 names it, "" for the
    // default page), a help-context request, and closing the window.
    void displayTopic(const QString& helpFile, const QString& page) override;
    void helpContext(const QString& helpFile, int context) override;
    void close() override;
    void setReaderLanguage(Language language) override { reader_ = language; }

    // The open help window, or null when there is none.
    HelpViewerWindow* window() const { return window_; }

private:
    HelpViewerWindow* ensureWindow();
    void show(const QString& helpFile, const QUrl& url, const QString& what);

    HelpPageResolver resolver_;
    QPointer<HelpViewerWindow> window_;
    std::optional<Language> reader_;
};

} // namespace vx
