#include "internal/WmEncoding.h"

#include "internal/GstUtil.h"
#include "internal/WmFormats.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace media::internal {

namespace {

constexpr const char* kProfileKey = "media-wm-profile";
constexpr double kUnitsPerSecond = 10000000.0;

struct WriterState {
    WmProfile profile;
    std::vector<std::uint16_t> rendered;

    bool IsRendered(std::uint16_t number) const {
        return std::find(rendered.begin(), rendered.end(), number) != rendered.end();
    }
};

void DeleteState(gpointer data) {
    std::unique_ptr<WriterState> owned(static_cast<WriterState*>(data));
}

WriterState* StateOf(GstElement* mux) {
    return static_cast<WriterState*>(g_object_get_data(G_OBJECT(mux), kProfileKey));
}

// Streams that share a bitrate exclusion with number: one input feeds the
// group, so rendering one of them uses up all.
std::vector<std::uint16_t> ExclusionGroup(const WmProfile& profile, std::uint16_t number) {
    for (const WmMutualExclusion& exclusion : profile.MutualExclusions()) {
        const auto& streams = exclusion.Streams();
        if (exclusion.Type() == WmExclusionType::Bitrate &&
            std::find(streams.begin(), streams.end(), number) != streams.end()) {
            return streams;
        }
    }
    return {number};
}

Handle<GstElement> CapsFilter(Handle<GstCaps> caps) {
    Handle<GstElement> filter = MakeElement("capsfilter");
    if (filter && caps) {
        g_object_set(filter.get(), "caps", caps.get(), nullptr);
    }
    return filter;
}

Result VideoChain(const WmStreamConfig& stream, const WmMediaType& type, const char* encoderName,
                  WmStreamChain& chain) {
    const WmVideoInfoHeader* info = type.Video();
    const Fraction rate = WmFrameRate(info->AvgTimePerFrame);
    if (info->bmiHeader.biWidth <= 0 || info->bmiHeader.biHeight <= 0 || rate.numerator <= 0) {
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    Handle<GstElement> encoder = MakeElement(encoderName);
    if (!encoder) {
        return VFW_E_NO_ENCODER;
    }
    const std::uint32_t bitrate = stream.Bitrate() != 0 ? stream.Bitrate() : info->dwBitRate;
    if (bitrate != 0) {
        g_object_set(encoder.get(), "bitrate",
                     static_cast<gint>(std::min<std::uint32_t>(bitrate, G_MAXINT)), nullptr);
    }
    if (const int interval = WmKeyFrameInterval(stream.MaxKeyFrameSpacing(), rate); interval > 0) {
        g_object_set(encoder.get(), "gop-size", interval, nullptr);
    }
    // Square pixels: the profile's size is the picture as stored.
    auto caps = Handle<GstCaps>::Adopt(gst_caps_new_simple(
        "video/x-raw", "width", G_TYPE_INT, info->bmiHeader.biWidth, "height", G_TYPE_INT,
        std::abs(info->bmiHeader.biHeight), "framerate", GST_TYPE_FRACTION, rate.numerator,
        rate.denominator, "pixel-aspect-ratio", GST_TYPE_FRACTION, 1, 1, nullptr));
    Handle<GstElement> rateChange = MakeElement("videorate");
    if (rateChange) {
        // The picture ends with its last frame: a subtitle or sound stream that
        // lasts longer must not stretch it with copies.
        g_object_set(rateChange.get(), "max-closing-segment-duplication-duration", guint64{0},
                     nullptr);
    }
    chain.elements = {MakeElement("videoconvert"), MakeElement("videoscale"), rateChange,
                      CapsFilter(std::move(caps)), encoder};
    return S_OK;
}

Result AudioChain(const WmStreamConfig& stream, const WmMediaType& type, const char* encoderName,
                  WmStreamChain& chain) {
    const WmWaveFormat* wave = type.Wave();
    if (wave->nSamplesPerSec == 0 || wave->nChannels == 0) {
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    Handle<GstElement> encoder = MakeElement(encoderName);
    if (!encoder) {
        return VFW_E_NO_ENCODER;
    }
    // The format decides what is encoded; the stream's bitrate only when the
    // format states none.
    const std::uint64_t bitrate =
        wave->nAvgBytesPerSec != 0 ? BitsPerSecond(*wave) : std::uint64_t{stream.Bitrate()};
    g_object_set(encoder.get(), "bitrate",
                 static_cast<gint>(std::min<std::uint64_t>(bitrate, G_MAXINT)), nullptr);
    auto caps = Handle<GstCaps>::Adopt(gst_caps_new_simple(
        "audio/x-raw", "rate", G_TYPE_INT, static_cast<int>(wave->nSamplesPerSec), "channels",
        G_TYPE_INT, static_cast<int>(wave->nChannels), nullptr));
    chain.elements = {MakeElement("audioconvert"), MakeElement("audioresample"),
                      CapsFilter(std::move(caps)), encoder};
    return S_OK;
}

// Field sizes by 2-bit length type: none, byte, word, double word.
constexpr std::size_t kLengthTypeSize[4] = {0, 1, 2, 4};
constexpr guint8 kErrorCorrectionPresent = 0x80;

GstPadProbeReturn RepairPacketLength(GstPad* pad, GstPadProbeInfo* info, gpointer /*data*/) {
    // Read while streaming: the size may be set after the writer was made.
    guint packetSize = 0;
    g_object_get(GST_OBJECT_PARENT(pad), "packet-size", &packetSize, nullptr);
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (buffer == nullptr || gst_buffer_get_size(buffer) != packetSize) {
        return GST_PAD_PROBE_OK; // header or index
    }
    guint8 flags = 0;
    gst_buffer_extract(buffer, 0, &flags, 1);
    const std::size_t lengthSize = kLengthTypeSize[(flags >> 5) & 3];
    // Only the form asfmux writes: no error correction, a stated packet length.
    if ((flags & kErrorCorrectionPresent) != 0 || lengthSize < 2) {
        return GST_PAD_PROBE_OK;
    }
    guint8 stated[4] = {};
    gst_buffer_extract(buffer, 2, stated, lengthSize);
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < lengthSize; ++i) {
        length |= std::uint32_t{stated[i]} << (8 * i);
    }
    if (length >= packetSize) {
        return GST_PAD_PROBE_OK;
    }
    buffer = gst_buffer_make_writable(buffer);
    for (std::size_t i = 0; i < lengthSize; ++i) {
        stated[i] = static_cast<guint8>((packetSize >> (8 * i)) & 0xFF);
    }
    gst_buffer_fill(buffer, 2, stated, lengthSize);
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    return GST_PAD_PROBE_OK;
}

} // namespace

void RepairAsfPacketLengths(GstElement* mux) {
    auto source = Handle<GstPad>::Adopt(gst_element_get_static_pad(mux, "src"));
    if (source) {
        gst_pad_add_probe(source.get(), GST_PAD_PROBE_TYPE_BUFFER, RepairPacketLength, nullptr,
                          nullptr);
    }
}

Result AttachWmProfile(GstElement* mux, const WmProfile& profile) {
    bool media = false;
    for (const WmStreamConfig& stream : profile.Streams()) {
        if (stream.MajorType() == WmMajorType::Script) {
            continue; // no source feeds it; the file just declares it
        }
        media = true;
        WmMediaType type;
        const std::string encoder =
            Succeeded(stream.GetMediaType(type)) ? WmEncoderFor(type) : std::string();
        if (encoder.empty() ||
            !Handle<GstElementFactory>::Adopt(gst_element_factory_find(encoder.c_str()))) {
            return VFW_E_NO_ENCODER;
        }
    }
    if (!media) {
        return E_INVALIDARG;
    }
    auto state = std::make_unique<WriterState>(WriterState{profile, {}});
    // The multiplexer owns the state from here; a later profile replaces it.
    g_object_set_data_full(G_OBJECT(mux), kProfileKey, state.release(), DeleteState);
    return S_OK;
}

bool HasWmProfile(GstElement* mux) {
    return StateOf(mux) != nullptr;
}

Fraction WmFrameRate(std::int64_t timePerFrame) {
    if (timePerFrame <= 0) {
        return {};
    }
    return FrameRateToFraction(kUnitsPerSecond / static_cast<double>(timePerFrame));
}

int WmKeyFrameInterval(std::int64_t spacing, Fraction rate) {
    if (spacing <= 0 || rate.numerator <= 0 || rate.denominator <= 0) {
        return 0;
    }
    const double frames = static_cast<double>(spacing) * rate.numerator /
                          (static_cast<double>(rate.denominator) * kUnitsPerSecond);
    return static_cast<int>(
        std::clamp(std::llround(frames), 1LL, static_cast<long long>(G_MAXINT)));
}

Result BuildWmStreamChain(GstElement* mux, MajorType type, WmStreamChain& chain) {
    const WriterState* state = StateOf(mux);
    if (state == nullptr) {
        return VFW_E_NOT_INITIALIZED;
    }
    const WmMajorType wanted = type == MajorType::Video ? WmMajorType::Video : WmMajorType::Audio;
    if (type != MajorType::Video && type != MajorType::Audio) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    for (const WmStreamConfig& stream : state->profile.Streams()) {
        if (stream.MajorType() != wanted || state->IsRendered(stream.StreamNumber())) {
            continue;
        }
        WmMediaType mediaType;
        if (Failed(stream.GetMediaType(mediaType))) {
            return VFW_E_INVALID_MEDIA_TYPE;
        }
        const std::string encoder = WmEncoderFor(mediaType);
        if (encoder.empty()) {
            return VFW_E_NO_ENCODER;
        }
        chain.streamNumber = stream.StreamNumber();
        if (wanted == WmMajorType::Video && mediaType.Video() != nullptr) {
            return VideoChain(stream, mediaType, encoder.c_str(), chain);
        }
        if (wanted == WmMajorType::Audio && mediaType.Wave() != nullptr) {
            return AudioChain(stream, mediaType, encoder.c_str(), chain);
        }
        return VFW_E_INVALID_MEDIA_TYPE;
    }
    return VFW_E_TYPE_NOT_ACCEPTED;
}

void MarkWmStreamRendered(GstElement* mux, std::uint16_t streamNumber) {
    if (WriterState* state = StateOf(mux)) {
        for (const std::uint16_t number : ExclusionGroup(state->profile, streamNumber)) {
            state->rendered.push_back(number);
        }
    }
}

} // namespace media::internal
