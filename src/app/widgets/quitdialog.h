// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QPushButton;

namespace quorvel {

// The closing dialog "Beenden": "Programm beenden?" with "Ja, beenden"
// (accepts) and "Nein, weiter arbeiten" (rejects).
class QuitDialog : public DecoratedDialog {
    Q_OBJECT
public:
    explicit QuitDialog(QWidget* parent = nullptr);

private:
    QPushButton* JaBtn;
    QPushButton* NeinBtn;
};

} // namespace quorvel
