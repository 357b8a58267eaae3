// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QGridLayout;
class QLabel;
class QWidget;

namespace quorvel {

// One figure of a status panel in the next column of `grid`: the caption
// small above its value in bold, and `companion` (if any) right beside the
// value. Returns the value's label, named `name`.
QLabel* addStatusColumn(QGridLayout& grid, QWidget* owner, const QString& caption,
                        const QString& name, QLabel* companion = nullptr);

} // namespace quorvel
