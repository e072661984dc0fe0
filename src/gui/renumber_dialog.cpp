#include "gui/renumber_dialog.h"

#include "editor/editor.h"
#include "editor/layout_view.h"
#include "help/help_model.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vx {

namespace {

constexpr Thing Kinds[] = {Thing::Contact,   Thing::Article, Thing::Signal,     Thing::Route,
                           Thing::Marker,    Thing::Counter, Thing::Loco,       Thing::Module,
                           Thing::Turntable, Thing::SetVar,  Thing::ScheduleNo, Thing::ScheduleFile,
                           Thing::Address};

} // namespace

RenumberDialog::RenumberDialog(Editor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor), kind_(new QComboBox), old_(new QLineEdit),
      new_(new QLineEdit), here_(new QRadioButton), layout_(new QRadioButton),
      preview_(new QTableWidget(0, 4)), note_(new QLabel) {
    const TextCatalogue& c = editor_.catalogue;
    setWindowTitle(c.tx(u"Renumber..."));
    for (Thing t : Kinds)
        kind_->addItem(c.tx(ThingName(t)));
    here_->setText(c.tx(u"this schedule"));
    layout_->setText(c.tx(u"the whole layout"));
    layout_->setChecked(true);
    auto* scope = new QHBoxLayout;
    scope->addWidget(here_);
    scope->addWidget(layout_);
    scope->addStretch();
    auto* form = new QFormLayout;
    form->addRow(c.tx(u"Kind"), kind_);
    form->addRow(c.tx(u"Old number"), old_);
    form->addRow(c.tx(u"New number"), new_);
    form->addRow(scope);

    preview_->setHorizontalHeaderLabels(
        {c.tx(u"Schedule"), c.tx(u"Row"), c.tx(u"Old line"), c.tx(u"New line")});
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->hide();
    preview_->verticalHeader()->setDefaultSectionSize(preview_->fontMetrics().height() + 4);
    preview_->horizontalHeader()->setStretchLastSection(true);
    note_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel);
    apply_ = buttons->addButton(QString(c.tx(u"Renumber...")).remove(QStringLiteral("...")),
                                QDialogButtonBox::AcceptRole);
    apply_->setEnabled(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, &RenumberDialog::renumber);

    auto* box = new QVBoxLayout(this);
    box->addLayout(form);
    box->addWidget(preview_, 1);
    box->addWidget(note_);
    box->addWidget(buttons);
    resize(720, 420);
    // The help window stays usable beside the dialog.
    setWindowModality(Qt::WindowModal);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { editor_.helpOn(HelpTopic::Renumber); });

    // The thing the current row names first.
    const int row = editor_.document.grid.currentRow;
    if (row >= 1 && row <= editor_.document.RowCount) {
        const ParsedCommand parsed = ParseCommand(editor_.document.line(row));
        if (!parsed.uses.isEmpty()) {
            for (int i = 0; i < int(std::size(Kinds)); ++i)
                if (Kinds[i] == parsed.uses.front().thing)
                    kind_->setCurrentIndex(i);
            old_->setText(parsed.uses.front().id);
        }
    }
    connect(kind_, &QComboBox::currentIndexChanged, this, &RenumberDialog::updatePreview);
    connect(old_, &QLineEdit::textChanged, this, &RenumberDialog::updatePreview);
    connect(new_, &QLineEdit::textChanged, this, &RenumberDialog::updatePreview);
    connect(here_, &QRadioButton::toggled, this, &RenumberDialog::updatePreview);
    updatePreview();
    new_->setFocus(); // the thing is usually the one the row names
}

QString RenumberDialog::oldId() const {
    return old_->text().trimmed();
}

QString RenumberDialog::newId() const {
    return new_->text().trimmed();
}

void RenumberDialog::updatePreview() {
    preview_->setRowCount(0);
    apply_->setEnabled(false);
    note_->clear();
    const QString oldId = old_->text().trimmed(), newId = new_->text().trimmed();
    if (oldId.isEmpty() || newId.isEmpty())
        return;
    const RenumberPlan plan =
        editor_.layout->plan(Kinds[kind_->currentIndex()], oldId, newId, layout_->isChecked());
    preview_->setRowCount(int(plan.edits.size()));
    for (int i = 0; i < plan.edits.size(); ++i) {
        const LineEdit& e = plan.edits[i];
        const QStringList cells{QFileInfo(e.file).fileName(), QString::number(e.line), e.oldText,
                                e.newText};
        for (int k = 0; k < 4; ++k)
            preview_->setItem(i, k, new QTableWidgetItem(cells[k]));
    }
    preview_->resizeColumnsToContents();
    QStringList notes;
    for (const Phrase& reason : plan.reasons)
        notes << reason.in(editor_.catalogue);
    for (const LayoutIndex::Ref& r : plan.conflicts)
        notes << editor_.catalogue.tx(u"Already in use:") + u' ' + r.schedule->name() + u':' +
                     QString::number(r.use->line);
    note_->setText(notes.join(u'\n'));
    apply_->setEnabled(plan.refusals.isEmpty() && !plan.edits.isEmpty());
}

void RenumberDialog::renumber() {
    const TextCatalogue& c = editor_.catalogue;
    const RenumberPlan plan =
        editor_.layout->plan(Kinds[kind_->currentIndex()], old_->text().trimmed(),
                             new_->text().trimmed(), layout_->isChecked());
    if (!plan.refusals.isEmpty())
        return updatePreview();
    // Merging two things is rarely meant: ask once more.
    if (!plan.conflicts.isEmpty() &&
        QMessageBox::question(
            this, windowTitle(), c.tx(u"The new number is already in use. Renumber anyway?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const RenumberOutcome outcome = editor_.layout->apply(plan);
    emit modelChanged();
    if (!outcome.done) {
        QMessageBox::warning(this, windowTitle(),
                             outcome.reason.isEmpty() ? outcome.message : outcome.reason.in(c));
        updatePreview();
        return;
    }
    accept();
}

} // namespace vx
