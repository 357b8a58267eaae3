#include "startplan.h"

#include "centralconfig.h"
#include "startenvironment.h"

namespace quorvel {

StartPlan planStart(const StartEnvironment& environment, const QSettings& userStore) {
    StartPlan plan;
    plan.settings = defaultEinstellungen(environment.baseFolder);
    loadSettings(userStore, plan.settings);
    QString centralThemen;
    IniFile central;
    if (loadCentralConfig(environment.centralConfigCandidates, central).ok) {
        applyCentralConfig(central, plan.settings);
        centralThemen = centralTopicFolder(central);
    }
    plan.argument = classifyCommandLine(environment.arguments, environment.workingDirectory);
    plan.topicFolder = chooseTopicFolder(plan.argument, centralThemen, environment.baseFolder);
    return plan;
}

} // namespace quorvel
