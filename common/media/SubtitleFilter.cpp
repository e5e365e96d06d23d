// The subtitle filter's settings and its bin: an overlay element fed by the
// file's own subtitle stream or by a sidecar script read inside the bin.

#include "SubtitleFilter.h"

#include "internal/AssScriptSource.h"
#include "internal/GstUtil.h"
#include "internal/SubtitleFilterBin.h"

#include <QSettings>

#include <cstring>

namespace media {

using internal::MakeElement;
using internal::SubtitleKind;

int SubtitleFilterLoadLevel() {
    QSettings settings(QSettings::UserScope, QString::fromLatin1(kSubtitleFilterOrganization),
                       QString::fromLatin1(kSubtitleFilterApplication));
    settings.beginGroup(QString::fromLatin1(kSubtitleFilterSettingsGroup));
    bool ok = false;
    const int level = settings.value(QString::fromLatin1(kSubtitleFilterLoadLevelKey)).toInt(&ok);
    if (!ok || level < kSubtitleFilterAlways || level > kSubtitleFilterNever) {
        return kSubtitleFilterWithSubtitles;
    }
    return level;
}

bool SubtitleFilterInstalled() {
    for (const char* name : {"assrender", "textoverlay", "subparse"}) {
        auto factory = Handle<GstElementFactory>::Adopt(gst_element_factory_find(name));
        if (!factory) {
            return false;
        }
    }
    return true;
}

namespace internal {

namespace {

struct Overlay {
    const char* factory;
    const char* videoPad;
    const char* subtitlePad;
};

Overlay OverlayFor(SubtitleKind kind) {
    switch (kind) {
    case SubtitleKind::Ass:
        return {"assrender", "video_sink", "text_sink"};
    case SubtitleKind::Text:
        return {"textoverlay", "video_sink", "text_sink"};
    case SubtitleKind::DvdSpu:
        return {"dvdspu", "video", "subpicture"};
    case SubtitleKind::Dvb:
        return {"dvbsuboverlay", "video_sink", "text_sink"};
    case SubtitleKind::None:
    default:
        return {"identity", "sink", nullptr};
    }
}

bool Installed(const char* factory) {
    return static_cast<bool>(Handle<GstElementFactory>::Adopt(gst_element_factory_find(factory)));
}

bool AddGhost(GstElement* bin, const char* name, GstElement* element, const char* padName) {
    auto target = Handle<GstPad>::Adopt(gst_element_get_static_pad(element, padName));
    return target && gst_element_add_pad(bin, gst_ghost_pad_new(name, target.get()));
}

// The elements reading a sidecar, first to last; empty when one is missing.
std::vector<Handle<GstElement>> SidecarReader(const Sidecar& sidecar) {
    if (sidecar.format == SidecarFormat::Ass) {
        Handle<GstElement> source = MakeAssScriptSource(sidecar.path);
        return source ? std::vector{source} : std::vector<Handle<GstElement>>{};
    }
    Handle<GstElement> file = MakeElement("filesrc");
    Handle<GstElement> parser = MakeElement("subparse");
    if (!file || !parser) {
        return {};
    }
    g_object_set(file.get(), "location", sidecar.path.c_str(), nullptr);
    return {file, parser};
}

} // namespace

SubtitleKind SubtitleKindOfCaps(const GstCaps* caps) {
    if (caps == nullptr || gst_caps_is_empty(caps) || gst_caps_is_any(caps)) {
        return SubtitleKind::None;
    }
    const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
    SubtitleKind kind = SubtitleKind::None;
    if (std::strcmp(name, "application/x-ass") == 0 ||
        std::strcmp(name, "application/x-ssa") == 0) {
        kind = SubtitleKind::Ass;
    } else if (std::strcmp(name, "text/x-raw") == 0) {
        kind = SubtitleKind::Text;
    } else if (std::strcmp(name, "subpicture/x-dvd") == 0 ||
               std::strcmp(name, "subpicture/x-pgs") == 0) {
        kind = SubtitleKind::DvdSpu;
    } else if (std::strcmp(name, "subpicture/x-dvb") == 0) {
        kind = SubtitleKind::Dvb;
    }
    return kind != SubtitleKind::None && Installed(OverlayFor(kind).factory) ? kind
                                                                             : SubtitleKind::None;
}

int ChooseSubtitlePad(const std::vector<Handle<GstPad>>& pads) {
    int first = -1;
    for (std::size_t i = 0; i < pads.size(); ++i) {
        if (SubtitleKindOfCaps(CapsOfPad(pads[i].get()).get()) == SubtitleKind::None) {
            continue;
        }
        if (first < 0) {
            first = static_cast<int>(i);
        }
        // Demuxers state the default flag in the stream-start event, not always
        // with a stream object.
        auto start = Handle<GstEvent>::Adopt(
            gst_pad_get_sticky_event(pads[i].get(), GST_EVENT_STREAM_START, 0));
        GstStreamFlags flags = GST_STREAM_FLAG_NONE;
        if (start) {
            gst_event_parse_stream_flags(start.get(), &flags);
        }
        if ((flags & GST_STREAM_FLAG_SELECT) != 0) {
            return static_cast<int>(i);
        }
    }
    return first;
}

void StopDecodingAtStyledSubtitles(GstElement* decodebin) {
    GstCaps* raw = nullptr;
    g_object_get(decodebin, "caps", &raw, nullptr);
    auto caps = Handle<GstCaps>::Adopt(raw);
    if (!caps) {
        return;
    }
    auto styled =
        Handle<GstCaps>::Adopt(gst_caps_from_string("application/x-ass;application/x-ssa"));
    auto merged = Handle<GstCaps>::Adopt(
        gst_caps_merge(gst_caps_copy(caps.get()), gst_caps_copy(styled.get())));
    g_object_set(decodebin, "caps", merged.get(), nullptr);
}

Handle<GstElement> MakeSubtitleFilter(SubtitleKind embedded, const Sidecar& sidecar) {
    SubtitleKind kind = embedded;
    std::vector<Handle<GstElement>> reader;
    if (kind == SubtitleKind::None && sidecar.format != SidecarFormat::None) {
        reader = SidecarReader(sidecar);
        if (!reader.empty()) {
            kind = sidecar.format == SidecarFormat::Ass ? SubtitleKind::Ass : SubtitleKind::Text;
        }
    }
    const Overlay overlayPads = OverlayFor(kind);
    Handle<GstElement> overlay = MakeElement(overlayPads.factory);
    // The renderer after the filter may want another format than the overlay draws in.
    Handle<GstElement> convert = MakeElement("videoconvert");
    auto bin = Handle<GstElement>::AdoptFloating(gst_bin_new(kSubtitleFilterName));
    if (!overlay || !convert || !bin) {
        return {};
    }
    if (kind == SubtitleKind::Ass) {
        // Fonts attached to the file reach libass with the stream's tags.
        g_object_set(overlay.get(), "embeddedfonts", TRUE, nullptr);
    }
    gst_bin_add_many(GST_BIN(bin.get()), overlay.get(), convert.get(), nullptr);
    for (const Handle<GstElement>& element : reader) {
        gst_bin_add(GST_BIN(bin.get()), element.get());
    }
    bool ok = gst_element_link(overlay.get(), convert.get()) &&
              AddGhost(bin.get(), "sink", overlay.get(), overlayPads.videoPad) &&
              AddGhost(bin.get(), "src", convert.get(), "src");
    for (std::size_t i = 1; ok && i < reader.size(); ++i) {
        ok = gst_element_link(reader[i - 1].get(), reader[i].get());
    }
    if (ok && !reader.empty()) {
        ok = gst_element_link_pads(reader.back().get(), nullptr, overlay.get(),
                                   overlayPads.subtitlePad);
    } else if (ok && embedded != SubtitleKind::None) {
        ok = AddGhost(bin.get(), kSubtitleInputName, overlay.get(), overlayPads.subtitlePad);
    }
    return ok ? bin : Handle<GstElement>();
}

} // namespace internal

} // namespace media
