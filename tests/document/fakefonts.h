// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fontcatalog.h"

#include <QHash>

// A font catalog with chosen fonts and "X" widths, so that font-dependent
// results do not depend on what this computer has installed.
class FakeFonts final : public quorvel::FontCatalog {
public:
    QHash<QString, double> widths{{QStringLiteral("Arial"), 667.0}};

    bool isInstalled(const QString& family) const override { return widths.contains(family); }
    double widthOfXAt1000(const QString& family) const override {
        return widths.value(family, 0.0);
    }
};
