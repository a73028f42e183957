#include "GSettingsLibrary.h"

#include "OpenedLibraries.h"

const GSettingsLibrary *GSettingsLibrary::open()
{
    static const GSettingsLibrary *opened = []() -> const GSettingsLibrary * {
        static const OpenedLibraries libraries({QStringLiteral("gio-2.0"), QStringLiteral("gobject-2.0")});
        static GSettingsLibrary library;
        bool complete = libraries.loaded();
#define PELMIX_FIND(name) complete = libraries.find(library.name, #name) && complete;
        PELMIX_GSETTINGS_FUNCTIONS(PELMIX_FIND)
#undef PELMIX_FIND
        return complete ? &library : nullptr;
    }();
    return opened;
}
