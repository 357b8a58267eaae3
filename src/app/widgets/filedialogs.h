// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDialog;

namespace quorvel {

// Gives `dialog` the program's "Name|patterns|..." filters. The texts are shown
// as they stand; "*.*" lists every file, as the user expects of "Alle Dateien".
void setProgramNameFilters(QFileDialog& dialog, const QString& pairs);

} // namespace quorvel
