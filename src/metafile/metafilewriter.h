// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QPicture;

namespace quorvel {

enum class MetafileFormat {
    Emf, // enhanced metafile
    Wmf, // placeable Windows metafile
};

// Replays `picture`, drawn in page units with its page at (0, 0) of size
// `pageSize`, into a metafile of that format whose frame is `pageSize` units
// at `unitsPerInch`. Text stays text, lines and rectangles stay records,
// pictures are embedded. Returns the file's bytes; empty with `error` set
// when the picture cannot be written.
QByteArray metafileBytes(const QPicture& picture, const QSize& pageSize, MetafileFormat format,
                         double unitsPerInch, QString* error);

} // namespace quorvel
