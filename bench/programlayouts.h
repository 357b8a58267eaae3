// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's layouts of the document types, made once per benchmark
// program.
#include "layoutset.h"

namespace quorvel {

inline const LayoutSet& layouts() {
    static const LayoutSet set = buildLayoutSet();
    return set;
}

} // namespace quorvel
