// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultfolders.h"

#include "programfolders.h"
#include "settings.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace quorvel {

ResultFolderTexts resultFolders(const Settings& settings) {
    return {settings.BestListOrdner, settings.ProtOrdner, settings.ChronikOrdner,
            settings.BilderGalerieOrdner};
}

void storeResultFolders(Settings& settings, const ResultFolderTexts& folders) {
    settings.BestListOrdner = folders[int(ResultFolder::BestLists)];
    settings.ProtOrdner = folders[int(ResultFolder::Protocols)];
    settings.ChronikOrdner = folders[int(ResultFolder::Chronicle)];
    settings.BilderGalerieOrdner = folders[int(ResultFolder::Gallery)];
}

void createDefaultResultFolders(const ResultFolderTexts& folders, const QString& baseFolder) {
    const ResultFolderTexts defaults =
        resultFolders(defaultSettings(withTrailingSlash(baseFolder)));
    for (size_t i = 0; i < folders.size(); ++i) {
        if (!folders[i].isEmpty() && withTrailingSlash(folders[i]) == defaults[i])
            QDir().mkpath(defaults[i]);
    }
}

QString msgInvalidResultFolder(ResultFolder folder) {
    switch (folder) {
    case ResultFolder::BestLists:
        return u"Der angegebene Ordner für die Bestenlisten ist ungültig."_s;
    case ResultFolder::Protocols:
        return u"Der angegebene Ordner für die Protokolle ist ungültig."_s;
    case ResultFolder::Chronicle:
        return u"Der angegebene Ordner für die Chronik-Screenshots ist ungültig."_s;
    case ResultFolder::Gallery:
        break;
    }
    return u"Der angegebene Ordner für die Bildergalerie ist ungültig."_s;
}

std::optional<ResultFolder> checkResultFolders(ResultFolderTexts& folders) {
    static constexpr ResultFolder order[] = {ResultFolder::Chronicle, ResultFolder::Protocols,
                                             ResultFolder::BestLists, ResultFolder::Gallery};
    for (ResultFolder folder : order) {
        QString& text = folders[int(folder)];
        text = withTrailingSlash(text);
        // QFileInfo of an empty path would stand for the working folder.
        if (text.isEmpty() || !QFileInfo(text).isDir())
            return folder;
    }
    return std::nullopt;
}

} // namespace quorvel
