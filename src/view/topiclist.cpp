#include "topiclist.h"

#include "documentio.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace quorvel {

Themenliste readThemenliste(const QString& folder)
{
    Themenliste list;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return list;
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.qvl")},
                                                  QDir::Files | QDir::Hidden | QDir::System,
                                                  QDir::NoSort);
    list.reserve(static_cast<size_t>(files.size()));
    for (const QFileInfo& file : files) {
        DokumentKopf kopf;
        if (!readDocumentHeader(file.filePath(), kopf))
            continue;
        list.push_back({kopf.titel, file.filePath(), file.fileName().toLower()});
    }
    sortThemenliste(list);
    return list;
}

void sortThemenliste(Themenliste& list)
{
    QCollator collator(QLocale{}); // the user's locale (from the environment)
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Sort keys make each comparison a plain byte compare.
    std::vector<std::pair<QCollatorSortKey, size_t>> keys;
    keys.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        keys.emplace_back(collator.sortKey(list[i].titel), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    Themenliste sorted;
    sorted.reserve(list.size());
    for (const auto& key : keys)
        sorted.push_back(std::move(list[key.second]));
    list = std::move(sorted);
}

QString shownTitle(const ThemenDataTyp& entry)
{
    if (!entry.titel.trimmed().isEmpty())
        return entry.titel;
    return QFileInfo(entry.datei).fileName();
}

} // namespace quorvel
