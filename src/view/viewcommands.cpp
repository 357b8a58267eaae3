// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewcommands.h"

#include "document.h"
#include "randomgenerator.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace quorvel {

namespace {

bool contains(const PageRect& r, QPointF p) {
    return p.x() >= r.left && p.x() <= r.right && p.y() >= r.top && p.y() <= r.bottom;
}

} // namespace

bool isHitCandidate(const ObjDataTyp& o, const std::array<bool, 4>& layers, int currentQuestion) {
    const Typ typ = typOf(o);
    if (!isHittable(typ))
        return false;
    if (isActiveOnly(typ) && !o.Aktiv)
        return false;
    if (isQuestionBound(typ) && o.FrageNummer != currentQuestion)
        return false;
    // Objects outside the known layers are always shown, so always hittable.
    if (o.Ebene < 0 || o.Ebene >= int(layers.size()))
        return true;
    return layers[size_t(o.Ebene)];
}

int hitObject(const Document& d, const std::array<bool, 4>& layers, int currentQuestion,
              QPointF p) {
    const auto& objects = d.objects;
    std::vector<int> order(objects.size());
    std::iota(order.begin(), order.end(), 0);
    // Topmost first: larger ZIndex, and within one ZIndex the later entry.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const int za = objects[size_t(a)].ZIndex, zb = objects[size_t(b)].ZIndex;
        return za != zb ? za > zb : a > b;
    });
    for (int i : order) {
        const ObjDataTyp& o = objects[size_t(i)];
        if (isHitCandidate(o, layers, currentQuestion) && contains(o.KartRect, p))
            return i;
    }
    return -1;
}

ClickEffect clickEffect(Typ typ) {
    if (isQueryField(typ))
        return ClickEffect::Toggle;
    if (opensAs(typ) != OpenKind::None)
        return ClickEffect::OpenPoint;
    if (isNavigationButton(typ))
        return ClickEffect::ChangeQuestion;
    return ClickEffect::Nothing;
}

void toggleCover(ObjDataTyp& o) {
    o.AbfrageStatus = o.AbfrageStatus == AbfrageStatus::Covered ? AbfrageStatus::Uncovered
                                                                : AbfrageStatus::Covered;
}

ClickResult clickAt(Document& d, const std::array<bool, 4>& layers, int currentQuestion,
                    QPointF pagePoint) {
    ClickResult result;
    result.index = hitObject(d, layers, currentQuestion, pagePoint);
    if (result.index < 0)
        return result;
    ObjDataTyp& o = d.objects[size_t(result.index)];
    result.effect = clickEffect(typOf(o));
    if (result.effect == ClickEffect::Toggle)
        toggleCover(o);
    return result;
}

bool hasSingleQuestions(const Document& d) {
    return d.header.AnzFrageNummern > 0 && hasQuestionNavigation(dokTypOf(d.header));
}

void coverAll(Document& d) {
    for (ObjDataTyp& o : d.objects)
        o.AbfrageStatus = AbfrageStatus::Covered;
}

void uncoverAll(Document& d) {
    for (ObjDataTyp& o : d.objects)
        o.AbfrageStatus = AbfrageStatus::Uncovered;
}

int zoomLevelUp(int step) {
    return step <= 3 ? std::min(step + 2, 4) : step;
}

int zoomLevelDown(int step) {
    return step > 0 ? std::max(step - 2, 0) : step;
}

int newQuestion(Typ button, int current, int count, RandomGenerator& random) {
    if (count < 1)
        return current;
    switch (button) {
    case Typ::PreviousQuestion:
        return std::clamp(current - 1, 1, count);
    case Typ::NextQuestion:
        return std::clamp(current + 1, 1, count);
    case Typ::FirstQuestion:
        return 1;
    case Typ::LastQuestion:
        return count;
    case Typ::RandomQuestion: {
        if (count == 1)
            return 1;
        int fresh = current;
        while (fresh == current)
            fresh = random.bounded(count) + 1;
        return fresh;
    }
    default:
        return current;
    }
}

QPointF scrollStep(const QRectF& a, ScrollDirection direction) {
    switch (direction) {
    case ScrollDirection::Left:
        return {-a.width() / 10.0, 0.0};
    case ScrollDirection::Right:
        return {a.width() / 10.0, 0.0};
    case ScrollDirection::Up:
        return {0.0, -a.height() / 10.0};
    case ScrollDirection::Down:
        return {0.0, a.height() / 10.0};
    }
    return {};
}

} // namespace quorvel
