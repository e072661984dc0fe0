#include "gui/replace_window.h"

#include "editor/editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vx {

ReplaceWindow::ReplaceWindow(Editor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor), lblErs_von_(new QLabel(this)),
      lblErs_nach_(new QLabel(this)), txbvon_Text_(new QLineEdit(this)),
      txbnach_Text_(new QLineEdit(this)), search_(new QPushButton(this)),
      replace_(new QPushButton(this)), cancel_(new QPushButton(this)),
      wholeNumber_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("frmVx_Edit_ZErs"));
    wholeNumber_->setObjectName(QStringLiteral("chkWholeNumber"));
    lblErs_von_->setObjectName(QStringLiteral("lblErs_von"));
    lblErs_nach_->setObjectName(QStringLiteral("lblErs_nach"));
    txbvon_Text_->setObjectName(QStringLiteral("txbvon_Text"));
    txbnach_Text_->setObjectName(QStringLiteral("txbnach_Text"));
    search_->setObjectName(QStringLiteral("sevCmdBef0"));
    replace_->setObjectName(QStringLiteral("sevCmdBef1"));
    cancel_->setObjectName(QStringLiteral("sevCmdBef2"));
    setWindowTitle(editor_.catalogue.tx(u"Replace digit(s)"));

    auto* texts = new QGridLayout;
    texts->addWidget(lblErs_von_, 0, 0);
    texts->addWidget(txbvon_Text_, 0, 1);
    texts->addWidget(lblErs_nach_, 1, 0);
    texts->addWidget(txbnach_Text_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search_);
    buttons->addWidget(replace_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(texts);
    layout->addWidget(wholeNumber_);
    layout->addLayout(buttons);
    setFixedWidth(360);

    connect(txbvon_Text_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (syncing_)
            return;
        editor_.replaceOfEdited(text);
        emit modelChanged();
    });
    connect(txbnach_Text_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (syncing_)
            return;
        editor_.replaceToEdited(text);
        emit modelChanged();
    });
    connect(search_, &QPushButton::clicked, this, [this] {
        editor_.replaceSearchButton();
        emit modelChanged();
    });
    connect(replace_, &QPushButton::clicked, this, [this] {
        editor_.replaceButton();
        emit modelChanged();
    });
    connect(cancel_, &QPushButton::clicked, this, &QWidget::close);
    connect(wholeNumber_, &QCheckBox::toggled, this, [this](bool on) {
        if (syncing_)
            return;
        editor_.setWholeNumber(on);
        emit modelChanged();
    });
    syncFromModel();
}

QPushButton* ReplaceWindow::sevCmdBef(int index) const {
    switch (index) {
    case 0:
        return search_;
    case 1:
        return replace_;
    case 2:
        return cancel_;
    default:
        return nullptr;
    }
}

void ReplaceWindow::syncFromModel() {
    const QScopedValueRollback guard(syncing_, true);
    const TextCatalogue& c = editor_.catalogue;
    lblErs_von_->setText(c.tx(u"Replace of:"));
    lblErs_nach_->setText(c.tx(u"Replace to:"));
    search_->setText(c.tx(u"Search (cont.)"));
    replace_->setText(u'&' + c.tx(u"Replace"));
    cancel_->setText(u'&' + c.tx(u"Cancel"));
    const SearchState& state = editor_.search;
    replace_->setEnabled(state.replaceEnabled);
    wholeNumber_->setText(c.tx(u"&Whole number"));
    if (wholeNumber_->isChecked() != state.wholeNumber)
        wholeNumber_->setChecked(state.wholeNumber);
    const QSignalBlocker von(txbvon_Text_);
    if (txbvon_Text_->text() != state.replaceOf)
        txbvon_Text_->setText(state.replaceOf);
    const QSignalBlocker nach(txbnach_Text_);
    if (txbnach_Text_->text() != state.replaceTo)
        txbnach_Text_->setText(state.replaceTo);
}

void ReplaceWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        syncFromModel();
}

void ReplaceWindow::keyPressEvent(QKeyEvent* event) {
    // Enter searches wherever the focus is; Esc closes, as in a dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        search_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ReplaceWindow::closeEvent(QCloseEvent* event) {
    editor_.replaceWindowClosed();
    QWidget::closeEvent(event);
}

} // namespace vx
