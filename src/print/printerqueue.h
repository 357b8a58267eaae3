// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// The print queues of the system (CUPS), asked directly where Qt's print
// support says nothing: the port a queue prints to and whether the last job
// was accepted.

// Whether the system has any print queue.
bool anyQueue();
// The default queue; empty when none is set or CUPS cannot be reached.
QString defaultQueue();
// Whether the queue `name` ("queue" or "queue/instance") exists.
bool queueExists(const QString& name);
// The device the queue prints to (its device URI, without user name or
// password); empty when unknown.
QString queuePort(const QString& name);
// The dialog's printer line for `name`: "- Kein Drucker -" for an empty or
// unknown name.
QString queueInfoLine(const QString& name);

// Whether CUPS accepted the last job this thread handed to it; otherwise
// its reason in `error`.
bool lastJobAccepted(QString& error);

} // namespace quorvel
