// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel {

// Exporting the view as a picture file: the save dialog's title, filter (in
// the "Name|patterns|..." form) and default extension.
QString exportDialogTitle();
QString exportFilter();
inline constexpr char16_t kExportExtension[] = u"png";

// Whether the view may be saved under `path`: only ".bmp", ".png" and ".jpg"
// name a format it is written in (letter case does not matter).
bool isExportExtension(const QString& path);

// The error shown for any other extension.
QString exportExtensionError();

} // namespace quorvel
