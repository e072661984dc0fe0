#pragma once

// Renumbering one thing of the layout: kind, old and new number, this
// schedule or the whole layout, and a preview of every line that changes
// before anything is written.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace vx {

class Editor;

class RenumberDialog : public QDialog {
    Q_OBJECT
public:
    // Starts with the first thing the current row names.
    explicit RenumberDialog(Editor& editor, QWidget* parent = nullptr);

    QTableWidget* preview() const { return preview_; }
    // As typed: the number the thing had, and the one it has now.
    QString oldId() const;
    QString newId() const;

signals:
    // The open schedule's rows may have changed: the window syncs.
    void modelChanged();

private:
    void updatePreview();
    void renumber();
    Editor& editor_;
    QComboBox* kind_;
    QLineEdit* old_;
    QLineEdit* new_;
    QRadioButton* here_;
    QRadioButton* layout_;
    QTableWidget* preview_;
    QLabel* note_;
    QPushButton* apply_;
};

} // namespace vx
