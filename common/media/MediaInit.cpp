#include "MediaInit.h"

#include <ges/ges.h>
#include <gst/gst.h>

namespace media {

Result Initialize() {
    GError* error = nullptr;
    if (!gst_init_check(nullptr, nullptr, &error)) {
        g_clear_error(&error);
        return E_FAIL;
    }
    if (!ges_init()) {
        return E_FAIL;
    }
    return S_OK;
}

void Uninitialize() {
    if (!gst_is_initialized()) {
        return;
    }
    ges_deinit();
    gst_deinit();
}

} // namespace media
