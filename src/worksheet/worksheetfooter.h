// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvel {

struct WorksheetCanvas;

// The program's line at the foot of the page and the document's footer text.
inline constexpr char16_t kFooterCredit[] = u"Erstellt mit Quorvel.";
inline constexpr char16_t kFooterAddress[] = u"www.quorvel.org";

// The y where the footer begins: H - h(15), one h(15) higher when the
// document has a footer text. The body ends there at the latest.
int worksheetBodyLimit(const WorksheetCanvas& canvas);

// Draws the footer on the sheets that show it (all but the overlay).
void drawWorksheetFooter(const WorksheetCanvas& canvas);

} // namespace quorvel
