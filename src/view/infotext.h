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

} // namespace quorvel
