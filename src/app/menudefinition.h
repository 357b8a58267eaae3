// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

namespace quorvel {

// The menu bar of the main window as data: captions with their "&"
// accelerators, shortcuts in Qt's portable key-sequence text and the
// component names (QObject::objectName of the action or menu). The widgets
// layer builds the real menus from it.
struct MenuEntry {
    enum class Kind { Command, Check, Radio, Submenu, Separator };
    Kind kind = Kind::Command;
    QString name;
    QString caption;
    QString shortcut;
    // Usable only in the learning view (main mode 2).
    bool learningViewOnly = false;
    // Radio items of one submenu form one group; check items start checked
    // when this is set.
    bool checked = false;
    std::vector<MenuEntry> children; // Submenu only
};

// The top-level menus, left to right.
const std::vector<MenuEntry>& mainMenu();

// Depth-first search by component name; null when there is none.
const MenuEntry* findMenuEntry(const QString& name);

// The number of fixed items (separators included) at the top of the
// "&Themenauswahl" menu, after which the topic list is inserted.
inline constexpr int kTopicMenuFixedEntries = 13;

} // namespace quorvel
