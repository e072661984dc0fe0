#include "gui/run_dock.h"

#include "commands/limits.h"
#include "editor/dry_run_session.h"
#include "editor/editor.h"
#include "gui/window_menus.h"

#include <QAbstractListModel>
#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

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
            return QString::number(contact) + QStringLiteral(": ") + state;
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
      state_(new QTableView), trace_(new QTableView) {
    setObjectName(QStringLiteral("runDock"));
    DryRunSession& session = *editor_.dryRun;
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    // The Work menu's own actions: one caption, one key, one handler.
    auto* bar = new QToolBar(body);
    bar->setObjectName(QStringLiteral("runButtons"));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bar->setIconSize(QSize(16, 16));
    for (const char* key : {"Wrk_RunStep", "Wrk_RunWait", "Wrk_RunGo", "Wrk_RunPause",
                            "Wrk_RunReset", "Wrk_RunBreak"})
        if (QAction* action = menus.action(QString::fromLatin1(key)))
            bar->addAction(action);
    layout->addWidget(bar);

    status_->setObjectName(QStringLiteral("runStatus"));
    status_->setWordWrap(true);
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
    contacts_->setGridSize(
        QSize(contacts_->fontMetrics().horizontalAdvance(QStringLiteral("0000: B")) + 16,
              contacts_->fontMetrics().height() + 10));
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
