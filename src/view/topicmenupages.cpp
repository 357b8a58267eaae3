// SPDX-License-Identifier: GPL-3.0-or-later
#include "topicmenupages.h"

#include <algorithm>

namespace quorvel {

int clampPageStart(int start, int count) {
    return std::max(0, std::min(count - kTopicsPerPage, start));
}

TopicMenuPage topicMenuPage(int start, int count) {
    TopicMenuPage page;
    page.start = clampPageStart(start, count);
    page.end = std::min(count, page.start + kTopicsPerPage);
    page.previousEnabled = page.start > 0;
    page.nextEnabled = page.start + kTopicsPerPage < count;
    page.previousCaption = QStringLiteral("Vorherige %1 Dokumente anzeigen").arg(kTopicsPerPage);
    page.nextCaption =
        QStringLiteral("Nächste %1 Dokumente anzeigen (von %2)").arg(kTopicsPerPage).arg(count);
    if (count > kTopicsInOneColumnUpTo)
        page.columnBreakBefore = page.start + std::min(count, kTopicsPerPage) / 2 - 5;
    return page;
}

int pageStartFor(int current, int start, int count) {
    int s = clampPageStart(start, count);
    if (current < 0)
        return s;
    while (current >= s + kTopicsPerPage) {
        const int next = clampPageStart(s + kTopicsPerPage, count);
        if (next == s)
            break;
        s = next;
    }
    while (current < s) {
        const int previous = clampPageStart(s - kTopicsPerPage, count);
        if (previous == s)
            break;
        s = previous;
    }
    return s;
}

QString topicMenuTitle(const QString& title) {
    constexpr qsizetype kMaxLength = 100;
    QString shown;
    shown.reserve(std::min(title.size(), kMaxLength));
    for (const QChar c : title) {
        if (shown.size() == kMaxLength - 1) {
            shown += QChar(0x2026); // horizontal ellipsis
            break;
        }
        // A tab would start a shortcut column, line breaks would break the item.
        shown += (c.unicode() < 32 || c.unicode() == 0x7F) ? QChar(u' ') : c;
    }
    return shown;
}

QString topicMenuCaption(int index, const QString& title) {
    // Ampersands of the title must not become accelerators.
    QString shown = topicMenuTitle(title);
    shown.replace(u'&', QStringLiteral("&&"));
    if (index < 9)
        return QStringLiteral("&%1:  %2").arg(index + 1).arg(shown);
    return QStringLiteral("%1:  %2").arg(index + 1).arg(shown);
}

int neighbourEntry(int current, int step, int count) {
    if (count <= 0)
        return -1;
    return std::clamp(current + step, 0, count - 1);
}

} // namespace quorvel
