#include "internal/OutputCaps.h"

namespace media::internal {

namespace {
constexpr const char* kUncompressedCapsKey = "media-uncompressed-caps";

void UnrefCaps(gpointer caps) {
    gst_caps_unref(GST_CAPS(caps));
}
} // namespace

void SetUncompressedCaps(GstPad* pad, const Handle<GstCaps>& caps) {
    // The pad keeps its own reference and drops it when it goes away.
    g_object_set_data_full(G_OBJECT(pad), kUncompressedCapsKey, gst_caps_ref(caps.get()),
                           &UnrefCaps);
}

Handle<GstCaps> UncompressedCaps(GstPad* pad) {
    return Handle<GstCaps>::Ref(
        static_cast<GstCaps*>(g_object_get_data(G_OBJECT(pad), kUncompressedCapsKey)));
}

void UseAllEncoderThreads(GstElement* encoder) {
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(encoder), "threads");
    if (spec == nullptr) {
        return;
    }
    GValue current = G_VALUE_INIT;
    g_value_init(&current, spec->value_type);
    g_object_get_property(G_OBJECT(encoder), "threads", &current);
    const bool untouched = g_param_value_defaults(spec, &current);
    g_value_unset(&current);
    if (untouched) {
        // Encoders of the libav family take 0 as "one thread per core".
        gst_util_set_object_arg(G_OBJECT(encoder), "threads", "0");
    }
}

} // namespace media::internal
