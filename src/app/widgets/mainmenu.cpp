#include "mainmenu.h"

#include "mainwindowstate.h"
#include "menudefinition.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace quorvel {

using Kind = MenuEntry::Kind;

MainMenu::MainMenu(QMenuBar* bar, QObject* parent)
    : QObject(parent)
{
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuEntry& top : hauptmenue()) {
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

QAction* MainMenu::registerAction(QAction* action, const MenuEntry& entry, bool learningViewOnly)
{
    action->setObjectName(entry.name);
    m_actions.insert(entry.name, action);
    if (learningViewOnly)
        m_learningViewOnly.insert(entry.name);
    return action;
}

void MainMenu::addEntries(QMenu* menu, const std::vector<MenuEntry>& entries,
                          bool learningViewOnly)
{
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
            QAction* action = registerAction(menu->addAction(entry.caption), entry,
                                             onlyInLearningView);
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

QAction* MainMenu::action(const QString& name) const
{
    return m_actions.value(name);
}

QMenu* MainMenu::menu(const QString& name) const
{
    return m_menus.value(name);
}

void MainMenu::setAvailable(const QString& name, bool available)
{
    if (available)
        m_available.insert(name);
    else
        m_available.remove(name);
    updateEnabled(name);
}

bool MainMenu::isAvailable(const QString& name) const
{
    return m_available.contains(name);
}

void MainMenu::applyModus(int modus)
{
    m_modus = modus;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        updateEnabled(it.key());
}

void MainMenu::updateEnabled(const QString& name)
{
    QAction* action = m_actions.value(name);
    if (!action)
        return;
    const bool modeAllows = m_modus == ModeLearningView || !m_learningViewOnly.contains(name);
    action->setEnabled(m_available.contains(name) && modeAllows);
}

} // namespace quorvel
