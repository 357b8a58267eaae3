// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ioresult.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace quorvel {

// Writes the content of a whole file; false when it could not write it all.
using FileContentWriter = std::function<bool(QIODevice& out)>;

// The one way every whole file is written (documents, pictures, protocols,
// text exports, tool outputs).
//
// A regular file (or a missing one) is written to a temporary file beside it;
// every write, the flush to the disk and the close are checked, and only then
// is the temporary file renamed over the target. So on any failure (a full
// disk, a quota) the previous file stays exactly as it was and the temporary
// file is removed. A new file gets the permissions the umask allows, a
// replaced one keeps its permissions. A symbolic link is followed: the file
// it names is replaced, the link stays.
//
// An existing target that is no regular file (a device such as /dev/null or a
// named pipe) is written directly, never replaced; a named pipe without a
// reader is refused instead of waiting. A directory and an empty path are
// refused.
//
// On failure the result has a detail and no messages: the caller adds the
// message it shows.
IoResult saveWholeFile(const QString& path, const FileContentWriter& write);
IoResult saveWholeFile(const QString& path, const QByteArray& content);

} // namespace quorvel
