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
        card.rect = placeCard(point, QSize(d, d), CardSide::Centred, 0);
        return card;
    }

    const CardSide page = cardSide(o, context.pageAspect);
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
    card.text->draw(painter, rect.adjusted(margin, inset, -margin, -inset), textAlignmentOf(o));
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
    // A card reaching off the picture costs no more than what of it shows.
    const QRect shown = area & QRect(0, 0, painter.device()->width(), painter.device()->height());
    if (shown.isEmpty())
        return area;
    if (art == DrawMode::Covered) {
        // Covers are shared by their size; one that is cut off is drawn
        // straight, which touches only its pixels on the picture.
        if (shown == area)
            drawCovered(painter, context, o, card.rect);
        else
            drawContent(painter, context, o, card, art);
        return area;
    }
    // Only the part that shows is finished; where it lies in the card is part
    // of what decides its pixels.
    QString key = cardKey(context, o, card);
    if (shown != area) {
        const QChar separator(u'\x1f');
        key += separator + QString::number(shown.left() - area.left()) + separator +
               QString::number(shown.top() - area.top()) + separator +
               QString::number(shown.width()) + separator + QString::number(shown.height());
    }
    // No memory for a copy: the card is drawn straight onto the page.
    if (!drawFinished(
            painter, key, shown, false, [&](QPainter& p) { drawContent(p, context, o, card, art); },
            card.text))
        drawContent(painter, context, o, card, art);
    return area;
}

QRect ObjectDrawer::draw(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
                         DrawMode art, bool currentTarget) {
    if (!hasFinitePosition(object))
        return QRect();
    if (context.worksheet.mode != 0)
        return drawForWorksheet(painter, context, object);
    // A cross-matching element still taking part in an exercise (state 5)
    // hides its pair line: that connection is what the pupil has to find.
    const bool pairOpen =
        context.exercise.running && object.AbfrageStatus == AbfrageStatus::MatchingElement &&
        (typOf(object) == Typ::MatchingQueryText || typOf(object) == Typ::MatchingQueryPicture);
    const bool line = art != DrawMode::TargetOnly && drawsTargetLine(object) && !pairOpen;
    if (showsExerciseMark(context, object, art)) {
        if (line)
            drawTargetLine(painter, object, context.pagePicture);
        return drawExerciseMark(painter, context, object, currentTarget);
    }
    const Card card = miss(context, object);
    if (line)
        drawTargetLine(painter, object, context.pagePicture, card.rect);
    return drawCard(painter, context, object, card, art);
}

namespace {

// Red of the worksheet's solutions (the colour value 255).
constexpr ColourValue kSolutionRed = 0x0000FF;

bool neverOnWorksheet(const ObjDataTyp& o) {
    switch (typOf(o)) {
    case Typ::InfoPoint:
    case Typ::ExternalLink:
    case Typ::DocumentLink:
    case Typ::MCInfoPoint:
    case Typ::MCLinkPoint:
        return true;
    default:
        // The layer "Infopunkte", and the second element of a cross-matching
        // middle item, which the view never draws either.
        return o.Ebene == 2 || (isMatchingElement(typOf(o)) && !o.Aktiv);
    }
}

// Query fields that become empty answer boxes on the worksheet.
bool becomesAnswerBox(Typ typ) {
    switch (typ) {
    case Typ::QueryLabel:
    case Typ::ClozeGap:
    case Typ::QueryPicture:
    case Typ::QuestionAnswer:
    case Typ::TableQueryPicture:
    case Typ::TableQueryText:
    case Typ::CrosswordCell:
        return true;
    default:
        return false;
    }
}

// Objects whose solution the solution sheets show in red.
bool showsSolution(Typ typ) {
    return becomesAnswerBox(typ) || typ == Typ::MCAnswerBox || typ == Typ::ClusterQueryText ||
           typ == Typ::ClusterQueryPicture;
}

// Fixed objects, drawn as in the learning view on sheets with parts.
bool isFixedOnWorksheet(Typ typ) {
    switch (typ) {
    case Typ::FixedLabel:
    case Typ::FixedPicture:
    case Typ::PictureLink:
    case Typ::TablePicture:
    case Typ::TablePictureLink:
    case Typ::ClusterText:
    case Typ::ClusterPicture:
    case Typ::MatchingText:
    case Typ::MatchingQueryText:
    case Typ::MatchingPicture:
    case Typ::MatchingQueryPicture:
        return true;
    default:
        return false;
    }
}

// The card lengthened by the box size and grown by the margins, kept inside
// the page picture less a border of 0.5 %.
QRect answerBox(const QRect& card, const ObjDataTyp& o, const DrawContext& context) {
    QRect box = card;
    const int e = rnd(card.width() * (context.worksheet.boxSizeIndex - 5) * 0.05);
    switch (givenCardSideOf(o)) {
    case CardSide::Right:
        box.setRight(box.right() + 2 * e);
        break;
    case CardSide::Left:
        box.setLeft(box.left() - 2 * e);
        break;
    default:
        box.adjust(-e, 0, e, 0);
        break;
    }
    if (box.width() < 1)
        box.setWidth(1);
    const QSize page = context.pagePicture;
    const int dx = rnd(page.width() * 0.01);
    const int dy = rnd(card.height() * 0.1);
    box.adjust(-dx, -dy, dx, dy);
    const QRect inside = QRect(QPoint(0, 0), page)
                             .adjusted(rnd(page.width() * 0.005), rnd(page.height() * 0.005),
                                       -rnd(page.width() * 0.005), -rnd(page.height() * 0.005));
    return box & inside;
}

void drawAnswerBoxFrame(QPainter& painter, const QRect& box) {
    if (box.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (box.width() > 2 && box.height() > 2)
        painter.drawRect(box.adjusted(1, 1, -2, -2));
    painter.restore();
}

// The first-letter hint: " " + the first character + " ", then a blank for
// about every 1.5 further characters (line breaks kept).
QString firstLetterHint(const QString& cap) {
    if (cap.isEmpty())
        return QString();
    QString hint = u' ' + cap.left(1) + u' ';
    double sum = 0.0;
    for (qsizetype i = 1; i < cap.size(); ++i) {
        if (cap[i] == u'\n' || cap[i] == u'\r') {
            hint += cap[i];
            continue;
        }
        sum += 1.5;
        while (sum > 0.0) {
            hint += u' ';
            sum -= 1.0;
        }
    }
    return hint;
}

} // namespace

void ObjectDrawer::drawFirstLetter(QPainter& painter, const DrawContext& context,
                                   const ObjDataTyp& o, const QRect& box) {
    const QString hint = firstLetterHint(o.Cap);
    if (hint.isEmpty() || box.isEmpty())
        return;
    const auto text =
        m_texts.typeset(hint, context.header.Schriftart, textPixelSize(o.Fsize, context.s),
                        o.Stil & 15, std::max(1, box.width()), std::max(1, box.height()));
    painter.save();
    painter.setPen(colourFromValue(kSolutionRed));
    text->draw(painter, box, TextAlignment::Left);
    painter.restore();
}

QRect ObjectDrawer::drawForWorksheet(QPainter& painter, const DrawContext& context,
                                     ObjDataTyp& object) {
    if (neverOnWorksheet(object))
        return QRect();
    const int mode = context.worksheet.mode;
    const bool parts = mode == 1 || mode == 3;
    const bool solutions = mode == 2 || mode == 3;
    const Typ typ = typOf(object);
    const Card card = miss(context, object);
    rememberCard(object, card.rect, context.pagePicture);
    // A cross matching's query element is joined to its partner by its line:
    // that is the solution, which the worksheet must not give away.
    const bool pair = typ == Typ::MatchingQueryText || typ == Typ::MatchingQueryPicture;
    if (drawsTargetLine(object) && mode != 2 && !(pair && !solutions))
        drawTargetLine(painter, object, context.pagePicture, card.rect);

    if (isFixedOnWorksheet(typ))
        return parts ? drawCard(painter, context, object, card, DrawMode::Normal) : QRect();

    QRect drawn;
    if (parts && becomesAnswerBox(typ)) {
        drawn = answerBox(card.rect, object, context);
        drawAnswerBoxFrame(painter, drawn);
        if (mode == 1 && context.worksheet.firstLetter && typ == Typ::QueryLabel)
            drawFirstLetter(painter, context, object, drawn);
    }
    if (!solutions || !showsSolution(typ))
        return drawn;
    if (card.kind == Card::Kind::Picture) {
        painter.save();
        painter.setOpacity(opacityAlpha(object.BildDeck) / 255.0);
        painter.drawImage(card.pictureRect, scaledPicture(object.Bild, card.pictureRect.size()));
        painter.restore();
    } else if (card.kind == Card::Kind::Text) {
        painter.save();
        painter.setPen(colourFromValue(kSolutionRed));
        const int margin = textMargin(context.s);
        card.text->draw(painter, card.rect.adjusted(margin, 0, -margin, 0),
                        textAlignmentOf(object));
        painter.restore();
    }
    return drawn | card.rect;
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
        header, pagePicture, w / kDesignWidth, pageAspect > 0 ? pageAspect : double(w) / h, {}, {}};
}

} // namespace quorvel
