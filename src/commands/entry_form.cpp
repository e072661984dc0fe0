#include "commands/entry_form.h"

#include "app/editor.h"

namespace vx {

EntryForm::EntryForm(Editor& editor) : editor_(editor) {
    for (int k = 0; k < FieldCount; ++k)
        msk[static_cast<size_t>(k)].name = QStringLiteral("mskTxt") + QString::number(k);
    txbTxt2.name = QStringLiteral("txbTxt2");
    txbTxt3.name = QStringLiteral("txbTxt3");
    txbAnmerk.name = QStringLiteral("txbAnmerk");
    txbStern.name = QStringLiteral("txbStern");
}

void EntryForm::setFieldText(int k, const QString& text) {
    msk[static_cast<size_t>(k)].text = text;
    (void)editor_;
}

} // namespace vx
