// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// Folder paths of the program end with "/", so that a file name can be appended.
QString withTrailingSlash(const QString& folder);

// The base folder below which the default data folders lie: the executable's
// folder when the user may write there (a portable install), else `dataLocation`.
QString chooseBaseFolder(const QString& executableFolder, const QString& dataLocation);

// The base folder of this run (needs a QCoreApplication).
QString baseFolder();

} // namespace quorvel
