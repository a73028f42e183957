#include "GSettingsLibrary.h"

#include <QLibrary>

const GSettingsLibrary *GSettingsLibrary::open()
{
    static const GSettingsLibrary *opened = []() -> const GSettingsLibrary * {
        static QLibrary gio(QStringLiteral("gio-2.0"), 0);
        static QLibrary gobject(QStringLiteral("gobject-2.0"), 0);
        static GSettingsLibrary library;
        bool complete = gio.load() && gobject.load();
        const auto resolve = [&](const char *name) {
            QFunctionPointer function = gio.resolve(name);
            return function ? function : gobject.resolve(name);
        };
#define PELMIX_RESOLVE(name)                                                                                           \
    library.name = reinterpret_cast<decltype(library.name)>(resolve(#name));                                           \
    complete = complete && library.name;
        PELMIX_GSETTINGS_FUNCTIONS(PELMIX_RESOLVE)
#undef PELMIX_RESOLVE
        return complete ? &library : nullptr;
    }();
    return opened;
}
