// SPDX-License-Identifier: GPL-3.0-or-later
#include "optionsmenubinding.h"

#include "mainmenu.h"
#include "settings.h"

#include <QAction>
#include <array>

namespace quorvel {

namespace {

struct OptionItem {
    const char16_t* name;
    bool Settings::*field;
};

constexpr std::array<OptionItem, 6> kOptionItems = {{
    {u"Tonausgabe1", &Settings::Sound},
    {u"NamenseingabebeiUebungen1", &Settings::UebNameEingabe},
    {u"StatusinformationbeiUebungenanzeigen1", &Settings::UebStatusInfo},
    {u"UebungsprotokolleautomatischSpeichern1", &Settings::AutoProtSpeichern},
    {u"ErgebnisseinBestenlisteEintragen1", &Settings::ErgebBestListEintragen},
    {u"Uebungsergebnisfensteranzeigen1", &Settings::UebErgebAnzeigen},
}};

const QString kLeft = QStringLiteral("WerkzeugleisteLinks1");
const QString kRight = QStringLiteral("WerkzeugleisteRechts1");

} // namespace

void bindOptionItems(MainMenu& menu, Settings& settings) {
    for (const OptionItem& item : kOptionItems) {
        const QString name = QString::fromUtf16(item.name);
        QAction* action = menu.action(name);
        menu.setAvailable(name, true);
        QObject::connect(action, &QAction::toggled, &menu,
                         [&settings, field = item.field](bool on) { settings.*field = on; });
    }
    for (const QString& name : {kLeft, kRight}) {
        menu.setAvailable(name, true);
        QObject::connect(
            menu.action(name), &QAction::triggered, &menu,
            [&settings, left = name == kLeft] { settings.WerkzeugPos = left ? 1 : 0; });
    }
}

void showOptionSettings(MainMenu& menu, const Settings& settings) {
    for (const OptionItem& item : kOptionItems)
        menu.action(QString::fromUtf16(item.name))->setChecked(settings.*item.field);
    menu.action(settings.WerkzeugPos == 1 ? kLeft : kRight)->setChecked(true);
}

} // namespace quorvel
