// SPDX-License-Identifier: GPL-3.0-or-later
// Presenting the next query, and what the exercise panel asks of the run.
#include "document.h"
#include "exerciserun.h"
#include "runrules.h"

namespace quorvel {

std::vector<int> ExerciseRun::targetCandidates() const {
    std::vector<int> candidates;
    if (!running() || m_ctx.busy)
        return candidates;
    const auto& objects = m_ctx.document.objects;
    const int onlyTarget =
        rules().asksOnePosition(m_ctx.settings().AbfrageModus) ? currentTarget() : -1;
    for (size_t i = 0; i < objects.size(); ++i) {
        const ObjDataTyp& o = objects[i];
        const Typ t = typOf(o);
        if (!isCardTarget(t) || o.AbfrageNummer < 0 || o.AbfrageStatus != AbfrageStatus::Open)
            continue;
        if ((t == Typ::QuestionAnswer || t == Typ::MCAnswerBox) &&
            o.FrageNummer != m_ctx.currentQuestion)
            continue;
        if (onlyTarget < 0 || int(i) == onlyTarget)
            candidates.push_back(int(i));
    }
    return candidates;
}

int ExerciseRun::targetUnder(const PageRect& card) const {
    const auto& objects = m_ctx.document.objects;
    const std::vector<int> candidates = targetCandidates();
    const double midY = (card.top + card.bottom) / 2.0;
    for (int i : candidates) {
        const PageRect& r = objects[size_t(i)].KartRect;
        if (card.left >= r.left && card.left <= r.right && midY >= r.top && midY <= r.bottom)
            return i;
    }
    for (int i : candidates) {
        const PageRect& r = objects[size_t(i)].KartRect;
        if (card.left < r.right && r.left < card.right && card.top < r.bottom &&
            r.top < card.bottom)
            return i;
    }
    return -1;
}

void ExerciseRun::presentNext() {
    if (rules().next(m_ctx))
        presentCurrent();
}

void ExerciseRun::presentCurrent() {
    const auto& order = m_ctx.run.AbfrageFolge;
    const int at = m_ctx.run.AktIndex;
    if (at < 0 || size_t(at) >= order.size() || !rules().present(m_ctx))
        return;
    m_ctx.emitEvent(ExerciseEvent::Kind::CardsChanged);
    m_ctx.emitEvent(ExerciseEvent::Kind::QueryPresented, order[size_t(at)].target);
}

} // namespace quorvel
