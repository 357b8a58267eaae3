// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <random>

namespace quorvel {

// The one source of random choices of the view and whatever builds on it.
// Seeded from the system at construction; tests seed it to get a fixed series.
class RandomGenerator {
public:
    RandomGenerator();
    explicit RandomGenerator(quint64 seed) : m_engine(seed) {}

    void seed(quint64 seed) { m_engine.seed(seed); }

    // A uniformly distributed integer in 0 .. limit - 1; 0 when limit <= 1.
    int bounded(int limit);

private:
    std::mt19937_64 m_engine;
};

} // namespace quorvel
