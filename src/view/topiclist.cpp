// SPDX-License-Identifier: GPL-3.0-or-later
#include "topiclist.h"

#include "casefreeorder.h"
#include "documentio.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace quorvel {

TopicList readTopicList(const QString& folder) {
    TopicList list;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return list;
    // Regular files only: a pipe, socket or device named *.qvl is never
    // opened (opening a pipe blocks until a writer comes).
    const QFileInfoList files =
        dir.entryInfoList({QStringLiteral("*.qvl")}, QDir::Files | QDir::Hidden, QDir::NoSort);
    list.reserve(static_cast<size_t>(files.size()));
    for (const QFileInfo& file : files) {
        if (!file.isFile())
            continue;
        DocumentSummary header;
        if (!readDocumentHeader(file.filePath(), header))
            continue;
        list.push_back({header.titel, file.filePath(), file.fileName().toLower()});
    }
    sortTopicList(list);
    return list;
}

void sortTopicList(TopicList& list) {
    std::vector<size_t> order(list.size());
    std::vector<QString> titles;
    titles.reserve(list.size());
    for (size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
        titles.push_back(list[i].titel);
    }
    const CaseFreeOrder keys(titles);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](size_t a, size_t b) { return keys.compare(a, b) < 0; });
    TopicList sorted;
    sorted.reserve(list.size());
    for (size_t index : order)
        sorted.push_back(std::move(list[index]));
    list = std::move(sorted);
}

QString shownTitle(const ThemenDataTyp& entry) {
    if (!entry.titel.trimmed().isEmpty())
        return entry.titel;
    return QFileInfo(entry.file).fileName();
}

} // namespace quorvel
