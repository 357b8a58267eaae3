// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetmenu.h"

namespace quorvel {

namespace {

SheetMenuItem counted(const char16_t* name, const char16_t* caption, SheetKind kind, int count) {
    SheetMenuItem item;
    item.name = QString::fromUtf16(name);
    item.caption = QString::fromUtf16(caption);
    item.kind = kind;
    item.count = count;
    item.free = count == 0;
    return item;
}

SheetMenuItem table(const char16_t* name, const char16_t* caption, int rows, int columns) {
    SheetMenuItem item = counted(name, caption, SheetKind::Table, 0);
    item.rows = rows;
    item.columns = columns;
    item.free = rows == 0;
    return item;
}

SheetMenuItem blank(const char16_t* name, const char16_t* caption, QRgb background, bool free) {
    SheetMenuItem item = counted(name, caption, SheetKind::Blank, 0);
    item.background = background;
    item.free = free;
    return item;
}

std::vector<SheetSubmenu> buildMenu() {
    using K = SheetKind;
    return {
        {QStringLiteral("Leeres Blatt"),
         {blank(u"LeeresBlattWeiss1", u"Leeres Blatt - weiß", kSheetBackground, false),
          blank(u"LeeresBlattTafelgruen1", u"Leeres Blatt - tafelgrün", kBoardGreen, false),
          blank(u"LeeresBlattFrei1", u"Leeres Blatt - frei...", kSheetBackground, true)}},
        {QStringLiteral("Linien"),
         {counted(u"Linienweit1", u"Linien weit (10)", K::Ruled, 10),
          counted(u"Linienmittel151", u"Linien mittel (15)", K::Ruled, 15),
          counted(u"Linieneng201", u"Linien eng (20)", K::Ruled, 20),
          counted(u"Linienfrei1", u"Linien frei...", K::Ruled, 0)}},
        {QStringLiteral("Kariert"),
         {counted(u"Kariertgro1", u"Kariert groß (20)", K::Squared, 20),
          counted(u"Kariertmittel301", u"Kariert mittel (30)", K::Squared, 30),
          counted(u"Kariertklein401", u"Kariert klein (40)", K::Squared, 40),
          counted(u"Kariertfrei1", u"Kariert frei...", K::Squared, 0)}},
        {QStringLiteral("Notenlinien"),
         {counted(u"Notenliniengro31", u"Notenlinien weit (3)", K::Staves, 3),
          counted(u"Notenlinienmittel51", u"Notenlinien mittel (5)", K::Staves, 5),
          counted(u"Notenlinieneng71", u"Notenlinien eng (7)", K::Staves, 7),
          counted(u"Notenlinienfrei1", u"Notenlinien frei...", K::Staves, 0)}},
        {QStringLiteral("Tabelle"),
         {table(u"Tabelle6x21", u"Tabelle 6x2", 6, 2), table(u"Tabelle6x31", u"Tabelle 6x3", 6, 3),
          table(u"Tabelle6x41", u"Tabelle 6x4", 6, 4),
          table(u"Tabelle12x21", u"Tabelle 12x2", 12, 2),
          table(u"Tabelle12x31", u"Tabelle 12x3", 12, 3),
          table(u"Tabelle12x41", u"Tabelle 12x4", 12, 4),
          table(u"Tabelle1", u"Tabelle frei...", 0, 0)}},
        {QStringLiteral("Lineatur 1. Klasse"),
         {counted(u"Lineatur1Klasse1", u"Lineatur 1. Klasse weit (3)", K::Lineature1, 3),
          counted(u"Lineatur1Klassemittel51", u"Lineatur 1. Klasse mittel (5)", K::Lineature1, 5),
          counted(u"Lineatur1Klasseeng71", u"Lineatur 1. Klasse eng (7)", K::Lineature1, 7),
          counted(u"Lineatur1Klassefrei1", u"Lineatur 1. Klasse frei...", K::Lineature1, 0)}},
        {QStringLiteral("Lineatur 2. Klasse"),
         {counted(u"Lineatur2Klasseweit31", u"Lineatur 2. Klasse weit (4)", K::Lineature2, 4),
          counted(u"Lineatur2Klassemittel51", u"Lineatur 2. Klasse mittel (6)", K::Lineature2, 6),
          counted(u"Lineatur2Klasseeng71", u"Lineatur 2. Klasse eng (8)", K::Lineature2, 8),
          counted(u"Lineatur2Klassefrei1", u"Lineatur 2. Klasse frei...", K::Lineature2, 0)}},
        {QStringLiteral("Lineatur 3. Klasse"),
         {counted(u"Lineatur3Klasseweit31", u"Lineatur 3. Klasse weit (6)", K::Lineature3, 6),
          counted(u"Lineatur2Klassemittel52", u"Lineatur 3. Klasse mittel (9)", K::Lineature3, 9),
          counted(u"Lineatur3Klasseeng71", u"Lineatur 3. Klasse eng (12)", K::Lineature3, 12),
          counted(u"Lineatur3Klassefrei1", u"Lineatur 3. Klasse frei...", K::Lineature3, 0)}},
        {QStringLiteral("Lineatur 4. Klasse"),
         {counted(u"Lineatur4Klasseweit31", u"Lineatur 4. Klasse weit (8)", K::Lineature4, 8),
          counted(u"Lineatur4Klassemittel51", u"Lineatur 4. Klasse mittel (12)", K::Lineature4, 12),
          counted(u"Lineatur4Klasseeng71", u"Lineatur 4. Klasse eng (16)", K::Lineature4, 16),
          counted(u"Lineatur4Klassefrei1", u"Lineatur 4. Klasse frei...", K::Lineature4, 0)}},
    };
}

} // namespace

const std::vector<SheetSubmenu>& sheetMenu() {
    static const std::vector<SheetSubmenu> menu = buildMenu();
    return menu;
}

QString freeSheetCaption(SheetKind kind) {
    switch (kind) {
    case SheetKind::Ruled:
        return QStringLiteral("Blatt mit Linien");
    case SheetKind::Squared:
        return QStringLiteral("Kariertes Blatt");
    case SheetKind::Staves:
        return QStringLiteral("Blatt mit Notenlinien");
    case SheetKind::Lineature1:
        return QStringLiteral("Lineatur 1. Klasse");
    case SheetKind::Lineature2:
        return QStringLiteral("Lineatur 2. Klasse");
    case SheetKind::Lineature3:
        return QStringLiteral("Lineatur 3. Klasse");
    case SheetKind::Lineature4:
        return QStringLiteral("Lineatur 4. Klasse");
    case SheetKind::Table:
        return QStringLiteral("Blatt mit Tabelle");
    case SheetKind::Blank:
        break;
    }
    return {};
}

SheetSpec fixedSheet(const SheetMenuItem& item) {
    SheetSpec spec;
    spec.kind = item.kind;
    spec.count = item.count;
    spec.rows = item.rows;
    spec.columns = item.columns;
    spec.background = item.background;
    return spec;
}

} // namespace quorvel
