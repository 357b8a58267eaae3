// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The baseline several benchmarks measure against: the redraw an answer
// causes on screen, one target of a 180-position labelling document at
// 1920 x 1080 changing its state.
#include "document.h"
#include "labellingdocument.h"
#include "programlayouts.h"
#include "viewcomposer.h"

#include <benchmark/benchmark.h>

namespace quorvel {

inline void redrawOneTarget(benchmark::State& state) {
    Document doc = labellingDocument(180);
    ViewComposer composer(doc, layouts());
    composer.setViewArea(QSize(1920, 1080));
    composer.state().exercise.running = true;
    for (ObjDataTyp& o : doc.objects)
        o.AbfrageStatus = AbfrageStatus::Open;
    composer.rebuild();
    ObjDataTyp& target = doc.objects[42];
    for (auto _ : state) {
        target.AbfrageStatus = target.AbfrageStatus == AbfrageStatus::Open
                                   ? AbfrageStatus::Uncovered
                                   : AbfrageStatus::Open;
        benchmark::DoNotOptimize(composer.redrawObject(42));
    }
}

} // namespace quorvel
