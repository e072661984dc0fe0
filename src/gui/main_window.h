#pragma once

// frmVx_Edit, the main window: it composes the menu bar, the schedule grid
// grdFahrpl, the problems list and the entry area sevFrame1, and keeps the
// command list and the search and replace windows. A thin view over
// vx::Editor: every user event goes to the model, and after each one
// syncFromModel() brings every window in line with it.
// The platform (message window, dialogs, settings, help, printer) is handed
// in, so that tests can give scripted answers.

#include "gui/entry_area.h"
#include "gui/toolkit_translation.h"
#include "gui/view_support.h"
#include "platform/platform.h"

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

class QAction;
class QDockWidget;
class QScrollArea;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace vx {

class CommandListWindow;
class XrefDock;
class Editor;
class MaskedField;
class ProblemsPane;
class ReplaceWindow;
class RunDock;
class ScheduleGrid;
class SearchWindow;
class WindowMenus;
enum class Control;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The design size: the entry area's width, the height where the screen
    // has room for it. Smaller screens scroll the entry area.
    static constexpr int DesignWidth = 800;
    static constexpr int DesignHeight = 560;

    // programFolder: the folder of the program (help files, backups).
    explicit MainWindow(const Platform& platform, const QString& programFolder = QString(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    Editor& editor() { return *editor_; }

    // Opens a schedule named on the command line, as the recent list would.
    void openAtStart(const QString& path);

    // Brings this window and the other windows in line with the model.
    void syncFromModel();

    // ---- The controls, for the tests and the other windows ----------------
    QTableView* grdFahrpl() const;
    QFrame* sevFrame1() const;
    MaskedField* mskTxt(int k) const { return entry_->mskTxt(k); }
    QLineEdit* txbTxt2() const { return entry_->txbTxt2(); }
    QLineEdit* txbTxt3() const { return entry_->txbTxt3(); }
    QLineEdit* txbAnmerk() const { return entry_->txbAnmerk(); }
    QLineEdit* txbStern() const { return entry_->txbStern(); }
    QLabel* lblLfdNr() const { return entry_->lblLfdNr(); }
    QLabel* lblCode() const { return entry_->lblCode(); }
    QLabel* lblAnmerk() const { return entry_->lblAnmerk(); }
    QLabel* lblBemerkung() const { return entry_->lblBemerkung(); }
    QLabel* lblHinweise() const { return entry_->lblHinweise(); }
    QPushButton* cmdHol_Zei() const { return entry_->cmdHol_Zei(); }
    QPushButton* cmdUeb_Zei() const { return entry_->cmdUeb_Zei(); }
    QPushButton* cmdUeb_leerZ() const { return entry_->cmdUeb_leerZ(); }
    QPushButton* cmdEinf_leerZ() const { return entry_->cmdEinf_leerZ(); }
    QPushButton* cmdLoe_Zei() const { return entry_->cmdLoe_Zei(); }
    QTimer* trmSichDat() const { return timer_; }
    CommandListWindow* commandListWindow() const { return list_; }
    // The dock that holds the command list.
    QDockWidget* commandListDock() const { return listDock_; }
    ProblemsPane* problemsPane() const { return problems_; }
    RunDock* runDock() const { return run_; }
    SearchWindow* searchWindow() const;
    ReplaceWindow* replaceWindow() const;
    // The menu entry (or top menu) with a menu key; null for unknown keys.
    QAction* menuAction(const QString& key) const;
    // The widget that stands for a control of the model; null for none.
    QWidget* widgetOf(Control control) const;

    // Colours the entry area uses.
    static const QColor& errorColour() { return ErrorColour(); }
    static const QColor& warningColour() { return WarningColour(); }
    static const QColor& lineNumberColour() { return LineNumberColour(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectEvents();

    // After every event forwarded to the model.
    void afterEvent();
    void menuTriggered(const QString& key);
    void syncToolWindows();
    void setUpRunDock();
    void syncRunDock();
    void placeBeside(QWidget* window, int fromBottom);

    void syncFocus();
    void syncProblemsPane();
    // whole: the entry area whole again, even where the user made it lower.
    void fitEntryDock(bool whole = false);
    void restoreWindowState();
    void saveWindowState();
    void reportGeometry() const;

    void focusEntered(Control control, Qt::FocusReason reason);

    std::unique_ptr<Editor> editor_;
    bool syncing_ = false;
    WindowMenus* menus_ = nullptr;
    ScheduleGrid* grid_ = nullptr;
    EntryArea* entry_ = nullptr;
    QScrollArea* entryScroll_ = nullptr;
    QDockWidget* entryDock_ = nullptr;
    QDockWidget* listDock_ = nullptr;
    XrefDock* xref_ = nullptr;
    RunDock* run_ = nullptr;
    std::optional<Language> xrefLanguage_;
    QTimer* timer_ = nullptr;
    QTimer* reportTimer_ = nullptr;

    CommandListWindow* list_ = nullptr;
    ProblemsPane* problems_ = nullptr;
    bool xrefSized_ = false; // the cross-references got their room once
    QPointer<SearchWindow> search_;
    QPointer<ReplaceWindow> replace_;

    int unloadMode_ = 0;
    bool shownOnce_ = false;
    int fittedEntryHeight_ = -1;
    ToolkitTranslation toolkit_;
};

} // namespace vx
