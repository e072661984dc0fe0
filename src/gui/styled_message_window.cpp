#include "gui/styled_message_window.h"

#include "platform/platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStyle>
#include <QVBoxLayout>

namespace vx {

namespace {

struct ButtonSpec {
    int answer;
    const char16_t* english;
    const char16_t* german;
    const char* toolkit; // Qt's own text of the standard button
};

constexpr ButtonSpec OkButton{MsgAnswer::Ok, u"OK", u"OK", "OK"};
constexpr ButtonSpec CancelButton{MsgAnswer::Cancel, u"Cancel", u"Abbrechen", "Cancel"};
constexpr ButtonSpec AbortButton{MsgAnswer::Abort, u"&Abort", u"&Abbrechen", "Abort"};
constexpr ButtonSpec RetryButton{MsgAnswer::Retry, u"&Retry", u"&Wiederholen", "Retry"};
constexpr ButtonSpec IgnoreButton{MsgAnswer::Ignore, u"&Ignore", u"&Ignorieren", "Ignore"};
constexpr ButtonSpec YesButton{MsgAnswer::Yes, u"&Yes", u"&Ja", "&Yes"};
constexpr ButtonSpec NoButton{MsgAnswer::No, u"&No", u"&Nein", "&No"};

QString toolkitCaption(const ButtonSpec& kind) {
    return QCoreApplication::translate("QPlatformTheme", kind.toolkit);
}

// The captions in the program's language: Qt's translations of its standard
// buttons where they are loaded ("No" is Spanish as well), else the window's
// own English or German.
QStringList captionsOf(const QList<ButtonSpec>& set, bool german) {
    const bool translated = std::any_of(set.begin(), set.end(), [](const ButtonSpec& kind) {
        return toolkitCaption(kind) != QLatin1StringView(kind.toolkit);
    });
    QStringList captions;
    for (const ButtonSpec& kind : set)
        captions << (translated ? toolkitCaption(kind)
                                : QString::fromUtf16(german ? kind.german : kind.english));
    return captions;
}

QList<ButtonSpec> buttonSet(int style) {
    switch (style & 7) {
    case MsgStyle::OkCancel:
        return {OkButton, CancelButton};
    case MsgStyle::AbortRetryIgnore:
        return {AbortButton, RetryButton, IgnoreButton};
    case MsgStyle::YesNoCancel:
        return {YesButton, NoButton, CancelButton};
    case MsgStyle::YesNo:
        return {YesButton, NoButton};
    case MsgStyle::RetryCancel:
        return {RetryButton, CancelButton};
    default:
        return {OkButton};
    }
}

// 16 critical, 32 question, 48 exclamation, 64 information.
QStyle::StandardPixmap iconOf(int style, bool* any) {
    *any = true;
    switch (style & 0x70) {
    case 16:
        return QStyle::SP_MessageBoxCritical;
    case 32:
        return QStyle::SP_MessageBoxQuestion;
    case 48:
        return QStyle::SP_MessageBoxWarning;
    case 64:
        return QStyle::SP_MessageBoxInformation;
    default:
        *any = false;
        return QStyle::SP_MessageBoxInformation;
    }
}

int defaultIndex(int style, qsizetype count) {
    int index = 0;
    if ((style & MsgStyle::DefaultButton3) != 0)
        index = 2;
    else if ((style & MsgStyle::DefaultButton2) != 0)
        index = 1;
    return index < count ? index : 0;
}

} // namespace

const QColor& StyledMessageDialog::background() {
    static const QColor colour(236, 233, 216);
    return colour;
}

QString StyledMessageDialog::displayText(const QString& prompt) {
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

StyledMessageDialog::StyledMessageDialog(const QString& prompt, int style, const QString& title,
                                         bool germanButtons, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("StyledMessageDialog"));
    setWindowTitle(title);
    if ((style & MsgStyle::SystemModal) != 0) {
        // The nearest a toolkit window comes to system-modal: above every
        // window, and no other window of the program takes input meanwhile.
        setWindowModality(Qt::ApplicationModal);
        setWindowFlag(Qt::WindowStaysOnTopHint);
    } else {
        setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    }
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, background());
    setPalette(pal);
    setAutoFillBackground(true);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("icon"));
    bool hasIcon = false;
    const QStyle::StandardPixmap pixmap = iconOf(style, &hasIcon);
    if (hasIcon) {
        const int size = QApplication::style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
        icon_->setPixmap(QApplication::style()->standardIcon(pixmap).pixmap(size, size));
        icon_->setAlignment(Qt::AlignTop);
    }
    icon_->setVisible(hasIcon);
    top->addWidget(icon_);

    prompt_ = new QLabel(displayText(prompt), this);
    prompt_->setObjectName(QStringLiteral("prompt"));
    prompt_->setTextFormat(Qt::PlainText);
    prompt_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = prompt_->font();
    bold.setBold(true);
    prompt_->setFont(bold);
    top->addWidget(prompt_, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    const QList<ButtonSpec> set = buttonSet(style);
    const QStringList captions = captionsOf(set, germanButtons);
    for (const ButtonSpec& kind : set) {
        auto* button = new QPushButton(captions[buttons_.size()], this);
        button->setAutoDefault(false);
        button->setMinimumWidth(88);
        const int answer = kind.answer;
        connect(button, &QPushButton::clicked, this, [this, answer] { press(answer); });
        buttons_.append(button);
        answers_.append(answer);
        row->addWidget(button);
        // Esc answers Cancel, else No: the answers that change nothing.
        if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::No && escapeAnswer_ == 0))
            escapeAnswer_ = answer;
    }
    row->addStretch(1);
    if (set.size() == 1)
        escapeAnswer_ = set.front().answer;

    QPushButton* chosen = buttons_[defaultIndex(style, buttons_.size())];
    chosen->setDefault(true);
    chosen->setFocus(Qt::OtherFocusReason);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 12);
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addLayout(row);
    // Wide enough for the whole title beside the window manager's icon and
    // buttons (a path is a common title), within the screen.
    QFont titleFont = font();
    titleFont.setBold(true);
    int titleWidth = QFontMetrics(titleFont).horizontalAdvance(title) * 6 / 5 + 120;
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        titleWidth = std::min(titleWidth, screen->availableGeometry().width() - 40);
    layout->addItem(new QSpacerItem(titleWidth - 36, 0, QSizePolicy::Fixed, QSizePolicy::Fixed));
    layout->setSizeConstraint(QLayout::SetFixedSize);

    answer_ = escapeAnswer_;
}

int StyledMessageDialog::answerOf(const QPushButton* button) const {
    const qsizetype i = buttons_.indexOf(const_cast<QPushButton*>(button));
    return i < 0 ? 0 : answers_[i];
}

QPushButton* StyledMessageDialog::defaultButton() const {
    for (QPushButton* b : buttons_)
        if (b->isDefault())
            return b;
    return nullptr;
}

void StyledMessageDialog::press(int answer) {
    answer_ = answer;
    pressed_ = true;
    done(answer);
}

void StyledMessageDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (escapeAnswer_ != 0)
            press(escapeAnswer_);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter presses the button that has the focus, else the default one.
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused && buttons_.contains(focused) ? focused : defaultButton();
        if (target)
            target->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void StyledMessageDialog::closeEvent(QCloseEvent* event) {
    // Like the standard message box: the close box is cancel or no, or the
    // only button; abort/retry/ignore has to be answered.
    if (!pressed_ && escapeAnswer_ == 0) {
        event->ignore();
        return;
    }
    if (!pressed_) {
        event->ignore();
        press(escapeAnswer_);
        return;
    }
    QDialog::closeEvent(event);
}

void StyledMessageDialog::reject() {
    if (escapeAnswer_ != 0)
        press(escapeAnswer_);
}

} // namespace vx
