#include "gui/problems_pane.h"

#include "editor/dry_run_session.h"
#include "editor/editor.h"
#include "editor/layout_view.h"
#include "texts/blanks.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vx {

namespace {
constexpr int PaneHeight = 120;
constexpr int LineRole = Qt::UserRole;
constexpr int FileRole = Qt::UserRole + 1; // another schedule of the layout
constexpr int LayoutFindingRole = Qt::UserRole + 2;
} // namespace

ProblemsPane::ProblemsPane(Editor& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), title_(new QLabel(this)), list_(new QListWidget(this)),
      close_(new QToolButton(this)) {
    setObjectName(QStringLiteral("problemsPane"));
    list_->setObjectName(QStringLiteral("lstProblems"));
    list_->setIconSize(QSize(16, 16));
    list_->setUniformItemSizes(true); // a long list lays out at once
    // Its height where the grid has room for it; in a low window it takes
    // less rather than pushing the entry area down.
    setMaximumHeight(PaneHeight);
    setMinimumHeight(1); // 0 would mean the layout's own minimum
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto* head = new QHBoxLayout;
    head->setContentsMargins(4, 0, 0, 0);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    close_->setIcon(QApplication::style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    head->addWidget(title_, 1);
    head->addWidget(close_, 0);
    layout->addLayout(head);
    layout->addWidget(list_, 1);
    hide();

    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString file = item->data(FileRole).toString();
        const int row = item->data(LineRole).toInt();
        if (!file.isEmpty()) {
            editor_.Open(file); // the usual save question first
            if (QFileInfo(editor_.document.FilePath).absoluteFilePath() ==
                QFileInfo(file).absoluteFilePath())
                editor_.goToRow(row);
            emit modelChanged();
            return;
        }
        editor_.goToRow(row);
        emit modelChanged();
    });
    connect(close_, &QToolButton::clicked, this, [this] {
        editor_.menuClick(QStringLiteral("Wrk_Probl"));
        emit modelChanged();
    });
}

bool ProblemsPane::layoutFindingCurrent() const {
    const QListWidgetItem* item = list_->currentItem();
    return item && item->data(LayoutFindingRole).toBool();
}

void ProblemsPane::syncFromModel() {
    const bool shown = editor_.problemsListShown();
    if (!shown) {
        setVisible(false);
        return;
    }
    const ScheduleDiagnostics& diagnostics = editor_.refreshDiagnostics();
    const TextCatalogue& cat = editor_.catalogue;
    // What the list shows; it is rebuilt only when that changed.
    const QString key = editor_.uses
                            ? QString(QStringLiteral("uses:") + editor_.uses->address +
                                      QString::number(editor_.uses->layoutLines.size()))
                            : QString(QStringLiteral("problems:") + cat.languageCode() + u':' +
                                      QString::number(editor_.dryRun->findingsGeneration()) + u':' +
                                      QString::number(editor_.layout->findingsGeneration()));
    if (key != shownKey_ || diagnostics.generation() != shownGeneration_) {
        shownKey_ = key;
        shownGeneration_ = diagnostics.generation();
        const int current = list_->currentRow();
        list_->clear();
        QStyle* style = QApplication::style();
        if (editor_.uses) {
            const Editor::Uses& uses = *editor_.uses;
            const bool jumps =
                uses.layoutLines.isEmpty() && editor_.refreshDiagnostics()
                                                  .addressAt(editor_.document.grid.currentRow)
                                                  .has_value();
            title_->setText(cat.tx(jumps ? u"Jumps to " : u"Uses of ") + uses.address +
                            QStringLiteral(" (") +
                            QString::number(uses.rows.size() + uses.layoutLines.size()) + u')');
            for (int row : uses.rows) {
                auto* item = new QListWidgetItem(QString::number(row) + QStringLiteral(": ") +
                                                 Trim(editor_.document.line(row)));
                item->setData(LineRole, row);
                list_->addItem(item);
            }
            // Then the other schedules of the layout.
            for (const auto& [file, row] : uses.layoutLines) {
                const LayoutSchedule* s = editor_.layout->index().find(file);
                const QString text =
                    s && row >= 1 && row <= s->lines.size() ? Trim(s->lines[row - 1]) : QString();
                auto* item =
                    new QListWidgetItem(QFileInfo(file).fileName() + u':' + QString::number(row) +
                                        QStringLiteral(": ") + text);
                item->setData(LineRole, row);
                item->setData(FileRole, file);
                list_->addItem(item);
            }
        } else {
            const QList<RunFinding> run = editor_.dryRun->findings();
            const QList<LayoutFinding>& layout = editor_.layout->openFindings();
            title_->setText(
                cat.tx(u"Problems") + QStringLiteral(" (") +
                QString::number(diagnostics.problemCount() + run.size() + layout.size()) + u')');
            const QIcon error = style->standardIcon(QStyle::SP_MessageBoxCritical);
            const QIcon warning = style->standardIcon(QStyle::SP_MessageBoxWarning);
            for (const ScheduleProblem& p : diagnostics.problems()) {
                auto* item = new QListWidgetItem(
                    p.severity() == ScheduleProblem::Severity::Error ? error : warning,
                    QString::number(p.line) + QStringLiteral(": ") + p.message());
                item->setData(LineRole, p.line);
                list_->addItem(item);
            }
            // Then what only the whole layout shows.
            const QIcon info = style->standardIcon(QStyle::SP_MessageBoxInformation);
            for (const LayoutFinding& f : layout) {
                const LayoutFinding::Severity severity = f.severity();
                auto* item =
                    new QListWidgetItem(severity == LayoutFinding::Severity::Error     ? error
                                        : severity == LayoutFinding::Severity::Warning ? warning
                                                                                       : info,
                                        QString::number(f.line) + QStringLiteral(": ") +
                                            cat.tx(u"Layout: ") + f.phrase.in(cat));
                item->setData(LineRole, f.line);
                item->setData(LayoutFindingRole, true);
                list_->addItem(item);
            }
            // What the dry run found, after what the check found.
            const QString open = QFileInfo(editor_.document.FilePath).absoluteFilePath();
            for (const RunFinding& f : run) {
                const bool here = f.file.isEmpty() || QFileInfo(f.file).absoluteFilePath() == open;
                auto* item = new QListWidgetItem(
                    info, cat.tx(u"Dry run: ") +
                              (here ? QString() : QFileInfo(f.file).fileName() + u':') +
                              QString::number(f.line) + QStringLiteral(": ") + f.message);
                item->setData(LineRole, f.line);
                if (!here)
                    item->setData(FileRole, f.file);
                list_->addItem(item);
            }
        }
        if (current >= 0 && current < list_->count())
            list_->setCurrentRow(current);
    }
    close_->setToolTip(cat.tx(u"Problems list"));
    setVisible(true);
}

} // namespace vx
