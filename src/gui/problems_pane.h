#pragma once

// The problems list under the grid: every finding of the schedule as
// "line: message", or after Shift+F12 the rows that jump to an address. A
// double-click makes the row current as a click on the grid would.

#include <QWidget>

class QLabel;
class QListWidget;
class QToolButton;

namespace vx {

class Editor;

class ProblemsPane : public QWidget {
    Q_OBJECT
public:
    explicit ProblemsPane(Editor& editor, QWidget* parent = nullptr);

    // Shows what the model holds; hidden while there is nothing to list.
    void syncFromModel();

    QListWidget* list() const { return list_; }
    // The current entry is a finding across the layout (F1 explains those).
    bool layoutFindingCurrent() const;

signals:
    // The user made a row current or closed the pane; the window syncs.
    void modelChanged();

private:
    Editor& editor_;
    QLabel* title_;
    QListWidget* list_;
    QToolButton* close_;
    quint64 shownGeneration_ = ~quint64(0);
    QString shownKey_;
};

} // namespace vx
