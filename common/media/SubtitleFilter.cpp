// The subtitle filter's settings and its bin: an overlay element fed by the
// file's own subtitle stream or by a sidecar script read inside the bin. Plain
// text goes through libass too, turned into events of one readable style.

#include "SubtitleFilter.h"

#include "internal/AssScriptSource.h"
#include "internal/GstUtil.h"
#include "internal/SubtitleFilterBin.h"
#include "internal/TextToAss.h"

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
    auto factory = Handle<GstElementFactory>::Adopt(gst_element_factory_find("assrender"));
    return factory && internal::RegisterTextToAss();
}

namespace internal {

namespace {

struct Overlay {
    const char* factory;
    const char* videoPad;
    const char* subtitlePad;
    bool textToAss = false; // plain text reaches the overlay as ASS events
};

Overlay OverlayFor(SubtitleKind kind) {
    switch (kind) {
    case SubtitleKind::Ass:
        return {"assrender", "video_sink", "text_sink"};
    case SubtitleKind::Text:
        return {"assrender", "video_sink", "text_sink", true};
    case SubtitleKind::DvdSpu:
        return {"dvdspu", "video", "subpicture"};
    case SubtitleKind::Dvb:
        return {"dvbsuboverlay", "video_sink", "text_sink"};
    case SubtitleKind::None:
    default:
        return {"identity", "sink", nullptr};
    }
}

bool Installed(const Overlay& overlay) {
    return Handle<GstElementFactory>::Adopt(gst_element_factory_find(overlay.factory)) &&
           (!overlay.textToAss || RegisterTextToAss());
}

bool AddGhost(GstElement* bin, const char* name, GstElement* element, const char* padName) {
    auto target = Handle<GstPad>::Adopt(gst_element_get_static_pad(element, padName));
    return target && gst_element_add_pad(bin, gst_ghost_pad_new(name, target.get()));
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
    return kind != SubtitleKind::None && Installed(OverlayFor(kind)) ? kind : SubtitleKind::None;
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
    // A sidecar, SRT as well, is read as an ASS script: SRT in the default text style.
    Handle<GstElement> reader;
    if (kind == SubtitleKind::None && sidecar.format != SidecarFormat::None) {
        reader = MakeAssScriptSource(sidecar);
        if (reader) {
            kind = SubtitleKind::Ass;
        }
    }
    const Overlay overlayPads = OverlayFor(kind);
    Handle<GstElement> overlay = MakeElement(overlayPads.factory);
    Handle<GstElement> textToAss = overlayPads.textToAss ? MakeTextToAss() : Handle<GstElement>();
    // The renderer after the filter may want another format than the overlay draws in.
    Handle<GstElement> convert = MakeElement("videoconvert");
    auto bin = Handle<GstElement>::AdoptFloating(gst_bin_new(kSubtitleFilterName));
    if (!overlay || !convert || !bin || (overlayPads.textToAss && !textToAss)) {
        return {};
    }
    if (kind == SubtitleKind::Ass) {
        // Fonts attached to the file reach libass with the stream's tags.
        g_object_set(overlay.get(), "embeddedfonts", TRUE, nullptr);
    }
    gst_bin_add_many(GST_BIN(bin.get()), overlay.get(), convert.get(), nullptr);
    if (reader) {
        gst_bin_add(GST_BIN(bin.get()), reader.get());
    }
    bool ok = gst_element_link(overlay.get(), convert.get()) &&
              AddGhost(bin.get(), "sink", overlay.get(), overlayPads.videoPad) &&
              AddGhost(bin.get(), "src", convert.get(), "src");
    // Where subtitles enter: the converter when there is one, else the overlay.
    GstElement* input = overlay.get();
    const char* inputPad = overlayPads.subtitlePad;
    if (ok && textToAss) {
        gst_bin_add(GST_BIN(bin.get()), textToAss.get());
        ok = gst_element_link_pads(textToAss.get(), "src", overlay.get(), overlayPads.subtitlePad);
        input = textToAss.get();
        inputPad = "sink";
    }
    if (ok && reader) {
        ok = gst_element_link_pads(reader.get(), nullptr, input, inputPad);
    } else if (ok && embedded != SubtitleKind::None) {
        ok = AddGhost(bin.get(), kSubtitleInputName, input, inputPad);
    }
    return ok ? bin : Handle<GstElement>();
}

} // namespace internal

} // namespace media
