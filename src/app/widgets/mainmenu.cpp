// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainmenu.h"

#include "menudefinition.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace quorvel {

using Kind = MenuEntry::Kind;

MainMenu::MainMenu(QMenuBar* bar, QWidget* window) : QObject(window), m_bar(bar), m_window(window) {
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuEntry& top : mainMenu()) {
        QMenu* menu = bar->addMenu(top.caption);
        menu->setObjectName(top.name);
        m_menus.insert(top.name, menu);
        registerAction(menu->menuAction(), top, top.learningViewOnly);
        // A menu is there to be opened; whether its entries work is decided per entry.
        if (!top.children.empty())
            m_available.insert(top.name);
        addEntries(menu, top.children, top.learningViewOnly);
    }
    applyModus(m_modus);
}

QAction* MainMenu::registerAction(QAction* action, const MenuEntry& entry, bool learningViewOnly) {
    action->setObjectName(entry.name);
    m_actions.insert(entry.name, action);
    if (learningViewOnly)
        m_learningViewOnly.insert(entry.name);
    return action;
}

void MainMenu::addEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                          bool learningViewOnly) {
    QActionGroup* radioGroup = nullptr;
    for (const MenuEntry& entry : entries) {
        const bool onlyInLearningView = learningViewOnly || entry.learningViewOnly;
        switch (entry.kind) {
        case Kind::Separator:
            menu->addSeparator();
            break;
        case Kind::Submenu: {
            QMenu* child = menu->addMenu(entry.caption);
            child->setObjectName(entry.name);
            m_menus.insert(entry.name, child);
            registerAction(child->menuAction(), entry, onlyInLearningView);
            m_available.insert(entry.name);
            addEntries(child, entry.children, onlyInLearningView);
            break;
        }
        case Kind::Command:
        case Kind::Check:
        case Kind::Radio: {
            QAction* action =
                registerAction(menu->addAction(entry.caption), entry, onlyInLearningView);
            if (!entry.shortcut.isEmpty())
                action->setShortcut(QKeySequence(entry.shortcut));
            if (entry.kind != Kind::Command) {
                action->setCheckable(true);
                action->setChecked(entry.checked);
            }
            if (entry.kind == Kind::Radio) {
                if (!radioGroup)
                    radioGroup = new QActionGroup(menu);
                radioGroup->addAction(action);
            }
            break;
        }
        }
    }
}

QAction* MainMenu::action(const QString& name) const {
    return m_actions.value(name);
}

QMenu* MainMenu::menu(const QString& name) const {
    return m_menus.value(name);
}

void MainMenu::onTriggered(const QString& name, QObject* context, std::function<void()> handler) {
    QAction* command = action(name);
    Q_ASSERT(command);
    if (!command)
        return;
    setAvailable(name, true);
    connect(command, &QAction::triggered, context, [handler = std::move(handler)] { handler(); });
}

void MainMenu::onToggled(const QString& name, QObject* context, std::function<void(bool)> handler) {
    QAction* command = action(name);
    Q_ASSERT(command);
    if (!command)
        return;
    setAvailable(name, true);
    // Chosen by the user (or trigger()), not set by setChecked().
    connect(command, &QAction::triggered, context, std::move(handler));
}

void MainMenu::addKey(const QString& name, const QKeySequence& keys, bool learningViewOnly,
                      QObject* context, std::function<void()> handler) {
    // A window action: its shortcut works whatever widget of the window has
    // the focus; a focused text field takes the keys it edits with first
    // (it accepts their shortcut override).
    auto* key = new QAction(m_window);
    key->setObjectName(name);
    if (keys.count() == 1 && keys[0].keyboardModifiers().testFlag(Qt::KeypadModifier)) {
        // The X11 platform matches shortcuts without the keypad flag, so a
        // keypad-only key is looked for in the key presses of the window.
        if (m_keypadKeys.isEmpty())
            qApp->installEventFilter(this);
        m_keypadKeys.append({keys[0], name});
    } else {
        key->setShortcut(keys);
        key->setShortcutContext(Qt::WindowShortcut);
    }
    m_window->addAction(key);
    m_actions.insert(name, key);
    if (learningViewOnly)
        m_learningViewOnly.insert(name);
    onTriggered(name, context, std::move(handler));
}

bool MainMenu::isEnabled(const QString& name) const {
    const QAction* command = action(name);
    return command && command->isEnabled();
}

void MainMenu::setChecked(const QString& name, bool checked) {
    if (QAction* command = action(name))
        command->setChecked(checked);
}

bool MainMenu::isChecked(const QString& name) const {
    const QAction* command = action(name);
    return command && command->isChecked();
}

void MainMenu::setText(const QString& name, const QString& text) {
    if (QAction* command = action(name))
        command->setText(text);
}

void MainMenu::trigger(const QString& name) {
    QAction* command = action(name);
    if (command && command->isEnabled())
        command->trigger();
}

void MainMenu::reopenMenu(const QString& name) {
    QMenu* shown = menu(name);
    if (!shown)
        return;
    QTimer::singleShot(0, this, [this, shown] {
        if (m_bar->isVisible() && shown->menuAction()->isEnabled())
            m_bar->setActiveAction(shown->menuAction());
    });
}

void MainMenu::setAvailable(const QString& name, bool available) {
    if (available)
        m_available.insert(name);
    else
        m_available.remove(name);
    updateEnabled(name);
}

bool MainMenu::isAvailable(const QString& name) const {
    return m_available.contains(name);
}

void MainMenu::applyModus(Modus modus) {
    m_modus = modus;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        updateEnabled(it.key());
}

void MainMenu::updateEnabled(const QString& name) {
    QAction* action = m_actions.value(name);
    if (!action)
        return;
    const bool modeAllows = m_modus == Modus::LearningView || !m_learningViewOnly.contains(name);
    action->setEnabled(m_available.contains(name) && modeAllows);
}

bool MainMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    const QKeyCombination pressed = static_cast<QKeyEvent*>(event)->keyCombination();
    for (const auto& [keys, name] : std::as_const(m_keypadKeys)) {
        QAction* command = action(name);
        if (keys == pressed && command && command->isEnabled()) {
            command->trigger();
            return true;
        }
    }
    return false;
}

} // namespace quorvel
