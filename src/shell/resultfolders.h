// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <optional>

namespace quorvel {

struct Settings;

// The folders of the folder dialog "Dateiordner", in the order it shows them.
enum class ResultFolder : int { BestLists = 0, Protocols = 1, Chronicle = 2, Gallery = 3 };
using ResultFolderTexts = std::array<QString, 4>; // indexed by ResultFolder

ResultFolderTexts resultFolders(const Settings& settings);
void storeResultFolders(Settings& settings, const ResultFolderTexts& folders);

// The folders ship empty with a portable install but are missing from a
// fresh data folder: creates each of `folders` that is its default below
// `baseFolder` and does not exist yet. Other folders (a network share that
// is not mounted, a typing error) are left alone, so that the check names them.
void createDefaultResultFolders(const ResultFolderTexts& folders, const QString& baseFolder);

// "Der angegebene Ordner für ... ist ungültig."
QString msgInvalidResultFolder(ResultFolder folder);

// Checks the texts in the order chronicle, protocols, best lists, gallery: a
// non-empty text without a trailing "/" gets one, and the folder must exist
// (an empty text never does). Returns the first invalid folder; the texts
// before it are completed in place.
std::optional<ResultFolder> checkResultFolders(ResultFolderTexts& folders);

} // namespace quorvel
