#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

namespace quorvel {

struct MenuEntry;

// The menu bar of the main window, built from the menu definition. Every
// action and menu carries its component name as objectName.
//
// An entry is enabled when it is available (its command works in this build)
// and the main mode allows it: entries marked for the learning view only are
// disabled in modes 3 and 4. Entries whose command is not available stay
// visible and disabled until the part that implements them calls
// setAvailable().
class MainMenu : public QObject {
    Q_OBJECT
public:
    MainMenu(QMenuBar* bar, QObject* parent);

    // The action of a command, check or radio item, or the menu action of a
    // (sub)menu; null for an unknown name.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

    void setAvailable(const QString& name, bool available);
    bool isAvailable(const QString& name) const;

    void applyModus(int modus);

private:
    void addEntries(QMenu* menu, const std::vector<MenuEntry>& entries, bool learningViewOnly);
    QAction* registerAction(QAction* action, const MenuEntry& entry, bool learningViewOnly);
    void updateEnabled(const QString& name);

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
    QSet<QString> m_available;
    QSet<QString> m_learningViewOnly;
    int m_modus = 2;
};

} // namespace quorvel
