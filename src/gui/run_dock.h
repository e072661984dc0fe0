#pragma once

// The dry-run dock: the run's buttons (the Work menu's actions), where the
// run stands, the contacts the schedule uses (a click switches one), the
// state of the layout as the run sees it, and the trace. A view of the
// editor's DryRunSession.

#include <QDockWidget>

class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QTabWidget;
class QTableView;

namespace vx {

class Editor;
class WindowMenus;

class RunDock : public QDockWidget {
    Q_OBJECT
public:
    RunDock(Editor& editor, WindowMenus& menus, QWidget* parent = nullptr);

    void syncFromModel();
    // The dry run's own help page (F1 in the dock, and its help button).
    void showHelp();

    QListView* contacts() const { return contacts_; }
    QTableView* stateTable() const { return state_; }
    QTableView* traceTable() const { return trace_; }
    QTabWidget* tabs() const { return tabs_; }
    QLabel* status() const { return status_; }

signals:
    // The user did something the window shows: it syncs.
    void modelChanged();
    // The user closed the dock with its own button.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void retranslate();
    void openTraceEntry(const QModelIndex& index);
    // The contacts' cells fit the widest text in the view's font.
    void fitContactCells();

    Editor& editor_;
    QLabel* status_;
    QWidget* inputRow_;
    QLabel* inputLabel_;
    QLineEdit* input_;
    QPushButton* answer_;
    QTabWidget* tabs_;
    QLabel* contactsHint_;
    QListView* contacts_;
    QTableView* state_;
    QTableView* trace_;
    QAction* help_;
    int shownLanguage_ = -1;
    bool followTrace_ = true;
};

} // namespace vx
