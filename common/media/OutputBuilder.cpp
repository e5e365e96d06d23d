#include "OutputBuilder.h"

#include "MuxCompatibility.h"

#include "internal/GstUtil.h"
#include "internal/MissingPlugin.h"
#include "internal/OutputCaps.h"
#include "internal/WmEncoding.h"

#include <sys/stat.h>

#include <vector>

namespace media {

using internal::MakeElement;

namespace {

constexpr const char* kInterleavingKey = "media-interleaving-mode";

// Per-stream window in front of the multiplexer. Limits by buffer count or bytes
// must stay off: a multiplexer waiting for one stream while another's queue is
// full by count stalls the whole graph before the first byte is written.
constexpr guint64 kInterleaveWindow = 3 * GST_SECOND;
constexpr guint kEncoderFeedFrames = 4;

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

Handle<GstElement> MakeQueue(InterleavingMode mode) {
    Handle<GstElement> queue = MakeElement("queue");
    if (queue) {
        const bool bounded = mode == InterleavingMode::Capture || mode == InterleavingMode::Full;
        g_object_set(queue.get(), "max-size-buffers", 0u, "max-size-bytes", 0u, "max-size-time",
                     bounded ? kInterleaveWindow : guint64{0}, nullptr);
    }
    return queue;
}

// A short queue in front of an encoder: decoding, drawing and encoding then run
// in threads of their own instead of one after the other in one.
Handle<GstElement> MakeEncoderFeed() {
    Handle<GstElement> queue = MakeElement("queue");
    if (queue) {
        g_object_set(queue.get(), "max-size-buffers", kEncoderFeedFrames, "max-size-bytes", 0u,
                     "max-size-time", guint64{0}, nullptr);
    }
    return queue;
}

// Without a multiplexer a stream ends in a renderer of its own: converters, the
// optional compressor and a null renderer that takes data as fast as it comes.
Result RenderToDefaultRenderer(GstBin* pipeline, const Pad& source, const Element& compressor) {
    std::vector<Handle<GstElement>> chain;
    switch (source.ConnectionMajorType()) {
    case MajorType::Video:
        chain.push_back(MakeElement("videoconvert"));
        break;
    case MajorType::Audio:
        chain.push_back(MakeElement("audioconvert"));
        chain.push_back(MakeElement("audioresample"));
        break;
    default:
        break;
    }
    if (compressor) {
        chain.push_back(compressor.handle());
    }
    Handle<GstElement> renderer = MakeElement("fakesink");
    if (renderer) {
        g_object_set(renderer.get(), "sync", FALSE, nullptr);
    }
    chain.push_back(renderer);
    for (const Handle<GstElement>& element : chain) {
        if (!element) {
            return VFW_E_CANNOT_RENDER;
        }
        if (GST_OBJECT_PARENT(element.get()) == nullptr) {
            gst_bin_add(pipeline, element.get());
        }
    }
    bool linked = true;
    for (std::size_t i = 1; i < chain.size() && linked; ++i) {
        linked = gst_element_link(chain[i - 1].get(), chain[i].get());
    }
    auto entry = Handle<GstPad>::Adopt(gst_element_get_static_pad(chain.front().get(), "sink"));
    linked = linked && entry && gst_pad_link(source.native(), entry.get()) == GST_PAD_LINK_OK;
    if (!linked) {
        for (const Handle<GstElement>& element : chain) {
            gst_element_set_state(element.get(), GST_STATE_NULL);
            gst_bin_remove(pipeline, element.get());
        }
        return VFW_E_CANNOT_CONNECT;
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        gst_element_sync_state_with_parent(it->get());
    }
    return S_OK;
}

} // namespace

std::string MissingMultiplexerText(OutputFormat format) {
    const char* factoryName = MultiplexerFactoryName(format);
    auto factory = Handle<GstElementFactory>::Adopt(gst_element_factory_find(factoryName));
    return factory ? std::string() : internal::DescribeMissingElement(factoryName);
}

Result OutputBuilder::SetFiltergraph(std::shared_ptr<FilterGraph> graph) {
    if (!graph) {
        return E_POINTER;
    }
    graph_ = std::move(graph);
    return S_OK;
}

Result OutputBuilder::GetFiltergraph(std::shared_ptr<FilterGraph>& graph) const {
    graph = graph_;
    return graph_ ? S_OK : E_UNEXPECTED;
}

Result OutputBuilder::SetOutputFileName(OutputFormat format, const std::string& path, Element& mux,
                                        Element& writer) {
    if (!graph_) {
        return E_UNEXPECTED;
    }
    if (path.empty()) {
        return E_INVALIDARG;
    }
    Element newMux(MakeElement(MultiplexerFactoryName(format)));
    Element newWriter(MakeElement("filesink"));
    if (!newMux || !newWriter) {
        return VFW_E_NO_ENCODER;
    }
    g_object_set(newWriter.native(), "location", path.c_str(), nullptr);
    // The writer is the last element; it never waits for the clock.
    g_object_set(newWriter.native(), "sync", FALSE, nullptr);

    Result result = graph_->AddFilter(newMux, "Mux");
    if (Succeeded(result)) {
        result = graph_->AddFilter(newWriter, "File Writer");
        if (Failed(result)) {
            graph_->RemoveFilter(newMux);
        }
    }
    if (Failed(result)) {
        return result;
    }
    if (!gst_element_link(newMux.native(), newWriter.native())) {
        graph_->RemoveFilter(newWriter);
        graph_->RemoveFilter(newMux);
        return VFW_E_CANNOT_CONNECT;
    }
    if (format == OutputFormat::WindowsMedia || format == OutputFormat::Asf) {
        internal::RepairAsfPacketLengths(newMux.native());
    }
    if (format == OutputFormat::Mp4) {
        // The index goes in front of the data once the data is complete; until
        // then the data waits beside the file rather than in a temporary
        // folder that may be too small for it.
        const std::string parked = path + ".part";
        g_object_set(newMux.native(), "faststart", TRUE, "faststart-file", parked.c_str(), nullptr);
    }
    mux = std::move(newMux);
    writer = std::move(newWriter);
    return S_OK;
}

namespace {

// The elements a stream passes on its way into a multiplexer, first to last,
// and the multiplexer's pad template it enters by.
struct StreamChain {
    std::vector<Handle<GstElement>> elements;
    const char* muxTemplate = nullptr;
    bool byProfile = false; // encoded as the multiplexer's profile describes
    internal::WmStreamChain profileChain;
};

Result BuildStreamChain(const Pad& source, const Element& compressor, const Element& mux,
                        StreamChain& chain) {
    const MajorType type = source.ConnectionMajorType();
    if (type != MajorType::Video && type != MajorType::Audio) {
        return VFW_E_CANNOT_RENDER;
    }
    chain.muxTemplate = type == MajorType::Video ? "video_%u" : "audio_%u";
    chain.byProfile = !compressor && internal::HasWmProfile(mux.native());
    std::vector<Handle<GstElement>>& elements = chain.elements;
    if (chain.byProfile) {
        const Result built = internal::BuildWmStreamChain(mux.native(), type, chain.profileChain);
        if (Failed(built)) {
            return built;
        }
        elements = chain.profileChain.elements;
        // The profile's encoder is last; a short queue feeds it.
        elements.insert(elements.end() - 1, MakeEncoderFeed());
    } else if (type == MajorType::Video) {
        elements.push_back(MakeElement("videoconvert"));
    } else {
        elements.push_back(MakeElement("audioconvert"));
        elements.push_back(MakeElement("audioresample"));
    }
    if (!compressor && !chain.byProfile) {
        if (Handle<GstCaps> caps = internal::UncompressedCaps(source.native())) {
            Handle<GstElement> filter = MakeElement("capsfilter");
            if (filter) {
                g_object_set(filter.get(), "caps", caps.get(), nullptr);
            }
            elements.push_back(filter);
        }
    }
    if (compressor) {
        internal::UseAllEncoderThreads(compressor.native());
        internal::BoundKeyFrameDistance(compressor.native(), source.native());
        if (type == MajorType::Video &&
            mux.FactoryName() == MultiplexerFactoryName(OutputFormat::Mp4)) {
            // Files of this kind are meant for every phone, television and
            // browser; fewer of them decode 10-bit or 4:4:4 pictures.
            if (Handle<GstElement> common =
                    internal::MakeCommonPictureFilter(compressor.native())) {
                elements.push_back(common);
            }
        }
        elements.push_back(MakeEncoderFeed());
        elements.push_back(compressor.handle());
    }
    elements.push_back(MakeQueue(GetInterleavingMode(mux)));
    for (const Handle<GstElement>& element : elements) {
        if (!element) {
            return VFW_E_CANNOT_RENDER;
        }
    }
    return S_OK;
}

// Adds the chain's new elements to the pipeline and links source, chain and a
// new input of mux; on failure everything it did is undone.
Result AttachStreamChain(GstBin* pipeline, const Pad& source, const StreamChain& chain,
                         const Element& mux) {
    const std::vector<Handle<GstElement>>& elements = chain.elements;
    auto muxPad =
        Handle<GstPad>::Adopt(gst_element_request_pad_simple(mux.native(), chain.muxTemplate));
    if (!muxPad) {
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    std::vector<Handle<GstElement>> added;
    const auto undo = [&](Result failure) {
        gst_element_release_request_pad(mux.native(), muxPad.get());
        for (const Handle<GstElement>& element : added) {
            gst_element_set_state(element.get(), GST_STATE_NULL);
            gst_bin_remove(pipeline, element.get());
        }
        return failure;
    };
    for (const Handle<GstElement>& element : elements) {
        GstObject* parent = GST_OBJECT_PARENT(element.get());
        if (parent == nullptr) {
            gst_bin_add(pipeline, element.get());
            added.push_back(element);
        } else if (parent != GST_OBJECT(pipeline)) {
            return undo(E_INVALIDARG);
        }
    }
    for (std::size_t i = 1; i < elements.size(); ++i) {
        if (!gst_element_link(elements[i - 1].get(), elements[i].get())) {
            return undo(VFW_E_CANNOT_CONNECT);
        }
    }
    auto queueOut = Handle<GstPad>::Adopt(gst_element_get_static_pad(elements.back().get(), "src"));
    auto entry = Handle<GstPad>::Adopt(gst_element_get_static_pad(elements.front().get(), "sink"));
    if (gst_pad_link(queueOut.get(), muxPad.get()) != GST_PAD_LINK_OK ||
        gst_pad_link(source.native(), entry.get()) != GST_PAD_LINK_OK) {
        return undo(VFW_E_CANNOT_CONNECT);
    }
    // Joining a graph that already runs: downstream first.
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        gst_element_sync_state_with_parent(it->get());
    }
    return S_OK;
}

} // namespace

Result OutputBuilder::RenderStream(const Pad& source, const Element& compressor,
                                   const Element& mux) {
    if (!graph_) {
        return E_UNEXPECTED;
    }
    if (!source) {
        return E_POINTER;
    }
    if (source.Direction() != PadDirection::Output || source.IsConnected()) {
        return E_INVALIDARG;
    }
    GstObject* pipeline = GST_OBJECT(graph_->native());
    if (!mux) {
        return RenderToDefaultRenderer(GST_BIN(pipeline), source, compressor);
    }
    if (GST_OBJECT_PARENT(mux.native()) != pipeline) {
        return VFW_E_NOT_FOUND;
    }
    StreamChain chain;
    Result result = BuildStreamChain(source, compressor, mux, chain);
    if (Succeeded(result)) {
        result = AttachStreamChain(GST_BIN(pipeline), source, chain, mux);
    }
    if (Succeeded(result) && chain.byProfile) {
        internal::MarkWmStreamRendered(mux.native(), chain.profileChain.streamNumber);
    }
    return result;
}

Result ConfigureFilterUsingProfile(const Element& writerMux, const WmProfile& profile) {
    if (!writerMux) {
        return E_POINTER;
    }
    if (writerMux.FactoryName() != MultiplexerFactoryName(OutputFormat::WindowsMedia)) {
        return E_INVALIDARG;
    }
    return internal::AttachWmProfile(writerMux.native(), profile);
}

Result SetInterleavingMode(const Element& mux, InterleavingMode mode) {
    if (!mux) {
        return E_POINTER;
    }
    g_object_set_data(G_OBJECT(mux.native()), kInterleavingKey,
                      GINT_TO_POINTER(static_cast<int>(mode) + 1));
    return S_OK;
}

InterleavingMode GetInterleavingMode(const Element& mux) {
    const int stored =
        mux ? GPOINTER_TO_INT(g_object_get_data(G_OBJECT(mux.native()), kInterleavingKey)) : 0;
    return stored == 0 ? InterleavingMode::Full : static_cast<InterleavingMode>(stored - 1);
}

Result SetFileWriterMode(const Element& writer, bool overwrite) {
    if (!writer) {
        return E_POINTER;
    }
    if (!overwrite && FileExists(writer.GetProperty("location"))) {
        return E_FILE_EXISTS;
    }
    return S_OK;
}

} // namespace media
