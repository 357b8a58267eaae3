// SPDX-License-Identifier: GPL-3.0-or-later
#include "worksheetheader.h"

#include "document.h"
#include "rounding.h"
#include "worksheetcanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace quorvel {

namespace {

int drawLogo(const WorksheetCanvas& canvas) {
    const LogoData& logo = canvas.document.header.logo;
    if (logo.picture.isNull() || logo.picture.width() <= 0 || logo.picture.height() <= 0)
        return 0;
    // The logo keeps its portrait width in landscape too.
    const int width = std::clamp(rnd(logo.size * 1000), 0, canvas.width);
    const int height = rnd(double(width) * logo.picture.height() / logo.picture.width());
    int x = 0;
    if (logo.alignment == 1)
        x = (canvas.width - width) / 2;
    else if (logo.alignment == 2)
        x = canvas.width - width;
    if (canvas.parts())
        canvas.picture(QRect(x, 0, width, height), logo.picture);
    return height + canvas.h(15);
}

int drawFields(const WorksheetCanvas& canvas, int a) {
    const WorksheetSettings& s = canvas.settings;
    const std::array<bool, kHeaderFields.size()> chosen{s.nameField, s.classField, s.dateField,
                                                        s.subjectField, s.sheetNumberField};
    int sum = 0;
    for (size_t i = 0; i < chosen.size(); ++i)
        sum += chosen[i] ? kHeaderFields[i].weight : 0;
    if (sum == 0)
        return a;
    const int h18 = canvas.h(18);
    if (canvas.parts()) {
        canvas.line(0, a + h18, canvas.width, a + h18);
        const QFont font = canvas.font(18);
        int x = 0;
        for (size_t i = 0; i < chosen.size(); ++i) {
            if (!chosen[i])
                continue;
            canvas.text(x, a, QString::fromUtf16(kHeaderFields[i].label), font);
            x += rnd(double(kHeaderFields[i].weight) / sum * canvas.width);
        }
    }
    return a + rnd(2.5 * h18);
}

int drawTitle(const WorksheetCanvas& canvas, int a) {
    const QString& title = canvas.settings.title;
    if (title.isEmpty())
        return a;
    a += rnd(0.5 * canvas.h(18));
    const int h30 = canvas.h(30);
    if (canvas.kind() != WorksheetKind::SolutionOverlay) {
        canvas.frame(0, a - rnd(0.3 * h30), canvas.width, a + rnd(1.3 * h30));
        const QFont font = canvas.font(30, true);
        const int centre = rnd(canvas.width * 0.5);
        canvas.text(centre - canvas.textWidth(title, font) / 2, a, title, font);
    }
    return a + rnd(2.0 * h30);
}

int drawTask(const WorksheetCanvas& canvas, int a) {
    QString task = canvas.settings.task.left(kMaxShownTextLength);
    while (!task.isEmpty() && task.back().isSpace())
        task.chop(1);
    if (canvas.settings.task.isEmpty())
        return a;
    // The added line break leaves one empty line below the task.
    task += QLatin1Char('\n');
    const QFont font = canvas.font(25);
    const QRect area(0, a, canvas.width, 1 << 20);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    const QRect used = QFontMetrics(font).boundingRect(area, flags, task);
    if (canvas.parts()) {
        canvas.painter.setFont(font);
        canvas.painter.setPen(QPen(Qt::black, 1));
        canvas.painter.drawText(QRect(0, a, canvas.width, used.height()), flags, task);
    }
    return a + used.height();
}

} // namespace

int drawWorksheetHeader(const WorksheetCanvas& canvas) {
    int a = drawLogo(canvas);
    a = drawFields(canvas, a);
    a = drawTitle(canvas, a);
    return drawTask(canvas, a);
}

} // namespace quorvel
