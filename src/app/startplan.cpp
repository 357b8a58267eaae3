// SPDX-License-Identifier: GPL-3.0-or-later
#include "startplan.h"

#include "centralconfig.h"
#include "startenvironment.h"

namespace quorvel {

StartPlan planStart(const StartEnvironment& environment, const QSettings& userStore) {
    StartPlan plan;
    plan.settings = defaultSettings(environment.baseFolder);
    loadSettings(userStore, plan.settings);
    QString centralTopics;
    IniFile central;
    if (loadCentralConfig(environment.centralConfigCandidates, central).ok) {
        applyCentralConfig(central, plan.settings);
        centralTopics = centralTopicFolder(central);
    }
    plan.argument = classifyCommandLine(environment.arguments, environment.workingDirectory);
    plan.topicFolder = chooseTopicFolder(plan.argument, centralTopics, environment.baseFolder);
    return plan;
}

} // namespace quorvel
