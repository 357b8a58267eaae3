#include "objecttypes.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

template <size_t N>
bool enthalten(const std::array<int, N>& typen, int typ)
{
    return std::find(typen.begin(), typen.end(), typ) != typen.end();
}

} // namespace

bool isPointTyp(int typ)
{
    return typ == 2 || typ == 4 || typ == 5;
}

bool isButtonTyp(int typ)
{
    return (typ >= 12 && typ <= 16) || typ == 28 || typ == 29;
}

bool isFixedObject(int typ)
{
    static constexpr std::array typen{1, 2, 4, 5, 7, 8, 28, 29, 31, 33, 40, 42, 50, 52};
    return enthalten(typen, typ);
}

bool isCoverableInFirstPass(int typ)
{
    static constexpr std::array typen{0, 3, 6, 10, 24, 32, 34, 60};
    return enthalten(typen, typ);
}

bool isDrawnOnTop(int typ)
{
    static constexpr std::array typen{0, 3, 6, 32, 34, 41, 43, 51, 53, 60};
    return enthalten(typen, typ);
}

} // namespace quorvel
