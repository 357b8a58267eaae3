// SPDX-License-Identifier: GPL-3.0-or-later
// Appends COUNT entries named "NAME-i" to a best list, for the test in which
// several processes append to one file at the same time.
#include "bestlist.h"

#include <QCoreApplication>
#include <QString>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        quorvel::BestListDataTyp entry;
        entry.Name = args[2] + u'-' + QString::number(i);
        entry.Rechner = QStringLiteral("Rechner-Ä");
        entry.Beginn = 46000.5;
        entry.Dauer = i;
        entry.Leistung = double(i) / double(count);
        // The lock is not waited for: with eight writers in a tight loop an
        // append may find it taken five times running. Like a user, try again;
        // what the test checks is that no entry is lost or torn.
        bool appended = false;
        for (int attempt = 0; attempt < 100 && !appended; ++attempt)
            appended = bool(
                quorvel::appendBestListEntry(args[1], quorvel::BestListKind::Individual, entry));
        if (!appended)
            return 1;
    }
    return 0;
}
