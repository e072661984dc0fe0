#pragma once

// frmVx_Edit, the main window: the menu bar, the schedule grid grdFahrpl, the
// entry frame sevFrame1 with the masked fields, the labels and the five row
// buttons. A thin view over vx::Editor: every user event goes to the model,
// and after each one syncFromModel() brings every window in line with it.
// The platform (message window, dialogs, settings, help, printer) is handed
// in, so that tests can give scripted answers.

#include "editor/menu_model.h"
#include "gui/toolkit_translation.h"
#include "platform/platform.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

class QAbstractTableModel;
class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;

namespace vx {

class CommandListWindow;
class Editor;
class MaskedField;
class ProblemsPane;
class ReplaceWindow;
class SearchWindow;
enum class Control;

// A caption or prompt as a label shows it: every kind of line break made one.
QString ShownText(const QString& text);

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The design size: the width is fixed, the height can only grow.
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
    QTableView* grdFahrpl() const { return grid_; }
    QFrame* sevFrame1() const { return frame_; }
    MaskedField* mskTxt(int k) const { return msk_[static_cast<size_t>(k)]; }
    QLineEdit* txbTxt2() const { return txbTxt2_; }
    QLineEdit* txbTxt3() const { return txbTxt3_; }
    QLineEdit* txbAnmerk() const { return txbAnmerk_; }
    QLineEdit* txbStern() const { return txbStern_; }
    QLabel* lblLfdNr() const { return lblLfdNr_; }
    QLabel* lblCode() const { return lblCode_; }
    QLabel* lblAnmerk() const { return lblAnmerk_; }
    QLabel* lblBemerkung() const { return lblBemerkung_; }
    QLabel* lblHinweise() const { return lblHinweise_; }
    QPushButton* cmdHol_Zei() const { return cmdHol_Zei_; }
    QPushButton* cmdUeb_Zei() const { return cmdUeb_Zei_; }
    QPushButton* cmdUeb_leerZ() const { return cmdUeb_leerZ_; }
    QPushButton* cmdEinf_leerZ() const { return cmdEinf_leerZ_; }
    QPushButton* cmdLoe_Zei() const { return cmdLoe_Zei_; }
    QTimer* trmSichDat() const { return timer_; }
    CommandListWindow* commandListWindow() const { return list_; }
    ProblemsPane* problemsPane() const { return problems_; }
    SearchWindow* searchWindow() const;
    ReplaceWindow* replaceWindow() const;
    // The menu entry (or top menu) with a menu key; null for unknown keys.
    QAction* menuAction(const QString& key) const { return actions_.value(key); }
    // The widget that stands for a control of the model; null for none.
    QWidget* widgetOf(Control control) const;

    // Colours the entry area uses.
    static const QColor& errorColour();      // a false field, the explanation
    static const QColor& warningColour();    // a row whose findings are warnings
    static const QColor& lineNumberColour(); // the line number of another row

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildGrid();
    void buildEntryFrame();
    void connectEvents();

    // After every event forwarded to the model.
    void afterEvent();
    void menuTriggered(const QString& key);
    void syncToolWindows();
    void placeCommandList();
    void placePair();
    void placeBeside(QWidget* window, int fromBottom);

    void syncMenus();
    void syncGrid();
    void syncEntryArea();
    void placeEntryRows();
    int tallestHint() const;
    void syncFocus();
    void syncProblemsPane();
    void fitProblemsPane();
    // After a jump to a row: the grid scrolls it into view.
    void revealCurrentRow();

    void fieldEdited(Control control, const QString& text);
    void focusEntered(Control control, Qt::FocusReason reason);

    std::unique_ptr<Editor> editor_;
    QAbstractTableModel* gridModel_ = nullptr;
    QTableView* grid_ = nullptr;
    QFrame* frame_ = nullptr;
    std::array<MaskedField*, 8> msk_{};
    QLineEdit* txbTxt2_ = nullptr;
    QLineEdit* txbTxt3_ = nullptr;
    QLineEdit* txbAnmerk_ = nullptr;
    QLineEdit* txbStern_ = nullptr;
    QLabel* lblLfdNr_ = nullptr;
    QLabel* lblCode_ = nullptr;
    QLabel* lblAnmerk_ = nullptr;
    QLabel* lblBemerkung_ = nullptr;
    QLabel* lblHinweise_ = nullptr;
    QPushButton* cmdHol_Zei_ = nullptr;
    QPushButton* cmdUeb_Zei_ = nullptr;
    QPushButton* cmdUeb_leerZ_ = nullptr;
    QPushButton* cmdEinf_leerZ_ = nullptr;
    QPushButton* cmdLoe_Zei_ = nullptr;
    std::array<QString, 5> wrappedCaptions_; // of the five buttons, as last wrapped
    QTimer* timer_ = nullptr;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QList<MenuItem> shownMenu_; // the model's menu as the actions show it

    CommandListWindow* list_ = nullptr;
    ProblemsPane* problems_ = nullptr;
    QPointer<SearchWindow> search_;
    QPointer<ReplaceWindow> replace_;

    bool syncing_ = false;
    int unloadMode_ = 0;
    int appliedTopRow_ = -1;
    int paneRoom_ = 0; // what the window grew by for the problems list
    int appliedGridRows_ = -1;
    bool placedOnce_ = false;
    // Room under the operand row for the hint: the tallest hint of the
    // language, or a taller one once seen.
    int hintRoom_ = 0;
    QString hintRoomLanguage_;
    QHash<QString, int> tallestHints_; // by language
    QHash<QString, int> maskWidths_;   // the width each mask needs
    ToolkitTranslation toolkit_;
};

} // namespace vx
