#include "gui/search_window.h"

#include "editor/editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vx {

SearchWindow::SearchWindow(Editor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor), lblSuchen_(new QLabel(this)),
      txbSuchtext_(new QLineEdit(this)), search_(new QPushButton(this)),
      cancel_(new QPushButton(this)), wholeNumber_(new QCheckBox(this)) {
    setObjectName(QStringLiteral("frmVx_Edit_Such"));
    wholeNumber_->setObjectName(QStringLiteral("chkWholeNumber"));
    lblSuchen_->setObjectName(QStringLiteral("lblSuchen"));
    txbSuchtext_->setObjectName(QStringLiteral("txbSuchtext"));
    search_->setObjectName(QStringLiteral("sevCmdBef0"));
    cancel_->setObjectName(QStringLiteral("sevCmdBef1"));
    search_->setDefault(true);
    setWindowTitle(editor_.catalogue.tx(u"Search digit(s)"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(search_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSuchen_);
    layout->addWidget(txbSuchtext_);
    layout->addWidget(wholeNumber_);
    layout->addLayout(buttons);
    setFixedWidth(300);

    connect(txbSuchtext_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (syncing_)
            return;
        editor_.searchTextEdited(text);
        emit modelChanged();
    });
    connect(search_, &QPushButton::clicked, this, [this] {
        editor_.searchButton();
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

QPushButton* SearchWindow::sevCmdBef(int index) const {
    return index == 0 ? search_ : index == 1 ? cancel_ : nullptr;
}

void SearchWindow::syncFromModel() {
    const QScopedValueRollback guard(syncing_, true);
    // The captions follow the language each time the window is shown.
    const TextCatalogue& c = editor_.catalogue;
    lblSuchen_->setText(c.tx(u"Searching for:"));
    search_->setText(c.tx(u"Search (cont.)"));
    cancel_->setText(u'&' + c.tx(u"Cancel"));
    wholeNumber_->setText(c.tx(u"&Whole number"));
    if (wholeNumber_->isChecked() != editor_.search.wholeNumber)
        wholeNumber_->setChecked(editor_.search.wholeNumber);
    const QSignalBlocker blocker(txbSuchtext_);
    if (txbSuchtext_->text() != editor_.search.searchText)
        txbSuchtext_->setText(editor_.search.searchText);
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
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

void SearchWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        syncFromModel();
}

void SearchWindow::closeEvent(QCloseEvent* event) {
    // The close button destroys the window; the model keeps its search.
    editor_.searchWindowClosed();
    QWidget::closeEvent(event);
}

} // namespace vx
