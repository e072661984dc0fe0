#pragma once

// frmVx_Edit_Fpl, the command list window: the list lstBefehle of every
// schedule command beside the main window. A click forwards to the model's
// list click; syncFromModel() shows the model's list and selection.

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

    // Stands beside the main window, as high as it.
    void followMainWindow(const QRect& mainFrame);

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
