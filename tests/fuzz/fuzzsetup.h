// SPDX-License-Identifier: GPL-3.0-or-later
// What both fuzz targets set up: a GUI application (the layouts that run
// after reading measure text) and fonts without the font database for the
// reader's checks, so that what it makes of a font name stays deterministic.
#pragma once

#include "fontcatalog.h"

#include <QGuiApplication>

namespace quorvel::fuzz {

class FuzzFonts final : public FontCatalog {
public:
    bool isInstalled(const QString& family) const override {
        return family == QStringLiteral("Arial");
    }
    double widthOfXAt1000(const QString& family) const override { return 600.0 + family.size(); }
};

inline void startApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    static QGuiApplication app(*argc, *argv);
}

} // namespace quorvel::fuzz
