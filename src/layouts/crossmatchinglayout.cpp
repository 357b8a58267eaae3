// SPDX-License-Identifier: GPL-3.0-or-later
#include "crossmatchinglayout.h"

#include "clozelayout.h"
#include "clozelines.h"
#include "document.h"
#include "layoutset.h"
#include "randomgenerator.h"
#include "rounding.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr int kLayer = 1;
constexpr int kCardLeft = 3;
constexpr int kCardRight = 1;
constexpr int kCardCentred = 5;
constexpr int kTextRight = 2;
constexpr int kTextLeft = 0;
constexpr int kTextCentred = 1;
constexpr int kMatchingLine = 5;
constexpr int kMinCaption = 4;
// Passes of a shuffle before it gives up: with two or more query rows a pass
// leaves every row moved with a good chance, so this bound is never met in
// practice, but it keeps a degenerate table from spinning forever.
constexpr int kMaxShufflePasses = 10000;

bool isQuery(Typ typ) {
    return typ == Typ::MatchingQueryText || typ == Typ::MatchingQueryPicture;
}

bool isPictureKind(int art) {
    return art == 2 || art == 3;
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
        const int art = std::clamp(cell.Art, 0, 3);
        const bool picture = isPictureKind(art);
        QString cap;
        if (!picture) {
            cap = cell.Text;
            if (cap.size() < kMinCaption)
                cap += QString(kMinCaption - cap.size(), u' ');
        }
        const int index = m_document.addGeneratedObject(
            static_cast<Typ>(codeOf(Typ::MatchingText) + art), kLayer, cap, -1,
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

void shuffleThreeColumns(Document& document, const std::vector<int>& numbered,
                         RandomGenerator& random) {
    const int c = int(numbered.size());
    const int m = c / 2;
    if (m < 1)
        return;
    const int rows = std::clamp(document.header.LueckenTabelleZeilen, 1, kGapTableMaxRows);
    for (int pass = 0; pass < kMaxShufflePasses; ++pass) {
        for (int j = 1; j <= m; ++j) {
            const int a = numbered[size_t(j - 1)];
            const int b = numbered[size_t(random.bounded(m))];
            if (a < 0 || b < 0)
                continue;
            swapField(document, a, b, &ObjDataTyp::Ky);
            swapField(document, a + 2 * rows - 1, b + 2 * rows - 1, &ObjDataTyp::Ky);
            swapField(document, a + 2 * rows, b + 2 * rows, &ObjDataTyp::Ky);
            swapField(document, a + 2 * rows, b + 2 * rows, &ObjDataTyp::Sy);
        }
        if (m == 1 || inOwnRow(document, numbered, 0, size_t(m)) == 0)
            break;
    }
    for (int pass = 0; pass < kMaxShufflePasses; ++pass) {
        for (int k = m + 1; k <= c; ++k)
            swapField(document, numbered[size_t(k - 1)],
                      numbered[size_t(std::min(c - 1, m + random.bounded(m)))], &ObjDataTyp::Ky);
        if (m == 1 || inOwnRow(document, numbered, size_t(m), size_t(c)) == 0)
            return;
    }
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
        shuffleThreeColumns(document, numbered, random);
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
