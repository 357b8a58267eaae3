// SPDX-License-Identifier: GPL-3.0-or-later
#include "randomgenerator.h"

namespace quorvel {

RandomGenerator::RandomGenerator() : m_engine(std::random_device{}()) {}

int RandomGenerator::bounded(int limit) {
    if (limit <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, limit - 1)(m_engine);
}

} // namespace quorvel
