#pragma once

// GLib names a structure field `signals`, which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

// GSettings, opened only in a GNOME session, where do not disturb is one of its settings:
// linked, GIO and GObject would take memory in every session.
#define PELMIX_GSETTINGS_FUNCTIONS(F)                                                                                  \
    F(g_object_unref)                                                                                                  \
    F(g_settings_get_boolean)                                                                                          \
    F(g_settings_new)                                                                                                  \
    F(g_settings_schema_has_key)                                                                                       \
    F(g_settings_schema_source_get_default)                                                                            \
    F(g_settings_schema_source_lookup)                                                                                 \
    F(g_settings_schema_unref)                                                                                         \
    F(g_signal_connect_data)                                                                                           \
    F(g_signal_handler_disconnect)

struct GSettingsLibrary {
#define PELMIX_DECLARE(name) decltype(&::name) name = nullptr;
    PELMIX_GSETTINGS_FUNCTIONS(PELMIX_DECLARE)
#undef PELMIX_DECLARE

    // The library's functions, or null where it is not installed.
    static const GSettingsLibrary *open();
};
