// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandline.h"
#include "settings.h"

class QSettings;

namespace quorvel {

struct StartEnvironment;

// The headless half of the first activation: the settings in effect and what
// the command line asks for.
struct StartPlan {
    Settings settings;
    CommandLineArgument argument;
    QString topicFolder; // ends with "/"
};

// Starts from the defaults, reads the user's store over them, then applies the
// central file; classifies the command line and chooses the topic folder.
// Missing or broken files leave the defaults in effect.
StartPlan planStart(const StartEnvironment& environment, const QSettings& userStore);

} // namespace quorvel
