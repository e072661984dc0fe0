#include "gui/main_window.h"

#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/command_list_window.h"
#include "gui/entry_layout.h"
#include "gui/frm_info_window.h"
#include "gui/masked_field_window.h"
#include "gui/problems_pane.h"
#include "gui/replace_window.h"
#include "gui/search_window.h"
#include "help/help_model.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QSet>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace vx {

namespace {

// The entry frame. The model places the fields in pixels from the left edge
// of the entry column; the rows are this window's own design.
constexpr int EntryLeft = 8;
constexpr int ExplanationTop = 4;
constexpr int ExplanationHeight = 46;
constexpr int CaptionTop = 54;
constexpr int CaptionHeight = 16;
constexpr int FieldTop = 72;
constexpr int FieldHeight = 24;
constexpr int HintTop = 100;
constexpr int RemarkTop = 214; // lower when the tallest hint needs it
constexpr int ButtonLeft = 636;
constexpr int ButtonWidth = 158;
constexpr int ButtonHeight = 40;
constexpr int ButtonStep = 46;
constexpr int FrameHeight = 248;
constexpr int EntryColumnWidth = 620;
constexpr double EntryFontPoints = 8.0;

// Grid columns: 900 and 7500 twips.
constexpr int NumberColumnWidth = 60;
constexpr int LineColumnWidth = 500;

const QString& menuStyleSheet() {
    static const QString sheet = QStringLiteral(
        "QMenuBar { background-color: rgb(221, 238, 255); }"
        "QMenuBar::item { background: transparent; padding: 3px 8px; }"
        "QMenuBar::item:selected { background-color: rgb(185, 214, 245); }"
        "QMenu { background-color: white; border: 1px solid rgb(150, 165, 190); }"
        "QMenu::item { padding: 4px 24px 4px 24px; color: black; }"
        "QMenu::item:selected { background-color: rgb(205, 228, 252); }"
        "QMenu::item:disabled { color: rgb(150, 150, 150); }"
        "QMenu::separator { height: 1px; background: rgb(200, 205, 215); margin: 3px 6px; }");
    return sheet;
}

// The grid's rows as the model holds them: row i of the view is line i + 1.
class GridModel : public QAbstractTableModel {
public:
    static constexpr qsizetype MaxShownCharacters = 2000;

    explicit GridModel(Editor& editor, QObject* parent)
        : QAbstractTableModel(parent), editor_(editor) {}

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : std::max(editor_.document.grid.rows - 1, 0);
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid())
            return {};
        const GridState& grid = editor_.document.grid;
        const auto row = static_cast<size_t>(index.row() + 1);
        if (role == Qt::DisplayRole) {
            const std::vector<QString>& column =
                index.column() == 0 ? grid.numberColumn : grid.textColumn;
            // The cell shows what fits on any screen; laying out a line of
            // megabytes on every paint would freeze the window. The row keeps
            // its whole text.
            return row < column.size() ? column[row].left(MaxShownCharacters) : QString();
        }
        if (index.column() == 0 && (role == Qt::BackgroundRole || role == Qt::ForegroundRole ||
                                    role == Qt::DecorationRole || role == Qt::ToolTipRole))
            return mark(static_cast<int>(row), role);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal)
            return {};
        if (role == Qt::DisplayRole)
            return section == 0 ? editor_.document.grid.headerNumber
                                : editor_.document.grid.headerText;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        // The number column is fixed: it never becomes the current cell.
        return index.column() == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    // The rows and texts of the model, from scratch when the table grew.
    void refresh(int& shownRows) {
        const int rows = rowCount();
        if (rows != shownRows) {
            beginResetModel();
            endResetModel();
            shownRows = rows;
            return;
        }
        if (rows > 0)
            emit dataChanged(index(0, 0), index(rows - 1, 1)); // texts and marks
        emit headerDataChanged(Qt::Horizontal, 0, 1);
    }

private:
    // The number column marks a row with findings: the icon and colour of
    // its worst finding, and every message as the tooltip.
    QVariant mark(int row, int role) const {
        const ScheduleDiagnostics* diagnostics = editor_.diagnostics();
        const QList<ScheduleProblem> problems =
            diagnostics ? diagnostics->problemsAt(row) : QList<ScheduleProblem>();
        if (problems.isEmpty())
            return role == Qt::BackgroundRole ? QVariant(QApplication::palette().button())
                                              : QVariant();
        const bool error = std::any_of(problems.begin(), problems.end(), [](const auto& p) {
            return p.severity() == ScheduleProblem::Severity::Error;
        });
        if (role == Qt::BackgroundRole)
            return QBrush(error ? MainWindow::errorColour() : MainWindow::warningColour());
        if (role == Qt::ForegroundRole)
            return QBrush(error ? Qt::white : Qt::black);
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                             : QStyle::SP_MessageBoxWarning);
        QStringList messages;
        for (const ScheduleProblem& p : problems)
            messages.append(p.message);
        return messages.join(u'\n');
    }

    Editor& editor_;
};

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette pal = widget->palette();
    if (pal.color(role) == colour)
        return;
    pal.setColor(role, colour);
    widget->setPalette(pal);
}

constexpr qsizetype MaxLabelCharacters = 2000;

void setGeometryIfChanged(QWidget* widget, const QRect& rect) {
    if (widget->geometry() != rect)
        widget->setGeometry(rect);
}

void setTextIfChanged(QLabel* label, const QString& text) {
    // A label shows a few lines at most; a remark of megabytes would cost
    // seconds of layout on every change.
    const QString shown = ShownText(text.left(MaxLabelCharacters));
    if (label->text() != shown)
        label->setText(shown);
}

void showBoxText(QLineEdit* box, const EntryField& field) {
    const QSignalBlocker blocker(box);
    const bool tooLong = field.text.size() > MaxEditableCharacters;
    const QString shown = tooLong ? field.text.left(MaxEditableCharacters) : field.text;
    const int limit =
        field.maxLength > 0 ? std::max(field.maxLength, static_cast<int>(shown.size())) : 32767;
    if (box->maxLength() != limit)
        box->setMaxLength(limit);
    if (box->text() != shown)
        box->setText(shown);
    if (box->isReadOnly() != tooLong)
        box->setReadOnly(tooLong);
}

// A caption broken over as many lines as the button's width needs; breaks the
// caption already has stay.
QString wrapCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    QStringList lines;
    for (const QString& line : caption.split(u'\n')) {
        QString current;
        for (const QString& word : line.split(u' ', Qt::SkipEmptyParts)) {
            const QString candidate = current.isEmpty() ? word : current + u' ' + word;
            if (!current.isEmpty() && metrics.horizontalAdvance(candidate) > width) {
                lines.append(current);
                current = word;
            } else {
                current = candidate;
            }
        }
        lines.append(current);
    }
    return lines.join(u'\n');
}

int keyCodeOf(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() <= 255)
        return text[0].unicode();
    return -1;
}

} // namespace

QString ShownText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

const QColor& MainWindow::errorColour() {
    static const QColor colour(255, 0, 0); // colour 12 of the 16-colour palette
    return colour;
}

const QColor& MainWindow::warningColour() {
    static const QColor colour(255, 255, 0); // colour 14 of the 16-colour palette
    return colour;
}

const QColor& MainWindow::lineNumberColour() {
    static const QColor colour(255, 0, 0);
    return colour;
}

MainWindow::MainWindow(const Platform& platform, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), editor_(std::make_unique<Editor>(platform)) {
    setObjectName(QStringLiteral("frmVx_Edit"));
    // The model's field widths and positions are laid out for a small font.
    QFont small = font();
    small.setPointSizeF(EntryFontPoints);
    setFont(small);
    if (!programFolder.isEmpty())
        editor_->setFolders(programFolder, editor_->autosave.fallbackFolder);
    buildMenus();
    buildGrid();
    buildEntryFrame();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4); // the grid ends 4 units above the frame
    layout->addWidget(grid_, 1);
    problems_ = new ProblemsPane(*editor_, central);
    connect(problems_, &ProblemsPane::modelChanged, this, [this] {
        afterEvent();
        revealCurrentRow();
    });
    layout->addWidget(problems_, 0);
    layout->addWidget(frame_, 0);
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
    gridModel_ = nullptr;
}

// ---- Building ------------------------------------------------------------------

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    bar->setStyleSheet(menuStyleSheet());
    QStyle* style = QApplication::style();
    const QHash<QString, QStyle::StandardPixmap> icons{
        {QStringLiteral("Dat_Neu"), QStyle::SP_FileIcon},
        {QStringLiteral("Dat_Ein"), QStyle::SP_DialogOpenButton},
        {QStringLiteral("Dat_Sav"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("Dat_End"), QStyle::SP_DialogCloseButton},
        {QStringLiteral("Hlp_Hilfe"), QStyle::SP_DialogHelpButton},
        {QStringLiteral("Hlp_Info"), QStyle::SP_MessageBoxInformation},
    };
    // The platform's standard keys; F1 stays the window's own help key.
    const QHash<QString, QKeySequence> shortcuts{
        {QStringLiteral("Dat_Neu"), QKeySequence::New},
        {QStringLiteral("Dat_Ein"), QKeySequence::Open},
        {QStringLiteral("Dat_Sav"), QKeySequence::Save},
        {QStringLiteral("Dat_Dru"), QKeySequence::Print},
        {QStringLiteral("Dat_End"), QKeySequence::Quit},
        {QStringLiteral("Wrk_Such"), QKeySequence::Find},
        // Some platforms name no replace key: Ctrl+H, as most editors have it.
        {QStringLiteral("Wrk_Ers"), QKeySequence::keyBindings(QKeySequence::Replace).isEmpty()
                                        ? QKeySequence(Qt::CTRL | Qt::Key_H)
                                        : QKeySequence(QKeySequence::Replace)},
        {QStringLiteral("Wrk_Undo"), QKeySequence::Undo},
        {QStringLiteral("Wrk_GoDef"), QKeySequence(Qt::Key_F12)},
        {QStringLiteral("Wrk_Uses"), QKeySequence(Qt::SHIFT | Qt::Key_F12)},
    };
    for (const MenuItem& item : editor_->menu.items) {
        if (item.parentKey.isEmpty()) {
            QMenu* menu = bar->addMenu(item.caption);
            menu->setObjectName(item.key);
            menus_.insert(item.key, menu);
            actions_.insert(item.key, menu->menuAction());
            const QString key = item.key;
            connect(menu, &QMenu::aboutToShow, this, [this, key] {
                editor_->menuClick(key);
                afterEvent();
            });
            connect(menu, &QMenu::hovered, this, [this](QAction* action) {
                const QString hovered = action->data().toString();
                if (!hovered.isEmpty()) {
                    editor_->menuHighlight(hovered);
                    afterEvent();
                }
            });
            continue;
        }
        QMenu* menu = menus_.value(item.parentKey);
        if (!menu)
            continue;
        QAction* action = item.separator ? menu->addSeparator() : menu->addAction(item.caption);
        action->setData(item.key);
        action->setObjectName(item.key);
        if (icons.contains(item.key))
            action->setIcon(style->standardIcon(icons.value(item.key)));
        if (shortcuts.contains(item.key))
            action->setShortcut(shortcuts.value(item.key));
        if (item.key == u"Wrk_Redo")
            action->setShortcuts(
                {QKeySequence(QKeySequence::Redo), QKeySequence(Qt::CTRL | Qt::Key_Y)});
        action->setCheckable(item.key == u"Wrk_Probl"); // ticked while the list shows
        actions_.insert(item.key, action);
        if (!item.separator) {
            const QString key = item.key;
            connect(action, &QAction::triggered, this, [this, key] { menuTriggered(key); });
        }
    }
    connect(bar, &QMenuBar::hovered, this, [this](QAction* action) {
        const QString key = menus_.key(action->menu(), QString());
        if (!key.isEmpty()) {
            editor_->menuHighlight(key);
            afterEvent();
        }
    });
}

void MainWindow::buildGrid() {
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdFahrpl"));
    gridModel_ = new GridModel(*editor_, grid_);
    grid_->setModel(gridModel_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setMinimumSectionSize(12);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->setColumnWidth(0, NumberColumnWidth);
    grid_->setColumnWidth(1, LineColumnWidth);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    appliedGridRows_ = gridModel_->rowCount();
}

void MainWindow::buildEntryFrame() {
    frame_ = new QFrame(this);
    frame_->setObjectName(QStringLiteral("sevFrame1"));
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFixedHeight(FrameHeight);

    auto label = [this](const char16_t* name) {
        auto* l = new QLabel(frame_);
        l->setObjectName(QString::fromUtf16(name));
        l->setTextFormat(Qt::PlainText);
        return l;
    };
    lblLfdNr_ = label(u"lblLfdNr");
    lblCode_ = label(u"lblCode");
    lblAnmerk_ = label(u"lblAnmerk");
    lblBemerkung_ = label(u"lblBemerkung");
    lblBemerkung_->setWordWrap(true);
    lblBemerkung_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblBemerkung_->setAutoFillBackground(true);
    QFont bold = lblBemerkung_->font();
    bold.setBold(true);
    lblBemerkung_->setFont(bold);
    lblHinweise_ = label(u"lblHinweise");
    lblHinweise_->setFrameShape(QFrame::Box);
    lblHinweise_->setAutoFillBackground(true);
    lblHinweise_->setMargin(3);
    setColour(lblHinweise_, QPalette::Window, QColor(255, 255, 225));
    setColour(lblHinweise_, QPalette::WindowText, Qt::black);

    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        auto* field = new MaskedField(frame_);
        field->setObjectName(QStringLiteral("mskTxt") + QString::number(k));
        msk_[static_cast<size_t>(k)] = field;
    }
    auto box = [this](const char16_t* name) {
        auto* b = new QLineEdit(frame_);
        b->setObjectName(QString::fromUtf16(name));
        return b;
    };
    txbTxt2_ = box(u"txbTxt2");
    txbTxt3_ = box(u"txbTxt3");
    txbStern_ = box(u"txbStern");
    txbAnmerk_ = box(u"txbAnmerk");

    auto button = [this](const char16_t* name, int index) {
        auto* b = new QPushButton(frame_);
        b->setObjectName(QString::fromUtf16(name));
        b->setGeometry(ButtonLeft, ExplanationTop + 4 + index * ButtonStep, ButtonWidth,
                       ButtonHeight);
        return b;
    };
    cmdHol_Zei_ = button(u"cmdHol_Zei", 0);
    cmdUeb_Zei_ = button(u"cmdUeb_Zei", 1);
    cmdUeb_leerZ_ = button(u"cmdUeb_leerZ", 2);
    cmdEinf_leerZ_ = button(u"cmdEinf_leerZ", 3);
    cmdLoe_Zei_ = button(u"cmdLoe_Zei", 4);

    // Tab order of the entry area: line number, code, operands, free text,
    // remark, then the buttons.
    QWidget* previous = msk_[0];
    for (QWidget* next : std::initializer_list<QWidget*>{
             msk_[1], msk_[2], txbTxt2_, msk_[3], txbTxt3_, msk_[4], msk_[5], msk_[6], msk_[7],
             txbStern_, txbAnmerk_, cmdHol_Zei_, cmdUeb_Zei_, cmdUeb_leerZ_, cmdEinf_leerZ_,
             cmdLoe_Zei_}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

SearchWindow* MainWindow::searchWindow() const {
    return search_;
}

ReplaceWindow* MainWindow::replaceWindow() const {
    return replace_;
}

QWidget* MainWindow::widgetOf(Control control) const {
    const int c = static_cast<int>(control);
    if (c >= 0 && c < EntryFormState::FieldCount)
        return msk_[static_cast<size_t>(c)];
    switch (control) {
    case Control::txbTxt2:
        return txbTxt2_;
    case Control::txbTxt3:
        return txbTxt3_;
    case Control::txbAnmerk:
        return txbAnmerk_;
    case Control::txbStern:
        return txbStern_;
    case Control::grid:
        return grid_;
    case Control::lstBefehle:
        return list_ ? static_cast<QWidget*>(list_->lstBefehle()) : nullptr;
    case Control::cmdHol_Zei:
        return cmdHol_Zei_;
    case Control::cmdUeb_Zei:
        return cmdUeb_Zei_;
    case Control::cmdUeb_leerZ:
        return cmdUeb_leerZ_;
    case Control::cmdEinf_leerZ:
        return cmdEinf_leerZ_;
    case Control::cmdLoe_Zei:
        return cmdLoe_Zei_;
    default:
        return nullptr;
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
    grid_->viewport()->installEventFilter(this); // Ctrl+click
    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        const auto control = static_cast<Control>(k);
        connect(msk_[static_cast<size_t>(k)], &QLineEdit::textEdited, this,
                [this, control](const QString& text) { fieldEdited(control, text); });
    }
    const std::pair<QLineEdit*, Control> boxes[] = {{txbTxt2_, Control::txbTxt2},
                                                    {txbTxt3_, Control::txbTxt3},
                                                    {txbAnmerk_, Control::txbAnmerk},
                                                    {txbStern_, Control::txbStern}};
    for (const auto& [widget, control] : boxes) {
        const Control c = control;
        connect(widget, &QLineEdit::textEdited, this,
                [this, c](const QString& text) { fieldEdited(c, text); });
    }

    connect(cmdHol_Zei_, &QPushButton::clicked, this, [this] {
        editor_->form->clickFetch();
        afterEvent();
    });
    connect(cmdUeb_Zei_, &QPushButton::clicked, this, [this] {
        editor_->cmdUeb_Zei_Click();
        afterEvent();
    });
    connect(cmdUeb_leerZ_, &QPushButton::clicked, this, [this] {
        editor_->cmdUeb_leerZ_Click();
        afterEvent();
    });
    connect(cmdEinf_leerZ_, &QPushButton::clicked, this, [this] {
        editor_->cmdEinf_leerZ_Click();
        afterEvent();
    });
    connect(cmdLoe_Zei_, &QPushButton::clicked, this, [this] {
        editor_->cmdLoe_Zei_Click();
        afterEvent();
    });

    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || !current.isValid())
                    return;
                editor_->form->setCurrentRow(current.row() + 1);
                afterEvent();
            });
    connect(grid_, &QTableView::doubleClicked, this, [this] {
        editor_->form->grdFahrpl_DblClick();
        afterEvent();
    });
    // The grid's top row is the control's state, which the model mirrors.
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_)
            return;
        editor_->gridScrolled(value + 1);
        appliedTopRow_ = value + 1;
    });

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

void MainWindow::fieldEdited(Control control, const QString& text) {
    if (syncing_)
        return;
    EntryForm& form = *editor_->form;
    const EntryField* field = form.fieldOf(control);
    if (!field)
        return;
    const QString before = field->text;
    // One character typed at the end is the user's typing; any other edit
    // (a deletion, a paste, a character typed in between) is a change of the
    // whole text.
    if (text.size() == before.size() + 1 && text.startsWith(before))
        form.typeCharacter(control, text.back());
    else
        form.setBoxText(control, text);
    afterEvent();
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
    } else if (event->type() == QEvent::MouseButtonPress && watched == grid_->viewport() &&
               static_cast<QMouseEvent*>(event)->modifiers() == Qt::ControlModifier) {
        // Ctrl+click on a jump: to the row that defines its address.
        const QModelIndex index =
            grid_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (index.isValid()) {
            editor_->goToRow(index.row() + 1);
            editor_->goToDefinition();
            afterEvent();
            revealCurrentRow();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress && watched == grid_) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int code = keyCodeOf(key);
        if (code >= 0 &&
            key->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier) == false) {
            editor_->gridKeyPress(code);
            afterEvent();
            return true;
        }
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

void MainWindow::revealCurrentRow() {
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    const QRect cell = grid_->visualRect(current);
    if (cell.isValid() && grid_->viewport()->rect().contains(cell))
        return;
    grid_->scrollTo(current, QAbstractItemView::PositionAtCenter);
    // The model mirrors the grid's top row.
    appliedTopRow_ = grid_->verticalScrollBar()->value() + 1;
    editor_->gridScrolled(appliedTopRow_);
}

void MainWindow::menuTriggered(const QString& key) {
    editor_->menuClick(key);
    afterEvent();
    if (key == u"Wrk_GoDef" || key == u"Wrk_Probl")
        revealCurrentRow();
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
    syncMenus();
    editor_->refreshDiagnostics();
    syncGrid();
    syncProblemsPane();
    syncEntryArea();
    if (editor_->autosaveEnabled && !timer_->isActive())
        timer_->start();
    else if (!editor_->autosaveEnabled && timer_->isActive())
        timer_->stop();
    if (list_)
        list_->syncFromModel();
    syncToolWindows();
    syncFocus();
}

namespace {

// Every menu and entry reachable with Alt in every language: a caption
// without an accelerator gets one on its first letter that no sibling uses.
// Paths in the recent list are shown as they are, ampersands included.
QHash<QString, QString> MenuCaptions(const QList<MenuItem>& items) {
    QHash<QString, QString> shown;
    QHash<QString, QSet<QChar>> taken; // by parent menu
    const auto accelerator = [](const QString& caption) {
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != u'&')
                continue;
            if (caption[i + 1] != u'&')
                return caption[i + 1].toLower();
            ++i;
        }
        return QChar();
    };
    for (const MenuItem& item : items)
        if (!item.separator && !item.key.startsWith(u"MyFpls_"))
            if (const QChar c = accelerator(item.caption); !c.isNull())
                taken[item.parentKey].insert(c);
    for (const MenuItem& item : items) {
        if (item.separator)
            continue;
        QString caption = item.caption;
        if (item.key.startsWith(u"MyFpls_")) {
            caption.replace(u'&', QStringLiteral("&&"));
        } else if (accelerator(caption).isNull()) {
            QSet<QChar>& used = taken[item.parentKey];
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar c = caption[i].toLower();
                if (caption[i].isLetterOrNumber() && !used.contains(c)) {
                    used.insert(c);
                    caption.insert(i, u'&');
                    break;
                }
            }
        }
        shown.insert(item.key, caption);
    }
    return shown;
}

} // namespace

void MainWindow::syncMenus() {
    // Captions, hints and the recent list change seldom: the actions are gone
    // through again only when the model's menu is not the one they show.
    if (editor_->menu.items != shownMenu_) {
        shownMenu_ = editor_->menu.items;
        const QHash<QString, QString> captions = MenuCaptions(shownMenu_);
        for (const MenuItem& item : shownMenu_) {
            QAction* action = actions_.value(item.key);
            if (!action)
                continue;
            if (!item.separator) {
                const QString caption = captions.value(item.key);
                if (action->text() != caption)
                    action->setText(caption);
            }
            if (action->statusTip() != item.hint)
                action->setStatusTip(item.hint);
            if (action->isVisible() != item.visible)
                action->setVisible(item.visible);
        }
    }
    // Greyed while there is nothing to undo or redo.
    const std::pair<QLatin1StringView, bool> undo[] = {
        {QLatin1StringView("Wrk_Undo"), editor_->editing.canUndo()},
        {QLatin1StringView("Wrk_Redo"), editor_->editing.canRedo()}};
    for (const auto& [key, enabled] : undo)
        if (QAction* action = actions_.value(key); action && action->isEnabled() != enabled)
            action->setEnabled(enabled);
    if (QAction* action = actions_.value(QStringLiteral("Wrk_Probl"))) {
        const bool shown = editor_->problemsListShown();
        if (action->isChecked() != shown)
            action->setChecked(shown);
    }
}

void MainWindow::syncGrid() {
    static_cast<GridModel*>(gridModel_)->refresh(appliedGridRows_);
    const GridState& grid = editor_->document.grid;
    const QModelIndex current = gridModel_->index(grid.currentRow - 1, grid.currentColumn);
    if (current.isValid() && grid_->currentIndex() != current)
        grid_->selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    if (grid.topRow != appliedTopRow_) {
        appliedTopRow_ = grid.topRow;
        grid_->verticalScrollBar()->setValue(grid.topRow - 1);
    }
}

int MainWindow::tallestHint() const {
    const EntryForm& form = *editor_->form;
    const QFontMetrics metrics = lblHinweise_->fontMetrics();
    const int around = 2 * (lblHinweise_->margin() + lblHinweise_->frameWidth());
    int tallest = 0;
    for (int command = 1; command <= 30; ++command)
        for (int n = 1; n <= 5; ++n) {
            const QString text = ShownText(form.operandHint(n, command));
            if (!text.isEmpty())
                tallest = std::max(tallest, metrics.boundingRect(QRect(0, 0, 4000, 4000),
                                                                 Qt::AlignLeft | Qt::AlignTop, text)
                                                    .height() +
                                                around);
        }
    return tallest;
}

void MainWindow::placeEntryRows() {
    const EntryForm& form = *editor_->form;
    constexpr int RowRight = ButtonLeft - 4;

    // The operand row: a masked field as wide as the widest text its mask
    // takes, free text as wide as the model makes it where there is room.
    std::vector<RowSpan> spans;
    std::vector<QWidget*> placed;
    auto add = [&](QLineEdit* widget, const EntryField& field, int fallback, int needed,
                   bool flexible, int top) {
        const int width = field.width > 0 ? field.width : fallback;
        if (!field.visible) {
            setGeometryIfChanged(widget, QRect(EntryLeft + field.left, top, width, FieldHeight));
            return;
        }
        spans.push_back({EntryLeft + field.left, std::max(width, needed), flexible});
        placed.push_back(widget);
    };
    auto apply = [&](int top) {
        PlaceRow(spans, RowRight);
        for (size_t i = 0; i < spans.size(); ++i)
            setGeometryIfChanged(
                placed[i], QRect(spans[i].placedLeft, top, spans[i].placedWidth, FieldHeight));
    };
    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        MaskedField* widget = msk_[static_cast<size_t>(k)];
        const EntryField& field = form.msk[static_cast<size_t>(k)];
        // Measured once per mask: every sync places the row.
        auto needed = maskWidths_.constFind(field.mask);
        if (needed == maskWidths_.cend())
            needed = maskWidths_.insert(
                field.mask,
                field.mask.isEmpty()
                    ? 0
                    : LineEditWidthFor(*widget, WidestMaskText(field.mask, widget->fontMetrics())));
        add(widget, field, 32, *needed, false, FieldTop);
    }
    add(txbTxt2_, form.txbTxt2, 280, 0, true, FieldTop);
    add(txbTxt3_, form.txbTxt3, 280, 0, true, FieldTop);
    apply(FieldTop);

    // The hint under the field it belongs to, wherever that field went, and
    // never over the remark row: that goes down for the language's tallest hint.
    const int modelHintLeft = EntryLeft + form.lblHinweise.left;
    int hintLeft = modelHintLeft;
    bool underFocus = false;
    for (size_t i = 0; i < spans.size() && !underFocus; ++i)
        if (spans[i].left == modelHintLeft) {
            hintLeft = spans[i].placedLeft;
            underFocus = placed[i] == widgetOf(form.focus);
        }
    const QString language = editor_->catalogue.languageCode();
    if (language != hintRoomLanguage_) {
        hintRoomLanguage_ = language;
        // Measured once per language: a switch back costs nothing.
        const auto known = tallestHints_.constFind(language);
        hintRoom_ = known != tallestHints_.constEnd() ? *known : tallestHint();
        tallestHints_.insert(language, hintRoom_);
    }
    const QSize hint = lblHinweise_->sizeHint();
    if (form.lblHinweise.visible && !form.lblHinweise.caption.isEmpty())
        hintRoom_ = std::max(hintRoom_, hint.height());
    const int remarkTop = std::max(RemarkTop, HintTop + hintRoom_ + 4);
    const int hintWidth =
        std::clamp(std::max(hint.width(), form.lblHinweise.width), 40, RowRight - EntryLeft);
    hintLeft = std::min(hintLeft, RowRight - hintWidth);
    setGeometryIfChanged(lblHinweise_, QRect(hintLeft, HintTop, hintWidth,
                                             std::min(hint.height(), remarkTop - 4 - HintTop)));
    if (frame_->height() != remarkTop + FrameHeight - RemarkTop)
        frame_->setFixedHeight(remarkTop + FrameHeight - RemarkTop);

    // The remark row: its caption whole, the boxes after it.
    spans.clear();
    placed.clear();
    setTextIfChanged(lblAnmerk_, form.lblAnmerk.caption);
    if (lblAnmerk_->isVisibleTo(frame_) != form.lblAnmerk.visible)
        lblAnmerk_->setVisible(form.lblAnmerk.visible);
    const int captionWidth = std::max(form.lblAnmerk.width, lblAnmerk_->sizeHint().width());
    if (form.lblAnmerk.visible) {
        spans.push_back({EntryLeft + form.lblAnmerk.left, captionWidth, false});
        placed.push_back(lblAnmerk_);
    } else {
        setGeometryIfChanged(lblAnmerk_, QRect(EntryLeft + form.lblAnmerk.left, remarkTop,
                                               captionWidth, FieldHeight));
    }
    add(txbStern_, form.txbStern, 32, 0, false, remarkTop);
    add(txbAnmerk_, form.txbAnmerk, 32, 0, true, remarkTop);
    apply(remarkTop);
}

void MainWindow::syncEntryArea() {
    const EntryForm& form = *editor_->form;
    const QPalette base = QApplication::palette();

    for (int k = 0; k < EntryFormState::FieldCount; ++k) {
        MaskedField* widget = msk_[static_cast<size_t>(k)];
        const EntryField& field = form.msk[static_cast<size_t>(k)];
        widget->setMask(field.mask, field.prompt, field.maxLength);
        widget->showText(field.text);
        setColour(widget, QPalette::Base, field.error ? errorColour() : base.color(QPalette::Base));
        setColour(widget, QPalette::Text,
                  k == 0 && form.lineNumberRed ? lineNumberColour() : base.color(QPalette::Text));
        if (widget->isVisibleTo(frame_) != field.visible)
            widget->setVisible(field.visible);
    }

    const std::pair<QLineEdit*, const EntryField*> boxes[] = {{txbTxt2_, &form.txbTxt2},
                                                              {txbTxt3_, &form.txbTxt3}};
    for (const auto& [widget, field] : boxes) {
        showBoxText(widget, *field);
        setColour(widget, QPalette::Base,
                  field->error ? errorColour() : base.color(QPalette::Base));
        if (widget->isVisibleTo(frame_) != field->visible)
            widget->setVisible(field->visible);
    }
    const std::pair<QLineEdit*, const EntryField*> remark[] = {{txbStern_, &form.txbStern},
                                                               {txbAnmerk_, &form.txbAnmerk}};
    for (const auto& [widget, field] : remark) {
        showBoxText(widget, *field);
        if (widget->isVisibleTo(frame_) != field->visible)
            widget->setVisible(field->visible);
    }

    const struct {
        QLabel* widget;
        const Label& model;
        int top;
        int height;
    } labels[] = {
        {lblLfdNr_, form.lblLfdNr, CaptionTop, CaptionHeight},
        {lblCode_, form.lblCode, CaptionTop, CaptionHeight},
        {lblBemerkung_, form.lblBemerkung, ExplanationTop, ExplanationHeight},
    };
    for (const auto& l : labels) {
        setTextIfChanged(l.widget, l.model.caption);
        const int width = l.model.width > 0 ? l.model.width : EntryColumnWidth - l.model.left;
        setGeometryIfChanged(l.widget, QRect(EntryLeft + l.model.left, l.top, width, l.height));
        if (l.widget->isVisibleTo(frame_) != l.model.visible)
            l.widget->setVisible(l.model.visible);
    }
    lblBemerkung_->setAutoFillBackground(form.lblBemerkung.error);
    setColour(lblBemerkung_, QPalette::Window,
              form.lblBemerkung.error ? errorColour() : base.color(QPalette::Window));

    setTextIfChanged(lblHinweise_, form.lblHinweise.caption);
    placeEntryRows();
    const bool hintShown = form.lblHinweise.visible && !form.lblHinweise.caption.isEmpty();
    if (lblHinweise_->isVisibleTo(frame_) != hintShown)
        lblHinweise_->setVisible(hintShown);
    lblHinweise_->raise();

    const std::pair<QPushButton*, const QString*> buttons[] = {
        {cmdHol_Zei_, &form.buttons.cmdHol_Zei},     {cmdUeb_Zei_, &form.buttons.cmdUeb_Zei},
        {cmdUeb_leerZ_, &form.buttons.cmdUeb_leerZ}, {cmdEinf_leerZ_, &form.buttons.cmdEinf_leerZ},
        {cmdLoe_Zei_, &form.buttons.cmdLoe_Zei},
    };
    for (size_t i = 0; i < std::size(buttons); ++i) {
        const auto& [widget, caption] = buttons[i];
        // Wrapping measures every word: only a caption that changed is wrapped.
        if (*caption == wrappedCaptions_[i])
            continue;
        wrappedCaptions_[i] = *caption;
        // "&" in a caption is a literal here, not an accelerator.
        QString shown =
            wrapCaption(ShownText(*caption).trimmed(), widget->fontMetrics(), ButtonWidth - 12);
        shown.replace(u'&', QStringLiteral("&&"));
        if (widget->text() != shown)
            widget->setText(shown);
    }
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
