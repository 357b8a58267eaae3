// SPDX-License-Identifier: GPL-3.0-or-later
#include "statuscolumn.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

namespace quorvel {

QLabel* addStatusColumn(QGridLayout& grid, QWidget* owner, const QString& caption,
                        const QString& name, QLabel* companion) {
    const int column = std::max(1, grid.columnCount());
    auto* title = new QLabel(caption, owner);
    QFont small = title->font();
    small.setPointSize(std::max(6, small.pointSize() - 1));
    title->setFont(small);
    auto* value = new QLabel(owner);
    value->setObjectName(name);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    grid.addWidget(title, 0, column);
    if (!companion) {
        grid.addWidget(value, 1, column);
        return value;
    }
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(value);
    row->addWidget(companion);
    grid.addLayout(row, 1, column);
    return value;
}

} // namespace quorvel
