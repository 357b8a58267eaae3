// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// What the document core needs to know about the fonts of this computer.
// The system catalog asks Qt's font database and needs a QGuiApplication;
// tests and the fuzzer may pass their own.
class FontCatalog {
public:
    virtual ~FontCatalog() = default;
    // Whether `family` can be drawn as itself. "Arial", "Times New Roman" and
    // "Courier New" count as installed where their metric-compatible
    // substitutes are.
    virtual bool isInstalled(const QString& family) const = 0;
    // Width in pixels of the text "X" in `family` at a character height of
    // 1000 pixels.
    virtual double widthOfXAt1000(const QString& family) const = 0;
};

// The catalog of the fonts installed on this computer.
const FontCatalog& systemFontCatalog();

// The font families of this computer for the user to choose from, sorted
// case-insensitively: what Qt lists, plus "Arial", "Times New Roman" and
// "Courier New" where their metric-compatible substitutes are installed.
QStringList installedFontFamilies();

// The height factor of a font, relative to "Arial", used to convert the
// picture size steps of old documents: a fixed value for well-known fonts,
// otherwise measured.
double fontHeightFactor(const QString& family, const FontCatalog& fonts);

// The picture size step of a file before version 2.17 converted to the
// current meaning for the document font with height factor `k`.
int convertOldPictureFsize(int fsize, double k);

} // namespace quorvel
