// SPDX-License-Identifier: GPL-3.0-or-later
#include "filedialogfilter.h"

namespace quorvel {

QString openDocumentFilter() {
    return QStringLiteral("Quorvel-Dokument (*.qvl)|*.qvl|RBK-Dokument (*.rbk)|*.rbk|"
                          "Alle Dateien (*.*)|*.*");
}

QStringList qtNameFilters(const QString& pairs) {
    QStringList filters;
    const QStringList parts = pairs.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        if (patterns.isEmpty())
            continue;
        const QString shown = QStringLiteral("(") + patterns + QStringLiteral(")");
        if (name.endsWith(shown))
            filters << name;
        else if (name.isEmpty())
            filters << shown;
        else
            filters << name + u' ' + shown;
    }
    return filters;
}

QStringList nameFilterPatterns(const QString& qtFilter) {
    const qsizetype open = qtFilter.lastIndexOf(u'(');
    const qsizetype close = qtFilter.lastIndexOf(u')');
    const QString inside =
        open >= 0 && close > open ? qtFilter.mid(open + 1, close - open - 1) : qtFilter;
    QStringList patterns = inside.split(u' ', Qt::SkipEmptyParts);
    for (QString& pattern : patterns)
        if (pattern == u"*.*")
            pattern = QStringLiteral("*");
    return patterns;
}

} // namespace quorvel
