// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cardtext.h"
#include "coveredfield.h"
#include "drawcontext.h"
#include "lrucache.h"
#include "targetline.h"

#include <QImage>
#include <QRect>
#include <optional>

class QPainter;

namespace quorvel {

struct ObjDataTyp;

// Draws single page objects: text cards, picture cards, points and buttons,
// their target lines and card backgrounds, covered query fields with their
// number badges, and in exercises the target marks. It keeps the laid-out
// texts, scaled pictures and finished card pictures of earlier drawings, so
// one drawer should serve a view for its lifetime: a composition draws the
// same cards again and again, and copying a finished card is far cheaper than
// laying out and drawing its text anew.
class ObjectDrawer {
public:
    // Draws `object` onto a painter that paints on a page picture of
    // `context.pagePicture` pixels; in a worksheet mode (`context.worksheet`)
    // as the worksheet shows it (drawForWorksheet). Records the card in `KartRect`,
    // `KartBreite` and `KartHoehe` (and an automatic side in `KAusrAkt`).
    // Returns the pixels the card (with badge) covers, or an empty rectangle
    // when nothing but possibly the target line was drawn.
    // `currentTarget` false draws an open target of a running exercise as a
    // position that is not asked now.
    QRect draw(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
               DrawMode art = DrawMode::Normal, bool currentTarget = true);

    // The same onto a picture of its own (the context names its size).
    QRect draw(QImage& target, const DrawContext& context, ObjDataTyp& object,
               DrawMode art = DrawMode::Normal, bool currentTarget = true);

    // The card rectangle the object gets in its normal appearance, in page
    // picture pixels, without drawing or recording anything.
    QRect card(const DrawContext& context, ObjDataTyp& object);

    // The rectangle draw() would return for `object` in appearance `art`,
    // recording the card as draw() does but drawing nothing; nullopt when
    // draw() would also paint outside that rectangle (a target line) or draw
    // an exercise mark instead of the card.
    std::optional<QRect> drawnArea(const DrawContext& context, ObjDataTyp& object, DrawMode art);

    // Every pixel draw() may cover for the object in its present state, in
    // any appearance (card, cover with badge, exercise mark), without the
    // target line; nothing is drawn or recorded.
    QRect extent(const DrawContext& context, ObjDataTyp& object);

    // Forgets the kept texts and pictures.
    void clear();

    // The bytes the kept scaled pictures and finished cards may take; the
    // least recently used go first.
    static constexpr size_t kPictureBudget = size_t(128) << 20;
    static constexpr size_t kFinishedCardBudget = size_t(256) << 20;

private:
    struct Card;
    // The worksheet's appearance: query fields as empty answer boxes and/or
    // their solutions in red, fixed objects as in the view (not on the
    // overlay), points, links and info points never.
    QRect drawForWorksheet(QPainter& painter, const DrawContext& context, ObjDataTyp& object);
    void drawFirstLetter(QPainter& painter, const DrawContext& context, const ObjDataTyp& object,
                         const QRect& box);
    Card miss(const DrawContext& context, ObjDataTyp& object);
    const QImage& scaledPicture(const QImage& picture, QSize size);
    QRect drawCard(QPainter& painter, const DrawContext& context, ObjDataTyp& object,
                   const Card& card, DrawMode art);
    void drawContent(QPainter& painter, const DrawContext& context, const ObjDataTyp& object,
                     const Card& card, DrawMode art);
    QRect contentRect(const DrawContext& context, const ObjDataTyp& object, const Card& card,
                      DrawMode art) const;
    QString cardKey(const DrawContext& context, const ObjDataTyp& object, const Card& card) const;
    void drawCovered(QPainter& painter, const DrawContext& context, const ObjDataTyp& object,
                     const QRect& card);
    // Draws the finished picture kept under `key` at `area`'s corner, first
    // painting it with `paint` (in page coordinates) when it is not kept. An
    // opaque picture (`paint` covers all of `area`) is kept without alpha, so
    // that drawing it copies rather than blends.
    // False when there is no memory for it: the caller draws straight away.
    bool drawFinished(QPainter& painter, const QString& key, const QRect& area, bool opaque,
                      const std::function<void(QPainter&)>& paint,
                      std::shared_ptr<const TypesetText> text = nullptr);
    // The finished picture kept under `key`, painted first when it is not
    // kept; null when there is no memory for it.
    QImage finished(const QString& key, const QRect& area, bool opaque,
                    const std::function<void(QPainter&)>& paint,
                    std::shared_ptr<const TypesetText> text = nullptr);

    CardTextCache m_texts;
    struct PictureKey {
        qint64 key;
        int w, h;
        friend bool operator==(const PictureKey&, const PictureKey&) = default;
    };
    struct PictureHash {
        size_t operator()(const PictureKey& k) const noexcept;
    };
    LruCache<PictureKey, QImage, PictureHash> m_pictures{kPictureBudget};
    QImage m_oversized; // the last scaled picture too large for the store

    // A finished card (text card, point), cover or badge; its key tells
    // everything that decides its pixels, so it is drawn wherever its area
    // lies.
    struct FinishedCard {
        QImage picture;
        std::shared_ptr<const TypesetText> text; // keeps the key's text alive
    };
    LruCache<QString, FinishedCard> m_finishedCards{kFinishedCardBudget};
};

} // namespace quorvel
