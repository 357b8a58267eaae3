// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetmetrics.h"

#include <QFontMetrics>
#include <algorithm>

namespace quorvel {

QFont worksheetFont(const QString& family, int n, bool bold) {
    QFont font(family);
    font.setPixelSize(std::max(1, n));
    font.setBold(bold);
    return font;
}

int xHeight(const QString& family, int n) {
    return QFontMetrics(worksheetFont(family, n)).height();
}

} // namespace quorvel
