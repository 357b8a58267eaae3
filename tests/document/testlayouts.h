// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documentlayouts.h"

#include <functional>

// The layouts as the document tests give them to the reader: no document type
// has a generator unless a test sets one, and every run is counted.
class TestLayouts final : public quorvel::DocumentLayouts {
public:
    std::function<void(quorvel::Document&)> generator;
    mutable int runs = 0;

    void generate(quorvel::Document& document) const override {
        ++runs;
        if (generator)
            generator(document);
    }
};

// For tests that read without caring about layouts.
inline const TestLayouts& noLayouts() {
    static const TestLayouts layouts;
    return layouts;
}
