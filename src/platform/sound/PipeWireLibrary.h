#pragma once

#include <pipewire/pipewire.h>

// The functions of libpipewire the sound layer calls, looked up when it is first
// needed rather than linked, as libpulse's are: only a desktop whose sound server
// is PipeWire needs it, and none before the first frame.
#define TESSALY_PIPEWIRE_FUNCTIONS(F)                                               \
    F(pw_init) F(pw_properties_new)                                                 \
    F(pw_thread_loop_new) F(pw_thread_loop_destroy) F(pw_thread_loop_start)         \
    F(pw_thread_loop_stop) F(pw_thread_loop_lock) F(pw_thread_loop_unlock)          \
    F(pw_thread_loop_get_loop)                                                      \
    F(pw_context_new) F(pw_context_destroy) F(pw_context_connect)                   \
    F(pw_core_disconnect)                                                           \
    F(pw_stream_new) F(pw_stream_destroy) F(pw_stream_add_listener)                 \
    F(pw_stream_connect) F(pw_stream_set_active)                                    \
    F(pw_stream_dequeue_buffer) F(pw_stream_queue_buffer)

struct PipeWireLibrary
{
    // The library, loaded and initialised on the first call; null when it is not
    // installed or lacks a function.
    static const PipeWireLibrary *get();

#define TESSALY_PIPEWIRE_MEMBER(name) decltype(&::name) name{};
    TESSALY_PIPEWIRE_FUNCTIONS(TESSALY_PIPEWIRE_MEMBER)
#undef TESSALY_PIPEWIRE_MEMBER
};
