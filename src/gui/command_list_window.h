#pragma once

// frmVx_Edit_Fpl, the command list: the list lstBefehle of every schedule
// command, shown in a dock of the main window. A click forwards to the
// model's list click; syncFromModel() shows the model's list and selection.

#include <QWidget>

class QListWidget;

namespace vx {

class Editor;

class CommandListWindow : public QWidget {
    Q_OBJECT
public:
    CommandListWindow(Editor& editor, QWidget* parent = nullptr);

    QListWidget* lstBefehle() const { return list_; }

    // Brings the caption, the list and its selection in line with the model.
    void syncFromModel();

    QSize sizeHint() const override;

signals:
    // After every event forwarded to the model: the windows bring themselves
    // in line with it.
    void modelChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void click(int line);

    Editor& editor_;
    QListWidget* list_;
    bool syncing_ = false;
};

} // namespace vx
