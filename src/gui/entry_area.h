#pragma once

// sevFrame1, the entry area under the grid: the explanation, the captions,
// the masked fields mskTxt0..mskTxt7, the free-text boxes, the hint, the
// remark row and the five row buttons. Typing, Enter and the buttons go to
// the model; syncFromModel() shows the entry form as the model holds it.

#include <QFrame>
#include <QHash>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vx {

class Editor;
class MaskedField;
enum class Control;

class EntryArea : public QFrame {
    Q_OBJECT
public:
    // windowSyncing: set while the window brings its widgets in line with
    // the model; what the fields do then is no user event.
    EntryArea(Editor& editor, const bool& windowSyncing, QWidget* parent = nullptr);

    void syncFromModel();

    // The widget of an entry control; null for a control outside the area.
    QWidget* widgetOf(Control control) const;

    MaskedField* mskTxt(int k) const { return msk_[static_cast<size_t>(k)]; }
    QLineEdit* txbTxt2() const { return txbTxt2_; }
    QLineEdit* txbTxt3() const { return txbTxt3_; }
    QLineEdit* txbAnmerk() const { return txbAnmerk_; }
    QLineEdit* txbStern() const { return txbStern_; }
    QLabel* lblLfdNr() const { return lblLfdNr_; }
    QLabel* lblCode() const { return lblCode_; }
    QLabel* lblAnmerk() const { return lblAnmerk_; }
    QLabel* lblBemerkung() const { return lblBemerkung_; }
    QLabel* lblHinweise() const { return lblHinweise_; }
    QPushButton* cmdHol_Zei() const { return cmdHol_Zei_; }
    QPushButton* cmdUeb_Zei() const { return cmdUeb_Zei_; }
    QPushButton* cmdUeb_leerZ() const { return cmdUeb_leerZ_; }
    QPushButton* cmdEinf_leerZ() const { return cmdEinf_leerZ_; }
    QPushButton* cmdLoe_Zei() const { return cmdLoe_Zei_; }

signals:
    // After every event forwarded to the model.
    void modelChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectEvents();
    void placeRows();
    int tallestHint() const;
    void fieldEdited(Control control, const QString& text);

    Editor& editor_;
    const bool& syncing_;
    std::array<MaskedField*, 8> msk_{};
    QLineEdit* txbTxt2_ = nullptr;
    QLineEdit* txbTxt3_ = nullptr;
    QLineEdit* txbAnmerk_ = nullptr;
    QLineEdit* txbStern_ = nullptr;
    QLabel* lblLfdNr_ = nullptr;
    QLabel* lblCode_ = nullptr;
    QLabel* lblAnmerk_ = nullptr;
    QLabel* lblBemerkung_ = nullptr;
    QLabel* lblHinweise_ = nullptr;
    QPushButton* cmdHol_Zei_ = nullptr;
    QPushButton* cmdUeb_Zei_ = nullptr;
    QPushButton* cmdUeb_leerZ_ = nullptr;
    QPushButton* cmdEinf_leerZ_ = nullptr;
    QPushButton* cmdLoe_Zei_ = nullptr;
    std::array<QString, 5> wrappedCaptions_; // of the five buttons, as last wrapped
    // Room under the operand row for the hint: the tallest hint of the
    // language, or a taller one once seen.
    int hintRoom_ = 0;
    QString hintRoomLanguage_;
    QHash<QString, int> tallestHints_; // by language
    QHash<QString, int> maskWidths_;   // the width each mask needs
};

} // namespace vx
