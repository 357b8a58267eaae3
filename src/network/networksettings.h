// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exercisesettings.h"
#include "grading.h"
#include "netsettingsfile.h"

namespace quorvel {

// The settings file of the exercise the teacher confirmed: the snapshot,
// the time limit in seconds and the grading scale.
NetzUebSettings netzUebSettingsOf(const QString& master, const UebEinstellungen& snapshot,
                                  const GradingTable& grading);

// What a participant runs with: the teacher's options over its own snapshot,
// the teacher's grading tables where the file has them. A code out of its
// range (a forged file) leaves the participant's own value.
void applyNetzUebSettings(const NetzUebSettings& file, UebEinstellungen& snapshot,
                          GradingTable& grading);

} // namespace quorvel
