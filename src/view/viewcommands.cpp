#include "viewcommands.h"

#include "document.h"
#include "randomgenerator.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace quorvel {

namespace {

bool istImmerTreffbar(int typ)
{
    switch (typ) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
    case 12: case 13: case 14: case 15: case 16:
    case 32: case 33: case 34: case 41: case 43: case 60:
        return true;
    default:
        return false;
    }
}

bool istFragengebunden(int typ)
{
    return typ == 10 || typ == 24 || typ == 28 || typ == 29;
}

bool enthaelt(const RandRect& r, QPointF p)
{
    return p.x() >= r.left && p.x() <= r.right && p.y() >= r.top && p.y() <= r.bottom;
}

} // namespace

bool isHitCandidate(const ObjDataTyp& o, const std::array<bool, 4>& layers, int currentQuestion)
{
    bool typPasst = istImmerTreffbar(o.Typ);
    if (o.Typ == 51 || o.Typ == 53)
        typPasst = o.Aktiv;
    else if (istFragengebunden(o.Typ))
        typPasst = o.FrageNummer == currentQuestion;
    if (!typPasst)
        return false;
    // Objects outside the known layers are always shown, so always hittable.
    if (o.Ebene < 0 || o.Ebene >= int(layers.size()))
        return true;
    return layers[size_t(o.Ebene)];
}

int hitObject(const Document& d, const std::array<bool, 4>& layers, int currentQuestion,
                  QPointF p)
{
    const auto& objekte = d.objects;
    std::vector<int> reihenfolge(objekte.size());
    std::iota(reihenfolge.begin(), reihenfolge.end(), 0);
    // Topmost first: larger ZIndex, and within one ZIndex the later entry.
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) {
        const int za = objekte[size_t(a)].ZIndex, zb = objekte[size_t(b)].ZIndex;
        return za != zb ? za > zb : a > b;
    });
    for (int i : reihenfolge) {
        const ObjDataTyp& o = objekte[size_t(i)];
        if (isHitCandidate(o, layers, currentQuestion) && enthaelt(o.KartRect, p))
            return i;
    }
    return -1;
}

ClickEffect clickEffect(int typ)
{
    switch (typ) {
    case 0: case 3: case 6: case 10: case 24: case 32: case 34: case 41: case 43:
    case 51: case 53: case 60:
        return ClickEffect::Toggle;
    case 2: case 4: case 5: case 8: case 28: case 29: case 33:
        return ClickEffect::OpenPoint;
    case 12: case 13: case 14: case 15: case 16:
        return ClickEffect::ChangeQuestion;
    default:
        return ClickEffect::Nothing;
    }
}

void toggleCover(ObjDataTyp& o)
{
    o.AbfrageStatus = o.AbfrageStatus == -1 ? 0 : -1;
}

void coverAll(Document& d)
{
    for (ObjDataTyp& o : d.objects)
        o.AbfrageStatus = -1;
}

void uncoverAll(Document& d)
{
    for (ObjDataTyp& o : d.objects)
        o.AbfrageStatus = 0;
}

int zoomLevelUp(int stufe)
{
    return stufe <= 3 ? std::min(stufe + 2, 4) : stufe;
}

int zoomLevelDown(int stufe)
{
    return stufe > 0 ? std::max(stufe - 2, 0) : stufe;
}

int newQuestion(int buttonTyp, int aktuell, int anzahl, RandomGenerator& random)
{
    if (anzahl < 1)
        return aktuell;
    switch (buttonTyp) {
    case 12: return std::clamp(aktuell - 1, 1, anzahl);
    case 13: return std::clamp(aktuell + 1, 1, anzahl);
    case 14: return 1;
    case 15: return anzahl;
    case 16: {
        if (anzahl == 1)
            return 1;
        int neu = aktuell;
        while (neu == aktuell)
            neu = random.bounded(anzahl) + 1;
        return neu;
    }
    default: return aktuell;
    }
}

QPointF scrollStep(const QRectF& a, ScrollDirection richtung)
{
    switch (richtung) {
    case ScrollDirection::Left: return {-a.width() / 10.0, 0.0};
    case ScrollDirection::Right: return {a.width() / 10.0, 0.0};
    case ScrollDirection::Up: return {0.0, -a.height() / 10.0};
    case ScrollDirection::Down: return {0.0, a.height() / 10.0};
    }
    return {};
}

} // namespace quorvel
