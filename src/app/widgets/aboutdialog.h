#pragma once

#include "decorateddialog.h"

namespace quorvel {

// The about box ("Inf&o...").
class AboutDialog : public DecoratedDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

} // namespace quorvel
