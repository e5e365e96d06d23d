#include "internal/MissingPlugin.h"

#include "Handle.h"
#include "internal/GstUtil.h"

#include <gst/pbutils/missing-plugins.h>

#include <cstddef>
#include <cstring>

namespace media::internal {

namespace {

constexpr const char* kGood = "gstreamer1.0-plugins-good";
constexpr const char* kBad = "gstreamer1.0-plugins-bad";
constexpr const char* kUgly = "gstreamer1.0-plugins-ugly";
constexpr const char* kBase = "gstreamer1.0-plugins-base";
constexpr const char* kLibav = "gstreamer1.0-libav";

struct CapsPackage {
    const char* capsName;
    const char* package;
};

// Containers and the decoders that are not from the libav family on Debian 12.
constexpr CapsPackage kDecoderPackages[] = {
    {"video/quicktime", kGood}, {"video/x-matroska", kGood}, {"video/webm", kGood},
    {"video/x-msvideo", kGood}, {"video/x-flv", kGood},      {"video/x-ms-asf", kUgly},
    {"video/mpegts", kBad},     {"video/x-vp8", kGood},      {"video/x-vp9", kGood},
    {"audio/x-flac", kGood},    {"audio/x-vorbis", kBase},   {"audio/x-opus", kBase},
    {"video/x-theora", kBase},  {"image/gif", kLibav},       {"application/ogg", kBase},
    {"audio/x-wav", kGood},     {"image/png", kGood},        {"image/jpeg", kGood},
};

constexpr CapsPackage kEncoderPackages[] = {
    {"video/x-h264", kUgly}, {"video/x-vp8", kGood},    {"video/x-vp9", kGood},
    {"audio/x-flac", kGood}, {"audio/x-vorbis", kBase}, {"audio/x-opus", kBase},
};

struct NamePackage {
    const char* prefix;
    const char* package;
};

constexpr NamePackage kElementPackages[] = {
    {"avdec_", kLibav},   {"avenc_", kLibav},
    {"avdemux_", kLibav}, {"avmux_", kLibav},
    {"x264enc", kUgly},   {"lamemp3enc", kGood},
    {"mpg123", kGood},    {"vp8", kGood},
    {"vp9", kGood},       {"matroska", kGood},
    {"avimux", kGood},    {"qtdemux", kGood},
    {"asfdemux", kUgly},  {"asfmux", kBad},
    {"openh264", kBad},   {"tsdemux", kBad},
    {"vorbis", kBase},    {"theora", kBase},
    {"opus", kBase},      {"textoverlay", "gstreamer1.0-x"},
    {"subparse", kBase},  {"assrender", kBad},
    {"x265enc", kBad},    {"ges", "libges-1.0-0"},
};

// Demuxers name a format they cannot map "…/x-unknown" (or the like); no
// package can be told for those.
bool IsUnknownFormat(const char* capsName) {
    return std::strstr(capsName, "unknown") != nullptr;
}

// The package of the decoder or encoder for `caps`: the table's entry, else
// the one that handles MPEG-1 audio (mpg123 and lame), else the libav family,
// which covers every other compressed audio and video format.
template <std::size_t N>
const char* CodecPackage(const GstStructure* caps, const CapsPackage (&table)[N]) {
    const char* name = gst_structure_get_name(caps);
    if (IsUnknownFormat(name)) {
        return nullptr;
    }
    for (const CapsPackage& entry : table) {
        if (std::strcmp(entry.capsName, name) == 0) {
            return entry.package;
        }
    }
    gint version = 0;
    if (std::strcmp(name, "audio/mpeg") == 0 &&
        gst_structure_get_int(caps, "mpegversion", &version) && version == 1) {
        return kGood;
    }
    if (g_str_has_prefix(name, "video/") || g_str_has_prefix(name, "audio/")) {
        return kLibav;
    }
    return nullptr;
}

const char* ElementPackage(const char* factoryName) {
    for (const NamePackage& entry : kElementPackages) {
        if (g_str_has_prefix(factoryName, entry.prefix)) {
            return entry.package;
        }
    }
    return nullptr;
}

std::string MissingText(const std::string& what, const char* package) {
    if (package != nullptr) {
        return what + " is missing; install the Debian package " + package + ".";
    }
    return what + " is missing; install the GStreamer plugin packages (" + kGood + ", " + kBad +
           ", " + kUgly + ", " + kLibav + ").";
}

} // namespace

std::string PackageForMissingPlugin(GstMessage* message) {
    if (!gst_is_missing_plugin_message(message)) {
        return {};
    }
    const GstStructure* structure = gst_message_get_structure(message);
    const char* type = gst_structure_get_string(structure, "type");
    if (type == nullptr) {
        return {};
    }
    const char* package = nullptr;
    if (std::strcmp(type, "decoder") == 0 || std::strcmp(type, "encoder") == 0) {
        GstCaps* rawCaps = nullptr;
        if (gst_structure_get(structure, "detail", GST_TYPE_CAPS, &rawCaps, nullptr)) {
            auto caps = Handle<GstCaps>::Adopt(rawCaps);
            if (!gst_caps_is_empty(caps.get()) && !gst_caps_is_any(caps.get())) {
                const GstStructure* first = gst_caps_get_structure(caps.get(), 0);
                package = type[0] == 'd' ? CodecPackage(first, kDecoderPackages)
                                         : CodecPackage(first, kEncoderPackages);
            }
        }
    } else if (std::strcmp(type, "element") == 0) {
        if (const char* factory = gst_structure_get_string(structure, "detail")) {
            package = ElementPackage(factory);
        }
    }
    return package != nullptr ? package : "";
}

std::string DescribeMissingPlugin(GstMessage* message) {
    if (!gst_is_missing_plugin_message(message)) {
        return {};
    }
    std::string what = TakeString(gst_missing_plugin_message_get_description(message));
    if (what.empty()) {
        what = "A GStreamer plugin";
    }
    const std::string package = PackageForMissingPlugin(message);
    return MissingText(what, package.empty() ? nullptr : package.c_str());
}

std::string DescribeMissingElement(const char* factoryName) {
    return MissingText(factoryName, ElementPackage(factoryName));
}

} // namespace media::internal
