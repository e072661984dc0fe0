#pragma once

// The entry area of the main window as the model sees it: the masked fields
// mskTxt0..mskTxt7, the free-text boxes and the labels, with every property the
// editor's rules touch. Setting a field's text runs its change handling at once,
// as the toolkit's change event would.

#include <QString>
#include <array>

namespace vx {

class Editor;

struct EntryField {
    QString name;
    QString text;
    QString mask; // the editor's own mask notation; "" = free input
    QChar prompt = u' ';
    int maxLength = 0; // 0 = no limit
    int width = 0;     // pixels
    int left = 0;      // pixels
    bool visible = true;
    bool error = false; // drawn in the error colour
};

struct Label {
    QString caption;
    int left = 0;
    int width = 0;
    bool visible = true;
    bool error = false;
};

class EntryForm {
public:
    explicit EntryForm(Editor& editor);

    static constexpr int FieldCount = 8; // mskTxt0..mskTxt7

    std::array<EntryField, FieldCount> msk; // msk[k] is mskTxtk
    EntryField txbTxt2;
    EntryField txbTxt3;
    EntryField txbAnmerk;
    EntryField txbStern;
    Label lblAnmerk;
    Label lblCode;
    Label lblBemerkung;
    Label lblHinweise;

    // The program sets a masked field's text: one change event.
    void setFieldText(int k, const QString& text);

    // E1..E7 (index 0 unused); shown joined as E1, E2, E7, E3, E4, E5, E6.
    std::array<QString, 8> ExplanationParts;
    QString joinedExplanation() const {
        const auto& e = ExplanationParts;
        return e[1] + e[2] + e[7] + e[3] + e[4] + e[5] + e[6];
    }

    qint16 CurrentCommand = 0;
    qint16 ListCommand = 0;
    qint16 CurrentHelpTopic = 960;
    int listIndex = -1; // selected line of lstBefehle, -1 = none

private:
    Editor& editor_;
};

} // namespace vx
