#pragma once

// A masked entry field in the editor's own mask notation (input_mask.h): it
// takes at each position exactly the characters the mask allows there, shows
// the prompt character in the positions still empty and holds no more than
// the mask (or, without a mask, the maximum length) allows. text() is what
// was typed, without prompt characters: the same text the model keeps.
//
// Qt's own input masks are not used: their characters mean other things
// ("A" a letter, "9" a required digit, "&" nothing at all) and they put the
// blanks into text().

#include <QLineEdit>
#include <QValidator>

namespace vx {

// A line edit lays out its whole text on every change; a longer text is shown
// cut, and read-only so that no edit sends the cut text back.
constexpr qsizetype MaxEditableCharacters = 32767;

class MaskedField;

class MaskValidator : public QValidator {
    Q_OBJECT
public:
    explicit MaskValidator(MaskedField* field);
    void setMask(const QString& mask, int maxLength);
    State validate(QString& input, int& pos) const override;

private:
    MaskedField* field_;
    QString mask_;
    int maxLength_ = 0;
};

class MaskedField : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedField(QWidget* parent = nullptr);

    // Mask, prompt character and maximum length (0 = no limit); a text that
    // is already there stays as it is.
    void setMask(const QString& mask, QChar prompt, int maxLength);
    const QString& mask() const { return mask_; }
    QChar prompt() const { return prompt_; }
    int maskMaxLength() const { return maxLength_; }
    // How many characters fit: the mask's length, else the maximum length;
    // -1 when there is no limit.
    qsizetype capacity() const;

    // The text as the field shows it: the text, then the prompt character in
    // every position still empty.
    QString displayedText() const;

    // Puts the text the program (the model) holds into the field, even one
    // the mask would not let the user type, without a change event.
    void showText(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class MaskValidator;
    void applyLimit(qsizetype textLength);

    // The text before the edit being validated, and whether the program is
    // putting a text in (the user's rules do not apply to that).
    QString previousText_;
    bool programText_ = false;

    MaskValidator* validator_;
    QString mask_;
    QChar prompt_ = u' ';
    int maxLength_ = 0;
};

} // namespace vx
