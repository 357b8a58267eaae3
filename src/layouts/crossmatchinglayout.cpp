// SPDX-License-Identifier: GPL-3.0-or-later
#include "crossmatchinglayout.h"

#include "clozelayout.h"
#include "clozelines.h"
#include "document.h"
#include "layoutset.h"
#include "randomgenerator.h"
#include "rounding.h"

#include <algorithm>
#include <map>
#include <vector>

namespace quorvel {

namespace {

constexpr int kLayer = 1;
constexpr int kCardLeft = codeOf(CardSide::Left);
constexpr int kCardRight = codeOf(CardSide::Right);
constexpr int kCardCentred = codeOf(CardSide::Centred);
constexpr int kTextRight = codeOf(TextAlignment::Right);
constexpr int kTextLeft = codeOf(TextAlignment::Left);
constexpr int kTextCentred = codeOf(TextAlignment::Centred);
constexpr int kMatchingLine = 5;
constexpr int kMinCaption = 4;
// Passes of a shuffle before it gives up: with two or more query rows a pass
// leaves every row moved with a good chance, so this bound is never met in
// practice, but it keeps a degenerate table from spinning forever.
constexpr int kMaxShufflePasses = 10000;

bool isQuery(Typ typ) {
    return typ == Typ::MatchingQueryText || typ == Typ::MatchingQueryPicture;
}

struct Placement {
    double x = 0.0; // pixels
    int kausr = 0;
    int tausr = 0;
};

class Builder {
public:
    Builder(Document& document, QSize page) : m_document(document), m_page(page) {
        const HeaderDataTyp& h = document.header;
        const PageRect m = boundedIndent(h.EinrueckRand);
        const double w = page.width();
        m_left = rnd(w * m.left);
        m_top = rnd(page.height() * m.top);
        m_columns = h.LueckenTabelleSpalten >= 3 ? 3 : 2;
        m_rows = std::clamp(h.LueckenTabelleZeilen, 1, kGapTableMaxRows);
        m_cw = m_columns == 2 ? rnd((1.0 - m.right - m.left) * w * 0.5)
                              : rnd((1.0 - m.right - m.left) * w / 3.3);
        m_q = rnd(m_cw * 0.25);
        m_rh = rnd((1.0 - m.top - m.bottom) * page.height() / m_rows);
    }

    void build() {
        const QString first = QStringLiteral("Paar#");
        const bool three = m_columns == 3;
        for (int r = 0; r < m_rows; ++r) {
            pair(r, first, {0, {double(m_left + m_cw - m_q), kCardLeft, kTextRight}},
                 {1, three ? Placement{double(m_left + m_cw + m_q + rnd((m_cw - m_q) * 0.5)),
                                       kCardCentred, kTextCentred}
                           : Placement{double(m_left + m_cw + m_q), kCardRight, kTextLeft}});
        }
        if (!three)
            return;
        const int b = m_left + rnd(m_cw * 2.3);
        for (int r = 0; r < m_rows; ++r) {
            const int middle =
                pair(r, QStringLiteral("Paar2#"), {1, {double(b - m_q), kCardLeft, kTextRight}},
                     {2, {double(b + m_q), kCardRight, kTextLeft}});
            // The middle item is drawn once, by its first element.
            m_document.objects[size_t(middle)].Aktiv = false;
        }
    }

private:
    struct Side {
        int column;
        Placement place;
    };

    // Makes the two elements of row `r`'s pairing; returns the left one's index.
    int pair(int r, const QString& keyPrefix, const Side& leftSide, const Side& rightSide) {
        const double y = ((r + 0.5) * m_rh + m_top) / m_page.height();
        const QString key = keyPrefix + QString::number(r + 1);
        const int left = element(r, leftSide, y, key);
        const int right = element(r, rightSide, y, key);
        ObjDataTyp& l = m_document.objects[size_t(left)];
        ObjDataTyp& o = m_document.objects[size_t(right)];
        l.Partner = right;
        o.Partner = left;
        o.Sline = kMatchingLine;
        o.LinieDicke = 2;
        o.LinieFarbe = m_document.header.LueckenTabelleLinieCol;
        o.Sx = o.Kx - 2.0 * m_q / m_page.width();
        o.Sy = o.Ky;
        if (isQuery(typOf(o)))
            o.FrageNummer = ++m_queries;
        return left;
    }

    int element(int r, const Side& side, double y, const QString& key) {
        const lueckentabellearrtyp& cell =
            m_document.header.LueckenTabelle[size_t(r)][size_t(side.column)];
        const CardCellKind kind = cardCellKindOf(cell);
        const bool picture = isPicture(kind);
        QString cap;
        if (!picture) {
            cap = cell.Text;
            if (cap.size() < kMinCaption)
                cap += QString(kMinCaption - cap.size(), u' ');
        }
        const int index = m_document.addGeneratedObject(
            static_cast<Typ>(codeOf(Typ::MatchingText) + codeOf(kind)), kLayer, cap, -1,
            side.place.x / m_page.width(), y, side.place.kausr, picture ? cell.Fsize : 0);
        ObjDataTyp& o = m_document.objects[size_t(index)];
        if (picture)
            o.Bild = cell.Bild;
        o.TAusr = side.place.tausr;
        o.BildKenn = key;
        o.WidthLimit = double(m_cw - m_q) / m_page.width();
        o.HeightLimit = 0.85 * m_rh / m_page.height();
        return index;
    }

    Document& m_document;
    QSize m_page;
    int m_left = 0, m_top = 0, m_columns = 2, m_rows = 1, m_cw = 0, m_q = 0, m_rh = 0;
    int m_queries = 0;
};

// The query elements by their number (index n - 1 holds number n).
std::vector<int> queriesByNumber(const Document& document) {
    std::vector<int> numbered;
    const auto& objects = document.objects;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        if (!isQuery(typOf(o)) || o.FrageNummer < 1 || o.FrageNummer > int(objects.size()))
            continue;
        if (numbered.size() < size_t(o.FrageNummer))
            numbered.resize(size_t(o.FrageNummer), -1);
        numbered[size_t(o.FrageNummer - 1)] = int(i);
    }
    return numbered;
}

int inOwnRow(const Document& document, const std::vector<int>& numbered, size_t from, size_t to) {
    int count = 0;
    for (size_t n = from; n < to && n < numbered.size(); ++n) {
        if (numbered[n] >= 0) {
            const ObjDataTyp& o = document.objects[size_t(numbered[n])];
            count += o.Ky == o.Sy ? 1 : 0;
        }
    }
    return count;
}

void swapField(Document& document, int a, int b, double ObjDataTyp::*field) {
    auto& objects = document.objects;
    if (a < 0 || b < 0 || size_t(a) >= objects.size() || size_t(b) >= objects.size())
        return;
    std::swap(objects[size_t(a)].*field, objects[size_t(b)].*field);
}

void shuffleTwoColumns(Document& document, const std::vector<int>& numbered,
                       RandomGenerator& random) {
    const int c = int(numbered.size());
    for (int pass = 0; pass < kMaxShufflePasses; ++pass) {
        for (int j = 1; j <= c; ++j)
            swapField(document, numbered[size_t(j - 1)], numbered[size_t(random.bounded(c))],
                      &ObjDataTyp::Ky);
        if (c == 1 || inOwnRow(document, numbered, 0, size_t(c)) == 0)
            return;
    }
}

// Gives each card of `cards` one of `places` (distinct ys, as many as
// cards) at random, never the one `forbidden` names for it (distinct too).
// A single card keeps its place: it cannot leave its row.
void dealAvoiding(std::vector<double>& places, const std::vector<double>& forbidden,
                  RandomGenerator& random) {
    const int n = int(places.size());
    if (n < 2)
        return;
    for (int i = n - 1; i > 0; --i)
        std::swap(places[size_t(i)], places[size_t(random.bounded(i + 1))]);
    // A card on its forbidden place trades with any other: it leaves that
    // place, and the other cannot get its own forbidden place, which differs.
    for (int i = 0; i < n; ++i) {
        if (places[size_t(i)] != forbidden[size_t(i)])
            continue;
        const int other = (i + 1 + random.bounded(n - 1)) % n;
        std::swap(places[size_t(i)], places[size_t(other)]);
    }
}

// The elements of one row of a three-column table.
struct MatchingRow {
    int middle = -1; // the middle item (right partner of the first pairing)
    int hidden = -1; // its second element (left partner of the second pairing)
    int right = -1;  // the right-hand item
};

// The complete rows of a three-column table, found by their pair keys.
std::vector<MatchingRow> threeColumnRows(const Document& document) {
    const QString first = QStringLiteral("Paar#");
    const QString second = QStringLiteral("Paar2#");
    std::map<int, MatchingRow> rows;
    const auto& objects = document.objects;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        if (!isMatchingElement(typOf(o)))
            continue;
        const bool secondPairing = o.BildKenn.startsWith(second);
        if (!secondPairing && !o.BildKenn.startsWith(first))
            continue;
        bool ok = false;
        const int r = o.BildKenn.mid(secondPairing ? second.size() : first.size()).toInt(&ok);
        if (!ok)
            continue;
        // The right partner of a pairing is made after its left partner.
        const bool rightPartner = o.Partner >= 0 && o.Partner < int(i);
        MatchingRow& row = rows[r];
        if (secondPairing)
            (rightPartner ? row.right : row.hidden) = int(i);
        else if (rightPartner)
            row.middle = int(i);
    }
    std::vector<MatchingRow> complete;
    for (const auto& [r, row] : rows) {
        if (row.middle >= 0 && row.hidden >= 0 && row.right >= 0)
            complete.push_back(row);
    }
    return complete;
}

// The middle items that are queries trade rows, each with its second element,
// so that none stays in its own row; every right-hand item's target point
// follows its middle item. Then the right-hand queries trade rows so that none
// stands beside its middle item. Static items keep their rows.
void shuffleThreeColumns(Document& document, RandomGenerator& random) {
    auto& objects = document.objects;
    const std::vector<MatchingRow> rows = threeColumnRows(document);

    std::vector<const MatchingRow*> middles;
    std::vector<double> places, forbidden;
    for (const MatchingRow& row : rows) {
        if (isQuery(typOf(objects[size_t(row.middle)]))) {
            middles.push_back(&row);
            places.push_back(objects[size_t(row.middle)].Ky);
        }
    }
    forbidden = places;
    dealAvoiding(places, forbidden, random);
    for (size_t i = 0; i < middles.size(); ++i) {
        objects[size_t(middles[i]->middle)].Ky = places[i];
        objects[size_t(middles[i]->hidden)].Ky = places[i];
        objects[size_t(middles[i]->right)].Sy = places[i];
    }

    std::vector<int> rights;
    places.clear();
    forbidden.clear();
    for (const MatchingRow& row : rows) {
        const ObjDataTyp& right = objects[size_t(row.right)];
        if (isQuery(typOf(right))) {
            rights.push_back(row.right);
            places.push_back(right.Ky);
            forbidden.push_back(right.Sy);
        }
    }
    dealAvoiding(places, forbidden, random);
    for (size_t i = 0; i < rights.size(); ++i)
        objects[size_t(rights[i])].Ky = places[i];
}

} // namespace

void layOutCrossMatching(Document& document, QSize page, bool build) {
    if (dokTypOf(document.header) != DokTyp::CrossMatching || !build)
        return;
    std::erase_if(document.objects,
                  [](const ObjDataTyp& o) { return isMatchingElement(typOf(o)); });
    Builder(document, QSize(std::max(1, page.width()), std::max(1, page.height()))).build();
}

void shuffleCrossMatching(Document& document, RandomGenerator& random) {
    if (dokTypOf(document.header) != DokTyp::CrossMatching)
        return;
    const std::vector<int> numbered = queriesByNumber(document);
    if (numbered.empty())
        return;
    if (document.header.LueckenTabelleSpalten >= 3)
        shuffleThreeColumns(document, random);
    else
        shuffleTwoColumns(document, numbered, random);
}

void prepareCrossMatching(Document& document, bool exercise, RandomGenerator& random) {
    layOutCrossMatching(document, clozeDesignPage(document), true);
    if (exercise)
        shuffleCrossMatching(document, random);
}

void addCrossMatchingLayout(LayoutSet& layouts) {
    layouts.setGenerator(DokTyp::CrossMatching, [](Document& document) {
        layOutCrossMatching(document, clozeDesignPage(document), true);
    });
}

} // namespace quorvel
