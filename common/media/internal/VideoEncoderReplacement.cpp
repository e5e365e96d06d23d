#include "internal/VideoEncoderReplacement.h"

#include "Handle.h"
#include "internal/GstUtil.h"
#include "internal/LavVideoEncoder.h"

#include <gst/gst.h>

#include <array>
#include <string>

namespace media::internal {

namespace {

// The codecs whose framework element ignores its bitrate (their rate control
// reads the frame rate from the time base) and that the supported containers
// carry.
constexpr std::array kCodecs = {"mpeg4", "msmpeg4", "msmpeg4v2", "wmv1", "wmv2"};

std::string Metadata(GstElementFactory* factory, const char* key) {
    const gchar* value = gst_element_factory_get_metadata(factory, key);
    return value != nullptr ? value : "";
}

// The first compressed format the framework's element names.
std::string OutputCaps(GstElementFactory* factory) {
    for (const GList* item = gst_element_factory_get_static_pad_templates(factory); item != nullptr;
         item = item->next) {
        const auto* pad = static_cast<const GstStaticPadTemplate*>(item->data);
        if (pad->direction == GST_PAD_SRC) {
            const auto caps = Handle<GstCaps>::Adopt(gst_caps_truncate(
                gst_static_caps_get(const_cast<GstStaticCaps*>(&pad->static_caps))));
            return TakeString(gst_caps_to_string(caps.get()));
        }
    }
    return {};
}

} // namespace

void ReplaceLibavVideoEncoders() {
    // Loading the framework's plugin registers its elements again, over any
    // element of the same name: it has to happen before ours take the names.
    const auto plugin = Handle<GstPlugin>::Adopt(gst_plugin_load_by_name("libav"));
    if (!plugin) {
        return;
    }
    for (const char* codec : kCodecs) {
        const std::string name = std::string("avenc_") + codec;
        const auto factory =
            Handle<GstElementFactory>::Adopt(gst_element_factory_find(name.c_str()));
        if (!factory) {
            continue; // not installed
        }
        const auto owner = Handle<GstPlugin>::Adopt(
            gst_plugin_feature_get_plugin(GST_PLUGIN_FEATURE(factory.get())));
        if (!owner) {
            continue; // ours already
        }
        LavVideoEncoderInfo info{
            name,
            codec,
            Metadata(factory.get(), GST_ELEMENT_METADATA_LONGNAME),
            Metadata(factory.get(), GST_ELEMENT_METADATA_KLASS),
            Metadata(factory.get(), GST_ELEMENT_METADATA_DESCRIPTION),
            OutputCaps(factory.get()),
        };
        if (!info.outputCaps.empty()) {
            RegisterLavVideoEncoder(info,
                                    gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(factory.get())));
        }
    }
}

} // namespace media::internal
