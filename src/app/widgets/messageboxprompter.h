#pragma once

#include "userprompter.h"

#include <QPointer>

class QWidget;

namespace quorvel {

class TBeendenForm;

// Asks with German message boxes ("Ja", "Nein", "Abbrechen", "OK") and the
// closing dialog.
class MessageBoxPrompter : public UserPrompter {
public:
    MessageBoxPrompter(QWidget* parent, TBeendenForm* beendenForm);

    Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) override;
    bool confirmQuit() override;

private:
    QPointer<QWidget> m_parent;
    QPointer<TBeendenForm> m_beendenForm;
};

// The caption of a message box of `kind`.
QString messageBoxTitle(MessageKind kind);

} // namespace quorvel
