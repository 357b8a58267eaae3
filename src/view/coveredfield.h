// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QRect>
#include <QString>

class QPainter;

namespace quorvel {

// The appearance of a covered query field: the cover and its number badge.

// The covered appearance in `card`: filled 0xFFE4CA, a one-pixel 0xBB7D46
// frame and a centred "?" in "Arial" at round(22 x S) pixels, shrunk until it
// fits the height. Returns the "?"'s pixel size.
int drawCover(QPainter& painter, const QRect& card, double s);

// The pixel size of a badge's label: round(16 x S), shrunk pixel by pixel
// until the label fits the badge, at least 1.
int numberBadgeTextSize(const QString& text, double s);

// The round badge of diameter round(30 x S) centred on `card` with `text`.
void drawNumberBadge(QPainter& painter, const QRect& card, const QString& text, double s);
// The pixels that badge covers.
QRect numberBadgeRect(const QRect& card, double s);

// A badge's label. Letter labels of high numbers are a letter and hundreds of
// apostrophes: such a label is kept as a count.
struct BadgeLabel {
    QString text;        // a short label as it stands
    QChar letter;        // a long letter label: the letter ...
    qsizetype ticks = 0; // ... and this many apostrophes (0 for a short label)

    bool isLong() const { return ticks > 0; }
};

// The label of `text`, and of number `nummer` in numbering style `numArt`.
BadgeLabel badgeLabel(const QString& text);
BadgeLabel badgeLabel(int nummer, int numArt);

// What decides the pixels of a badge's label within `card`: equal keys draw
// equal pixels, so finished badges can be shared.
QString badgeKey(const BadgeLabel& label, const QRect& card, double s);

// The badge's circle alone, its label alone (on the circle), and both.
void drawBadgeCircle(QPainter& painter, const QRect& card, double s);
void drawBadgeLabel(QPainter& painter, const QRect& card, const BadgeLabel& label, double s);
void drawBadge(QPainter& painter, const QRect& card, const BadgeLabel& label, double s);

} // namespace quorvel
