#include "Handle.h"

#include <gst/gst.h>

namespace media::detail {

void RefObject(void* object) {
    g_object_ref(object);
}

void UnrefObject(void* object) {
    g_object_unref(object);
}

void* RefSinkObject(void* object) {
    return g_object_ref_sink(object);
}

void RefMiniObject(void* object) {
    gst_mini_object_ref(GST_MINI_OBJECT_CAST(object));
}

void UnrefMiniObject(void* object) {
    gst_mini_object_unref(GST_MINI_OBJECT_CAST(object));
}

} // namespace media::detail
