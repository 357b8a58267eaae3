#include "layouthooks.h"

#include "document.h"

#include <map>
#include <utility>

namespace quorvel {

namespace {

std::map<std::pair<int, LayoutPhase>, LayoutHook>& hooks()
{
    static std::map<std::pair<int, LayoutPhase>, LayoutHook> registry;
    return registry;
}

} // namespace

void registerViewLayoutHook(int dokTyp, LayoutPhase phase, LayoutHook hook)
{
    if (hook)
        hooks()[{dokTyp, phase}] = std::move(hook);
    else
        hooks().erase({dokTyp, phase});
}

bool hasLayoutHook(int dokTyp, LayoutPhase phase)
{
    return hooks().count({dokTyp, phase}) != 0;
}

void runViewLayoutHook(LayoutPhase phase, LayoutHookContext& kontext)
{
    const auto it = hooks().find({kontext.dokument.header.DokTyp, phase});
    if (it != hooks().end())
        it->second(kontext);
}

} // namespace quorvel
