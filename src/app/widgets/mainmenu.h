// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandregistry.h"
#include "mainwindowstate.h"

#include <QHash>
#include <QKeyCombination>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace quorvel {

struct MenuEntry;

// The menu bar of the main window, built from the menu definition, and the
// window's other keys: the command registry of the shell. Every action and
// menu carries its component name as objectName.
//
// An entry is enabled when it is available (its command works in this build)
// and the main mode allows it: entries marked for the learning view only are
// disabled in modes 3 and 4. Entries whose command is not available stay
// visible and disabled until the part that implements them registers a
// handler or calls setAvailable().
class MainMenu : public QObject, public CommandRegistry {
    Q_OBJECT
public:
    // The window keys of addKey() belong to `window`.
    MainMenu(QMenuBar* bar, QWidget* window);

    // The action of a command, check or radio item or window key, or the
    // menu action of a (sub)menu; null for an unknown name.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const override;

    void onTriggered(const QString& name, QObject* context, std::function<void()> handler) override;
    void onToggled(const QString& name, QObject* context,
                   std::function<void(bool)> handler) override;
    void addKey(const QString& name, const QKeySequence& keys, bool learningViewOnly,
                QObject* context, std::function<void()> handler) override;
    void setAvailable(const QString& name, bool available) override;
    bool isAvailable(const QString& name) const;
    bool isEnabled(const QString& name) const override;
    void setChecked(const QString& name, bool checked) override;
    bool isChecked(const QString& name) const override;
    void setText(const QString& name, const QString& text) override;
    void trigger(const QString& name) override;
    void reopenMenu(const QString& name) override;

    void applyModus(Modus modus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addEntries(QMenu* menu, const std::vector<MenuEntry>& entries, bool learningViewOnly);
    QAction* registerAction(QAction* action, const MenuEntry& entry, bool learningViewOnly);
    void updateEnabled(const QString& name);

    QMenuBar* m_bar;
    QWidget* m_window;
    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QSet<QString> m_available;
    QSet<QString> m_learningViewOnly;
    // Keys of the numeric keypad by the command they run (see addKey()).
    QList<std::pair<QKeyCombination, QString>> m_keypadKeys;
    Modus m_modus = Modus::LearningView;
};

} // namespace quorvel
