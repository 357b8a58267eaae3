#include "startplan.h"

#include "centralconfig.h"
#include "startenvironment.h"

namespace quorvel {

StartPlan planStart(const StartEnvironment& environment, const QSettings& userStore)
{
    StartPlan plan;
    plan.einstellungen = defaultEinstellungen(environment.basisOrdner);
    ladeEinstellungen(userStore, plan.einstellungen);
    QString centralThemen;
    if (const std::optional<IniFile> central =
            loadCentralConfig(environment.centralConfigCandidates)) {
        applyCentralConfig(*central, plan.einstellungen);
        centralThemen = centralThemenordner(*central);
    }
    plan.argument = classifyCommandLine(environment.arguments, environment.workingDirectory);
    plan.themenOrdner = chooseThemenOrdner(plan.argument, centralThemen, environment.basisOrdner);
    return plan;
}

} // namespace quorvel
