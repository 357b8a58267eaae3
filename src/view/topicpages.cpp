#include "topicpages.h"

#include <algorithm>

namespace quorvel {

int clampSeitenStart(int start, int count)
{
    return std::max(0, std::min(count - kThemenProSeite, start));
}

ThemenSeite themenSeite(int start, int count)
{
    ThemenSeite page;
    page.start = clampSeitenStart(start, count);
    page.end = std::min(count, page.start + kThemenProSeite);
    page.previousEnabled = page.start > 0;
    page.nextEnabled = page.start + kThemenProSeite < count;
    page.previousCaption = QStringLiteral("Vorherige %1 Dokumente anzeigen").arg(kThemenProSeite);
    page.nextCaption =
        QStringLiteral("Nächste %1 Dokumente anzeigen (von %2)").arg(kThemenProSeite).arg(count);
    if (count > kThemenEinspaltigBis)
        page.columnBreakBefore = page.start + std::min(count, kThemenProSeite) / 2 - 5;
    return page;
}

int seitenStartFuer(int current, int start, int count)
{
    int s = clampSeitenStart(start, count);
    if (current < 0)
        return s;
    while (current >= s + kThemenProSeite) {
        const int next = clampSeitenStart(s + kThemenProSeite, count);
        if (next == s)
            break;
        s = next;
    }
    while (current < s) {
        const int previous = clampSeitenStart(s - kThemenProSeite, count);
        if (previous == s)
            break;
        s = previous;
    }
    return s;
}

QString themenMenuTitle(const QString& title)
{
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

QString themenMenuCaption(int index, const QString& title)
{
    // Ampersands of the title must not become accelerators.
    QString shown = themenMenuTitle(title);
    shown.replace(u'&', QStringLiteral("&&"));
    if (index < 9)
        return QStringLiteral("&%1:  %2").arg(index + 1).arg(shown);
    return QStringLiteral("%1:  %2").arg(index + 1).arg(shown);
}

int nachbarEintrag(int current, int step, int count)
{
    if (count <= 0)
        return -1;
    return std::clamp(current + step, 0, count - 1);
}

} // namespace quorvel
