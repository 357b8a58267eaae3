// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

class MainMenu;
struct Settings;

// Ties the check items of the "&Optionen" menu (the six options and the tool
// bar side) to the settings: toggling an item changes the setting, and
// showOptionSettings() puts the settings' state on the items.
void bindOptionItems(MainMenu& menu, Settings& settings);
void showOptionSettings(MainMenu& menu, const Settings& settings);

} // namespace quorvel
