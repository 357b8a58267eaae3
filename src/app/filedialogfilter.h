// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel {

// The filter of the open dialog in the program's "Name|patterns|Name|patterns"
// form, default extension "qvl".
QString openDocumentFilter();
inline constexpr char16_t kDocumentExtension[] = u"qvl";

// Converts a "Name|patterns|..." filter (patterns separated by ";") into Qt's
// name filters. A name that already ends with its patterns in parentheses is
// kept as it is, so the user sees the same text; otherwise the patterns are
// appended in parentheses. A trailing name without patterns is dropped.
QStringList qtNameFilters(const QString& pairs);

// The file-name patterns of one of those name filters, the way the program
// means them: "*.*" is every file, also one without a dot in its name (on
// Linux Qt would take it literally and hide such files).
QStringList nameFilterPatterns(const QString& qtFilter);

} // namespace quorvel
