// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// This computer's host name, as other computers of the class reach it.
QString hostName();
// The login name of the user running the program, from the system's user
// database (USER may be unset or forged).
QString loginName();

} // namespace quorvel
