#pragma once

#include <QString>

namespace quorvel {

// Exporting the view as a picture file: the save dialog's title, filter (in
// the "Name|patterns|..." form) and default extension.
QString exportDialogTitel();
QString exportFilter();
inline constexpr char16_t kExportEndung[] = u"png";

// Whether the view may be saved under `path`: only ".bmp", ".png" and ".jpg"
// name a format it is written in (letter case does not matter).
bool istExportEndung(const QString& path);

// The error shown for any other extension.
QString exportEndungFehler();

} // namespace quorvel
