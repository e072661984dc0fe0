#pragma once

// grdFahrpl, the schedule grid: one row per line, the row number in front,
// marked where the schedule check found something. Clicks, keys and
// scrolling go to the model; syncFromModel() shows its rows, current row
// and top row.

#include <QTableView>

namespace vx {

class Editor;
class GridModel;

class ScheduleGrid : public QTableView {
    Q_OBJECT
public:
    // windowSyncing: set while the window brings its widgets in line with
    // the model; what the grid does then is no user event.
    ScheduleGrid(Editor& editor, const bool& windowSyncing, QWidget* parent = nullptr);

    void syncFromModel();
    // After a jump to a row: scrolls it into view.
    void revealCurrentRow();

signals:
    // After every event forwarded to the model.
    void modelChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Editor& editor_;
    const bool& syncing_;
    GridModel* model_;
    int appliedTopRow_ = -1;
    int appliedRows_ = -1;
};

} // namespace vx
