// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"

namespace quorvel {

// `list FOLDER`: the topic list of a folder in menu order, one line per entry:
// the number, ":  " and the title as the menu shows it (file name for an
// untitled document). The order follows the locale of the environment.
CommandOutcome listCommand(const QString& folder);

} // namespace quorvel
