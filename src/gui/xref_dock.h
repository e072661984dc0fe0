#pragma once

// The cross-references of the layout beside the grid: every use of every
// thing, sortable by any column and filtered by kind and by a typed text.

#include <QDockWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace vx {

class Editor;

class XrefDock : public QDockWidget {
    Q_OBJECT
public:
    explicit XrefDock(Editor& editor, QWidget* parent = nullptr);

    // Captions in the current language.
    void retranslate();
    QTableView* table() const { return table_; }
    QComboBox* kinds() const { return kinds_; }
    QLineEdit* text() const { return text_; }

signals:
    // A use was opened: the window syncs with the model.
    void modelChanged();

private:
    void openUse(const QModelIndex& index);
    // The folder's files that could not be read, named under the table.
    void showSkipped();
    // Widths that hold the kind and use words and the ids and names the
    // layout has, kept while the user filters and sorts.
    void fitColumns();
    // The table shows the proxy while a filter is set, else the model.
    void followFilter();
    Editor& editor_;
    QComboBox* kinds_;
    QLineEdit* text_;
    QTableView* table_;
    QLabel* skipped_;
};

} // namespace vx
