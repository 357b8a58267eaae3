// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpattern.h"

#include "rounding.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

namespace quorvel {

namespace {

bool hasCount(SheetKind kind) {
    return kind != SheetKind::Blank && kind != SheetKind::Table;
}

void horizontal(std::vector<SheetLine>& lines, int x1, int x2, int y) {
    lines.push_back({QPoint(x1, y), QPoint(x2, y)});
}

void vertical(std::vector<SheetLine>& lines, int x, int y1, int y2) {
    lines.push_back({QPoint(x, y1), QPoint(x, y2)});
}

// Lines are drawn across the picture at the spacing s, the last one one pixel
// above where the next band would begin.
void ruled(std::vector<SheetLine>& lines, QSize area, int n) {
    // More lines than pixels would give a spacing of 0; one pixel is the least.
    const int s = std::max(1, area.height() / n);
    for (int k = 1; k <= area.height() / s; ++k)
        horizontal(lines, 0, area.width(), k * s - 1);
}

// Squares sized by the height, continued across the width.
void squared(std::vector<SheetLine>& lines, QSize area, int n) {
    const int s = std::max(1, area.height() / n);
    for (int k = 0; k <= area.height() / s; ++k)
        horizontal(lines, 0, area.width(), k * s);
    for (int k = 0; k <= area.width() / s; ++k)
        vertical(lines, k * s, 0, area.height());
}

void staves(std::vector<SheetLine>& lines, QSize area, int n) {
    const double u = double(area.height()) / double(9 * n + 5);
    const int s = int(std::floor(u));
    for (int r = 0; r < n; ++r) {
        for (int i = 0; i < 5; ++i)
            horizontal(lines, 0, area.width(), rnd(9.0 * r * u) + (i + 5) * s);
    }
}

// Primary-school writing lines: ascender, x-height and descender space in the
// proportion 75 : 95 : 75.
void lineature(std::vector<SheetLine>& lines, QSize area, int n, int grade) {
    const int w = area.width();
    const int h = area.height();
    const int left = rnd(w * 5.0 / 100.0);
    const int top = rnd(h * 5.0 / 100.0);
    const int right = rnd((w - 1) * 0.95);
    const int bottom = rnd((h - 1) * 0.95);
    const double d = bottom - top;
    const double f = grade == 1 ? 0.6 : 0.7;
    const double o = grade == 1 ? 0.2 : 0.15;
    const int height = rnd(d / n * f);
    const int a = rnd(height * 75.0 / 245.0);
    const int b = rnd(height * 95.0 / 245.0);
    for (int r = 0; r < n; ++r) {
        const int y0 = top + rnd(r * d / n + height * o);
        const int y1 = y0 + a;
        const int y2 = y1 + b;
        const int y3 = y2 + a;
        if (grade <= 2) {
            for (const int y : {y0, y1, y2, y3})
                horizontal(lines, left, right, y);
            vertical(lines, left, y0, y3);
            vertical(lines, right, y0, y3);
        } else if (grade == 3) {
            horizontal(lines, left, right, y1);
            horizontal(lines, left, right, y2);
            vertical(lines, left, y1, y2);
            vertical(lines, right, y1, y2);
        } else {
            horizontal(lines, left, right, y2);
        }
    }
}

void table(std::vector<SheetLine>& lines, QSize area, const SheetSpec& spec) {
    const int w = area.width();
    const int h = area.height();
    const auto margin = [](int percent) { return double(std::clamp(percent, 0, 100)); };
    const int m = std::clamp(spec.rows, 1, kMaxTableCells);
    const int c = std::clamp(spec.columns, 1, kMaxTableCells);
    const int x0 = rnd(margin(spec.margins.left) * w / 100.0);
    const int y0 = rnd(margin(spec.margins.top) * h / 100.0);
    const int x1 = rnd((1.0 - margin(spec.margins.right) / 100.0) * (w - 1));
    const int y1 = rnd((1.0 - margin(spec.margins.bottom) / 100.0) * (h - 1));
    for (int k = 0; k <= m; ++k)
        horizontal(lines, x0, x1, y0 + rnd(double(k) * (y1 - y0) / m));
    for (int k = 0; k <= c; ++k)
        vertical(lines, x0 + rnd(double(k) * (x1 - x0) / c), y0, y1);
}

} // namespace

CountRange freeCountRange(SheetKind kind) {
    switch (kind) {
    case SheetKind::Ruled:
        return {25, 1, 200};
    case SheetKind::Squared:
        return {50, 1, 200};
    case SheetKind::Staves:
    case SheetKind::Lineature1:
    case SheetKind::Lineature2:
        return {8, 1, 20};
    case SheetKind::Lineature3:
        return {8, 1, 50};
    case SheetKind::Lineature4:
        return {8, 1, 100};
    case SheetKind::Blank:
    case SheetKind::Table:
        break;
    }
    return {1, 1, 1};
}

int clampCount(SheetKind kind, qint64 entered) {
    const CountRange range = freeCountRange(kind);
    return int(std::clamp<qint64>(entered, range.min, range.max));
}

std::vector<int> menuCounts(SheetKind kind) {
    switch (kind) {
    case SheetKind::Ruled:
        return {10, 15, 20};
    case SheetKind::Squared:
        return {20, 30, 40};
    case SheetKind::Staves:
    case SheetKind::Lineature1:
        return {3, 5, 7};
    case SheetKind::Lineature2:
        return {4, 6, 8};
    case SheetKind::Lineature3:
        return {6, 9, 12};
    case SheetKind::Lineature4:
        return {8, 12, 16};
    case SheetKind::Blank:
    case SheetKind::Table:
        break;
    }
    return {};
}

std::vector<SheetLine> sheetLines(QSize area, const SheetSpec& spec) {
    std::vector<SheetLine> lines;
    if (area.isEmpty())
        return lines;
    const int n = hasCount(spec.kind) ? clampCount(spec.kind, spec.count) : 1;
    switch (spec.kind) {
    case SheetKind::Blank:
        break;
    case SheetKind::Ruled:
        ruled(lines, area, n);
        break;
    case SheetKind::Squared:
        squared(lines, area, n);
        break;
    case SheetKind::Staves:
        staves(lines, area, n);
        break;
    case SheetKind::Lineature1:
        lineature(lines, area, n, 1);
        break;
    case SheetKind::Lineature2:
        lineature(lines, area, n, 2);
        break;
    case SheetKind::Lineature3:
        lineature(lines, area, n, 3);
        break;
    case SheetKind::Lineature4:
        lineature(lines, area, n, 4);
        break;
    case SheetKind::Table:
        table(lines, area, spec);
        break;
    }
    return lines;
}

void drawSheetLines(QImage& picture, const std::vector<SheetLine>& lines, QRgb colour) {
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0 || picture.depth() != 32)
        return;
    // Writing the pixels directly keeps the lines exact (no anti-aliasing, the
    // end point included) and a 4K sheet instant.
    for (const SheetLine& line : lines) {
        const int x1 = std::max(0, std::min(line.from.x(), line.to.x()));
        const int x2 = std::min(w - 1, std::max(line.from.x(), line.to.x()));
        const int y1 = std::max(0, std::min(line.from.y(), line.to.y()));
        const int y2 = std::min(h - 1, std::max(line.from.y(), line.to.y()));
        if (x1 > x2 || y1 > y2)
            continue;
        if (y1 == y2) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y1));
            std::fill(row + x1, row + x2 + 1, colour);
        } else {
            for (int y = y1; y <= y2; ++y)
                reinterpret_cast<QRgb*>(picture.scanLine(y))[x1] = colour;
        }
    }
}

QImage makeSheet(QSize area, const SheetSpec& spec) {
    if (area.isEmpty())
        return {};
    QImage picture(area, QImage::Format_ARGB32);
    if (picture.isNull())
        return {};
    picture.fill(spec.background | 0xFF000000u);
    drawSheetLines(picture, sheetLines(area, spec), spec.line | 0xFF000000u);
    return picture;
}

std::optional<SheetKind> sheetKindFromName(const QString& name) {
    static const std::array<std::pair<const char16_t*, SheetKind>, 9> names{{
        {u"blank", SheetKind::Blank},
        {u"ruled", SheetKind::Ruled},
        {u"squared", SheetKind::Squared},
        {u"staves", SheetKind::Staves},
        {u"lineature1", SheetKind::Lineature1},
        {u"lineature2", SheetKind::Lineature2},
        {u"lineature3", SheetKind::Lineature3},
        {u"lineature4", SheetKind::Lineature4},
        {u"table", SheetKind::Table},
    }};
    for (const auto& [text, kind] : names) {
        if (name == QStringView(text))
            return kind;
    }
    return std::nullopt;
}

} // namespace quorvel
