#pragma once

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

// The functions of libpulse the sound layer calls, looked up when it first opens
// rather than linked: linking would load libpulse and the dozen libraries behind
// it before the game's first frame. Each member has the type of the function of
// the same name, so calls are checked against the library's own header.
#define TESSALY_PULSE_FUNCTIONS(F)                                                  \
    F(pa_threaded_mainloop_new) F(pa_threaded_mainloop_free)                        \
    F(pa_threaded_mainloop_start) F(pa_threaded_mainloop_stop)                      \
    F(pa_threaded_mainloop_lock) F(pa_threaded_mainloop_unlock)                     \
    F(pa_threaded_mainloop_get_api) F(pa_threaded_mainloop_set_name)                \
    F(pa_proplist_new) F(pa_proplist_sets) F(pa_proplist_free)                      \
    F(pa_context_new_with_proplist) F(pa_context_set_state_callback)                \
    F(pa_context_connect) F(pa_context_get_state) F(pa_context_disconnect)          \
    F(pa_context_unref) F(pa_context_get_server_info)                               \
    F(pa_stream_new_with_proplist) F(pa_stream_set_state_callback)                  \
    F(pa_stream_set_write_callback) F(pa_stream_connect_playback)                   \
    F(pa_stream_get_state) F(pa_stream_writable_size) F(pa_stream_write)            \
    F(pa_stream_cork) F(pa_stream_disconnect) F(pa_stream_unref)                    \
    F(pa_operation_unref)

struct PulseLibrary
{
    // The library, loaded on the first call; null when it is not installed or
    // lacks a function.
    static const PulseLibrary *get();

#define TESSALY_PULSE_MEMBER(name) decltype(&::name) name{};
    TESSALY_PULSE_FUNCTIONS(TESSALY_PULSE_MEMBER)
#undef TESSALY_PULSE_MEMBER
};
