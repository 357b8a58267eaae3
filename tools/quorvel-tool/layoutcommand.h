// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolcommands.h"
#include "viewlayouts.h"

#include <QSize>
#include <QString>
#include <optional>

namespace quorvel {

// What `layout` composes: the learning view of `size` pixels (the page
// `render` draws at that size), with question `question` current when given,
// and with every layout run once more with building on after reading.
struct LayoutOptions {
    QSize size{1024, 768};
    std::optional<int> question;
    bool build = false;
};

// `layout FILE`: reads the document, numbers and composes it as `render`
// does, and prints UTF-8 JSON:
//   {"page": [W, H], "clozeFontSize": s or null, "AnzFrageNummern": n,
//    "currentQuestion": q, "objects": [...]}
// Every object in list order with "index", the fields `dump` prints (pictures
// as sizes), "widthLimit" and "heightLimit" (fractions of the page), "Partner"
// and "KartRect" as [left, top, right, bottom] in page picture pixels as last
// drawn (null when it was not drawn).
CommandOutcome layoutCommand(const ViewLayouts& layouts, const QString& documentPath,
                             const LayoutOptions& options);

} // namespace quorvel
