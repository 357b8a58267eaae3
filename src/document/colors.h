// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace quorvel {

// A Windows colour value 0x00BBGGRR as stored in documents and settings.
// Values with the high byte set name system colours and are converted before
// drawing.
using ColourValue = quint32;

} // namespace quorvel
