// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetbodymetrics.h"

#include "textmarkup.h"

namespace quorvel {

int letterHeight(const QString& fontFamily, int n) {
    TextMarkupParams params;
    params.fontFamily = fontFamily;
    params.charHeight = n;
    return markupMetrics(params).h;
}

} // namespace quorvel
