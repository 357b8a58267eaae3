// SPDX-License-Identifier: GPL-3.0-or-later
#include "objectdrawer.h"

#include "answerbox.h"
#include "cardplacement.h"
#include "colorconversion.h"
#include "exercisemarks.h"
#include "headerdata.h"
#include "numbering.h"
#include "objdata.h"
#include "pointshape.h"
#include "rounding.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace quorvel {

namespace {

// Covered fields and their badges.
constexpr ColourValue kCoverColour = 0xFFE4CA;
constexpr ColourValue kCoverMargin = 0xBB7D46;
// Cloze gaps are at least this many "X" wide; the cap only guards against
// absurd values from a file.
constexpr int kMaxMinGap = 200;

size_t pictureBytes(const QImage& picture) {
    return size_t(std::max<qsizetype>(0, picture.sizeInBytes())) + 256;
}

int cardMinimumWidth(double s) {
    return std::max(1, rnd(30.0 * s));
}

// Inner left and right padding of text cards.
int textMargin(double s) {
    return std::max(1, rnd(3.0 * s));
}

// Room a card's text may take. Cards of generated layouts will be bounded by
// their cell; everything else by the page.
// The space a card may take: the page, or the cell bounds a table layout set.
QSize cardLimits(const ObjDataTyp& o, const DrawContext& context) {
    QSize limits = context.pagePicture;
    if (o.WidthLimit > 0.0)
        limits.setWidth(std::max(1, rnd(o.WidthLimit * limits.width())));
    if (o.HeightLimit > 0.0)
        limits.setHeight(std::max(1, rnd(o.HeightLimit * limits.height())));
    return limits;
}

QString buttonSymbol(Typ typ) {
    switch (typ) {
    case Typ::PreviousQuestion:
        return QStringLiteral("<");
    case Typ::NextQuestion:
        return QStringLiteral(">");
    case Typ::FirstQuestion:
        return QStringLiteral("|<");
    case Typ::LastQuestion:
        return QStringLiteral(">|");
    case Typ::RandomQuestion:
        return QStringLiteral("?");
    default:
        return QString();
    }
}

// The convex hull of a few points, counter-clockwise (monotone chain).
QPolygonF convexHull(std::array<QPointF, 8> points) {
    std::sort(points.begin(), points.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    const auto cross = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QPolygonF hull(16);
    int k = 0;
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    for (int i = int(points.size()) - 2, bottom = k + 1; i >= 0; --i) {
        const QPointF& p = points[size_t(i)];
        while (k >= bottom && cross(hull[k - 2], hull[k - 1], p) <= 0)
            --k;
        hull[k++] = p;
    }
    hull.resize(std::max(0, k - 1));
    return hull;
}

void fillBackground(QPainter& painter, const QRect& card, const ObjDataTyp& o) {
    if (o.HDeck >= 1)
        painter.fillRect(card, colourFromValue(o.HFarbe, o.HDeck));
}

} // namespace

struct ObjectDrawer::Card {
    enum class Kind { Text, Picture, Point };
    Kind kind = Kind::Text;
    QRect rect;
    std::shared_ptr<const TypesetText> text;
    QRect pictureRect; // the picture inside the card
};

size_t ObjectDrawer::PictureHash::operator()(const PictureKey& k) const noexcept {
    return std::hash<qint64>()(k.key) ^ (size_t(k.w) << 1) ^ (size_t(k.h) << 17);
}

void drawTargetLine(QPainter& painter, const ObjDataTyp& o, QSize pagePicture) {
    const int thickness = std::clamp(o.LinieDicke, 1, 5);
    const QPoint from = pagePoint(o.Sx, o.Sy, pagePicture);
    const QPoint at = cardPoint(o, pagePicture);
    const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
    if (antialiased)
        painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor colour = colourFromValue(o.LinieFarbe);
    if (thickness == 1) {
        painter.setPen(QPen(colour, 0));
        painter.drawLine(from, at);
    } else {
        // The parallel lines together cover the band that a square of
        // thickness x thickness pixels sweeps from one end to the other: the convex
        // hull of the square at both ends. Filling it is one span per row.
        const int lo = -(thickness / 2);
        const int hi = lo + thickness;
        const QPoint corners[4] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
        std::array<QPointF, 8> points;
        for (int i = 0; i < 4; ++i) {
            points[size_t(i)] = QPointF(from + corners[i]);
            points[size_t(i + 4)] = QPointF(at + corners[i]);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(convexHull(points));
        painter.setBrush(Qt::NoBrush);
    }
    if (antialiased)
        painter.setRenderHint(QPainter::Antialiasing, true);
}

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

namespace {

// Letter labels of high numbers are a letter and hundreds of apostrophes
// (thousands of fields): such a label is kept as a count and its width worked
// out from the advances, instead of shaping the whole label for every size
// tried and every field drawn.
constexpr qsizetype kShortLabel = 16;

struct BadgeLabel {
    QString text;        // a short label as it stands
    QChar letter;        // a long letter label: the letter ...
    qsizetype ticks = 0; // ... and this many apostrophes (0 for a short label)

    bool isLong() const { return ticks > 0; }
};

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
    if (numArt == 1 && nummer >= 1 && (nummer - 1) / 26 + 1 > kShortLabel)
        return {{}, QChar(u'A' + (nummer - 1) % 26), (nummer - 1) / 26};
    return {numberText(nummer, numArt), {}, 0};
}

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

} // namespace

int numberBadgeTextSize(const QString& text, double s) {
    return badgeTextSize(badgeLabel(text), s);
}

void drawNumberBadge(QPainter& painter, const QRect& card, const QString& text, double s) {
    drawBadge(painter, card, badgeLabel(text), s);
}

const QImage& ObjectDrawer::scaledPicture(const QImage& picture, QSize size) {
    const PictureKey key{picture.cacheKey(), size.width(), size.height()};
    if (const QImage* kept = m_pictures.find(key))
        return *kept;
    // The answer boxes are drawn anew at their size: stretched from 65 pixels
    // they would blur when zoomed in.
    const std::optional<bool> box = answerBoxShown(picture);
    QImage scaled = picture.size() == size ? picture
                    : box                  ? drawAnswerBox(*box, size)
                          : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (scaled.format() != QImage::Format_ARGB32_Premultiplied)
        scaled.convertTo(QImage::Format_ARGB32_Premultiplied);
    const size_t bytes = pictureBytes(scaled);
    if (const QImage* kept = m_pictures.insert(key, scaled, bytes))
        return *kept;
    // Larger than the whole store: kept only until the next picture.
    m_oversized = std::move(scaled);
    return m_oversized;
}

ObjectDrawer::Card ObjectDrawer::miss(const DrawContext& context, ObjDataTyp& o) {
    const double s = context.s;
    const QSize limits = cardLimits(o, context);
    const QPoint point = cardPoint(o, context.pagePicture);
    Card card;

    const Typ typ = typOf(o);
    if (isPoint(typ) || isButton(typ)) {
        card.kind = Card::Kind::Point;
        // A long title makes a wide point, but never one wider than the page.
        const int shortPageSide =
            std::max(1, std::min(context.pagePicture.width(), context.pagePicture.height()));
        const int d =
            isNavigationButton(typ)
                ? cardMinimumWidth(s)
                : std::min(pointDiameter(o, s), std::max(shortPageSide, cardMinimumWidth(s)));
        card.rect = placeCard(point, QSize(d, d), SideCentred, 0);
        return card;
    }

    const int page = cardSide(o, context.pageAspect);
    const int distance = rnd(7.0 * s);
    const int pixelSize = textPixelSize(o.Fsize, s);

    if (!o.Bild.isNull()) {
        card.kind = Card::Kind::Picture;
        // Pictures are as high as an "X" of the object's size in "Arial".
        int h = lineHeightPx(objectFont(QStringLiteral("Arial"), pixelSize));
        const double ratio = double(o.Bild.width()) / o.Bild.height();
        int w = std::max(1, rnd(h * ratio));
        if (w > limits.width()) {
            w = std::max(1, limits.width());
            h = std::max(1, rnd(w / ratio));
        }
        if (h > limits.height()) {
            h = std::max(1, limits.height());
            w = std::max(1, rnd(h * ratio));
        }
        const QSize size(std::max(w, cardMinimumWidth(s)), h);
        card.rect = placeCard(point, size, page, distance);
        card.pictureRect = QRect(card.rect.left() + (size.width() - w) / 2, card.rect.top(), w, h);
        return card;
    }

    const int margin = textMargin(s);
    card.text = m_texts.typeset(o.Cap, context.header.Schriftart, pixelSize, o.Stil & 15,
                                limits.width() - 2 * margin, limits.height());
    // A word wider than the room, or a text that stays taller than the room
    // at the smallest size, is cut at the room's edge: no card is larger than
    // its bounds (the page or its table cell).
    QSize size = card.text->size().boundedTo(limits);
    size.rwidth() =
        std::max(std::min(size.width() + 2 * margin, limits.width()), cardMinimumWidth(s));
    if (typ == Typ::ClozeGap) {
        const int gap = std::clamp(context.header.MinLuecke, 0, kMaxMinGap);
        const QFontMetricsF metrics(card.text->font());
        size.rwidth() = std::max(
            size.width(), std::min(limits.width(),
                                   int(std::ceil(metrics.horizontalAdvance(QString(gap, u'X'))))));
        size.rheight() += 4;
    }
    card.rect = placeCard(point, size, page, distance);
    return card;
}

QRect ObjectDrawer::card(const DrawContext& context, ObjDataTyp& object) {
    // Measuring must not decide an automatic side for good.
    const int kausrAkt = object.KAusrAkt;
    const QRect rect = miss(context, object).rect;
    object.KAusrAkt = kausrAkt;
    return rect;
}

QRect ObjectDrawer::extent(const DrawContext& context, ObjDataTyp& object) {
    QRect rect = card(context, object);
    rect |= numberBadgeRect(rect, context.s);
    if (context.exercise.running)
        rect |= exerciseMarkBox(context, object);
    return rect.adjusted(-1, -1, 1, 1);
}

QRect ObjectDrawer::contentRect(const DrawContext& context, const ObjDataTyp& o, const Card& card,
                                DrawMode art) const {
    if (art == DrawMode::Covered && o.AbfrageNummer >= 1)
        return card.rect | numberBadgeRect(card.rect, context.s);
    if (card.kind == Card::Kind::Point)
        return card.rect.adjusted(-1, -1, 1, 1); // the smoothed edge of the ellipse
    return card.rect;
}

QString ObjectDrawer::cardKey(const DrawContext& context, const ObjDataTyp& o,
                              const Card& card) const {
    const QChar separator(u'\x1f');
    QString key;
    key.reserve(64);
    key += QString::number(card.rect.width()) + separator + QString::number(card.rect.height()) +
           separator + QString::number(context.s, 'g', 17) + separator;
    const HeaderDataTyp& h = context.header;
    if (card.kind == Card::Kind::Point) {
        key += u'P' + QString::number(o.Typ) + separator + QString::number(o.HFarbe) + separator +
               QString::number(o.HDeck) + separator + QString::number(o.Farbe) + separator +
               QString::number(h.FragBtnHtgdCol) + separator + QString::number(h.FragBtnTextCol);
        for (qint32 value : o.MCInfoLinkData)
            key += separator + QString::number(value);
        key += separator + o.PktCap + separator + o.PktCap2;
        return key;
    }
    // The laid-out text stays alive with the finished card, so its address
    // names it uniquely.
    const bool gap = typOf(o) == Typ::ClozeGap;
    key += u'T' + QString::number(quintptr(card.text.get())) + separator +
           QString::number(gap ? h.LueckentextCol : o.Farbe) + separator +
           QString::number(o.HFarbe) + separator + QString::number(o.HDeck) + separator +
           QString::number(o.TAusr) + separator + QString::number(gap);
    return key;
}

void ObjectDrawer::drawContent(QPainter& painter, const DrawContext& context, const ObjDataTyp& o,
                               const Card& card, DrawMode art) {
    const double s = context.s;
    const QRect& rect = card.rect;
    if (art == DrawMode::Covered) {
        drawCover(painter, rect, s);
        if (o.AbfrageNummer >= 1)
            drawBadge(painter, rect, badgeLabel(o.AbfrageNummer, context.header.NumArt), s);
        return;
    }

    switch (card.kind) {
    case Card::Kind::Point: {
        const HeaderDataTyp& h = context.header;
        const QPointF centre = QRectF(rect).center();
        const Typ typ = typOf(o);
        if (isNavigationButton(typ)) {
            paintEllipse(painter, rect, colourFromValue(h.FragBtnHtgdCol));
            drawCentred(painter, centre, buttonSymbol(typ), titleFont(rnd(18.0 * s)),
                        colourFromValue(h.FragBtnTextCol));
        } else {
            // The info and link points of a question carry its colours (the
            // multiple-choice layout copies them from `MCInfoLinkData`).
            drawPoint(painter, centre, rect.width(), o, s, colourFromValue(o.HFarbe, o.HDeck),
                      colourFromValue(o.Farbe));
        }
        return;
    }
    case Card::Kind::Picture:
        fillBackground(painter, rect, o);
        painter.save();
        painter.setOpacity(opacityAlpha(o.BildDeck) / 255.0);
        painter.drawImage(card.pictureRect.topLeft(),
                          scaledPicture(o.Bild, card.pictureRect.size()));
        painter.restore();
        return;
    case Card::Kind::Text:
        break;
    }

    fillBackground(painter, rect, o);
    const bool gap = typOf(o) == Typ::ClozeGap;
    painter.setPen(colourFromValue(gap ? context.header.LueckentextCol : o.Farbe));
    const int margin = textMargin(s);
    const int inset = gap ? 2 : 0;
    card.text->draw(painter, rect.adjusted(margin, inset, -margin, -inset), o.TAusr);
}

QImage ObjectDrawer::finished(const QString& key, const QRect& area, bool opaque,
                              const std::function<void(QPainter&)>& paint,
                              std::shared_ptr<const TypesetText> text) {
    if (const FinishedCard* kept = m_finishedCards.find(key))
        return kept->picture;
    FinishedCard finished{QImage(area.size(), QImage::Format_ARGB32_Premultiplied),
                          std::move(text)};
    if (finished.picture.isNull())
        return QImage();
    finished.picture.fill(Qt::transparent);
    QPainter finishing(&finished.picture);
    finishing.translate(-area.topLeft());
    paint(finishing);
    finishing.end();
    if (opaque)
        finished.picture.convertTo(QImage::Format_RGB32);
    QImage picture = finished.picture;
    const size_t bytes = pictureBytes(finished.picture) + size_t(key.size()) * 2;
    m_finishedCards.insert(key, std::move(finished), bytes);
    return picture;
}

bool ObjectDrawer::drawFinished(QPainter& painter, const QString& key, const QRect& area,
                                bool opaque, const std::function<void(QPainter&)>& paint,
                                std::shared_ptr<const TypesetText> text) {
    const QImage picture = finished(key, area, opaque, paint, std::move(text));
    if (picture.isNull())
        return false;
    painter.drawImage(area.topLeft(), picture);
    return true;
}

void ObjectDrawer::drawCovered(QPainter& painter, const DrawContext& context, const ObjDataTyp& o,
                               const QRect& card) {
    const double s = context.s;
    const QChar separator(u'\x1f');
    const QString size = QString::number(card.width()) + separator +
                         QString::number(card.height()) + separator + QString::number(s, 'g', 17) +
                         separator;
    const auto cover = [&](QPainter& p) { drawCover(p, card, s); };
    if (o.AbfrageNummer < 1) {
        // Every cover of one size looks the same: one opaque picture serves
        // them all and is copied rather than blended.
        if (!drawFinished(painter, u'C' + size, card, true, cover))
            drawCover(painter, card, s);
        return;
    }
    const BadgeLabel label = badgeLabel(o.AbfrageNummer, context.header.NumArt);
    const auto coverAndBadge = [&](QPainter& p) {
        drawCover(p, card, s);
        drawBadge(p, card, label, s);
    };
    const QRect badge = numberBadgeRect(card, s);
    if (label.isLong()) {
        // A long label reaches over the whole card: finished as one. The
        // cover and circle beneath it are the same for every card of its
        // size, so they are finished once and copied under each label.
        const QRect area = card | badge;
        const QImage beneath = finished(u'E' + size, area, false, [&](QPainter& p) {
            drawCover(p, card, s);
            drawBadgeCircle(p, card, s);
        });
        const auto labelOnCover = [&](QPainter& p) {
            if (beneath.isNull()) {
                coverAndBadge(p);
                return;
            }
            p.save();
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(area.topLeft(), beneath);
            p.restore();
            drawBadgeLabel(p, card, label, s);
        };
        if (!drawFinished(painter, u'A' + size + badgeKey(label, card, s), area, false,
                          labelOnCover))
            coverAndBadge(painter);
        return;
    }
    // The shared cover, then the badge's square with the cover beneath it
    // (outside the card it is transparent). A short label stays within the
    // badge, and the cover within that square is its fill, its frame and the
    // centred "?": they depend on the card's height, and on its width only
    // when the card is hardly wider than the badge, else on whether its centre
    // falls on a whole or a half pixel.
    if (!drawFinished(painter, u'C' + size, card, true, cover))
        drawCover(painter, card, s);
    const bool narrow = card.width() <= badge.width() + 2;
    const QString badgeOnCover = u'B' + badgeKey(label, card, s) + separator +
                                 QString::number(s, 'g', 17) + separator +
                                 QString::number(card.height()) + separator +
                                 QString::number(narrow ? card.width() : card.width() % 2 - 2);
    if (!drawFinished(painter, badgeOnCover, badge, false, coverAndBadge))
        coverAndBadge(painter);
}

QRect ObjectDrawer::drawCard(QPainter& painter, const DrawContext& context, ObjDataTyp& o,
                             const Card& card, DrawMode art) {
    rememberCard(o, card.rect, context.pagePicture);
    const QRect area = contentRect(context, o, card, art);

    // Pictures are copied anyway; vector targets (printers, metafiles) get
    // real text and shapes rather than copies of finished pixels.
    const bool asFinishedCard =
        (card.kind != Card::Kind::Picture || art == DrawMode::Covered) && painter.device() &&
        painter.device()->devType() == QInternal::Image && painter.worldTransform().isIdentity();
    if (!asFinishedCard) {
        drawContent(painter, context, o, card, art);
        return area;
    }
    if (art == DrawMode::Covered) {
        drawCovered(painter, context, o, card.rect);
        return area;
    }
    // No memory for a copy: the card is drawn straight onto the page.
    if (!drawFinished(
            painter, cardKey(context, o, card), area, false,
            [&](QPainter& p) { drawContent(p, context, o, card, art); }, card.text))
        drawContent(painter, context, o, card, art);
    return area;
}

QRect ObjectDrawer::draw(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
                         DrawMode art, bool currentTarget) {
    if (!hasFinitePosition(object))
        return QRect();
    // A cross-matching element still taking part in an exercise (state 5)
    // hides its pair line: that connection is what the pupil has to find.
    const bool pairOpen =
        context.exercise.running && object.AbfrageStatus == 5 &&
        (typOf(object) == Typ::MatchingQueryText || typOf(object) == Typ::MatchingQueryPicture);
    if (art != DrawMode::TargetOnly && drawsTargetLine(object) && !pairOpen)
        drawTargetLine(painter, object, context.pagePicture);
    if (showsExerciseMark(context, object, art))
        return drawExerciseMark(painter, context, object, currentTarget);
    return drawCard(painter, context, object, miss(context, object), art);
}

std::optional<QRect> ObjectDrawer::drawnArea(const DrawContext& context, ObjDataTyp& object,
                                             DrawMode art) {
    if (!hasFinitePosition(object))
        return QRect();
    if (drawsTargetLine(object) || showsExerciseMark(context, object, art))
        return std::nullopt;
    const Card card = miss(context, object);
    rememberCard(object, card.rect, context.pagePicture);
    return contentRect(context, object, card, art);
}

QRect ObjectDrawer::draw(QImage& target, const DrawContext& context, ObjDataTyp& object,
                         DrawMode art, bool currentTarget) {
    QPainter painter(&target);
    return draw(painter, context, object, art, currentTarget);
}

void ObjectDrawer::clear() {
    m_texts.clear();
    m_pictures.clear();
    m_oversized = QImage();
    m_finishedCards.clear();
}

DrawContext DrawContext::forPage(const HeaderDataTyp& header, QSize pagePicture,
                                 double pageAspect) {
    const int w = std::max(1, pagePicture.width());
    const int h = std::max(1, pagePicture.height());
    return DrawContext{
        header, pagePicture, w / kDesignWidth, pageAspect > 0 ? pageAspect : double(w) / h, {}};
}

} // namespace quorvel
