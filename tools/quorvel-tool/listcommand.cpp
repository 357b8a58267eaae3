// SPDX-License-Identifier: GPL-3.0-or-later
#include "listcommand.h"

#include "topiclist.h"
#include "topicmenupages.h"

#include <QDir>

namespace quorvel {

CommandOutcome listCommand(const QString& folder) {
    CommandOutcome outcome;
    if (!QDir(folder).exists()) {
        outcome.exitCode = kExitFailure;
        outcome.errors << QStringLiteral("Der Ordner \"%1\" existiert nicht.").arg(folder);
        return outcome;
    }
    const TopicList list = readTopicList(folder);
    QString text;
    for (size_t i = 0; i < list.size(); ++i)
        text += QStringLiteral("%1:  %2\n").arg(i + 1).arg(topicMenuTitle(shownTitle(list[i])));
    outcome.output = text.toUtf8();
    return outcome;
}

} // namespace quorvel
