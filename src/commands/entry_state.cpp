#include "commands/entry_state.h"

#include <string>
#include <utility>

namespace vx {

namespace {

constexpr const char16_t* ControlNames[] = {
    u"mskTxt0",    u"mskTxt1",      u"mskTxt2",       u"mskTxt3",    u"mskTxt4",
    u"mskTxt5",    u"mskTxt6",      u"mskTxt7",       u"txbTxt2",    u"txbTxt3",
    u"txbAnmerk",  u"txbStern",     u"grid",          u"lstBefehle", u"cmdHol_Zei",
    u"cmdUeb_Zei", u"cmdUeb_leerZ", u"cmdEinf_leerZ", u"cmdLoe_Zei", u"",
};

void restoreText(QString& to, const QString& from) {
    if (!to.isSharedWith(from))
        to = from;
}

void restoreField(EntryField& to, const EntryField& from) {
    restoreText(to.name, from.name);
    restoreText(to.text, from.text);
    restoreText(to.mask, from.mask);
    to.prompt = from.prompt;
    to.maxLength = from.maxLength;
    to.width = from.width;
    to.left = from.left;
    to.visible = from.visible;
    to.error = from.error;
    to.selStart = from.selStart;
    to.selLength = from.selLength;
}

void restoreLabel(Label& to, const Label& from) {
    restoreText(to.caption, from.caption);
    to.left = from.left;
    to.width = from.width;
    to.visible = from.visible;
    to.error = from.error;
}

} // namespace

void EntryFormState::restoreFrom(const EntryFormState& s) {
    for (size_t k = 0; k < msk.size(); ++k)
        restoreField(msk[k], s.msk[k]);
    restoreField(txbTxt2, s.txbTxt2);
    restoreField(txbTxt3, s.txbTxt3);
    restoreField(txbAnmerk, s.txbAnmerk);
    restoreField(txbStern, s.txbStern);
    restoreLabel(lblLfdNr, s.lblLfdNr);
    restoreLabel(lblAnmerk, s.lblAnmerk);
    restoreLabel(lblCode, s.lblCode);
    restoreLabel(lblBemerkung, s.lblBemerkung);
    restoreLabel(lblHinweise, s.lblHinweise);
    for (size_t k = 0; k < ExplanationParts.size(); ++k)
        restoreText(ExplanationParts[k], s.ExplanationParts[k]);
    CurrentCommand = s.CurrentCommand;
    ListCommand = s.ListCommand;
    CurrentHelpTopic = s.CurrentHelpTopic;
    if (!lstBefehle.isSharedWith(s.lstBefehle))
        lstBefehle = s.lstBefehle;
    listIndex = s.listIndex;
    focus = s.focus;
    restoreText(buttons.cmdHol_Zei, s.buttons.cmdHol_Zei);
    restoreText(buttons.cmdUeb_Zei, s.buttons.cmdUeb_Zei);
    restoreText(buttons.cmdUeb_leerZ, s.buttons.cmdUeb_leerZ);
    restoreText(buttons.cmdEinf_leerZ, s.buttons.cmdEinf_leerZ);
    restoreText(buttons.cmdLoe_Zei, s.buttons.cmdLoe_Zei);
    lineNumberRed = s.lineNumberRed;
    helpMenuFreeBox = s.helpMenuFreeBox;
    for (size_t i = 0; i < fieldHints.size(); ++i)
        for (size_t n = 0; n < fieldHints[i].size(); ++n)
            restoreText(fieldHints[i][n], s.fieldHints[i][n]);
    hintRowsTouched = s.hintRowsTouched;
    renamedCommand = s.renamedCommand;
    restoreText(renamedName, s.renamedName);
}

QString ControlName(Control control) {
    return LiteralText(ControlNames[static_cast<int>(control)]);
}

QString LiteralText(const char16_t* text) {
    const auto size = static_cast<qsizetype>(std::char_traits<char16_t>::length(text));
    return size == 0 ? QString::fromUtf16(text, 0)
                     : QString::fromRawData(reinterpret_cast<const QChar*>(text), size);
}

EntryField* EntryFormState::fieldOf(Control control) {
    return const_cast<EntryField*>(std::as_const(*this).fieldOf(control));
}

const EntryField* EntryFormState::fieldOf(Control control) const {
    const int c = static_cast<int>(control);
    if (c >= 0 && c < FieldCount)
        return &msk[static_cast<size_t>(c)];
    switch (control) {
    case Control::txbTxt2:
        return &txbTxt2;
    case Control::txbTxt3:
        return &txbTxt3;
    case Control::txbAnmerk:
        return &txbAnmerk;
    case Control::txbStern:
        return &txbStern;
    default:
        return nullptr;
    }
}

std::optional<Control> ControlByName(QStringView name) {
    if (name == u"grdFahrpl")
        return Control::grid;
    for (int c = 0; c < static_cast<int>(Control::None); ++c)
        if (name == QStringView(ControlNames[c]))
            return static_cast<Control>(c);
    return std::nullopt;
}

} // namespace vx
