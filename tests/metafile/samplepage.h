// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPicture>
#include <QRect>
#include <QSize>
#include <QString>

// A worksheet-like page in page units: a title, a framed text, lines, an
// ellipse and an embedded picture.
namespace metafilecheck {

inline const QSize kPortrait(1000, 1625);
// A4's width over the page's 1000 units.
constexpr double kUnitsPerInch = 1000 / (210 / 25.4);

struct SamplePage {
    QPicture picture;
    QString title;
    QString body;
    QRect pictureRect; // where the picture lies, in page units
    QSize pictureSize; // its pixels
};

SamplePage samplePage();

} // namespace metafilecheck
