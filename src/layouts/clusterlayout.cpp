// SPDX-License-Identifier: GPL-3.0-or-later
#include "clusterlayout.h"

#include "clozelayout.h"
#include "clozelines.h"
#include "colorconversion.h"
#include "document.h"
#include "layoutset.h"
#include "pointshape.h"
#include "randomgenerator.h"
#include "rounding.h"

#include <QPainter>
#include <algorithm>
#include <memory>

namespace quorvel {

namespace {

constexpr int kLayer = 1;
constexpr int kCentred = codeOf(CardSide::Centred);
constexpr int kTextCentred = codeOf(TextAlignment::Centred);
constexpr int kCaptionLetters = 20;
constexpr ColourValue kHelpFill = 0xE8ECEC;

bool isCard(Typ typ) {
    const int code = codeOf(typ);
    return code >= codeOf(Typ::ClusterText) && code <= codeOf(Typ::ClusterQueryPicture);
}

const QString kRandomSuffix = QStringLiteral(" (Zufallskennung für Bild)");

// A caption an earlier build wrote into the cell: kept, so that reading and
// saving a document again does not change it.
bool isRandomCaption(const QString& text) {
    if (text.size() != kCaptionLetters + kRandomSuffix.size() || !text.endsWith(kRandomSuffix))
        return false;
    return std::all_of(text.begin(), text.begin() + kCaptionLetters,
                       [](QChar ch) { return ch >= u'a' && ch <= u'z'; });
}

QString randomCaption(RandomGenerator& random) {
    QString caption;
    caption.reserve(kCaptionLetters);
    for (int i = 0; i < kCaptionLetters; ++i)
        caption += QChar(u'a' + random.bounded(26));
    return caption + kRandomSuffix;
}

// The basket columns on the page, in pixels.
struct Baskets {
    int columns = 1, rows = 1, left = 0, top = 0, cw = 0;

    Baskets(const HeaderDataTyp& h, QSize page, const PageRect& m) {
        columns = std::clamp(h.LueckenTabelleSpalten, 1, kGapTableMaxColumns);
        rows = std::clamp(h.LueckenTabelleZeilen, 1, kGapTableMaxRows);
        left = rnd(page.width() * m.left);
        top = rnd(page.height() * m.top);
        cw = rnd((1.0 - m.right - m.left) * page.width() / columns);
    }
};

} // namespace

QString clusterCellCaption(const lueckentabellearrtyp& cell) {
    if (cell.Art == codeOf(CardCellKind::QueryPicture) && !cell.BildKenn.isEmpty())
        return cell.BildKenn + QStringLiteral(" (Bildkennung)");
    return cell.Text;
}

int clusterScaledSize(int size, double factor) {
    return rnd(((2.0 * size + 22.0) * factor - 22.0) / 2.0);
}

double clusterFactor(int columns) {
    return 1.0 - (columns - 2) * 0.1;
}

int clusterHelpRadius(int width, int rows) {
    return rnd(width / 870.0 * 18.0 * (1.0 - rows / 50.0));
}

void layOutCluster(Document& document, QSize page, bool build, RandomGenerator& random) {
    HeaderDataTyp& h = document.header;
    if (dokTypOf(h) != DokTyp::Cluster || !build)
        return;
    std::erase_if(document.objects, [](const ObjDataTyp& o) { return isCard(typOf(o)); });

    const double w = std::max(1, page.width());
    const double hgt = std::max(1, page.height());
    const PageRect m = boundedIndent(h.EinrueckRand);
    const Baskets b(h, QSize(int(w), int(hgt)), m);
    const int head = rnd(hgt * 0.05);
    const int rh = rnd(((1.0 - m.top - m.bottom) * hgt - head) / b.rows);
    const double f = clusterFactor(b.columns);

    int q = 0;
    for (int r = 0; r < b.rows; ++r) {
        for (int c = 0; c < b.columns; ++c) {
            lueckentabellearrtyp& cell = h.LueckenTabelle[size_t(r)][size_t(c)];
            const double x = (b.left + c * b.cw + b.cw * 0.5) / w;
            const double y = ((r + 0.5) * rh + b.top + head) / hgt;
            const CardCellKind kind = cardCellKindOf(cell);
            const Typ typ = static_cast<Typ>(codeOf(Typ::ClusterText) + codeOf(kind));
            int index = -1;
            if (isPicture(kind)) {
                QString cap;
                if (kind == CardCellKind::QueryPicture) {
                    if (!cell.BildKenn.isEmpty()) {
                        cap = clusterCellCaption(cell);
                    } else if (isRandomCaption(cell.Text)) {
                        cap = cell.Text;
                    } else {
                        cap = randomCaption(random);
                        cell.Text = cap;
                    }
                }
                index = document.addGeneratedObject(typ, kLayer, cap, -1, x, y, kCentred,
                                                    clusterScaledSize(cell.Fsize, f));
                ObjDataTyp& o = document.objects[size_t(index)];
                o.Bild = cell.Bild;
                o.BildKenn = cell.BildKenn;
                o.BildkarteAnpassen = cell.BildkarteAnpassen;
            } else if (!cell.Text.trimmed().isEmpty()) {
                index = document.addGeneratedObject(typ, kLayer, cell.Text, -1, x, y, kCentred,
                                                    clusterScaledSize(0, f));
                document.objects[size_t(index)].TAusr = kTextCentred;
            }
            if (index < 0)
                continue;
            ObjDataTyp& o = document.objects[size_t(index)];
            o.WidthLimit = 0.95 * b.cw / w;
            o.HeightLimit = 0.85 * rh / hgt;
            if (isQuery(kind)) {
                o.FrageNummer = ++q;
                o.CellRow = r;
                o.CellColumn = c;
                cell.ObjIndex = index;
                cell.AnswerState = -1;
            }
        }
    }
}

void drawClusterBaskets(const Document& document, QSize page, QPainter& canvas,
                        bool exerciseRunning) {
    const HeaderDataTyp& h = document.header;
    if (dokTypOf(h) != DokTyp::Cluster)
        return;
    const PageRect m = boundedIndent(h.EinrueckRand);
    const Baskets b(h, page, m);
    const int bottom = rnd((1.0 - m.bottom) * page.height());
    canvas.save();
    for (int i = 0; i < b.columns; ++i) {
        const ColumnBackground& bg = h.LueckentabelleSpaltenHtgd[size_t(i)];
        canvas.fillRect(QRect(b.left + i * b.cw, b.top, b.cw, bottom + 1 - b.top),
                        colourFromValue(bg.colour, bg.opacity));
    }
    if (h.LueckenTabelleLinie == 1) {
        canvas.setPen(QPen(colourFromValue(h.LueckenTabelleLinieCol), 1));
        for (int g = 1; g < b.columns; ++g)
            canvas.drawLine(b.left + g * b.cw, b.top, b.left + g * b.cw, bottom);
    }
    if (exerciseRunning) {
        const double u = page.width() / 870.0;
        const int rr = clusterHelpRadius(page.width(), b.rows);
        const QFont font = titleFont(rnd(u * 20.0));
        for (int c = 0; c < b.columns; ++c) {
            const QPointF centre(b.left + rnd(b.cw * (c + 0.5)), rnd(b.top + rr * 1.4));
            paintEllipse(canvas, QRectF(centre.x() - rr, centre.y() - rr, 2.0 * rr, 2.0 * rr),
                         colourFromValue(kHelpFill), QColor(96, 96, 96));
            drawCentred(canvas, centre, QStringLiteral("?"), font, Qt::red);
        }
    }
    canvas.restore();
}

int clusterBasketCount(const Document& document) {
    if (dokTypOf(document.header) != DokTyp::Cluster)
        return 0;
    return std::clamp(document.header.LueckenTabelleSpalten, 1, kGapTableMaxColumns);
}

QRect clusterBasketRect(const Document& document, QSize page, int basket) {
    if (basket < 1 || basket > clusterBasketCount(document))
        return {};
    const PageRect m = boundedIndent(document.header.EinrueckRand);
    const Baskets b(document.header, page, m);
    const int bottom = rnd((1.0 - m.bottom) * page.height());
    return QRect(b.left + (basket - 1) * b.cw, b.top, b.cw, bottom + 1 - b.top);
}

int clusterBasketAt(const Document& document, QSize page, QPoint point) {
    for (int basket = 1; basket <= clusterBasketCount(document); ++basket) {
        if (clusterBasketRect(document, page, basket).contains(point))
            return basket;
    }
    return 0;
}

void addClusterLayout(LayoutSet& layouts) {
    auto random = std::make_shared<RandomGenerator>();
    layouts.setGenerator(DokTyp::Cluster, [random](Document& document) {
        layOutCluster(document, clozeDesignPage(document), true, *random);
    });
    layouts.setHook(DokTyp::Cluster, LayoutPhase::Background, [](LayoutHookContext& context) {
        drawClusterBaskets(context.document, context.size, context.painter,
                           context.exercise.running);
    });
}

} // namespace quorvel
