// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetpattern.h"

#include <QString>
#include <vector>

namespace quorvel {

// What an item of the sheet menu makes.
struct SheetMenuItem {
    QString name;    // component name, such as "Linienweit1"
    QString caption; // "Linien weit (10)"
    SheetKind kind = SheetKind::Blank;
    bool free = false; // asks for its count (or colour, rows, columns) first
    int count = 0;     // lines, squares, staves or bands of a fixed item
    int rows = 0;      // fixed tables
    int columns = 0;
    QRgb background = kSheetBackground; // fixed blank sheets
};

// A submenu of `BlattMenu` with its caption ("Linien", "Kariert", ...).
struct SheetSubmenu {
    QString caption;
    std::vector<SheetMenuItem> items;
};

// The sheet menu `BlattMenu`, submenus in order.
const std::vector<SheetSubmenu>& sheetMenu();

// The caption of the free-count dialog for a kind ("Blatt mit Linien",
// "Kariertes Blatt", "Blatt mit Notenlinien", "Lineatur 1. Klasse" ...).
QString freeSheetCaption(SheetKind kind);

// The sheet a fixed item makes (table margins 5 % each, grey lines).
SheetSpec fixedSheet(const SheetMenuItem& item);

} // namespace quorvel
