#pragma once

// Handle traits for GLib's main-loop objects, which count references of their own.

#include "Handle.h"

#include <glib.h>

namespace media {

template <>
struct HandleTraits<GMainContext> {
    static void Ref(GMainContext* p) { g_main_context_ref(p); }
    static void Unref(GMainContext* p) { g_main_context_unref(p); }
};

template <>
struct HandleTraits<GMainLoop> {
    static void Ref(GMainLoop* p) { g_main_loop_ref(p); }
    static void Unref(GMainLoop* p) { g_main_loop_unref(p); }
};

template <>
struct HandleTraits<GSource> {
    static void Ref(GSource* p) { g_source_ref(p); }
    static void Unref(GSource* p) { g_source_unref(p); }
};

} // namespace media
