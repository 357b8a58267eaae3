#include "filedialogfilter.h"

namespace quorvel {

QString openDocumentFilter()
{
    return QStringLiteral("Quorvel-Dokument (*.qvl)|*.qvl|RBK-Dokument (*.rbk)|*.rbk|"
                          "Alle Dateien (*.*)|*.*");
}

QStringList qtNameFilters(const QString& pairs)
{
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

} // namespace quorvel
