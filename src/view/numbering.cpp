#include "numbering.h"

#include "document.h"
#include "randomgenerator.h"

#include <QCollator>
#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <utility>

namespace quorvel {

namespace {

// Orders `liste` exactly as a selection sort that always swaps the first
// smallest remaining element into place: its (unstable) order for equal keys
// is part of what users see. `rang` gives each element's key as a dense rank
// (equal keys, equal ranks). A tree of minima over the positions finds each
// step's first smallest element in O(log n), so thousands of fields sort in
// O(n log n) instead of O(n^2).
void auswahlSortieren(std::vector<int>& liste, const std::vector<int>& rang) {
    const size_t n = liste.size();
    if (n < 2)
        return;
    size_t breite = 1;
    while (breite < n)
        breite *= 2;
    // Leaf p holds the position p; a node holds the position of its range's
    // first smallest rank, or n for none.
    std::vector<size_t> baum(2 * breite, n);
    const auto besser = [&](size_t a, size_t b) {
        if (a == n || b == n)
            return a == n ? b : a;
        const int ra = rang[size_t(liste[a])];
        const int rb = rang[size_t(liste[b])];
        return rb < ra ? b : a; // ties: the earlier position
    };
    const auto setze = [&](size_t position, size_t wert) {
        size_t k = breite + position;
        baum[k] = wert;
        for (k /= 2; k >= 1; k /= 2)
            baum[k] = besser(baum[2 * k], baum[2 * k + 1]);
    };
    for (size_t p = 0; p < n; ++p)
        baum[breite + p] = p;
    for (size_t k = breite - 1; k >= 1; --k)
        baum[k] = besser(baum[2 * k], baum[2 * k + 1]);

    for (size_t i = 0; i + 1 < n; ++i) {
        const size_t kleinster = baum[1];
        std::swap(liste[i], liste[kleinster]);
        // Position i is placed for good; the swapped element moved to kleinster.
        setze(i, n);
        if (kleinster != i)
            setze(kleinster, kleinster);
    }
}

// Dense ranks of the objects in `liste` under `kleiner`, a strict weak order.
template <typename Less>
std::vector<int> raenge(const std::vector<int>& liste, size_t objektAnzahl, Less kleiner) {
    std::vector<int> sortiert = liste;
    std::sort(sortiert.begin(), sortiert.end(), kleiner);
    std::vector<int> rang(objektAnzahl, 0);
    int r = 0;
    for (size_t k = 0; k < sortiert.size(); ++k) {
        if (k > 0 && kleiner(sortiert[k - 1], sortiert[k]))
            ++r;
        rang[size_t(sortiert[k])] = r;
    }
    return rang;
}

// Positions as a total order: a NaN from a file sorts after every number.
bool vorPosition(double a, double b) {
    if (std::isnan(a))
        return false;
    return std::isnan(b) || a < b;
}

bool gleichePosition(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

void ordne(const Document& document, std::vector<int>& liste) {
    const auto& objekte = document.objects;
    if (document.header.GeordnetArt == 1) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        auswahlSortieren(liste, raenge(liste, objekte.size(), [&](int a, int b) {
                             return collator.compare(objekte[size_t(a)].Cap,
                                                     objekte[size_t(b)].Cap) < 0;
                         }));
    } else {
        auswahlSortieren(liste, raenge(liste, objekte.size(), [&](int a, int b) {
                             const ObjDataTyp& oa = objekte[size_t(a)];
                             const ObjDataTyp& ob = objekte[size_t(b)];
                             return vorPosition(oa.Ky, ob.Ky) ||
                                    (gleichePosition(oa.Ky, ob.Ky) && vorPosition(oa.Kx, ob.Kx));
                         }));
    }
}

// Every position swapped with a random one of the whole list. This is not a
// uniform shuffle, but it is the order the program has always produced.
void mische(std::vector<int>& liste, RandomGenerator& random) {
    const int n = int(liste.size());
    for (int i = 0; i < n; ++i)
        std::swap(liste[size_t(i)], liste[size_t(random.bounded(n))]);
}

// Multiple-choice answers count within their question: 1..k in list order, or a
// random permutation of 1..k.
void nummeriereAntworten(Document& document, const std::vector<int>& kandidaten, bool zufaellig,
                         RandomGenerator& random) {
    std::map<int, std::vector<int>> proFrage;
    for (int index : kandidaten) {
        const ObjDataTyp& o = document.objects[size_t(index)];
        if (numberStyle(typOf(o)) == NumberStyle::WithinQuestion)
            proFrage[o.FrageNummer].push_back(index);
    }
    for (auto& [frage, antworten] : proFrage) {
        std::vector<int> nummern(antworten.size());
        std::iota(nummern.begin(), nummern.end(), 1);
        if (zufaellig) {
            for (int i = int(nummern.size()) - 1; i > 0; --i)
                std::swap(nummern[size_t(i)], nummern[size_t(random.bounded(i + 1))]);
        }
        for (size_t k = 0; k < antworten.size(); ++k)
            document.objects[size_t(antworten[k])].AbfrageNummer = nummern[k];
    }
}

} // namespace

QString numberText(int nummer, int numArt) {
    if (nummer < 1)
        return QStringLiteral("?");
    if (numArt != 1)
        return QString::number(nummer);
    QString text(QChar(u'A' + (nummer - 1) % 26));
    text += QString((nummer - 1) / 26, u'\'');
    return text;
}

std::vector<int> numberingCandidates(const Document& document) {
    std::vector<int> kandidaten;
    const DokTyp dokTyp = dokTypOf(document.header);
    for (size_t i = 0; i < document.objects.size(); ++i) {
        const ObjDataTyp& o = document.objects[i];
        const Typ typ = typOf(o);
        if (isNumberedIn(dokTyp, typ) && (!isActiveOnly(typ) || o.Aktiv))
            kandidaten.push_back(int(i));
    }
    return kandidaten;
}

void numberQueryFields(Document& document, int modus, RandomGenerator& random) {
    std::vector<int> liste = numberingCandidates(document);
    // Multiple-choice answers keep list order: they are numbered per question.
    if (dokTypOf(document.header) != DokTyp::MultipleChoice) {
        if (modus == NumberingOrdered)
            ordne(document, liste);
        else if (modus == NumberingRandom)
            mische(liste, random);
    }

    for (size_t p = 1; p <= liste.size(); ++p) {
        ObjDataTyp& o = document.objects[size_t(liste[p - 1])];
        switch (numberStyle(typOf(o))) {
        case NumberStyle::Position:
            o.AbfrageNummer = modus == NumberingQuestionMarks ? 0 : int(p);
            break;
        case NumberStyle::QuestionMark:
            o.AbfrageNummer = 0;
            break;
        case NumberStyle::WithinQuestion:
            break; // below
        case NumberStyle::None:
            o.AbfrageNummer = -1;
            o.AbfrageStatus = 0;
            break;
        }
    }
    nummeriereAntworten(document, liste, modus == NumberingRandom, random);

    for (ObjDataTyp& o : document.objects) {
        if (!isQueryField(typOf(o)))
            o.AbfrageStatus = 0;
    }
}

void coverAndNumber(Document& document, int modus, RandomGenerator& random) {
    for (ObjDataTyp& o : document.objects)
        o.AbfrageStatus = -1;
    numberQueryFields(document, modus, random);
}

} // namespace quorvel
