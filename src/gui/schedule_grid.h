#pragma once

// grdFahrpl, the schedule grid: one row per line, the row number in front,
// marked where the schedule check found something. Clicks, keys and
// scrolling go to the model; syncFromModel() shows its rows, current row,
// selected rows and top row. Shift+click and Shift+arrows select rows;
// Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste them.

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
    // Scrolls a row into view without making it current (the dry run's row).
    void revealRow(int row);

signals:
    // After every event forwarded to the model.
    void modelChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Selects from the row the selection started at to row.
    void extendSelection(int row);
    bool clipboardKey(QKeyEvent* event);

    Editor& editor_;
    const bool& syncing_;
    GridModel* model_;
    int appliedTopRow_ = -1;
    int appliedRows_ = -1;
    int anchor_ = 0; // where the selection started
};

} // namespace vx
