#include "internal/GstUtil.h"

#include <cstring>

namespace media::internal {

std::string TakeString(gchar* text) {
    std::string copy = text != nullptr ? text : "";
    g_free(text);
    return copy;
}

Handle<GstElement> MakeElement(const char* factory, const char* name) {
    return Handle<GstElement>::AdoptFloating(gst_element_factory_make(factory, name));
}

MajorType MajorTypeOfCaps(const GstCaps* caps) {
    if (caps == nullptr || gst_caps_is_empty(caps) || gst_caps_is_any(caps)) {
        return MajorType::Unknown;
    }
    MajorType found = MajorType::Unknown;
    for (guint i = 0; i < gst_caps_get_size(caps); ++i) {
        const char* name = gst_structure_get_name(gst_caps_get_structure(caps, i));
        MajorType type = MajorType::Other;
        if (g_str_has_prefix(name, "video/") || g_str_has_prefix(name, "image/")) {
            type = MajorType::Video;
        } else if (g_str_has_prefix(name, "audio/")) {
            type = MajorType::Audio;
        } else if (g_str_has_prefix(name, "text/") || g_str_has_prefix(name, "subpicture/") ||
                   std::strcmp(name, "application/x-ssa") == 0 ||
                   std::strcmp(name, "application/x-ass") == 0) {
            type = MajorType::Text;
        }
        if (found != MajorType::Unknown && found != type) {
            return MajorType::Unknown;
        }
        found = type;
    }
    return found;
}

Handle<GstCaps> CapsOfPad(GstPad* pad) {
    if (GstCaps* current = gst_pad_get_current_caps(pad)) {
        return Handle<GstCaps>::Adopt(current);
    }
    return Handle<GstCaps>::Adopt(gst_pad_query_caps(pad, nullptr));
}

} // namespace media::internal
