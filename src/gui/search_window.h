#pragma once

// frmVx_Edit_Such, the search window: a search text and "Search (cont.)".
// Modeless, beside the main window; the search itself is the model's.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class Editor;

class SearchWindow : public QWidget {
    Q_OBJECT
public:
    SearchWindow(Editor& editor, QWidget* parent = nullptr);

    QLabel* lblSuchen() const { return lblSuchen_; }
    QLineEdit* txbSuchtext() const { return txbSuchtext_; }
    // sevCmdBef buttons 0 (search) and 1 (close).
    QPushButton* sevCmdBef(int index) const;

    // "whole number": 12 is not found inside 112.
    QCheckBox* wholeNumber() const { return wholeNumber_; }

    void syncFromModel();

signals:
    void modelChanged();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Editor& editor_;
    QLabel* lblSuchen_;
    QLineEdit* txbSuchtext_;
    QPushButton* search_;
    QPushButton* cancel_;
    QCheckBox* wholeNumber_;
    bool syncing_ = false;
};

} // namespace vx
