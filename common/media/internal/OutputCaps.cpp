#include "internal/OutputCaps.h"

#include "internal/GstUtil.h"

#include <algorithm>

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

void BoundKeyFrameDistance(GstElement* encoder, GstPad* source) {
    constexpr int kKeyFrameSeconds = 10;
    constexpr guint kFramesWithoutRate = 250;
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(encoder), "key-int-max");
    if (spec == nullptr || spec->value_type != G_TYPE_UINT) {
        return;
    }
    guint current = 0;
    g_object_get(encoder, "key-int-max", &current, nullptr);
    if (current != 0) {
        return;
    }
    guint frames = kFramesWithoutRate;
    auto caps = Handle<GstCaps>::Adopt(gst_pad_get_current_caps(source));
    gint numerator = 0;
    gint denominator = 0;
    if (caps && !gst_caps_is_empty(caps.get()) &&
        gst_structure_get_fraction(gst_caps_get_structure(caps.get(), 0), "framerate", &numerator,
                                   &denominator) &&
        numerator > 0 && denominator > 0) {
        frames = static_cast<guint>(
            std::max<gint64>(1, gint64{kKeyFrameSeconds} * numerator / denominator));
    }
    g_object_set(encoder, "key-int-max", frames, nullptr);
}

Handle<GstElement> MakeCommonPictureFilter(GstElement* encoder) {
    auto input = Handle<GstPad>::Adopt(gst_element_get_static_pad(encoder, "sink"));
    auto common = Handle<GstCaps>::Adopt(gst_caps_from_string("video/x-raw, format=(string)I420"));
    if (!input) {
        return {};
    }
    auto taken = Handle<GstCaps>::Adopt(gst_pad_get_pad_template_caps(input.get()));
    if (!taken || !gst_caps_can_intersect(taken.get(), common.get())) {
        return {};
    }
    Handle<GstElement> filter = MakeElement("capsfilter");
    if (filter) {
        g_object_set(filter.get(), "caps", common.get(), nullptr);
    }
    return filter;
}

} // namespace media::internal
