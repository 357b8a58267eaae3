// SPDX-License-Identifier: GPL-3.0-or-later
#include "metafilewriter.h"

namespace quorvel {

// Placeholder until the record writers exist.
QByteArray metafileBytes(const QPicture&, const QSize&, MetafileFormat, double, QString* error) {
    if (error)
        *error = QStringLiteral("Metadateien werden noch nicht geschrieben.");
    return {};
}

} // namespace quorvel
