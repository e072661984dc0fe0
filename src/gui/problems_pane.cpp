#include "gui/problems_pane.h"

#include "editor/editor.h"
#include "texts/blanks.h"

#include <QApplication>
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
        editor_.goToRow(item->data(LineRole).toInt());
        emit modelChanged();
    });
    connect(close_, &QToolButton::clicked, this, [this] {
        editor_.menuClick(QStringLiteral("Wrk_Probl"));
        emit modelChanged();
    });
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
    const QString key = editor_.uses ? QStringLiteral("uses:") + editor_.uses->address
                                     : QStringLiteral("problems:") + cat.languageCode();
    if (key != shownKey_ || diagnostics.generation() != shownGeneration_) {
        shownKey_ = key;
        shownGeneration_ = diagnostics.generation();
        const int current = list_->currentRow();
        list_->clear();
        QStyle* style = QApplication::style();
        if (editor_.uses) {
            title_->setText(cat.tx(u"Jumps to ") + editor_.uses->address + QStringLiteral(" (") +
                            QString::number(editor_.uses->rows.size()) + u')');
            for (int row : editor_.uses->rows) {
                auto* item = new QListWidgetItem(QString::number(row) + QStringLiteral(": ") +
                                                 Trim(editor_.document.line(row)));
                item->setData(LineRole, row);
                list_->addItem(item);
            }
        } else {
            title_->setText(cat.tx(u"Problems") + QStringLiteral(" (") +
                            QString::number(diagnostics.problemCount()) + u')');
            const QIcon error = style->standardIcon(QStyle::SP_MessageBoxCritical);
            const QIcon warning = style->standardIcon(QStyle::SP_MessageBoxWarning);
            for (const ScheduleProblem& p : diagnostics.problems()) {
                auto* item = new QListWidgetItem(
                    p.severity() == ScheduleProblem::Severity::Error ? error : warning,
                    QString::number(p.line) + QStringLiteral(": ") + p.message);
                item->setData(LineRole, p.line);
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
