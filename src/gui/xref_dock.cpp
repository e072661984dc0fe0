#include "gui/xref_dock.h"

#include "editor/editor.h"
#include "editor/layout_view.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace vx {

namespace {

constexpr Thing Kinds[] = {Thing::Contact,   Thing::Article, Thing::Signal,     Thing::Route,
                           Thing::Marker,    Thing::Counter, Thing::Loco,       Thing::Module,
                           Thing::Turntable, Thing::SetVar,  Thing::ScheduleNo, Thing::ScheduleFile,
                           Thing::Address};

} // namespace

XrefDock::XrefDock(Editor& editor, QWidget* parent)
    : QDockWidget(parent), editor_(editor), kinds_(new QComboBox), text_(new QLineEdit),
      table_(new QTableView), skipped_(new QLabel) {
    setObjectName(QStringLiteral("xrefDock"));
    auto* body = new QWidget;
    auto* filters = new QHBoxLayout;
    filters->addWidget(kinds_);
    filters->addWidget(text_, 1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(filters);
    layout->addWidget(table_);
    skipped_->setObjectName(QStringLiteral("xrefSkipped"));
    skipped_->setWordWrap(true);
    skipped_->hide();
    layout->addWidget(skipped_);
    setWidget(body);

    text_->setClearButtonEnabled(true);
    followFilter();
    table_->setSortingEnabled(true);
    table_->sortByColumn(XrefModel::KindColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setResizeContentsPrecision(200);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    // The short columns are fitted when the layout is read, not on every
    // change, so that they stay put while the user types a filter; the line
    // takes the rest.
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(true);
    table_->setWordWrap(false);

    connect(kinds_, &QComboBox::currentIndexChanged, this, [this](int i) {
        const int k = i - 1;
        editor_.layout->filter().setKind(k >= 0 ? std::optional<Thing>(Kinds[k]) : std::nullopt);
        followFilter();
    });
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& t) {
        editor_.layout->filter().setText(t);
        followFilter();
    });
    // A file read again may have become unreadable, or readable again.
    const QAbstractItemModel* model = &editor_.layout->model();
    connect(model, &QAbstractItemModel::modelReset, this, &XrefDock::showSkipped);
    connect(model, &QAbstractItemModel::modelReset, this, &XrefDock::fitColumns);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &XrefDock::showSkipped);
    connect(model, &QAbstractItemModel::rowsInserted, this, &XrefDock::showSkipped);
    connect(table_, &QTableView::doubleClicked, this, &XrefDock::openUse);
    connect(table_, &QTableView::activated, this, &XrefDock::openUse);
    retranslate();
}

void XrefDock::retranslate() {
    const TextCatalogue& c = editor_.catalogue;
    setWindowTitle(c.tx(u"Cross-references"));
    const int current = kinds_->currentIndex();
    const QSignalBlocker block(kinds_);
    kinds_->clear();
    kinds_->addItem(c.tx(u"all kinds"));
    for (Thing t : Kinds)
        kinds_->addItem(c.tx(ThingName(t)));
    kinds_->setCurrentIndex(current < 0 ? 0 : current);
    text_->setPlaceholderText(c.tx(u"Number/name"));
    showSkipped();
    fitColumns();
}

void XrefDock::followFilter() {
    XrefFilter& filter = editor_.layout->filter();
    XrefModel& model = editor_.layout->model();
    // Unfiltered, the table shows the model itself, and the proxy lets go of
    // it: a proxy over every row follows each inserted or removed row through
    // its whole mapping, which a large layout would pay on every transfer.
    QAbstractItemModel* shown = filter.filtering() ? static_cast<QAbstractItemModel*>(&filter)
                                                   : static_cast<QAbstractItemModel*>(&model);
    if (shown == &filter && filter.sourceModel() != &model)
        filter.setSourceModel(&model);
    if (table_->model() != shown) {
        QHeaderView* header = table_->horizontalHeader();
        QList<int> widths;
        for (int c = 0; table_->model() && c < header->count(); ++c)
            widths << header->sectionSize(c);
        QItemSelectionModel* old = table_->selectionModel();
        table_->setModel(shown);
        delete old; // the view does not
        for (int c = 0; c < widths.size() && c < header->count(); ++c)
            header->resizeSection(c, widths[c]);
    }
    if (shown == &model && filter.sourceModel())
        filter.setSourceModel(nullptr);
}

void XrefDock::fitColumns() {
    const QFontMetrics metrics(table_->font());
    // Room for the text and the cell's margins, as the delegate lays it out.
    const int margin = 2 * (table_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 8;
    const auto widest = [&](const QStringList& texts) {
        int w = 0;
        for (const QString& t : texts)
            w = std::max(w, metrics.horizontalAdvance(t));
        return w + margin;
    };
    // The words this layout uses, whatever the filter shows.
    const XrefModel& model = editor_.layout->model();
    QHeaderView* header = table_->horizontalHeader();
    const auto atLeastHeader = [&](int column, int width) {
        header->resizeSection(column, std::max(width, header->sectionSizeHint(column)));
    };
    atLeastHeader(XrefModel::KindColumn, widest(model.kindWords()));
    atLeastHeader(XrefModel::AccessColumn, widest(model.useWords()));
    atLeastHeader(XrefModel::RowColumn, widest({QStringLiteral("9999")}));
    // Judged on the first rows, so that a large layout costs little.
    table_->resizeColumnToContents(XrefModel::IdColumn);
    table_->resizeColumnToContents(XrefModel::ScheduleColumn);
}

void XrefDock::showSkipped() {
    QStringList names;
    QStringList reasons;
    for (const LayoutSchedule& s : editor_.layout->index().schedules()) {
        if (s.isRead())
            continue;
        names << s.name();
        reasons << s.name() + QStringLiteral(": ") + s.reason;
    }
    skipped_->setVisible(!names.isEmpty());
    if (names.isEmpty())
        return;
    // A folder of thousands of such files must not fill the pane.
    constexpr int Shown = 5;
    QString text = editor_.catalogue.tx(u"Not read:") + u' ' + names.mid(0, Shown).join(u", ");
    if (names.size() > Shown)
        text += QStringLiteral(" (+%1)").arg(names.size() - Shown);
    skipped_->setText(text);
    skipped_->setToolTip(reasons.mid(0, 50).join(u'\n'));
}

void XrefDock::openUse(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const QString file = index.data(XrefModel::FileRole).toString();
    const int row = index.siblingAtColumn(XrefModel::RowColumn).data(XrefModel::SortRole).toInt();
    const auto same = [&] {
        return !editor_.document.FilePath.isEmpty() &&
               QFileInfo(editor_.document.FilePath).absoluteFilePath() ==
                   QFileInfo(file).absoluteFilePath();
    };
    if (!same())
        editor_.Open(file); // the usual save question first
    if (same())
        editor_.goToRow(row);
    emit modelChanged();
}

} // namespace vx
