#include "MuxCompatibility.h"

#include "Handle.h"

#include <gst/gst.h>

#include <cstring>

namespace media {

namespace {

Handle<GstElementFactory> FindFactory(const std::string& name) {
    return Handle<GstElementFactory>::Adopt(gst_element_factory_find(name.c_str()));
}

// Caps the factory's templates of one direction declare, joined; only the
// templates whose name starts with `prefix` when one is given.
Handle<GstCaps> TemplateCaps(GstElementFactory* factory, GstPadDirection direction,
                             const char* prefix) {
    auto caps = Handle<GstCaps>::Adopt(gst_caps_new_empty());
    for (const GList* item = gst_element_factory_get_static_pad_templates(factory); item != nullptr;
         item = item->next) {
        const auto* padTemplate = static_cast<const GstStaticPadTemplate*>(item->data);
        if (padTemplate->direction != direction ||
            (prefix != nullptr &&
             std::strncmp(padTemplate->name_template, prefix, std::strlen(prefix)) != 0)) {
            continue;
        }
        // The framework fills a static template's caps in on first use, through
        // a pointer it declares writable.
        auto* declared = const_cast<GstStaticCaps*>(&padTemplate->static_caps);
        caps = Handle<GstCaps>::Adopt(
            gst_caps_merge(gst_caps_ref(caps.get()), gst_static_caps_get(declared)));
    }
    return caps;
}

bool FactoriesFit(const std::string& muxFactory, MajorType type,
                  const std::string& encoderFactory) {
    if (type != MajorType::Video && type != MajorType::Audio) {
        return false;
    }
    const bool video = type == MajorType::Video;
    Handle<GstElementFactory> mux = FindFactory(muxFactory);
    if (!mux) {
        return false;
    }
    Handle<GstCaps> written;
    if (encoderFactory.empty()) {
        written = Handle<GstCaps>::Adopt(
            gst_caps_new_empty_simple(video ? "video/x-raw" : "audio/x-raw"));
    } else {
        Handle<GstElementFactory> encoder = FindFactory(encoderFactory);
        if (!encoder) {
            return false;
        }
        written = TemplateCaps(encoder.get(), GST_PAD_SRC, nullptr);
    }
    const Handle<GstCaps> taken = TemplateCaps(mux.get(), GST_PAD_SINK, video ? "video" : "audio");
    return gst_caps_can_intersect(written.get(), taken.get());
}

} // namespace

const char* MultiplexerFactoryName(OutputFormat format) {
    switch (format) {
    case OutputFormat::Avi:
        return "avimux";
    case OutputFormat::Matroska:
        return "matroskamux";
    case OutputFormat::Asf:
    case OutputFormat::WindowsMedia:
        return "asfmux";
    case OutputFormat::Mp4:
        return "mp4mux";
    }
    return "";
}

bool FormatTakesEncoder(OutputFormat format, MajorType type, const std::string& encoderFactory) {
    return FactoriesFit(MultiplexerFactoryName(format), type, encoderFactory);
}

bool MultiplexerTakes(const Element& mux, MajorType type, const Element& encoder) {
    return mux && FactoriesFit(mux.FactoryName(), type, encoder ? encoder.FactoryName() : "");
}

} // namespace media
