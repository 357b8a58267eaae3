// SPDX-License-Identifier: GPL-3.0-or-later
#include "layoutset.h"

#include "clozelayout.h"
#include "clusterlayout.h"
#include "crossmatchinglayout.h"
#include "crosswordlayout.h"
#include "document.h"
#include "questionlayouts.h"

namespace quorvel {

void LayoutSet::setGenerator(DokTyp dokTyp, Generator generator) {
    if (generator)
        m_generators[dokTyp] = std::move(generator);
    else
        m_generators.erase(dokTyp);
}

void LayoutSet::setReadGenerator(DokTyp dokTyp, Generator generator) {
    if (generator)
        m_readGenerators[dokTyp] = std::move(generator);
    else
        m_readGenerators.erase(dokTyp);
}

void LayoutSet::setHook(DokTyp dokTyp, LayoutPhase phase, Hook hook) {
    if (hook)
        m_hooks[{dokTyp, phase}] = std::move(hook);
    else
        m_hooks.erase({dokTyp, phase});
}

void LayoutSet::setClozeGapStep(ClozeGapStep step) {
    m_gapStep = std::move(step);
}

void LayoutSet::generate(Document& document) const {
    const auto it = m_generators.find(dokTypOf(document.header));
    if (it != m_generators.end())
        it->second(document);
}

void LayoutSet::generateAfterReading(Document& document) const {
    const auto it = m_readGenerators.find(dokTypOf(document.header));
    if (it != m_readGenerators.end())
        it->second(document);
    else
        generate(document);
}

bool LayoutSet::hasHook(DokTyp dokTyp, LayoutPhase phase) const {
    return m_hooks.count({dokTyp, phase}) != 0;
}

void LayoutSet::runHook(LayoutPhase phase, LayoutHookContext& context) const {
    const auto it = m_hooks.find({dokTypOf(context.document.header), phase});
    if (it != m_hooks.end())
        it->second(context);
}

LayoutSet buildLayoutSet() {
    LayoutSet layouts;
    addClozeLayout(layouts);
    addClusterLayout(layouts);
    addCrossMatchingLayout(layouts);
    addCrosswordLayout(layouts);
    addQuestionLayouts(layouts);
    return layouts;
}

} // namespace quorvel
