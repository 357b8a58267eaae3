// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetfooter.h"

#include "document.h"
#include "worksheetcanvas.h"

namespace quorvel {

int worksheetBodyLimit(const WorksheetCanvas& canvas) {
    const int h15 = canvas.h(15);
    const bool footerText = !canvas.document.header.logo.footer.isEmpty();
    return canvas.height - h15 - (footerText ? h15 : 0);
}

void drawWorksheetFooter(const WorksheetCanvas& canvas) {
    if (canvas.kind() == WorksheetKind::SolutionOverlay)
        return;
    const int y = worksheetBodyLimit(canvas);
    const QFont font = canvas.font(15);
    canvas.line(0, y, canvas.width, y);
    canvas.text(0, y, QString::fromUtf16(kFooterCredit), font);
    const QString address = QString::fromUtf16(kFooterAddress);
    canvas.text(canvas.width - canvas.textWidth(address, font), y, address, font);

    const LogoData& logo = canvas.document.header.logo;
    if (logo.footer.isEmpty())
        return;
    const int width = canvas.textWidth(logo.footer, font);
    int x = 0;
    if (logo.footerAlignment == 1)
        x = canvas.width / 2 - width / 2;
    else if (logo.footerAlignment == 2)
        x = canvas.width - width;
    canvas.text(x, y + canvas.h(15), logo.footer, font);
}

} // namespace quorvel
