#include "Platform.h"

#include <cstdio>
#include <cstdlib>

namespace {
Platform *g_current = nullptr;
}

Platform &Platform::current()
{
    if (!g_current) {
        std::fputs("Pelmix: the platform services were used before they were installed\n", stderr);
        std::abort();
    }
    return *g_current;
}

void Platform::setCurrent(Platform *platform) { g_current = platform; }
