#include "gui/run_dock.h"

#include "commands/limits.h"
#include "editor/dry_run_session.h"
#include "editor/editor.h"
#include "gui/window_menus.h"
#include "help/help_model.h"

#include <QAbstractListModel>
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vx {

namespace {

const QColor& BusyColour() {
    static const QColor c(235, 120, 110);
    return c;
}
const QColor& FreeColour() {
    static const QColor c(150, 215, 150);
    return c;
}

// The colour a state letter stands for.
QVariant StateBrush(const QString& state) {
    if (state == u"B" || state == u"R")
        return QBrush(BusyColour());
    if (state == u"F" || state == u"G")
        return QBrush(FreeColour());
    if (state == u"Y" || state == u"O")
        return QBrush(QColor(245, 200, 110));
    if (state == u"W")
        return QBrush(QColor(240, 240, 240));
    return {};
}

// The contacts the schedule uses, each with its state, busy red and free green.
class ContactsModel : public QAbstractListModel {
public:
    ContactsModel(DryRunSession& session, QObject* parent)
        : QAbstractListModel(parent), session_(session) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const int contact = shown_[index.row()];
        const QChar state = session_.contactState(contact);
        if (role == Qt::DisplayRole)
            return QString(QString::number(contact) + QStringLiteral(": ") + state);
        if (role == Qt::BackgroundRole)
            return StateBrush(QString(state));
        if (role == Qt::TextAlignmentRole)
            return Qt::AlignCenter;
        if (role == Qt::UserRole)
            return contact;
        return {};
    }
    void refresh() {
        if (shown_ != session_.contacts()) {
            beginResetModel();
            shown_ = session_.contacts();
            endResetModel();
        } else if (!shown_.isEmpty()) {
            emit dataChanged(index(0), index(rowCount() - 1));
        }
    }

private:
    DryRunSession& session_;
    QList<int> shown_;
};

// Every contact cell as wide as the widest one can read, whatever the
// number and the state: the view must never cut "1056: B" short.
class ContactCells : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize cell;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return cell.isValid() ? cell : QStyledItemDelegate::sizeHint(option, index);
    }
};

// The state model's letters as colours.
class StateColours : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::BackgroundRole && index.column() == RunStateModel::ValueColumn)
            return StateBrush(
                QIdentityProxyModel::data(index, RunStateModel::StateRole).toString());
        return QIdentityProxyModel::data(index, role);
    }
};

// Buttons side by side that go on in the next row when the dock is too
// narrow for them, so that none hides behind an overflow menu.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent) : QLayout(parent) {
        setContentsMargins(0, 0, 0, 0);
        setSpacing(2);
    }
    ~FlowLayout() override {
        while (QLayoutItem* item = takeAt(0))
            delete item;
    }
    void addItem(QLayoutItem* item) override { items_.append(item); }
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int i) const override { return items_.value(i); }
    QLayoutItem* takeAt(int i) override {
        return i >= 0 && i < items_.size() ? items_.takeAt(i) : nullptr;
    }
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(QRect(0, 0, width, 0), false); }
    void setGeometry(const QRect& rect) override {
        QLayout::setGeometry(rect);
        arrange(rect, true);
    }
    // One row when there is room; the narrowest is one button a row.
    QSize sizeHint() const override {
        int width = 0;
        int height = 0;
        for (QLayoutItem* item : items_) {
            width += item->sizeHint().width() + (width > 0 ? spacing() : 0);
            height = std::max(height, item->sizeHint().height());
        }
        return QSize(width, height).grownBy(contentsMargins());
    }
    QSize minimumSize() const override {
        QSize size;
        for (QLayoutItem* item : items_)
            size = size.expandedTo(item->minimumSize());
        return size.grownBy(contentsMargins());
    }

private:
    // Places the items (or only measures) and gives the height they take.
    int arrange(const QRect& rect, bool place) const {
        const QRect area = rect.marginsRemoved(contentsMargins());
        int x = area.x();
        int y = area.y();
        int rowHeight = 0;
        for (QLayoutItem* item : items_) {
            const QSize size = item->sizeHint();
            if (x > area.x() && x + size.width() > area.x() + area.width()) {
                x = area.x();
                y += rowHeight + spacing();
                rowHeight = 0;
            }
            if (place)
                item->setGeometry(QRect(QPoint(x, y), size));
            x += size.width() + spacing();
            rowHeight = std::max(rowHeight, size.height());
        }
        return y + rowHeight - rect.y() + contentsMargins().bottom();
    }

    QList<QLayoutItem*> items_;
};

QToolButton* RunButton(QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    return button;
}

void Compact(QTableView* table) {
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(table->model()->columnCount() - 1,
                                                    QHeaderView::Stretch);
    table->setWordWrap(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace

RunDock::RunDock(Editor& editor, WindowMenus& menus, QWidget* parent)
    : QDockWidget(parent), editor_(editor), status_(new QLabel), inputRow_(new QWidget),
      inputLabel_(new QLabel), input_(new QLineEdit), answer_(new QPushButton),
      tabs_(new QTabWidget), contactsHint_(new QLabel), contacts_(new QListView),
      state_(new QTableView), trace_(new QTableView), help_(new QAction(this)) {
    setObjectName(QStringLiteral("runDock"));
    DryRunSession& session = *editor_.dryRun;
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    // The Work menu's own actions: one caption, one key, one handler.
    auto* bar = new QWidget(body);
    bar->setObjectName(QStringLiteral("runButtons"));
    auto* flow = new FlowLayout(bar);
    for (const char* key : {"Wrk_RunStep", "Wrk_RunWait", "Wrk_RunGo", "Wrk_RunPause",
                            "Wrk_RunReset", "Wrk_RunBreak"})
        if (QAction* action = menus.action(QString::fromLatin1(key)))
            flow->addWidget(RunButton(action, bar));
    help_->setObjectName(QStringLiteral("runHelp"));
    flow->addWidget(RunButton(help_, bar));
    connect(help_, &QAction::triggered, this, [this] {
        showHelp();
        emit modelChanged();
    });
    layout->addWidget(bar);

    status_->setObjectName(QStringLiteral("runStatus"));
    status_->setWordWrap(true);
    // Room for the longer status lines, so that the views below do not
    // jump up and down with every step.
    status_->setMinimumHeight(2 * status_->fontMetrics().lineSpacing());
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status_);

    // A "/ D" question: the value goes into the run's marker.
    auto* inputLayout = new QHBoxLayout(inputRow_);
    inputLayout->setContentsMargins(0, 0, 0, 0);
    input_->setObjectName(QStringLiteral("runInput"));
    input_->setValidator(new QIntValidator(-MaxMarkerValue, MaxMarkerValue, input_));
    inputLayout->addWidget(inputLabel_);
    inputLayout->addWidget(input_, 1);
    inputLayout->addWidget(answer_);
    layout->addWidget(inputRow_);
    inputRow_->hide();
    const auto giveAnswer = [this] {
        if (input_->text().isEmpty())
            return;
        editor_.dryRun->answerInput(input_->text().toInt());
        input_->clear();
        emit modelChanged();
    };
    connect(answer_, &QPushButton::clicked, this, giveAnswer);
    connect(input_, &QLineEdit::returnPressed, this, giveAnswer);

    // Contacts.
    auto* contactsPage = new QWidget;
    auto* contactsLayout = new QVBoxLayout(contactsPage);
    contactsLayout->setContentsMargins(2, 2, 2, 2);
    contactsHint_->setWordWrap(true);
    contactsLayout->addWidget(contactsHint_);
    contacts_->setObjectName(QStringLiteral("runContacts"));
    contacts_->setModel(new ContactsModel(session, contacts_));
    contacts_->setViewMode(QListView::IconMode);
    contacts_->setFlow(QListView::LeftToRight);
    contacts_->setWrapping(true);
    contacts_->setResizeMode(QListView::Adjust);
    contacts_->setMovement(QListView::Static);
    contacts_->setUniformItemSizes(true);
    contacts_->setSpacing(3);
    contacts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    contacts_->setItemDelegate(new ContactCells(contacts_));
    fitContactCells();
    contactsLayout->addWidget(contacts_, 1);
    connect(contacts_, &QListView::clicked, this, [this](const QModelIndex& index) {
        editor_.dryRun->toggleContact(index.data(Qt::UserRole).toInt());
        emit modelChanged();
    });

    // State.
    state_->setObjectName(QStringLiteral("runState"));
    auto* colours = new StateColours(state_);
    colours->setSourceModel(&session.state());
    state_->setModel(colours);
    Compact(state_);

    // Trace.
    trace_->setObjectName(QStringLiteral("runTrace"));
    trace_->setModel(&session.trace());
    Compact(trace_);
    trace_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    trace_->horizontalHeader()->setSectionResizeMode(RunTraceModel::EffectColumn,
                                                     QHeaderView::Stretch);
    const QFontMetrics fm = trace_->fontMetrics();
    trace_->setColumnWidth(RunTraceModel::StepColumn,
                           fm.horizontalAdvance(QStringLiteral("0000000")) + 8);
    trace_->setColumnWidth(RunTraceModel::TimeColumn,
                           fm.horizontalAdvance(QStringLiteral("00:00:00.0")) + 8);
    trace_->setColumnWidth(RunTraceModel::LineColumn,
                           fm.horizontalAdvance(QStringLiteral("00000")) + 8);
    connect(trace_, &QTableView::doubleClicked, this, &RunDock::openTraceEntry);
    connect(trace_, &QTableView::activated, this, &RunDock::openTraceEntry);
    // New entries keep the newest in view unless the user scrolled away.
    connect(trace_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { followTrace_ = value >= trace_->verticalScrollBar()->maximum(); });
    connect(&session.trace(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (followTrace_)
            trace_->scrollToBottom();
    });

    tabs_->setObjectName(QStringLiteral("runTabs"));
    tabs_->addTab(contactsPage, QString());
    tabs_->addTab(state_, QString());
    tabs_->addTab(trace_, QString());
    layout->addWidget(tabs_, 1);
    setWidget(body);
    retranslate();
}

void RunDock::retranslate() {
    const TextCatalogue& c = editor_.catalogue;
    setWindowTitle(c.tx(u"Dry run"));
    tabs_->setTabText(0, c.tx(u"Contacts"));
    tabs_->setTabText(1, c.tx(u"State"));
    tabs_->setTabText(2, c.tx(u"Trace"));
    contactsHint_->setText(c.tx(u"A click switches a contact: B busy, F free."));
    inputLabel_->setText(c.tx(u"Value:"));
    answer_->setText(c.tx(u"Answer"));
    help_->setText(c.tx(u"Help"));
    help_->setToolTip(c.tx(u"Help") + QStringLiteral(" (F1)"));
    editor_.dryRun->trace().retranslate();
}

void RunDock::syncFromModel() {
    const int language = static_cast<int>(editor_.catalogue.language());
    if (language != shownLanguage_) {
        shownLanguage_ = language;
        retranslate();
    }
    DryRunSession& session = *editor_.dryRun;
    const QString status = session.statusLine();
    if (status_->text() != status)
        status_->setText(status);
    const bool asks = session.waitsForInput();
    if (inputRow_->isVisible() != asks)
        inputRow_->setVisible(asks);
    static_cast<ContactsModel*>(contacts_->model())->refresh();
    fitContactCells();
}

void RunDock::fitContactCells() {
    const QFontMetrics fm = contacts_->fontMetrics();
    int text = 0;
    const auto measure = [&](const QString& number) {
        for (const char* state : {": B", ": F"})
            text = std::max(text, fm.horizontalAdvance(number + QLatin1String(state)));
    };
    measure(QStringLiteral("1056"));
    measure(QStringLiteral("0000"));
    for (int contact : editor_.dryRun->contacts())
        measure(QString::number(contact));
    // The style keeps a margin on either side of the text, and rounds.
    const int margin =
        contacts_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, contacts_) + 1;
    const QSize cell(text + 2 * margin + fm.averageCharWidth(), fm.height() + 8);
    auto* cells = static_cast<ContactCells*>(contacts_->itemDelegate());
    if (cells->cell == cell)
        return;
    cells->cell = cell;
    contacts_->setGridSize(cell + QSize(4, 4));
}

void RunDock::showHelp() {
    // The fields keep the topic of their command for when the user goes back.
    if (F1Help(*editor_.platform.help, editor_.programFolder, editor_.catalogue.language(),
               HelpTopic::DryRun))
        editor_.helpContext = HelpTopic::DryRun;
}

void RunDock::openTraceEntry(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString file = index.data(RunTraceModel::FileRole).toString();
    const int line = index.data(RunTraceModel::LineRole).toInt();
    const QString open = editor_.document.FilePath;
    const bool same = file.isEmpty() ? open.isEmpty()
                                     : !open.isEmpty() && QFileInfo(file).absoluteFilePath() ==
                                                              QFileInfo(open).absoluteFilePath();
    if (same)
        editor_.goToRow(line);
    else
        // Opening it would end the run: the window names where the line is.
        editor_.statusText = QFileInfo(file).fileName() + u':' + QString::number(line);
    emit modelChanged();
}

void RunDock::closeEvent(QCloseEvent* event) {
    QDockWidget::closeEvent(event);
    emit closed();
}

} // namespace vx
