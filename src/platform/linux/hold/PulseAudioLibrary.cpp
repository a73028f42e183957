#include "PulseAudioLibrary.h"

#include "OpenedLibraries.h"

const PulseAudioLibrary *PulseAudioLibrary::open()
{
    static const PulseAudioLibrary *opened = []() -> const PulseAudioLibrary * {
        static const OpenedLibraries libraries({QStringLiteral("pulse"), QStringLiteral("pulse-mainloop-glib")});
        static PulseAudioLibrary library;
        bool complete = libraries.loaded();
#define PELMIX_FIND(name) complete = libraries.find(library.name, #name) && complete;
        PELMIX_PULSEAUDIO_FUNCTIONS(PELMIX_FIND)
#undef PELMIX_FIND
        return complete ? &library : nullptr;
    }();
    return opened;
}
