#pragma once

#include <pulse/context.h>
#include <pulse/glib-mainloop.h>
#include <pulse/introspect.h>
#include <pulse/proplist.h>
#include <pulse/subscribe.h>

// PulseAudio's client library, opened only where a PulseAudio server has to be asked (no
// PipeWire): linked, it and what it needs would take memory in every session.
#define PELMIX_PULSEAUDIO_FUNCTIONS(F)                                                                                 \
    F(pa_context_connect)                                                                                              \
    F(pa_context_disconnect)                                                                                           \
    F(pa_context_get_source_info_list)                                                                                 \
    F(pa_context_get_source_output_info_list)                                                                          \
    F(pa_context_get_state)                                                                                            \
    F(pa_context_new_with_proplist)                                                                                    \
    F(pa_context_set_state_callback)                                                                                   \
    F(pa_context_set_subscribe_callback)                                                                               \
    F(pa_context_subscribe)                                                                                            \
    F(pa_context_unref)                                                                                                \
    F(pa_glib_mainloop_free)                                                                                           \
    F(pa_glib_mainloop_get_api)                                                                                        \
    F(pa_glib_mainloop_new)                                                                                            \
    F(pa_operation_unref)                                                                                              \
    F(pa_proplist_free)                                                                                                \
    F(pa_proplist_gets)                                                                                                \
    F(pa_proplist_new)                                                                                                 \
    F(pa_proplist_sets)

struct PulseAudioLibrary {
#define PELMIX_DECLARE(name) decltype(&::name) name = nullptr;
    PELMIX_PULSEAUDIO_FUNCTIONS(PELMIX_DECLARE)
#undef PELMIX_DECLARE

    // The library's functions, or null where it is not installed.
    static const PulseAudioLibrary *open();
};
