#include "gui/schedule_grid.h"

#include "editor/dry_run_session.h"
#include "editor/editor.h"
#include "form/entry_form.h"
#include "gui/view_support.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace vx {

namespace {

// Grid columns: 900 and 7500 twips.
constexpr int NumberColumnWidth = 60;
constexpr int LineColumnWidth = 500;

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
    // Only a key that types a printable character writes it: Delete brings
    // character 127, which would end up in the file.
    const QString text = event->text();
    if (text.size() == 1 && text[0].isPrint() && text[0].unicode() <= 255)
        return text[0].unicode();
    return -1;
}

const QColor& RunningRowColour() {
    static const QColor c(255, 236, 140);
    return c;
}

// A red dot, as debuggers mark a breakpoint.
const QIcon& BreakpointIcon() {
    static const QIcon icon = [] {
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(120, 0, 0), 2));
        painter.setBrush(QColor(210, 30, 30));
        painter.drawEllipse(QRectF(4, 4, 24, 24));
        return QIcon(pixmap);
    }();
    return icon;
}

} // namespace

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
        // The dry run's next row, across the line.
        if (role == Qt::BackgroundRole && index.column() == 1 &&
            editor_.dryRun->runningRow() == static_cast<int>(row))
            return QBrush(RunningRowColour());
        if (index.column() == 0 && role == Qt::DecorationRole &&
            editor_.dryRun->breakpoints().contains(static_cast<int>(row)))
            return BreakpointIcon();
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
            return QBrush(error ? ErrorColour() : WarningColour());
        if (role == Qt::ForegroundRole)
            return QBrush(error ? Qt::white : Qt::black);
        if (role == Qt::DecorationRole)
            return QApplication::style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                             : QStyle::SP_MessageBoxWarning);
        QStringList messages;
        for (const ScheduleProblem& p : problems)
            messages.append(p.message());
        return messages.join(u'\n');
    }

    Editor& editor_;
};

ScheduleGrid::ScheduleGrid(Editor& editor, const bool& windowSyncing, QWidget* parent)
    : QTableView(parent), editor_(editor), syncing_(windowSyncing),
      model_(new GridModel(editor, this)) {
    setObjectName(QStringLiteral("grdFahrpl"));
    setModel(model_);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(12);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsClickable(false);
    setColumnWidth(0, NumberColumnWidth);
    setColumnWidth(1, LineColumnWidth);
    // The lines fill the grid however wide the window is: no sideways
    // scrolling on a small screen.
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setWordWrap(false);
    appliedRows_ = model_->rowCount();

    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (syncing_ || !current.isValid())
                    return;
                editor_.form->setCurrentRow(current.row() + 1);
                emit modelChanged();
            });
    connect(this, &QTableView::doubleClicked, this, [this] {
        editor_.form->grdFahrpl_DblClick();
        emit modelChanged();
    });
    // The grid's top row is the control's state, which the model mirrors.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_)
            return;
        editor_.gridScrolled(value + 1);
        appliedTopRow_ = value + 1;
    });
}

void ScheduleGrid::syncFromModel() {
    model_->refresh(appliedRows_);
    const GridState& grid = editor_.document.grid;
    const QModelIndex current = model_->index(grid.currentRow - 1, grid.currentColumn);
    if (current.isValid() && currentIndex() != current)
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
    const auto [first, last] = editor_.selection();
    const QItemSelection rows(model_->index(first - 1, 1), model_->index(last - 1, 1));
    if (selectionModel()->selection() != rows)
        selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (grid.topRow != appliedTopRow_) {
        appliedTopRow_ = grid.topRow;
        verticalScrollBar()->setValue(grid.topRow - 1);
    }
}

void ScheduleGrid::revealCurrentRow() {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const QRect cell = visualRect(current);
    if (cell.isValid() && viewport()->rect().contains(cell))
        return;
    scrollTo(current, QAbstractItemView::PositionAtCenter);
    // The model mirrors the grid's top row.
    appliedTopRow_ = verticalScrollBar()->value() + 1;
    editor_.gridScrolled(appliedTopRow_);
}

void ScheduleGrid::revealRow(int row) {
    const QModelIndex index = model_->index(row - 1, 1);
    if (!index.isValid())
        return;
    const QRect cell = visualRect(index);
    if (cell.isValid() && viewport()->rect().contains(cell))
        return;
    scrollTo(index, QAbstractItemView::PositionAtCenter);
    appliedTopRow_ = verticalScrollBar()->value() + 1;
    editor_.gridScrolled(appliedTopRow_);
}

void ScheduleGrid::extendSelection(int row) {
    const auto [first, last] = editor_.selection();
    if (first == last)
        anchor_ = first; // a new selection starts at the current row
    row = std::clamp(row, 1, std::max(model_->rowCount(), 1));
    editor_.selectRows(row, anchor_);
    emit modelChanged();
    revealCurrentRow();
}

bool ScheduleGrid::clipboardKey(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy))
        editor_.copyRows();
    else if (event->matches(QKeySequence::Cut))
        editor_.cutRows();
    else if (event->matches(QKeySequence::Paste))
        editor_.pasteRows();
    else
        return false;
    emit modelChanged();
    revealCurrentRow();
    return true;
}

void ScheduleGrid::keyPressEvent(QKeyEvent* event) {
    if (clipboardKey(event))
        return;
    if (event->modifiers() == Qt::ShiftModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        extendSelection(editor_.document.grid.currentRow + (event->key() == Qt::Key_Up ? -1 : 1));
        return;
    }
    const int code = keyCodeOf(event);
    if (code >= 0 &&
        event->modifiers().testAnyFlags(Qt::ControlModifier | Qt::AltModifier) == false) {
        editor_.gridKeyPress(code);
        emit modelChanged();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ScheduleGrid::mousePressEvent(QMouseEvent* event) {
    if (event->modifiers() == Qt::ShiftModifier && event->button() == Qt::LeftButton) {
        if (const QModelIndex index = indexAt(event->position().toPoint()); index.isValid()) {
            setFocus(Qt::MouseFocusReason);
            extendSelection(index.row() + 1);
            return;
        }
    }
    // Ctrl+click on a jump: to the row that defines its address.
    if (event->modifiers() == Qt::ControlModifier) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) {
            editor_.goToRow(index.row() + 1);
            editor_.goToDefinition();
            emit modelChanged();
            revealCurrentRow();
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

} // namespace vx
