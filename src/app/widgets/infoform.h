#pragma once

#include "decorateddialog.h"

namespace quorvel {

// The about box ("Inf&o...").
class TInfoForm : public DecoratedDialog {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);
};

} // namespace quorvel
