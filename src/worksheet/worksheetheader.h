// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

namespace quorvel {

struct WorksheetCanvas;

// The header fields in their order: label and weight of the width they take.
struct HeaderField {
    const char16_t* label;
    int weight;
};
inline constexpr std::array<HeaderField, 5> kHeaderFields{{
    {u"Name:", 3},
    {u"Klasse:", 1},
    {u"Datum:", 1},
    {u"Fach:", 1},
    {u"Blatt-Nr.:", 1},
}};

// Draws the logo, the header fields, the title with its frame and the task
// text from the top of the page (each only on the sheets that show it, the
// space kept on the others) and returns the y below them.
int drawWorksheetHeader(const WorksheetCanvas& canvas);

} // namespace quorvel
