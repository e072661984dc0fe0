#include "gui/main_window.h"

#include "editor/dry_run_session.h"
#include "editor/editor.h"
#include "editor/layout_view.h"
#include "form/entry_form.h"
#include "gui/command_list_window.h"
#include "gui/frm_info_window.h"
#include "gui/masked_field_window.h"
#include "gui/problems_pane.h"
#include "gui/renumber_dialog.h"
#include "gui/replace_window.h"
#include "gui/run_dock.h"
#include "gui/schedule_grid.h"
#include "gui/search_window.h"
#include "gui/window_menus.h"
#include "gui/xref_dock.h"
#include "help/help_model.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFile>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

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

    // The grid over the problems list, which takes its room from the grid,
    // never from the window or the entry area.
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(grid_, 1);
    problems_ = new ProblemsPane(*editor_, central);
    connect(problems_, &ProblemsPane::modelChanged, this, [this] {
        afterEvent();
        grid_->revealCurrentRow();
    });
    layout->addWidget(problems_, 0);
    setCentralWidget(central);
    statusBar()->setSizeGripEnabled(false);

    // The entry area spans the whole width under the grid and the command
    // list; on a small screen it scrolls rather than hiding controls.
    entryScroll_ = new QScrollArea(this);
    entryScroll_->setObjectName(QStringLiteral("entryScroll"));
    entryScroll_->setFrameShape(QFrame::NoFrame);
    entryScroll_->setWidgetResizable(true);
    entry_->setMinimumWidth(DesignWidth);
    entryScroll_->setWidget(entry_);
    entryDock_ = new QDockWidget(this);
    entryDock_->setObjectName(QStringLiteral("entryDock"));
    entryDock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
    entryDock_->setTitleBarWidget(new QWidget(entryDock_));
    entryDock_->setWidget(entryScroll_);
    addDockWidget(Qt::BottomDockWidgetArea, entryDock_);
    setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("trmSichDat"));
    timer_->setInterval(Autosave::IntervalMs);

    listDock_ = new QDockWidget(this);
    listDock_->setObjectName(QStringLiteral("commandListDock"));
    listDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    list_ = new CommandListWindow(*editor_, listDock_);
    listDock_->setWidget(list_);
    addDockWidget(Qt::RightDockWidgetArea, listDock_);
    QAction* toggle = listDock_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("commandListShown"));
    menus_->addWindowAction(QStringLiteral("MenuOpt"), toggle);

    // The layout's cross-references under the command list; shown from the
    // Work menu, as it needs room the entry work does not.
    xref_ = new XrefDock(*editor_, this);
    addDockWidget(Qt::RightDockWidgetArea, xref_);
    splitDockWidget(listDock_, xref_, Qt::Vertical);
    xref_->hide();
    connect(xref_, &XrefDock::modelChanged, this, [this] {
        afterEvent();
        grid_->revealCurrentRow();
    });
    menus_->addWindowAction(QStringLiteral("MenuWrk"), xref_->toggleViewAction());
    // Shown, the table gets the larger share of the side and room for its
    // columns: a strip of four rows with the lines cut off helps nobody.
    connect(xref_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (!visible || xref_->isFloating() || xrefSized_)
            return;
        xrefSized_ = true;
        const int side = listDock_->height() + xref_->height();
        resizeDocks({listDock_, xref_}, {side / 3, side - side / 3}, Qt::Vertical);
        const int wide = std::max(xref_->width(), width() * 2 / 5);
        resizeDocks({xref_}, {wide}, Qt::Horizontal);
    });
    setUpRunDock();

    // The design size, with room for the problems list, where the screen
    // has room for it.
    QSize size(DesignWidth + list_->sizeHint().width(), DesignHeight + problems_->maximumHeight());
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
    // On a small screen the list takes no more than a third of the width.
    resizeDocks({listDock_}, {std::min(list_->sizeHint().width(), size.width() / 3)},
                Qt::Horizontal);
    restoreWindowState();

    connectEvents();
    editor_->layout->setWatching(true);
    editor_->layout->rescanned = [this] { afterEvent(); };
    editor_->showRenumberDialog = [this] {
        RenumberDialog dialog(*editor_, this);
        connect(&dialog, &RenumberDialog::modelChanged, this, &MainWindow::afterEvent);
        // The pane that showed the old number's uses shows the new one's.
        if (dialog.exec() == QDialog::Accepted &&
            xref_->text()->text().trimmed().compare(dialog.oldId(), Qt::CaseInsensitive) == 0)
            xref_->text()->setText(dialog.newId());
    };
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
        // The dry run and the cross-references have pages of their own;
        // everywhere else the topic of what the user edits.
        QWidget* focus = QApplication::focusWidget();
        if (run_ && focus && (focus == run_ || run_->isAncestorOf(focus)))
            run_->showHelp();
        else if (xref_->isAncestorOf(focus))
            editor_->helpOn(HelpTopic::CrossReferences);
        else if (problems_->isAncestorOf(focus) && problems_->layoutFindingCurrent())
            editor_->helpOn(HelpTopic::LayoutFindings);
        else
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

void MainWindow::setUpRunDock() {
    // Beside the command list, as a tab: on a small screen the run needs
    // the room the list has, not more.
    run_ = new RunDock(*editor_, *menus_, this);
    addDockWidget(Qt::RightDockWidgetArea, run_);
    tabifyDockWidget(listDock_, run_);
    run_->hide();
    connect(run_, &RunDock::modelChanged, this, &MainWindow::afterEvent);
    connect(run_, &RunDock::closed, this, [this] {
        editor_->dryRunShown = false;
        afterEvent();
    });
    connect(editor_->dryRun.get(), &DryRunSession::changed, this, [this] {
        afterEvent();
        if (const int row = editor_->dryRun->runningRow(); row > 0)
            grid_->revealRow(row);
    });
}

void MainWindow::syncRunDock() {
    if (editor_->dryRunShown != run_->isVisible()) {
        run_->setVisible(editor_->dryRunShown);
        if (editor_->dryRunShown)
            run_->raise();
    }
    if (run_->isVisible())
        run_->syncFromModel();
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
    saveWindowState();
    // A list that floats goes with the window.
    if (listDock_->isFloating())
        listDock_->hide();
    event->accept();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    // Presses that no control takes reach the window: a click on its background.
    QMainWindow::mousePressEvent(event);
    editor_->Form_Click();
    afterEvent();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitEntryDock();
    if (reportTimer_)
        reportTimer_->start();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            return;
        fitEntryDock(true);
        if (qEnvironmentVariableIsSet("VX_WINDOW_REPORT")) {
            reportTimer_ = new QTimer(this);
            reportTimer_->setSingleShot(true);
            reportTimer_->setInterval(200);
            connect(reportTimer_, &QTimer::timeout, this, &MainWindow::reportGeometry);
            connect(listDock_, &QDockWidget::topLevelChanged, reportTimer_,
                    qOverload<>(&QTimer::start));
            connect(listDock_, &QDockWidget::visibilityChanged, reportTimer_,
                    qOverload<>(&QTimer::start));
            reportTimer_->start();
        }
        // The keyboard belongs to the main window, not to a list that floats.
        activateWindow();
        raise();
    });
}

void MainWindow::reportGeometry() const {
    // For window tests on platforms whose windows cannot be asked from
    // outside (Wayland): where the window and its parts stand.
    const QString path = qEnvironmentVariable("VX_WINDOW_REPORT");
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    const auto rect = [](const QRect& r) {
        return QStringLiteral("%1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    };
    // Relative to the window's top left, also for a list that floats.
    const auto inWindow = [this](const QWidget* w) {
        return QRect(w->mapToGlobal(QPoint(0, 0)) - mapToGlobal(QPoint(0, 0)), w->size());
    };
    QString text;
    const auto line = [&text](const QString& key, const QString& value) {
        text += key + u' ' + value + u'\n';
    };
    line(QStringLiteral("platform"), QGuiApplication::platformName());
    line(QStringLiteral("visible"), isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
    // Exposed: the window system shows the window, not only Qt.
    const bool exposed = windowHandle() && windowHandle()->isExposed();
    line(QStringLiteral("exposed"), exposed ? QStringLiteral("1") : QStringLiteral("0"));
    if (!exposed && reportTimer_)
        reportTimer_->start(); // again once the compositor has shown it
    line(QStringLiteral("window"), rect(QRect(QPoint(0, 0), size())));
    if (const QScreen* screen = this->screen())
        line(QStringLiteral("screen"), rect(screen->availableGeometry()));
    line(QStringLiteral("listDock"), rect(inWindow(listDock_)));
    line(QStringLiteral("listFloating"),
         listDock_->isFloating() ? QStringLiteral("1") : QStringLiteral("0"));
    line(QStringLiteral("listVisible"),
         listDock_->isVisible() ? QStringLiteral("1") : QStringLiteral("0"));
    line(QStringLiteral("grid"), rect(inWindow(grid_)));
    line(QStringLiteral("gridRows"), rect(inWindow(grid_->viewport())));
    line(QStringLiteral("gridRowHeight"), QString::number(grid_->rowHeight(0)));
    line(QStringLiteral("entry"), rect(inWindow(entry_)));
    line(QStringLiteral("entryView"), rect(inWindow(entryScroll_->viewport())));
    const QWidget* rows = list_->lstBefehle()->viewport();
    line(QStringLiteral("listRows"), rect(inWindow(rows)));
    line(QStringLiteral("listRowHeight"), QString::number(list_->lstBefehle()->sizeHintForRow(0)));
    for (int k = 0; k < 3; ++k)
        line(mskTxt(k)->objectName(), rect(inWindow(mskTxt(k))));
    for (const QPushButton* button :
         {cmdHol_Zei(), cmdUeb_Zei(), cmdUeb_leerZ(), cmdEinf_leerZ(), cmdLoe_Zei()})
        line(button->objectName(), rect(inWindow(button)));
    file.write(text.toUtf8());
}

void MainWindow::fitEntryDock(bool whole) {
    // The entry dock is as high as the entry area (and the scroll bar it
    // needs in a narrow window), so that growing the window gives the room
    // to the grid.
    QScrollBar* bar = entryScroll_->horizontalScrollBar();
    const bool narrow = entryScroll_->width() < entry_->minimumWidth();
    const int wanted = entry_->height() + (narrow ? bar->sizeHint().height() : 0);
    if (fittedEntryHeight_ == wanted && !whole)
        return;
    fittedEntryHeight_ = wanted;
    // The dock layout stops a pixel short of its content's maximum.
    entryScroll_->setMaximumHeight(wanted + 1);
    // The dock counts its bar too; the scroll area's maximum bounds it.
    resizeDocks({entryDock_}, {wanted + entryDock_->height() - entryScroll_->height() + 1},
                Qt::Vertical);
}

namespace {
const QString WindowSection = QStringLiteral("Window");
const QString SettingsApp = QStringLiteral("VX-Editor");
} // namespace

void MainWindow::restoreWindowState() {
    SettingsStore* settings = editor_->platform.settings;
    if (!settings)
        return;
    const auto read = [&](const QString& key) {
        return QByteArray::fromBase64(
            settings->value(SettingsApp, WindowSection, key, QString()).toLatin1());
    };
    // A state from another version or a damaged entry is ignored by Qt.
    if (const QByteArray geometry = read(QStringLiteral("Geometry")); !geometry.isEmpty())
        restoreGeometry(geometry);
    if (const QByteArray state = read(QStringLiteral("State")); !state.isEmpty())
        restoreState(state);
}

void MainWindow::saveWindowState() {
    SettingsStore* settings = editor_->platform.settings;
    if (!settings)
        return;
    settings->setValue(SettingsApp, WindowSection, QStringLiteral("Geometry"),
                       QString::fromLatin1(saveGeometry().toBase64()));
    settings->setValue(SettingsApp, WindowSection, QStringLiteral("State"),
                       QString::fromLatin1(saveState().toBase64()));
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
    // Qt's unsaved mark beside the model's title; a "[*]" of a path is text.
    QString title = editor_->windowTitle;
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    title += QStringLiteral("[*]");
    if (windowTitle() != title)
        setWindowTitle(title);
    if (isWindowModified() != editor_->unsaved())
        setWindowModified(editor_->unsaved());
    // The list's caption first: the menu entry that shows it again reads it.
    list_->syncFromModel();
    if (listDock_->windowTitle() != list_->windowTitle())
        listDock_->setWindowTitle(list_->windowTitle());
    if (xrefLanguage_ != editor_->catalogue.language()) {
        xrefLanguage_ = editor_->catalogue.language();
        xref_->retranslate();
    }
    // The findings first: the problems list's check mark in the menu follows them.
    editor_->refreshDiagnostics();
    menus_->syncFromModel();
    grid_->syncFromModel();
    syncProblemsPane();
    entry_->syncFromModel();
    fitEntryDock();
    if (editor_->autosaveEnabled && !timer_->isActive())
        timer_->start();
    else if (!editor_->autosaveEnabled && timer_->isActive())
        timer_->stop();
    syncToolWindows();
    syncRunDock();
    // What the model tells in passing, such as a jump to nowhere.
    if (statusBar()->currentMessage() != editor_->statusText)
        statusBar()->showMessage(editor_->statusText);
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
