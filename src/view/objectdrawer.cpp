#include "objectdrawer.h"

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

namespace quorvel {

namespace {

// Covered fields and their badges.
constexpr Farbwert kAbdeckFarbe = 0xFFE4CA;
constexpr Farbwert kAbdeckRand = 0xBB7D46;
// Cloze gaps are at least this many "X" wide; the cap only guards against
// absurd values from a file.
constexpr int kMaxMinLuecke = 200;

size_t bildBytes(const QImage& bild) {
    return size_t(std::max<qsizetype>(0, bild.sizeInBytes())) + 256;
}

int kartenMindestBreite(double s) {
    return std::max(1, rnd(30.0 * s));
}

// Inner left and right padding of text cards.
int textRand(double s) {
    return std::max(1, rnd(3.0 * s));
}

// Room a card's text may take. Cards of generated layouts will be bounded by
// their cell; everything else by the page.
// The space a card may take: the page, or the cell bounds a table layout set.
QSize kartenGrenzen(const ObjDataTyp& o, const DrawContext& kontext) {
    QSize grenzen = kontext.pagePicture;
    if (o.BreitenLimit > 0.0)
        grenzen.setWidth(std::max(1, rnd(o.BreitenLimit * grenzen.width())));
    if (o.HoehenLimit > 0.0)
        grenzen.setHeight(std::max(1, rnd(o.HoehenLimit * grenzen.height())));
    return grenzen;
}

QString knopfSymbol(Typ typ) {
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
QPolygonF konvexeHuelle(std::array<QPointF, 8> punkte) {
    std::sort(punkte.begin(), punkte.end(), [](const QPointF& a, const QPointF& b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    const auto kreuz = [](const QPointF& o, const QPointF& a, const QPointF& b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    QPolygonF huelle(16);
    int k = 0;
    for (const QPointF& p : punkte) {
        while (k >= 2 && kreuz(huelle[k - 2], huelle[k - 1], p) <= 0)
            --k;
        huelle[k++] = p;
    }
    for (int i = int(punkte.size()) - 2, unten = k + 1; i >= 0; --i) {
        const QPointF& p = punkte[size_t(i)];
        while (k >= unten && kreuz(huelle[k - 2], huelle[k - 1], p) <= 0)
            --k;
        huelle[k++] = p;
    }
    huelle.resize(std::max(0, k - 1));
    return huelle;
}

void fuelleHintergrund(QPainter& painter, const QRect& card, const ObjDataTyp& o) {
    if (o.HDeck >= 1)
        painter.fillRect(card, colourFromValue(o.HFarbe, o.HDeck));
}

} // namespace

struct ObjectDrawer::Card {
    enum class Art { Text, Bild, Punkt };
    Art art = Art::Text;
    QRect rect;
    std::shared_ptr<const TypesetText> text;
    QRect bildRect; // the picture inside the card
};

size_t ObjectDrawer::PictureHash::operator()(const PictureKey& k) const noexcept {
    return std::hash<qint64>()(k.key) ^ (size_t(k.w) << 1) ^ (size_t(k.h) << 17);
}

void drawTargetLine(QPainter& painter, const ObjDataTyp& o, QSize pagePicture) {
    const int dicke = std::clamp(o.LinieDicke, 1, 5);
    const QPoint von = pagePoint(o.Sx, o.Sy, pagePicture);
    const QPoint nach = cardPoint(o, pagePicture);
    const bool geglaettet = painter.testRenderHint(QPainter::Antialiasing);
    if (geglaettet)
        painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor farbe = colourFromValue(o.LinieFarbe);
    if (dicke == 1) {
        painter.setPen(QPen(farbe, 0));
        painter.drawLine(von, nach);
    } else {
        // The parallel lines together cover the band that a square of
        // dicke x dicke pixels sweeps from one end to the other: the convex
        // hull of the square at both ends. Filling it is one span per row.
        const int lo = -(dicke / 2);
        const int hi = lo + dicke;
        const QPoint ecken[4] = {{lo, lo}, {hi, lo}, {hi, hi}, {lo, hi}};
        std::array<QPointF, 8> punkte;
        for (int i = 0; i < 4; ++i) {
            punkte[size_t(i)] = QPointF(von + ecken[i]);
            punkte[size_t(i + 4)] = QPointF(nach + ecken[i]);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(farbe);
        painter.drawPolygon(konvexeHuelle(punkte));
        painter.setBrush(Qt::NoBrush);
    }
    if (geglaettet)
        painter.setRenderHint(QPainter::Antialiasing, true);
}

int drawCover(QPainter& painter, const QRect& card, double s) {
    painter.fillRect(card, colourFromValue(kAbdeckFarbe));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(colourFromValue(kAbdeckRand), 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(card.adjusted(0, 0, -1, -1));
    painter.restore();

    int groesse = std::max(1, rnd(22.0 * s));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(groesse);
    while (groesse > 1 && lineHeightPx(font) > card.height())
        font.setPixelSize(--groesse);
    drawCentred(painter, QRectF(card).center(), QStringLiteral("?"), font,
                colourFromValue(kAbdeckRand));
    return groesse;
}

namespace {

QRectF plakettenKreis(const QRect& card, double s) {
    const int durchmesser = std::max(1, rnd(30.0 * s));
    const QPointF mitte = QRectF(card).center();
    return QRectF(mitte.x() - durchmesser / 2.0, mitte.y() - durchmesser / 2.0, durchmesser,
                  durchmesser);
}

} // namespace

QRect numberBadgeRect(const QRect& card, double s) {
    return plakettenKreis(card, s).toAlignedRect().adjusted(-1, -1, 1, 1);
}

namespace {

// Letter labels of high numbers are a letter and hundreds of apostrophes
// (thousands of fields): their width is worked out from the advances
// instead of shaping the whole label for every size tried.
constexpr qsizetype kShortLabel = 16;

bool isLetterLabel(const QString& text) {
    if (text.size() <= kShortLabel)
        return false;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (text[i] != u'\'')
            return false;
    }
    return true;
}

double labelWidth(const QFontMetricsF& metrics, const QString& text) {
    if (!isLetterLabel(text))
        return metrics.horizontalAdvance(text);
    return metrics.horizontalAdvance(text.left(2)) +
           double(text.size() - 2) * metrics.horizontalAdvance(QStringLiteral("'"));
}

} // namespace

int numberBadgeTextSize(const QString& text, double s) {
    // The label shrinks pixel by pixel until it fits the badge: the largest
    // size up to round(16 x S) at which it fits, else 1, found by halving
    // (a label never gets wider at a smaller size).
    const double platz = plakettenKreis(QRect(0, 0, 1, 1), s).width() - 4;
    const auto passt = [&](int groesse) {
        return labelWidth(QFontMetricsF(titleFont(groesse)), text) <= platz;
    };
    int lo = 1; // always taken
    int hi = std::max(1, rnd(16.0 * s));
    if (passt(hi))
        return hi;
    while (hi - lo > 1) {
        const int mitte = lo + (hi - lo) / 2;
        if (passt(mitte))
            lo = mitte;
        else
            hi = mitte;
    }
    return lo;
}

void drawNumberBadge(QPainter& painter, const QRect& card, const QString& text, double s) {
    const QRectF kreis = plakettenKreis(card, s);
    paintEllipse(painter, kreis, colourFromValue(kAbdeckRand), Qt::white);
    const QFont font = titleFont(numberBadgeTextSize(text, s));
    if (!isLetterLabel(text)) {
        drawCentred(painter, kreis.center(), text, font, Qt::white);
        return;
    }
    // A label far wider than the badge: only the apostrophes that can reach
    // the badge's surroundings are drawn, where the whole label would put them.
    const QFontMetricsF metrics(font);
    const double strich = std::max(0.01, metrics.horizontalAdvance(QStringLiteral("'")));
    const double links = kreis.center().x() - labelWidth(metrics, text) / 2;
    const double kopf = metrics.horizontalAdvance(text.left(1));
    const double rand = 2.0 * kreis.width();
    const qsizetype erste = std::clamp<qsizetype>(
        qsizetype((kreis.left() - rand - links - kopf) / strich), 0, text.size() - 1);
    const qsizetype letzte = std::clamp<qsizetype>(
        qsizetype((kreis.right() + rand - links - kopf) / strich) + 1, erste, text.size() - 1);
    const double hoehe = metrics.ascent() + metrics.descent();
    const double y = kreis.center().y() - hoehe / 2 + metrics.ascent();
    painter.setFont(font);
    painter.setPen(QColor(Qt::white));
    painter.drawText(QPointF(links, y), text.left(1));
    painter.drawText(QPointF(links + kopf + double(erste) * strich, y),
                     QString(letzte - erste, u'\''));
}

const QImage& ObjectDrawer::scaledPicture(const QImage& bild, QSize groesse) {
    const PictureKey schluessel{bild.cacheKey(), groesse.width(), groesse.height()};
    if (const QImage* kept = m_bilder.find(schluessel))
        return *kept;
    QImage skaliert = bild.size() == groesse
                          ? bild
                          : bild.scaled(groesse, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (skaliert.format() != QImage::Format_ARGB32_Premultiplied)
        skaliert.convertTo(QImage::Format_ARGB32_Premultiplied);
    const size_t bytes = bildBytes(skaliert);
    if (const QImage* kept = m_bilder.insert(schluessel, skaliert, bytes))
        return *kept;
    // Larger than the whole store: kept only until the next picture.
    m_uebergross = std::move(skaliert);
    return m_uebergross;
}

ObjectDrawer::Card ObjectDrawer::miss(const DrawContext& kontext, ObjDataTyp& o) {
    const double s = kontext.s;
    const QSize grenzen = kartenGrenzen(o, kontext);
    const QPoint punkt = cardPoint(o, kontext.pagePicture);
    Card card;

    const Typ typ = typOf(o);
    if (isPoint(typ) || isButton(typ)) {
        card.art = Card::Art::Punkt;
        // A long title makes a wide point, but never one wider than the page.
        const int seiteKurz =
            std::max(1, std::min(kontext.pagePicture.width(), kontext.pagePicture.height()));
        const int d =
            isNavigationButton(typ)
                ? kartenMindestBreite(s)
                : std::min(pointDiameter(o, s), std::max(seiteKurz, kartenMindestBreite(s)));
        card.rect = placeCard(punkt, QSize(d, d), SideCentred, 0);
        return card;
    }

    const int seite = cardSide(o, kontext.pageAspect);
    const int abstand = rnd(7.0 * s);
    const int pixelGroesse = textPixelGroesse(o.Fsize, s);

    if (!o.Bild.isNull()) {
        card.art = Card::Art::Bild;
        // Pictures are as high as an "X" of the object's size in "Arial".
        int h = lineHeightPx(objektSchrift(QStringLiteral("Arial"), pixelGroesse));
        const double verhaeltnis = double(o.Bild.width()) / o.Bild.height();
        int w = std::max(1, rnd(h * verhaeltnis));
        if (w > grenzen.width()) {
            w = std::max(1, grenzen.width());
            h = std::max(1, rnd(w / verhaeltnis));
        }
        if (h > grenzen.height()) {
            h = std::max(1, grenzen.height());
            w = std::max(1, rnd(h * verhaeltnis));
        }
        const QSize groesse(std::max(w, kartenMindestBreite(s)), h);
        card.rect = placeCard(punkt, groesse, seite, abstand);
        card.bildRect = QRect(card.rect.left() + (groesse.width() - w) / 2, card.rect.top(), w, h);
        return card;
    }

    const int rand = textRand(s);
    card.text = m_texte.setze(o.Cap, kontext.header.Schriftart, pixelGroesse, o.Stil & 15,
                              grenzen.width() - 2 * rand, grenzen.height());
    // A word wider than the room, or a text that stays taller than the room
    // at the smallest size, is cut at the room's edge: no card is larger than
    // its bounds (the page or its table cell).
    QSize groesse = card.text->groesse().boundedTo(grenzen);
    groesse.rwidth() =
        std::max(std::min(groesse.width() + 2 * rand, grenzen.width()), kartenMindestBreite(s));
    if (typ == Typ::ClozeGap) {
        const int luecke = std::clamp(kontext.header.MinLuecke, 0, kMaxMinLuecke);
        const QFontMetricsF metrics(card.text->font());
        groesse.rwidth() =
            std::max(groesse.width(),
                     std::min(grenzen.width(),
                              int(std::ceil(metrics.horizontalAdvance(QString(luecke, u'X'))))));
        groesse.rheight() += 4;
    }
    card.rect = placeCard(punkt, groesse, seite, abstand);
    return card;
}

QRect ObjectDrawer::card(const DrawContext& kontext, ObjDataTyp& objekt) {
    // Measuring must not decide an automatic side for good.
    const int kausrAkt = objekt.KAusrAkt;
    const QRect rect = miss(kontext, objekt).rect;
    objekt.KAusrAkt = kausrAkt;
    return rect;
}

QRect ObjectDrawer::extent(const DrawContext& kontext, ObjDataTyp& objekt) {
    QRect rect = card(kontext, objekt);
    rect |= numberBadgeRect(rect, kontext.s);
    if (kontext.exercise.running)
        rect |= exerciseMarkBox(kontext, objekt);
    return rect.adjusted(-1, -1, 1, 1);
}

QRect ObjectDrawer::contentRect(const DrawContext& kontext, const ObjDataTyp& o, const Card& card,
                                DrawMode art) const {
    if (art == DrawMode::Covered && o.AbfrageNummer >= 1)
        return card.rect | numberBadgeRect(card.rect, kontext.s);
    if (card.art == Card::Art::Punkt)
        return card.rect.adjusted(-1, -1, 1, 1); // the smoothed edge of the ellipse
    return card.rect;
}

QString ObjectDrawer::cardKey(const DrawContext& kontext, const ObjDataTyp& o, const Card& card,
                              DrawMode art) const {
    const QChar trenner(u'\x1f');
    QString schluessel;
    schluessel.reserve(64);
    schluessel += QString::number(card.rect.width()) + trenner +
                  QString::number(card.rect.height()) + trenner +
                  QString::number(kontext.s, 'g', 17) + trenner;
    if (art == DrawMode::Covered) {
        schluessel += u'A';
        if (o.AbfrageNummer >= 1)
            schluessel += numberText(o.AbfrageNummer, kontext.header.NumArt);
        return schluessel;
    }
    const HeaderDataTyp& h = kontext.header;
    if (card.art == Card::Art::Punkt) {
        schluessel += u'P' + QString::number(o.Typ) + trenner + QString::number(o.HFarbe) +
                      trenner + QString::number(o.HDeck) + trenner + QString::number(o.Farbe) +
                      trenner + QString::number(h.FragBtnHtgdCol) + trenner +
                      QString::number(h.FragBtnTextCol);
        for (qint32 wert : o.MCInfoLinkData)
            schluessel += trenner + QString::number(wert);
        schluessel += trenner + o.PktCap + trenner + o.PktCap2;
        return schluessel;
    }
    // The laid-out text stays alive with the finished card, so its address
    // names it uniquely.
    const bool luecke = typOf(o) == Typ::ClozeGap;
    schluessel += u'T' + QString::number(quintptr(card.text.get())) + trenner +
                  QString::number(luecke ? h.LueckentextCol : o.Farbe) + trenner +
                  QString::number(o.HFarbe) + trenner + QString::number(o.HDeck) + trenner +
                  QString::number(o.TAusr) + trenner + QString::number(luecke);
    return schluessel;
}

void ObjectDrawer::drawContent(QPainter& painter, const DrawContext& kontext, const ObjDataTyp& o,
                               const Card& card, DrawMode art) {
    const double s = kontext.s;
    const QRect& rect = card.rect;
    if (art == DrawMode::Covered) {
        drawCover(painter, rect, s);
        if (o.AbfrageNummer >= 1)
            drawNumberBadge(painter, rect, numberText(o.AbfrageNummer, kontext.header.NumArt), s);
        return;
    }

    switch (card.art) {
    case Card::Art::Punkt: {
        const HeaderDataTyp& h = kontext.header;
        const QPointF mitte = QRectF(rect).center();
        const Typ typ = typOf(o);
        if (isNavigationButton(typ)) {
            paintEllipse(painter, rect, colourFromValue(h.FragBtnHtgdCol));
            drawCentred(painter, mitte, knopfSymbol(typ), titleFont(rnd(18.0 * s)),
                        colourFromValue(h.FragBtnTextCol));
        } else if (isButton(typ)) {
            // The info and link points of a question take their colours from it.
            const size_t k = typ == Typ::MCInfoPoint ? 0 : 1;
            const auto& d = o.MCInfoLinkData;
            drawPoint(painter, mitte, rect.width(), o, s,
                      colourFromValue(Farbwert(d[2 + k]), d[4 + k]),
                      colourFromValue(Farbwert(d[k])));
        } else {
            drawPoint(painter, mitte, rect.width(), o, s, colourFromValue(o.HFarbe, o.HDeck),
                      colourFromValue(o.Farbe));
        }
        return;
    }
    case Card::Art::Bild:
        fuelleHintergrund(painter, rect, o);
        painter.save();
        painter.setOpacity(deckungAlpha(o.BildDeck) / 255.0);
        painter.drawImage(card.bildRect.topLeft(), scaledPicture(o.Bild, card.bildRect.size()));
        painter.restore();
        return;
    case Card::Art::Text:
        break;
    }

    fuelleHintergrund(painter, rect, o);
    const bool luecke = typOf(o) == Typ::ClozeGap;
    painter.setPen(colourFromValue(luecke ? kontext.header.LueckentextCol : o.Farbe));
    const int rand = textRand(s);
    const int luft = luecke ? 2 : 0;
    card.text->draw(painter, rect.adjusted(rand, luft, -rand, -luft), o.TAusr);
}

QRect ObjectDrawer::drawCard(QPainter& painter, const DrawContext& kontext, ObjDataTyp& o,
                             const Card& card, DrawMode art) {
    rememberCard(o, card.rect, kontext.pagePicture);
    const QRect bereich = contentRect(kontext, o, card, art);

    // Pictures are copied anyway; vector targets (printers, metafiles) get
    // real text and shapes rather than copies of finished pixels.
    const bool alsFertigeKarte =
        (card.art != Card::Art::Bild || art == DrawMode::Covered) && painter.device() &&
        painter.device()->devType() == QInternal::Image && painter.worldTransform().isIdentity();
    if (!alsFertigeKarte) {
        drawContent(painter, kontext, o, card, art);
        return bereich;
    }

    const QString schluessel = cardKey(kontext, o, card, art);
    if (const FinishedCard* kept = m_fertigeKarten.find(schluessel)) {
        painter.drawImage(card.rect.topLeft() + kept->versatz, kept->bild);
        return bereich;
    }
    FinishedCard fertig{QImage(bereich.size(), QImage::Format_ARGB32_Premultiplied),
                        bereich.topLeft() - card.rect.topLeft(), card.text};
    if (fertig.bild.isNull()) {
        // No memory for a copy: draw the card straight onto the page.
        drawContent(painter, kontext, o, card, art);
        return bereich;
    }
    fertig.bild.fill(Qt::transparent);
    QPainter kartenMaler(&fertig.bild);
    kartenMaler.translate(-bereich.topLeft());
    drawContent(kartenMaler, kontext, o, card, art);
    kartenMaler.end();
    painter.drawImage(card.rect.topLeft() + fertig.versatz, fertig.bild);
    const size_t bytes = bildBytes(fertig.bild) + size_t(schluessel.size()) * 2;
    m_fertigeKarten.insert(schluessel, std::move(fertig), bytes);
    return bereich;
}

QRect ObjectDrawer::draw(QPainter& painter, const DrawContext& kontext, ObjDataTyp& objekt,
                         DrawMode art, bool currentTarget) {
    if (!hasFinitePosition(objekt))
        return QRect();
    if (art != DrawMode::TargetOnly && objekt.Sline == 1)
        drawTargetLine(painter, objekt, kontext.pagePicture);
    if (showsExerciseMark(kontext, objekt, art))
        return drawExerciseMark(painter, kontext, objekt, currentTarget);
    return drawCard(painter, kontext, objekt, miss(kontext, objekt), art);
}

QRect ObjectDrawer::draw(QImage& ziel, const DrawContext& kontext, ObjDataTyp& objekt, DrawMode art,
                         bool currentTarget) {
    QPainter painter(&ziel);
    return draw(painter, kontext, objekt, art, currentTarget);
}

void ObjectDrawer::clear() {
    m_texte.clear();
    m_bilder.clear();
    m_uebergross = QImage();
    m_fertigeKarten.clear();
}

DrawContext DrawContext::forPage(const HeaderDataTyp& header, QSize pagePicture,
                                 double pageAspect) {
    const int w = std::max(1, pagePicture.width());
    const int h = std::max(1, pagePicture.height());
    return DrawContext{
        header, pagePicture, w / kDesignBreite, pageAspect > 0 ? pageAspect : double(w) / h, {}};
}

} // namespace quorvel
