// SPDX-License-Identifier: GPL-3.0-or-later
// The actions of a running exercise: the refusals every type shares; the
// rules judge what passes them.
#include "cardcolumn.h"
#include "document.h"
#include "exerciserun.h"
#include "runrules.h"

#include <algorithm>

namespace quorvel {

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxInput = 255;

// Points that open during an exercise: info, link, document and picture
// links only when the author allowed it, the question's info and link
// buttons always.
bool reactsInExercise(const ObjDataTyp& o) {
    switch (typOf(o)) {
    case Typ::InfoPoint:
    case Typ::ExternalLink:
    case Typ::DocumentLink:
    case Typ::PictureLink:
    case Typ::TablePictureLink:
        return o.PunktInUebung != 0;
    case Typ::MCInfoPoint:
    case Typ::MCLinkPoint:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<ActionResult> ExerciseRun::refusesInput() const {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (m_ctx.busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    return std::nullopt;
}

ActionResult ExerciseRun::drop(int card, int target, double glidePixels) {
    if (const auto refused = refusesInput())
        return *refused;
    if (!rules().takesDrops(m_ctx.settings().AbfrageModus))
        return ActionResult::refused(u"this exercise has no cards to drop on positions"_s);
    const int entry = m_ctx.entryOfCard(card, true);
    if (entry < 0)
        return ActionResult::refused(u"object %1 is no card in the card column"_s.arg(card));
    if (target < 0)
        return {}; // released over nothing: the card stays where it was dropped
    if (!m_ctx.validIndex(target))
        return ActionResult::refused(u"object %1 does not exist"_s.arg(target));
    const ObjDataTyp& t = m_ctx.document.objects[size_t(target)];
    const bool candidate =
        isCardTarget(typOf(t)) && t.AbfrageNummer >= 0 && t.AbfrageStatus == AbfrageStatus::Open &&
        (!rules().asksOnePosition(m_ctx.settings().AbfrageModus) || target == currentTarget());
    if (!candidate)
        return ActionResult::refused(u"object %1 is no open position"_s.arg(target));
    rules().judgeDrop(m_ctx, entry, target, glidePixels);
    return {};
}

ActionResult ExerciseRun::dropInBasket(int card, int basket, double glidePixels) {
    if (const auto refused = refusesInput())
        return *refused;
    if (!rules().hasBaskets())
        return ActionResult::refused(u"this exercise has no baskets"_s);
    const int entry = m_ctx.entryOfCard(card, true);
    if (entry < 0)
        return ActionResult::refused(u"object %1 is no card in the card column"_s.arg(card));
    const int columns =
        std::clamp(m_ctx.document.header.LueckenTabelleSpalten, 0, kGapTableMaxColumns);
    if (basket < 1 || basket > columns)
        return ActionResult::refused(u"there is no basket %1"_s.arg(basket));
    rules().judgeBasket(m_ctx, entry, basket, glidePixels);
    return {};
}

ActionResult ExerciseRun::click(int object) {
    if (const auto refused = refusesInput())
        return *refused;
    if (m_ctx.validIndex(object) && reactsInExercise(m_ctx.document.objects[size_t(object)])) {
        // Opens as in the learning view; the run itself does not change.
        m_ctx.emitEvent(ExerciseEvent::Kind::PointOpened, object);
        return {};
    }
    return rules().click(m_ctx, object);
}

ActionResult ExerciseRun::tick(int box) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (!rules().hasTickBoxes() || !m_ctx.validIndex(box) ||
        typOf(m_ctx.document.objects[size_t(box)]) != Typ::MCAnswerBox ||
        m_ctx.document.objects[size_t(box)].FrageNummer != m_ctx.currentQuestion)
        return ActionResult::refused(u"object %1 is no tick box of this question"_s.arg(box));
    if (m_ctx.busy)
        return ActionResult::refused(u"an evaluation is under way"_s);
    m_ctx.ticks[size_t(box)] = m_ctx.ticks[size_t(box)] ? 0 : 1;
    m_ctx.emitEvent(ExerciseEvent::Kind::ObjectChanged, box);
    return {};
}

ActionResult ExerciseRun::confirm() {
    if (const auto refused = refusesInput())
        return *refused;
    return rules().confirm(m_ctx);
}

ActionResult ExerciseRun::type(int target, const QString& text) {
    if (!running())
        return ActionResult::refused(u"no exercise is running"_s);
    if (!textInputMode())
        return ActionResult::refused(u"this exercise has no input fields"_s);
    if (m_ctx.entryOfCard(target, true) < 0 ||
        !isTextInputTyp(m_ctx.document.objects[size_t(target)].Typ))
        return ActionResult::refused(u"object %1 has no input field"_s.arg(target));
    m_ctx.inputs[size_t(target)] = text.left(kMaxInput);
    return {};
}

// --- after an answer --------------------------------------------------------------

void ExerciseRun::afterEvaluation() {
    UebungsSitzung& run = m_ctx.run;
    rules().countOpen(m_ctx, false);
    updateQuotes(run);
    m_ctx.emitEvent(ExerciseEvent::Kind::StatusChanged);
    m_ctx.emitEvent(ExerciseEvent::Kind::Evaluated, rules().reportedObject(m_ctx));
    run.Zielobjekt = -1;
    run.Zweitobjekt = -1;
    m_ctx.busy = false;
    if (run.EndeGrund == EndReason::Running && run.body.size() > m_protocolLimit)
        endOverlong();
    else if (run.OffenAnz > 0)
        presentNext();
    else if (run.EndeGrund == EndReason::Running || run.EndeGrund == EndReason::TimeOut)
        end();
}

} // namespace quorvel
