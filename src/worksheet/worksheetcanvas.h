// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "worksheetsettings.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

class QPainter;

namespace quorvel {

class Document;

// A page shows far fewer characters than this at any height the sheet
// uses; the rest of a longer text would only be laid out below its end.
inline constexpr qsizetype kMaxShownTextLength = 20000;

// The page as the header, the answer list and the footer draw on it: the
// painter in page units (W x H, y downwards), the document font, the sheet
// kind, and the few ways they draw. Everything is black; texts stand with
// their top at the given y, as the line renderer places them.
struct WorksheetCanvas {
    QPainter& painter;
    const Document& document;
    const WorksheetSettings& settings;
    int width = 1000;  // W
    int height = 1625; // H

    WorksheetKind kind() const { return settings.kind; }
    bool parts() const { return hasParts(settings.kind); }

    QFont font(int n, bool bold = false) const;
    int h(int n) const; // the height of "X" at character height n
    int textWidth(const QString& text, const QFont& font) const;

    void text(int x, int top, const QString& text, const QFont& font) const;
    void line(int x1, int y1, int x2, int y2) const;
    // A one-unit outline from (x1, y1) to (x2, y2), not filled.
    void frame(int x1, int y1, int x2, int y2) const;
    // The picture blended onto white, stretched into `target`.
    void picture(const QRect& target, const QImage& picture) const;
};

// A picture whose transparent parts have become white; the picture itself
// when it has no alpha channel.
QImage onWhite(const QImage& picture);

} // namespace quorvel
