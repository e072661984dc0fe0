#include "gui/help_viewer_window.h"

#include "help/help_model.h"
#include "texts/text_catalogue.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vx {

namespace {

// The viewer speaks the language of the pages it shows, as the system's help
// viewer did; these few words are therefore its own, not the catalogue's.
struct ViewerWords {
    QString back, forward, contents, noPage, noFile;
};

ViewerWords words(Language language) {
    if (language == Language::DE)
        return {QStringLiteral("Zurück"), QStringLiteral("Vorwärts"), QStringLiteral("Inhalt"),
                QStringLiteral("Die Hilfedatei %1 enthält keine Seite %2."),
                QStringLiteral("Die Hilfedatei %1 ist nicht vorhanden.")};
    if (language == Language::ES)
        return {QStringLiteral("Atrás"), QStringLiteral("Adelante"), QStringLiteral("Contenido"),
                QStringLiteral("El fichero de ayuda %1 no tiene la página %2."),
                QStringLiteral("El fichero de ayuda %1 no está disponible.")};
    return {QStringLiteral("Back"), QStringLiteral("Forward"), QStringLiteral("Contents"),
            QStringLiteral("The help file %1 has no page %2."),
            QStringLiteral("The help file %1 is not available.")};
}

} // namespace

HelpViewerWindow::HelpViewerWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), language_(Language::EN) {
    setObjectName(QStringLiteral("HelpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    back_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QString(), this);
    forward_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
    contents_ = new QPushButton(style()->standardIcon(QStyle::SP_DirHomeIcon), QString(), this);
    back_->setObjectName(QStringLiteral("back"));
    forward_->setObjectName(QStringLiteral("forward"));
    contents_->setObjectName(QStringLiteral("contents"));
    back_->setEnabled(false);
    forward_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(forward_);
    buttons->addWidget(contents_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_, 1);

    connect(back_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QPushButton::clicked, this, &HelpViewerWindow::goToContents);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QPushButton::setEnabled);

    resize(680, 600);
    retranslate();
}

QUrl HelpViewerWindow::currentPage() const {
    return browser_->source();
}

void HelpViewerWindow::showPage(Language pageLanguage, const QUrl& url, const QString& helpFile,
                                const QString& what) {
    language_ = pageLanguage;
    retranslate();
    if (url.isEmpty()) {
        const ViewerWords w = words(language_);
        const QString file = helpFile.toHtmlEscaped();
        const QString text =
            what.isEmpty() ? w.noFile.arg(file) : w.noPage.arg(file, what.toHtmlEscaped());
        browser_->setHtml(
            QStringLiteral("<p>%1</p><p><a href=\"%2\">%3</a></p>")
                .arg(text,
                     HelpPageResolver::resourceUrl(language_, QStringLiteral("INDEX.htm"))
                         .toString(),
                     w.contents));
    } else {
        browser_->setSource(url);
    }
    if (!isVisible())
        fitIntoScreen();
    show();
    raise();
    activateWindow();
}

void HelpViewerWindow::fitIntoScreen() {
    // On the screen of the window that asked, whole: a scaled small screen
    // is lower than the design height.
    const QWidget* asking = QApplication::activeWindow();
    const QScreen* screen = asking ? asking->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // Room for the title bar, which the window does not have yet.
    resize(QSize(680, 600).boundedTo(area.size() * 85 / 100));
    QRect frame(QPoint(), size());
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void HelpViewerWindow::goToContents() {
    browser_->setSource(HelpPageResolver::resourceUrl(language_, QStringLiteral("INDEX.htm")));
}

void HelpViewerWindow::retranslate() {
    setWindowTitle(HelpWindowTitle(language_));
    const ViewerWords w = words(language_);
    back_->setText(w.back);
    forward_->setText(w.forward);
    contents_->setText(w.contents);
}

GuiHelpViewer::GuiHelpViewer() = default;

GuiHelpViewer::~GuiHelpViewer() {
    delete window_.data();
}

HelpViewerWindow* GuiHelpViewer::ensureWindow() {
    if (!window_)
        window_ = new HelpViewerWindow;
    return window_;
}

void GuiHelpViewer::show(const QString& helpFile, const QUrl& url, const QString& what) {
    const std::optional<Language> file = HelpPageResolver::languageOfHelpFile(helpFile);
    const Language fileLanguage = file.value_or(Language::EN);
    // The words around a page are those of the page itself, English for a
    // page that has no Spanish version yet.
    Language language =
        HelpPageResolver::pageLanguage(fileLanguage, reader_.value_or(fileLanguage));
    if (!url.isEmpty() && language == Language::ES &&
        !url.path().startsWith(HelpPageResolver::pageFolder(Language::ES).mid(1) + u'/'))
        language = Language::EN;
    ensureWindow()->showPage(language, url, helpFile, file ? what : QString());
}

void GuiHelpViewer::displayTopic(const QString& helpFile, const QString& page) {
    show(helpFile, resolver_.resolvePage(helpFile, page, reader_), page);
}

void GuiHelpViewer::helpContext(const QString& helpFile, int context) {
    show(helpFile, resolver_.resolveContext(helpFile, context, reader_), QString::number(context));
}

void GuiHelpViewer::close() {
    if (window_)
        window_->close();
}

} // namespace vx
