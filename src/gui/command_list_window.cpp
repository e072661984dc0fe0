#include "gui/command_list_window.h"

#include "editor/editor.h"
#include "form/entry_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace vx {

namespace {
// Wide enough for the longest command name in every language.
constexpr int DesignWidth = 330;
constexpr int DesignHeight = 400;

class ListFocusForwarder : public QObject {
public:
    ListFocusForwarder(Editor& editor, QObject* parent) : QObject(parent), editor_(editor) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && !(reason == Qt::ActiveWindowFocusReason &&
                                                    editor_.form->focus == Control::lstBefehle))
                editor_.form->setFocus(Control::lstBefehle);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    Editor& editor_;
};
} // namespace

CommandListWindow::CommandListWindow(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmVx_Edit_Fpl"));
    list_->setObjectName(QStringLiteral("lstBefehle"));
    list_->setUniformItemSizes(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    list_->installEventFilter(new ListFocusForwarder(editor_, this));

    // A mouse click runs the setup, also on the line already selected; a
    // keyboard move of the selection is a click on the new line.
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { click(list_->row(item)); });
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!syncing_ && QApplication::mouseButtons() == Qt::NoButton)
            click(row);
    });
    syncFromModel();
}

void CommandListWindow::click(int line) {
    if (syncing_ || line < 0)
        return;
    editor_.form->lstBefehle_Click(line);
    emit modelChanged();
}

void CommandListWindow::syncFromModel() {
    const QScopedValueRollback guard(syncing_, true);
    const QSignalBlocker blocker(list_);
    const EntryForm& form = *editor_.form;
    setWindowTitle(editor_.catalogue.tx(u"Schedule commands for VELOX"));
    const QStringList& lines = form.lstBefehle;
    if (list_->count() != lines.size()) {
        list_->clear();
        list_->addItems(lines);
    }
    for (int i = 0; i < lines.size(); ++i) {
        QListWidgetItem* item = list_->item(i);
        if (item->text() != lines[i])
            item->setText(lines[i]);
        // A line cut at the window's edge can still be read whole.
        if (item->toolTip() != lines[i])
            item->setToolTip(lines[i]);
    }
    const int selected =
        form.listIndex >= 0 && form.listIndex < list_->count() ? form.listIndex : -1;
    if (list_->currentRow() != selected) {
        list_->setCurrentRow(selected);
        if (selected < 0)
            list_->clearSelection();
    }
}

QSize CommandListWindow::sizeHint() const {
    return {DesignWidth, DesignHeight};
}

void CommandListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    editor_.frmVx_Edit_Fpl_Resize();
}

void CommandListWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    list_->setFocus(event->reason());
}

} // namespace vx
