// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QKeySequence;
class QMenu;
class QObject;

namespace quorvel {

// The commands of the menu bar and the keys of the main window, by their
// component names (the menu items' names, such as "AlleAbfragefelderabdecken1").
// A command is enabled when it is available (a part of the program handles
// it) and the main mode allows it: the learning-view commands are disabled
// in modes 3 and 4. Tool-bar buttons that do what a menu item does trigger
// that command here.
//
// Handlers run in the thread of the window; `context` ends a handler's
// connection when it is destroyed.
class CommandRegistry {
public:
    // Runs `handler` when the command is chosen (menu, shortcut, trigger())
    // and makes the command available.
    virtual void onTriggered(const QString& name, QObject* context,
                             std::function<void()> handler) = 0;
    // For check items: `handler` gets the item's new state.
    virtual void onToggled(const QString& name, QObject* context,
                           std::function<void(bool)> handler) = 0;
    // A key of the main window that is no menu item. It works wherever the
    // focus is inside the main window, except that a text field being edited
    // keeps the keys it uses; with `learningViewOnly` only in mode 2. A key
    // with Qt::KeypadModifier is the numeric keypad's only.
    virtual void addKey(const QString& name, const QKeySequence& keys, bool learningViewOnly,
                        QObject* context, std::function<void()> handler) = 0;

    virtual void setAvailable(const QString& name, bool available) = 0;
    virtual bool isEnabled(const QString& name) const = 0;
    virtual void setChecked(const QString& name, bool checked) = 0;
    virtual bool isChecked(const QString& name) const = 0;
    virtual void setText(const QString& name, const QString& text) = 0;
    // Runs the command as if chosen; nothing when it is disabled.
    virtual void trigger(const QString& name) = 0;

    // The menu `name`, for the part that fills it with entries of its own
    // (the topic list); null for an unknown name.
    virtual QMenu* menu(const QString& name) const = 0;
    // Opens the top-level menu `name` again, once control returns, when the
    // menu bar is shown and the menu enabled.
    virtual void reopenMenu(const QString& name) = 0;

protected:
    ~CommandRegistry() = default;
};

} // namespace quorvel
