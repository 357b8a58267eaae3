#include "randomgenerator.h"

namespace quorvel {

RandomGenerator::RandomGenerator() : m_engine(std::random_device{}()) {}

int RandomGenerator::bounded(int grenze) {
    if (grenze <= 1)
        return 0;
    return std::uniform_int_distribution<int>(0, grenze - 1)(m_engine);
}

} // namespace quorvel
