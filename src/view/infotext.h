// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace quorvel {

// The info text as printing, saving and copying give it: a plain copy with
// the tags "<b>", "</b>", "<i>", "</i>", "<u>", "</u>" removed.
QString infoTextWithoutTags(const QString& text);

// The info text as a rich-text file body in `fontFamily` at 11 points, one
// paragraph per line; characters outside ASCII as Unicode escapes.
QByteArray infoTextAsRtf(const QString& text, const QString& fontFamily);

// The point size of printed, saved and copied info texts.
inline constexpr int kInfoTextPoints = 11;

// The height of the info box inside its frame for a rendered text of
// `textHeight` pixels: the text and 34 pixels for the buttons, such that the
// window with its frame (`frameHeight`, the title bar and borders) is at
// most 566 pixels high.
int infoBoxClientHeight(int textHeight, int frameHeight);

} // namespace quorvel
