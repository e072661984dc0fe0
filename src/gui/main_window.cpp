#include "gui/main_window.h"

#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/command_list_window.h"
#include "gui/frm_info_window.h"
#include "gui/problems_pane.h"
#include "gui/replace_window.h"
#include "gui/schedule_grid.h"
#include "gui/search_window.h"
#include "gui/window_menus.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QListWidget>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vx {

namespace {
// The model's field widths and positions are laid out for a small font.
constexpr double EntryFontPoints = 8.0;
} // namespace

MainWindow::MainWindow(const Platform& platform, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), editor_(std::make_unique<Editor>(platform)) {
    setObjectName(QStringLiteral("frmVx_Edit"));
    QFont small = font();
    small.setPointSizeF(EntryFontPoints);
    setFont(small);
    if (!programFolder.isEmpty())
        editor_->setFolders(programFolder, editor_->autosave.fallbackFolder);
    menus_ = new WindowMenus(*editor_, menuBar(), this);
    grid_ = new ScheduleGrid(*editor_, syncing_, this);
    entry_ = new EntryArea(*editor_, syncing_, this);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4); // the grid ends 4 units above the frame
    layout->addWidget(grid_, 1);
    problems_ = new ProblemsPane(*editor_, central);
    connect(problems_, &ProblemsPane::modelChanged, this, [this] {
        afterEvent();
        grid_->revealCurrentRow();
    });
    layout->addWidget(problems_, 0);
    layout->addWidget(entry_, 0);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("trmSichDat"));
    timer_->setInterval(Autosave::IntervalMs);

    list_ = new CommandListWindow(*editor_, this);

    // Fixed width; the height can grow but not shrink below the design.
    setMinimumSize(DesignWidth, DesignHeight);
    setMaximumWidth(DesignWidth);
    resize(DesignWidth, DesignHeight);

    connectEvents();
    editor_->showInfoWindow = [this] {
        frmVx_Edit_Info info(InfoWindowTexts(editor_->catalogue), this);
        info.exec();
    };
    syncFromModel();
}

MainWindow::~MainWindow() {
    // The windows that show the model go before it.
    delete search_;
    delete replace_;
    delete list_;
    list_ = nullptr;
    // The grid asks its model for rows while it goes; the model reads the
    // editor, which dies with the members before the child widgets would.
    delete grid_;
    grid_ = nullptr;
}

// ---- Building ------------------------------------------------------------------

QTableView* MainWindow::grdFahrpl() const {
    return grid_;
}

QFrame* MainWindow::sevFrame1() const {
    return entry_;
}

QAction* MainWindow::menuAction(const QString& key) const {
    return menus_->action(key);
}

SearchWindow* MainWindow::searchWindow() const {
    return search_;
}

ReplaceWindow* MainWindow::replaceWindow() const {
    return replace_;
}

QWidget* MainWindow::widgetOf(Control control) const {
    switch (control) {
    case Control::grid:
        return grid_;
    case Control::lstBefehle:
        return list_ ? static_cast<QWidget*>(list_->lstBefehle()) : nullptr;
    default:
        return entry_->widgetOf(control);
    }
}

void MainWindow::connectEvents() {
    // Every control the model knows reports its focus entry.
    for (int c = 0; c < static_cast<int>(Control::None); ++c) {
        const auto control = static_cast<Control>(c);
        if (control == Control::lstBefehle)
            continue; // the command list window reports its own
        if (QWidget* w = widgetOf(control)) {
            w->setProperty("vxControl", c);
            w->installEventFilter(this);
        }
    }
    connect(menus_, &WindowMenus::modelChanged, this, &MainWindow::afterEvent);
    connect(menus_, &WindowMenus::triggered, this, &MainWindow::menuTriggered);
    connect(grid_, &ScheduleGrid::modelChanged, this, &MainWindow::afterEvent);
    connect(entry_, &EntryArea::modelChanged, this, &MainWindow::afterEvent);

    // F1 is the window's, before any control sees it.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] {
        editor_->form->keyF1();
        afterEvent();
    });

    connect(timer_, &QTimer::timeout, this, [this] {
        editor_->autosaveTick();
        afterEvent();
    });
    connect(list_, &CommandListWindow::modelChanged, this, [this] {
        afterEvent();
        // The list click puts the focus into the main window's first field.
        // Asked of the window system even when this window still counts as
        // active: the news that the click activated the list may not be in.
        if (editor_->form->focus != Control::lstBefehle) {
            if (QWindow* handle = windowHandle())
                handle->requestActivate();
            raise();
        }
    });
}

// ---- Events ----------------------------------------------------------------------

void MainWindow::afterEvent() {
    syncFromModel();
}

void MainWindow::focusEntered(Control control, Qt::FocusReason reason) {
    if (syncing_ || reason == Qt::PopupFocusReason)
        return;
    EntryForm& form = *editor_->form;
    // Coming back to the window gives the control the focus it had: no event.
    if (reason == Qt::ActiveWindowFocusReason && form.focus == control)
        return;
    form.setFocus(control);
    afterEvent();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const QVariant c = watched->property("vxControl");
        if (c.isValid())
            focusEntered(static_cast<Control>(c.toInt()),
                         static_cast<QFocusEvent*>(event)->reason());
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::syncProblemsPane() {
    problems_->syncFromModel();
    fitProblemsPane();
}

void MainWindow::fitProblemsPane() {
    if (!isVisible() || isMaximized() || isFullScreen())
        return;
    // The window grows by the pane, where the screen has room, so that the
    // grid keeps its rows; it gives the room back when the pane goes.
    const bool shown = problems_->isVisibleTo(this);
    if (shown && paneRoom_ == 0) {
        const QScreen* screen = this->screen();
        if (!screen)
            return;
        const QRect area = screen->availableGeometry();
        const int step = problems_->height() + centralWidget()->layout()->spacing();
        paneRoom_ = std::clamp(area.height() - frameGeometry().height(), 0, step);
        if (paneRoom_ == 0)
            return;
        resize(width(), height() + paneRoom_);
        const int below = frameGeometry().bottom() - area.bottom();
        if (below > 0)
            move(x(), std::max(area.top(), y() - below));
    } else if (!shown && paneRoom_ > 0) {
        resize(width(), std::max(DesignHeight, height() - paneRoom_));
        paneRoom_ = 0;
    }
}

void MainWindow::menuTriggered(const QString& key) {
    editor_->menuClick(key);
    afterEvent();
    if (key == u"Wrk_GoDef" || key == u"Wrk_Probl")
        grid_->revealCurrentRow();
    if (key == u"Dat_End" && editor_->ended) {
        // The model has run the shutdown (question included): the window goes.
        close();
        return;
    }
    QWidget* window = key == u"Wrk_Such"  ? static_cast<QWidget*>(search_.data())
                      : key == u"Wrk_Ers" ? static_cast<QWidget*>(replace_.data())
                                          : nullptr;
    if (window) {
        window->raise();
        window->activateWindow();
    }
}

void MainWindow::syncToolWindows() {
    // The model says which of the two windows is open; each is created on
    // first use and destroyed by its close button.
    const SearchState& state = editor_->search;
    if (state.searchWindowOpen && !search_) {
        search_ = new SearchWindow(*editor_, this);
        search_->setAttribute(Qt::WA_DeleteOnClose);
        connect(search_, &SearchWindow::modelChanged, this, &MainWindow::afterEvent);
        search_->show();
        placeBeside(search_, 0);
    } else if (!state.searchWindowOpen && search_) {
        search_->close();
    }
    if (state.replaceWindowOpen && !replace_) {
        replace_ = new ReplaceWindow(*editor_, this);
        replace_->setAttribute(Qt::WA_DeleteOnClose);
        connect(replace_, &ReplaceWindow::modelChanged, this, &MainWindow::afterEvent);
        replace_->show();
        placeBeside(replace_, 1);
    } else if (!state.replaceWindowOpen && replace_) {
        replace_->close();
    }
    if (search_)
        search_->syncFromModel();
    if (replace_)
        replace_->syncFromModel();
}

void MainWindow::openAtStart(const QString& path) {
    editor_->openFromCommandLine(path);
    afterEvent();
}

// ---- Window events -------------------------------------------------------------

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!editor_->ended) {
        const int mode = unloadMode_;
        unloadMode_ = 0;
        const bool cancelled = editor_->Form_QueryUnload(mode);
        afterEvent();
        if (cancelled) {
            event->ignore();
            return;
        }
    }
    timer_->stop();
    delete search_;
    delete replace_;
    list_->close();
    event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Presses that no control takes reach the window: a click on its background.
    QMainWindow::mousePressEvent(event);
    editor_->Form_Click();
    afterEvent();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !list_)
        return;
    if (isMinimized()) {
        list_->hide();
    } else if (isVisible()) {
        list_->show();
        placeCommandList();
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placeCommandList();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeCommandList();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placedOnce_ || !list_)
        return;
    placedOnce_ = true;
    // The frame's size is known once the window manager has placed it.
    QTimer::singleShot(0, this, [this] {
        if (!list_ || isMinimized() || !isVisible())
            return;
        list_->show();
        fitProblemsPane();
        placePair();
        placeCommandList();
        // The keyboard belongs to the main window, not to the list shown last.
        activateWindow();
        raise();
    });
}

void MainWindow::placePair() {
    // The main window and the command list side by side, centred on the
    // screen, so that both are whole on it at every start.
    const QScreen* screen = this->screen();
    if (!screen || !list_)
        return;
    const QRect area = screen->availableGeometry();
    const QRect main = frameGeometry();
    const int listWidth = list_->frameGeometry().width();
    const int total = main.width() + 1 + listWidth;
    const int left = area.left() + std::max(0, (area.width() - total) / 2);
    const int top = area.top() + std::max(0, (area.height() - main.height()) / 2);
    move(pos() + QPoint(left, top) - main.topLeft());
}

void MainWindow::placeCommandList() {
    if (list_ && list_->isVisible())
        list_->followMainWindow(frameGeometry());
}

void MainWindow::placeBeside(QWidget* window, int fromBottom) {
    // Over the lower right of the grid, one above the other: they cover
    // neither the entry fields below nor the command list beside.
    const QRect grid(grid_->mapToGlobal(QPoint(0, 0)), grid_->size());
    const QRect frame = window->frameGeometry();
    // A window just shown may not wear its title bar yet: the main window's
    // tells how tall it will be.
    const int decoration =
        std::max(frame.height() - window->height(), frameGeometry().height() - height());
    const int outer = window->height() + decoration;
    int top = grid.bottom() - outer * (fromBottom + 1) - 2 * fromBottom;
    top = std::max(top, grid.top());
    int left = grid.right() - frame.width() - grid_->verticalScrollBar()->width();
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        left = std::clamp(left, area.left(), std::max(area.left(), area.right() - frame.width()));
        top = std::clamp(top, area.top(), std::max(area.top(), area.bottom() - outer));
    }
    window->move(left, top);
}

// ---- Bringing the widgets in line with the model ----------------------------------

void MainWindow::syncFromModel() {
    if (syncing_)
        return;
    const QScopedValueRollback guard(syncing_, true);
    toolkit_.follow(editor_->catalogue.language());
    if (windowTitle() != editor_->windowTitle)
        setWindowTitle(editor_->windowTitle);
    menus_->syncFromModel();
    editor_->refreshDiagnostics();
    grid_->syncFromModel();
    syncProblemsPane();
    entry_->syncFromModel();
    if (editor_->autosaveEnabled && !timer_->isActive())
        timer_->start();
    else if (!editor_->autosaveEnabled && timer_->isActive())
        timer_->stop();
    if (list_)
        list_->syncFromModel();
    syncToolWindows();
    syncFocus();
}

void MainWindow::syncFocus() {
    const Control focus = editor_->form->focus;
    QWidget* target = widgetOf(focus);
    if (!target || !target->isVisibleTo(target->window()) || !target->isEnabled())
        return;
    // In a window that is not active this only chooses the control that gets
    // the focus when the window is activated.
    if (target->window()->focusWidget() != target)
        target->setFocus(Qt::OtherFocusReason);
}

} // namespace vx
