// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "userprompter.h"

#include <QPointer>

class QWidget;

namespace quorvel {

class QuitDialog;

// Asks with German message boxes ("Ja", "Nein", "Abbrechen", "OK") and the
// closing dialog.
class MessageBoxPrompter : public UserPrompter {
public:
    MessageBoxPrompter(QWidget* parent, QuitDialog* quitDialog);

    Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) override;
    bool confirmQuit() override;

private:
    QPointer<QWidget> m_parent;
    QPointer<QuitDialog> m_quitDialog;
};

// The caption of a message box of `kind`.
QString messageBoxTitle(MessageKind kind);

} // namespace quorvel
