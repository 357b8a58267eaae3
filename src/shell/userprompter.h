// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The four kinds of message box of the program.
enum class MessageKind { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// Asks the user. The program shows German message boxes; tests answer from a
// script. Texts may contain "\r\n" line breaks.
class UserPrompter {
public:
    virtual ~UserPrompter() = default;

    // Shows `text` and returns the button pressed; closing the box counts as
    // the last button (Ok, No or Cancel).
    virtual Answer ask(MessageKind kind, const QString& text, MessageButtons buttons) = 0;

    // The closing dialog "Beenden": true for "Ja, beenden".
    virtual bool confirmQuit() = 0;

    void information(const QString& text) {
        ask(MessageKind::Information, text, MessageButtons::Ok);
    }
    void error(const QString& text) { ask(MessageKind::Error, text, MessageButtons::Ok); }
};

} // namespace quorvel
