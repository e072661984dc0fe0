#pragma once

// The information window: the program's name and version and an OK button.
// Its texts come from InfoWindowTexts (help_model.h).

#include "help/help_model.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vx {

class frmVx_Edit_Info : public QDialog {
    Q_OBJECT
public:
    explicit frmVx_Edit_Info(const InfoTexts& texts, QWidget* parent = nullptr);

    QLabel* lblText1 = nullptr;
    QLabel* lblVersion = nullptr;
    QPushButton* sevOK = nullptr;
};

} // namespace vx
