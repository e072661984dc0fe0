#pragma once

// The message window every question and message of the editor goes through:
// a prompt (which may break over lines), a title, one of the standard button
// sets with its icon, the default button the caller asks for, and the
// standard answer number of the button pressed. Its appearance is the
// editor's own: a beige background and a bold prompt.

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

namespace vx {

class StyledMessageDialog : public QDialog {
    Q_OBJECT
public:
    // style: the summed message-box style numbers (platform.h, MsgStyle).
    // germanButtons: button captions in German, otherwise in English, where
    // Qt has no translation of its own loaded.
    StyledMessageDialog(const QString& prompt, int style, const QString& title, bool germanButtons,
                        QWidget* parent = nullptr);

    // The prompt as shown: every kind of line break made one.
    static QString displayText(const QString& prompt);

    // The answer of the button pressed; until one is, the answer that closing
    // the window gives (cancel where there is one, else the only button).
    int answer() const { return answer_; }
    QLabel* promptLabel() const { return prompt_; }
    QLabel* iconLabel() const { return icon_; }
    // Buttons in display order, with the answer each gives.
    const QList<QPushButton*>& buttons() const { return buttons_; }
    int answerOf(const QPushButton* button) const;
    QPushButton* defaultButton() const;

    static const QColor& background();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void press(int answer);

    QLabel* icon_ = nullptr;
    QLabel* prompt_ = nullptr;
    QList<QPushButton*> buttons_;
    QList<int> answers_;
    int escapeAnswer_ = 0; // 0: escape and the close box do nothing
    int answer_ = 0;
    bool pressed_ = false;
};

} // namespace vx
