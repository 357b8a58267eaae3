// SPDX-License-Identifier: GPL-3.0-or-later
#include "seriesgrid.h"

#include "rounding.h"

#include <algorithm>
#include <limits>

namespace quorvel {

int seriesGridNumber(const QString& text) {
    QString number = text.trimmed();
    number.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    constexpr double kLimit = std::numeric_limits<int>::max();
    return rnd(std::clamp(value, -kLimit, kLimit));
}

void moveSeriesEntry(std::vector<UebungsserieDokTyp>& entries, int from, int to) {
    const int count = static_cast<int>(entries.size());
    if (from < 0 || to < 0 || from >= count || to >= count || from == to)
        return;
    const auto first = entries.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

} // namespace quorvel
