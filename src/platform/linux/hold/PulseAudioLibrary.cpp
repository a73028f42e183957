#include "PulseAudioLibrary.h"

#include <QLibrary>

const PulseAudioLibrary *PulseAudioLibrary::open()
{
    static const PulseAudioLibrary *opened = []() -> const PulseAudioLibrary * {
        static QLibrary client(QStringLiteral("pulse"), 0);
        static QLibrary glibLoop(QStringLiteral("pulse-mainloop-glib"), 0);
        static PulseAudioLibrary library;
        bool complete = client.load() && glibLoop.load();
        const auto resolve = [&](const char *name) {
            QFunctionPointer function = client.resolve(name);
            return function ? function : glibLoop.resolve(name);
        };
#define PELMIX_RESOLVE(name)                                                                                           \
    library.name = reinterpret_cast<decltype(library.name)>(resolve(#name));                                           \
    complete = complete && library.name;
        PELMIX_PULSEAUDIO_FUNCTIONS(PELMIX_RESOLVE)
#undef PELMIX_RESOLVE
        return complete ? &library : nullptr;
    }();
    return opened;
}
