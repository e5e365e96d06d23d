#include "MediaInit.h"

#include "internal/VideoEncoderReplacement.h"

#include <ges/ges.h>
#include <gst/gst.h>
#include <malloc.h>

#include <mutex>

namespace media {

namespace {

// A graph's streaming threads each take a heap arena of their own by default
// (up to eight per core), and the raw frames they free stay resident there for
// whichever thread gets that arena next: each conversion in a session left more
// memory behind. With one arena the next graph reuses what the last one freed;
// small blocks still come from per-thread caches without taking its lock.
// Mapping frame-sized blocks on their own (a fixed mmap threshold) bounds the
// growth too, but the video decoder frees and allocates about a frame per
// frame, and faulting those pages in again cost up to 0.3 s of system time per
// conversion of the 30 s benchmark clip.
constexpr int kArenas = 1;

void TuneAllocator() {
    mallopt(M_ARENA_MAX, kArenas);
}

} // namespace

Result Initialize() {
    static std::once_flag tuned;
    std::call_once(tuned, TuneAllocator);
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        g_clear_error(&error);
        return E_FAIL;
    }
    if (!ges_init()) {
        return E_FAIL;
    }
    static std::once_flag replaced;
    std::call_once(replaced, internal::ReplaceLibavVideoEncoders);
    return S_OK;
}

void ReleaseFreedMemory() {
    malloc_trim(0);
}

void Uninitialize() {
    if (!gst_is_initialized()) {
        return;
    }
    ges_deinit();
    gst_deinit();
}

} // namespace media
