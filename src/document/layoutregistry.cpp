#include "layoutregistry.h"

#include "document.h"

#include <map>

namespace quorvel {

namespace {
std::map<int, LayoutGenerator>& generators()
{
    static std::map<int, LayoutGenerator> registry;
    return registry;
}
} // namespace

void registerLayoutGenerator(int dokTyp, LayoutGenerator generator)
{
    generators()[dokTyp] = std::move(generator);
}

void runLayoutGenerator(Document& document)
{
    const auto it = generators().find(document.header.DokTyp);
    if (it != generators().end() && it->second)
        it->second(document);
}

} // namespace quorvel
