// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <algorithm>
#include <cmath>
#include <random>

namespace quorvel {

// Smooth shapes plus grain: compresses about as badly as a photograph.
inline QImage photoLike(int width, int height, unsigned seed) {
    QImage img(width, height, QImage::Format_ARGB32);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> grain(-12, 12);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double s = std::sin(x * 0.013 + seed) + std::cos(y * 0.009 - x * 0.004);
            const int r = std::clamp(int(120 + 50 * s) + grain(rng), 0, 255);
            const int g = std::clamp(int(110 + 40 * std::sin(y * 0.011)) + grain(rng), 0, 255);
            const int b = std::clamp(int(90 + 60 * std::cos(x * 0.006)) + grain(rng), 0, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    return img;
}

} // namespace quorvel
