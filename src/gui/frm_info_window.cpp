#include "gui/frm_info_window.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vx {

frmVx_Edit_Info::frmVx_Edit_Info(const InfoTexts& texts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmVx_Edit_Info"));
    setWindowTitle(texts.caption);

    lblText1 = new QLabel(texts.text1, this);
    lblText1->setObjectName(QStringLiteral("lblText1"));
    lblText1->setAlignment(Qt::AlignCenter);
    QFont big = lblText1->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.5);
    lblText1->setFont(big);

    // A label breaks lines at LF; the CR of the model's CR LF would only show as a stray glyph.
    lblVersion = new QLabel(
        QString(texts.version).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setAlignment(Qt::AlignCenter);

    sevOK = new QPushButton(QStringLiteral("OK"), this);
    sevOK->setObjectName(QStringLiteral("sevOK"));
    sevOK->setDefault(true);
    connect(sevOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(sevOK);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(14);
    layout->addWidget(lblText1);
    layout->addWidget(lblVersion);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

} // namespace vx
