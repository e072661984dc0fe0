#pragma once

// frmVx_Edit_ZErs, the replace window: the text to find, its replacement,
// "Search (cont.)" and "Replace". Modeless, beside the main window; search and
// replacement are the model's.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class Editor;

class ReplaceWindow : public QWidget {
    Q_OBJECT
public:
    ReplaceWindow(Editor& editor, QWidget* parent = nullptr);

    QLabel* lblErs_von() const { return lblErs_von_; }
    QLabel* lblErs_nach() const { return lblErs_nach_; }
    QLineEdit* txbvon_Text() const { return txbvon_Text_; }
    QLineEdit* txbnach_Text() const { return txbnach_Text_; }
    // sevCmdBef buttons 0 (search), 1 (replace) and 2 (close).
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
    QLabel* lblErs_von_;
    QLabel* lblErs_nach_;
    QLineEdit* txbvon_Text_;
    QLineEdit* txbnach_Text_;
    QPushButton* search_;
    QPushButton* replace_;
    QPushButton* cancel_;
    QCheckBox* wholeNumber_;
    bool syncing_ = false;
};

} // namespace vx
