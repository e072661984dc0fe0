#include "gui/command_list_window.h"

#include "editor/editor.h"
#include "form/entry_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QScreen>

namespace vx {

namespace {
// The list fills the window but for these margins (pixels).
constexpr int ListInset = 6;
constexpr int WidthLess = 12;
constexpr int HeightLess = 35;
constexpr int DesignWidth = 400;

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
    : QWidget(parent, Qt::Window), editor_(editor), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("frmVx_Edit_Fpl"));
    list_->setObjectName(QStringLiteral("lstBefehle"));
    list_->setUniformItemSizes(true);
    list_->setGeometry(ListInset, ListInset, DesignWidth - WidthLess, 400 - HeightLess);
    resize(DesignWidth, 400);
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

void CommandListWindow::followMainWindow(const QRect& mainFrame) {
    const int decoration = frameGeometry().height() - height();
    int left = mainFrame.right() + 1;
    // On a screen too narrow for both, the list stays whole over the main
    // window's right edge.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        left = std::max(area.left(), std::min(left, area.right() + 1 - frameGeometry().width()));
    }
    move(left, mainFrame.top());
    const int inner = std::max(mainFrame.height() - decoration, 100);
    if (height() != inner)
        resize(width(), inner);
}

void CommandListWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    list_->setGeometry(ListInset, ListInset, std::max(width() - WidthLess, 0),
                       std::max(height() - HeightLess, 0));
    editor_.frmVx_Edit_Fpl_Resize();
}

void CommandListWindow::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    list_->setFocus(event->reason());
}

} // namespace vx
