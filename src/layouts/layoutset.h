// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "viewlayouts.h"

#include <functional>
#include <map>
#include <utility>

namespace quorvel {

// The layouts of the document types as one value: per `DokTyp` the generator
// that runs after reading (and after the page geometry changes), the hooks of
// the page composition per phase, and the cloze text's gap step. The program
// builds one at start (buildLayoutSet) and hands it to the reader, the
// composer and everything else that reads or shows documents; tests build
// their own. It is a plain value: copies are independent.
class LayoutSet final : public ViewLayouts {
public:
    using Generator = std::function<void(Document&)>;
    using Hook = std::function<void(LayoutHookContext&)>;

    // Sets the generator of `dokTyp`, replacing an earlier one; an empty
    // function removes it.
    void setGenerator(DokTyp dokTyp, Generator generator);
    // Sets what runs after reading instead of the generator of `dokTyp`; an
    // empty function runs the generator again.
    void setReadGenerator(DokTyp dokTyp, Generator generator);
    // Sets the hook of `dokTyp` for `phase`, replacing an earlier one; an
    // empty function removes it.
    void setHook(DokTyp dokTyp, LayoutPhase phase, Hook hook);
    void setClozeGapStep(ClozeGapStep step);

    void generate(Document& document) const override;
    void generateAfterReading(Document& document) const override;
    bool hasHook(DokTyp dokTyp, LayoutPhase phase) const override;
    void runHook(LayoutPhase phase, LayoutHookContext& context) const override;
    const ClozeGapStep& clozeGapStep() const override { return m_gapStep; }

private:
    std::map<DokTyp, Generator> m_generators;
    std::map<DokTyp, Generator> m_readGenerators;
    std::map<std::pair<DokTyp, LayoutPhase>, Hook> m_hooks;
    ClozeGapStep m_gapStep;
};

// The layouts of every document type the program lays out: the cloze text and
// the table cloze (clozelayout.h), the cluster (clusterlayout.h), the cross
// matching (crossmatchinglayout.h), the crossword (crosswordlayout.h), single
// questions and multiple choice (questionlayouts.h). Picture labelling has no
// layout: its documents show their stored objects.
LayoutSet buildLayoutSet();

} // namespace quorvel
