#include "BusyCursor.h"

#include <utility>

namespace {
BusyCursor::Hook& hookSlot()
{
    static BusyCursor::Hook hook;
    return hook;
}
int nesting = 0;
}  // namespace

void BusyCursor::setHook(Hook hook) { hookSlot() = std::move(hook); }

BusyCursor::BusyCursor()
{
    if (nesting++ == 0 && hookSlot())
        hookSlot()(true);
}

BusyCursor::~BusyCursor()
{
    if (--nesting == 0 && hookSlot())
        hookSlot()(false);
}

int BusyCursor::depth() { return nesting; }
