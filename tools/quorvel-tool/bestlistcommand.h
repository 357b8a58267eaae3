// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"

#include <optional>

namespace quorvel {

struct BestListDataTyp;

// `bestlist FILE.hsc`: the ranked list as the grid text of the list window
// (header row, cells joined by tabs, every row ended by CR LF).
CommandOutcome bestListCommand(const QString& path);

// `bestlist FILE.hsc --add NAME COMPUTER START DURATION_MS PERFORMANCE`:
// appends one entry and prints nothing.
CommandOutcome bestListAddCommand(const QString& path, const BestListDataTyp& entry);

// The entry of `--add` from its five arguments; a usage error names the bad one.
std::optional<BestListDataTyp> parseBestListEntry(const QStringList& fields, QString& error);

} // namespace quorvel
