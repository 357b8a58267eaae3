// SPDX-License-Identifier: GPL-3.0-or-later
#include "coveredfield.h"

#include "cardtext.h"
#include "colorconversion.h"
#include "numbering.h"
#include "pointshape.h"
#include "rounding.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace quorvel {

namespace {

constexpr ColourValue kCoverColour = 0xFFE4CA;
constexpr ColourValue kCoverMargin = 0xBB7D46;

} // namespace

int drawCover(QPainter& painter, const QRect& card, double s) {
    painter.fillRect(card, colourFromValue(kCoverColour));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colourFromValue(kCoverMargin), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(card.adjusted(0, 0, -1, -1));
    painter.restore();

    int size = std::max(1, rnd(22.0 * s));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(size);
    while (size > 1 && lineHeightPx(font) > card.height())
        font.setPixelSize(--size);
    drawCentred(painter, QRectF(card).center(), QStringLiteral("?"), font,
                colourFromValue(kCoverMargin));
    return size;
}

namespace {

QRectF badgeCircle(const QRect& card, double s) {
    const int diameter = std::max(1, rnd(30.0 * s));
    const QPointF centre = QRectF(card).center();
    return QRectF(centre.x() - diameter / 2.0, centre.y() - diameter / 2.0, diameter, diameter);
}

} // namespace

QRect numberBadgeRect(const QRect& card, double s) {
    return badgeCircle(card, s).toAlignedRect().adjusted(-1, -1, 1, 1);
}

// Letter labels of high numbers are a letter and hundreds of apostrophes
// (thousands of fields): such a label is kept as a count and its width worked
// out from the advances, instead of shaping the whole label for every size
// tried and every field drawn.
constexpr qsizetype kShortLabel = 16;

BadgeLabel badgeLabel(const QString& text) {
    if (text.size() <= kShortLabel)
        return {text, {}, 0};
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] != u'\'')
            return {text, {}, 0};
    }
    return {{}, text[0], text.size() - 1};
}

BadgeLabel badgeLabel(int nummer, int numArt) {
    if (numberingStyleFromCode(numArt) == NumberingStyle::Letters && nummer >= 1 &&
        (nummer - 1) / 26 + 1 > kShortLabel)
        return {{}, QChar(u'A' + (nummer - 1) % 26), (nummer - 1) / 26};
    return {numberText(nummer, numArt), {}, 0};
}

namespace {

// The advances of a long label's parts in the badge font of one size,
// measured once per thread.
struct LabelAdvances {
    double letter = 0;     // the letter alone
    double letterTick = 0; // the letter and one apostrophe
    double tick = 0;       // one apostrophe
};

const LabelAdvances& labelAdvances(int size, QChar letter) {
    thread_local std::map<std::pair<int, char16_t>, LabelAdvances> measured;
    auto [it, added] = measured.try_emplace({size, letter.unicode()});
    if (added) {
        const QFontMetricsF metrics(titleFont(size));
        it->second = {metrics.horizontalAdvance(QString(letter)),
                      metrics.horizontalAdvance(QString(letter) + u'\''),
                      metrics.horizontalAdvance(QStringLiteral("'"))};
    }
    return it->second;
}

double labelWidth(const BadgeLabel& label, int size) {
    if (!label.isLong())
        return QFontMetricsF(titleFont(size)).horizontalAdvance(label.text);
    const LabelAdvances& a = labelAdvances(size, label.letter);
    return a.letterTick + double(label.ticks - 1) * a.tick;
}

int badgeTextSize(const BadgeLabel& label, double s) {
    // The label shrinks pixel by pixel until it fits the badge: the largest
    // size up to round(16 x S) at which it fits, else 1, found by halving
    // (a label never gets wider at a smaller size).
    const double room = badgeCircle(QRect(0, 0, 1, 1), s).width() - 4;
    const auto fits = [&](int size) { return labelWidth(label, size) <= room; };
    int lo = 1; // always taken
    int hi = std::max(1, rnd(16.0 * s));
    if (fits(hi))
        return hi;
    while (hi - lo > 1) {
        const int centre = lo + (hi - lo) / 2;
        if (fits(centre))
            lo = centre;
        else
            hi = centre;
    }
    return lo;
}

// Where a long label far wider than its badge puts what can be seen: only
// the apostrophes that reach the card or the badge (with a margin for the
// glyphs' overhang) are drawn, where the whole label centred on the badge
// would put them. Apostrophe k stands at base + k x tick; k counts from the
// label's middle apostrophe, so the positions depend on the letter, the size
// and the count's parity only, and labels of far apart numbers draw the same
// pixels (their finished cards are shared).
struct LongLabelPlan {
    int size = 1;
    double tick = 0;
    double base = 0;
    double left = 0;            // where the letter stands
    bool letterVisible = false; // whether the letter reaches the window
    qsizetype first = 0;        // the apostrophes drawn, k = first..last
    qsizetype last = -1;
    qsizetype middle = 0; // index of apostrophe k = 0 in the label
};

LongLabelPlan longLabelPlan(const BadgeLabel& label, const QRect& card, double s) {
    LongLabelPlan plan;
    const QRectF circle = badgeCircle(card, s);
    plan.size = badgeTextSize(label, s);
    const LabelAdvances& a = labelAdvances(plan.size, label.letter);
    plan.tick = std::max(1.0 / 64, a.tick);
    // A glyph reaches at most about its size beyond its advance; the finished
    // card's picture ends at the card and the badge.
    const double margin = plan.size + 2;
    const QRectF window = QRectF(card | numberBadgeRect(card, s)).adjusted(-margin, 0, margin, 0);
    const double cx = circle.center().x();
    plan.left = cx - labelWidth(label, plan.size) / 2;
    plan.letterVisible = plan.left + a.letter + margin >= window.left();
    plan.middle = (label.ticks - 1) / 2;
    const qsizetype odd = (label.ticks - 1) % 2;
    plan.base = cx - a.letterTick / 2 + a.letter - double(odd) * plan.tick / 2;
    const auto k = [&](double x) { return std::floor((x - plan.base) / plan.tick); };
    const double lo = std::max(k(window.left()), double(-plan.middle));
    const double hi = std::min(k(window.right()) + 1, double(label.ticks - 1 - plan.middle));
    if (lo <= hi) {
        plan.first = qsizetype(lo);
        plan.last = qsizetype(hi);
    }
    return plan;
}

} // namespace

// What decides the pixels of a badge's label within its card.
QString badgeKey(const BadgeLabel& label, const QRect& card, double s) {
    if (!label.isLong())
        return label.text;
    const LongLabelPlan plan = longLabelPlan(label, card, s);
    // Once an end of the label or the letter is in sight, the count matters.
    const bool endVisible = plan.letterVisible || plan.first == -plan.middle ||
                            plan.last == label.ticks - 1 - plan.middle;
    return QStringLiteral("%1'%2,%3,%4,%5,%6")
        .arg(label.letter)
        .arg(plan.size)
        .arg((label.ticks - 1) % 2)
        .arg(plan.first)
        .arg(plan.last)
        .arg(endVisible ? label.ticks : -1);
}

void drawBadgeCircle(QPainter& painter, const QRect& card, double s) {
    paintEllipse(painter, badgeCircle(card, s), colourFromValue(kCoverMargin), Qt::white);
}

// The badge's label alone, on its circle.
void drawBadgeLabel(QPainter& painter, const QRect& card, const BadgeLabel& label, double s) {
    const QRectF circle = badgeCircle(card, s);
    if (!label.isLong()) {
        drawCentred(painter, circle.center(), label.text, titleFont(badgeTextSize(label, s)),
                    Qt::white);
        return;
    }
    const LongLabelPlan plan = longLabelPlan(label, card, s);
    const QFont font = titleFont(plan.size);
    const QFontMetricsF metrics(font);
    const double height = metrics.ascent() + metrics.descent();
    const double y = circle.center().y() - height / 2 + metrics.ascent();
    painter.setFont(font);
    painter.setPen(QColor(Qt::white));
    if (plan.letterVisible)
        painter.drawText(QPointF(plan.left, y), QString(label.letter));
    if (plan.first <= plan.last) {
        painter.drawText(QPointF(plan.base + double(plan.first) * plan.tick, y),
                         QString(plan.last - plan.first + 1, u'\''));
    }
}

void drawBadge(QPainter& painter, const QRect& card, const BadgeLabel& label, double s) {
    drawBadgeCircle(painter, card, s);
    drawBadgeLabel(painter, card, label, s);
}

int numberBadgeTextSize(const QString& text, double s) {
    return badgeTextSize(badgeLabel(text), s);
}

void drawNumberBadge(QPainter& painter, const QRect& card, const QString& text, double s) {
    drawBadge(painter, card, badgeLabel(text), s);
}

} // namespace quorvel
