#include "internal/GifDecoding.h"

#include "Handle.h"
#include "internal/TimestampRepair.h"

#include <atomic>
#include <cstring>
#include <memory>

namespace media::internal {

namespace {

struct EndOfFile {
    std::atomic<gint64> size{-1}; // bytes upstream, once known
};

void DeleteEndOfFile(gpointer data) {
    delete static_cast<EndOfFile*>(data);
}

bool HasOutputPads(GstElement* element) {
    GST_OBJECT_LOCK(element);
    const bool has = element->numsrcpads > 0;
    GST_OBJECT_UNLOCK(element);
    return has;
}

// Runs before each read the demuxer pulls. A read at or past the end of the
// file fails instead of returning nothing, which the demuxer takes as the end
// of its stream once it has sent frames. While it is still opening the file
// (no output pads yet) reads pass unchanged: reading to the end is normal there.
GstPadProbeReturn OnDemuxerPull(GstPad* pad, GstPadProbeInfo* info, gpointer data) {
    auto& end = *static_cast<EndOfFile*>(data);
    GstObject* parent = GST_OBJECT_PARENT(pad);
    if (parent == nullptr || !HasOutputPads(GST_ELEMENT(parent))) {
        return GST_PAD_PROBE_PASS;
    }
    gint64 size = end.size.load();
    if (size < 0) {
        if (!gst_pad_peer_query_duration(pad, GST_FORMAT_BYTES, &size) || size <= 0) {
            return GST_PAD_PROBE_PASS;
        }
        end.size.store(size);
    }
    if (info->offset < static_cast<guint64>(size)) {
        return GST_PAD_PROBE_PASS;
    }
    GST_PAD_PROBE_INFO_FLOW_RETURN(info) = GST_FLOW_ERROR;
    return GST_PAD_PROBE_HANDLED;
}

void EndDemuxingAtEndOfFile(GstElement* demuxer) {
    auto pad = Handle<GstPad>::Adopt(gst_element_get_static_pad(demuxer, "sink"));
    if (!pad) {
        return;
    }
    auto end = std::make_unique<EndOfFile>();
    // Reads are only seen by a blocking probe; it lets each one pass unless it
    // fails it. The pad owns the state and frees it with the probe.
    gst_pad_add_probe(
        pad.get(), static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_PULL | GST_PAD_PROBE_TYPE_BLOCK),
        &OnDemuxerPull, end.release(), &DeleteEndOfFile);
}

struct SeekNumber {
    std::atomic<guint32> seqnum{GST_SEQNUM_INVALID}; // of the last seek that came upstream
};

void DeleteSeekNumber(gpointer data) {
    delete static_cast<SeekNumber*>(data);
}

// The demuxer starts new sequence numbers for the flush, segment and end of
// stream that answer a seek, where they must carry the seek's. A timeline waits
// for an end of stream with the number of its seek and ignores any other.
GstPadProbeReturn OnDecoderEvent(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto& seek = *static_cast<SeekNumber*>(data);
    GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_SEEK:
        seek.seqnum.store(gst_event_get_seqnum(event));
        break;
    case GST_EVENT_FLUSH_START:
    case GST_EVENT_FLUSH_STOP:
    case GST_EVENT_SEGMENT:
    case GST_EVENT_EOS: {
        const guint32 wanted = seek.seqnum.load();
        if (wanted != GST_SEQNUM_INVALID && gst_event_get_seqnum(event) != wanted) {
            event = gst_event_make_writable(event);
            gst_event_set_seqnum(event, wanted);
            GST_PAD_PROBE_INFO_DATA(info) = event;
        }
        break;
    }
    default:
        break;
    }
    return GST_PAD_PROBE_OK;
}

void MendDecoder(GstElement* decoder) {
    RestampDecoderOutput(decoder);
    auto pad = Handle<GstPad>::Adopt(gst_element_get_static_pad(decoder, "src"));
    if (!pad) {
        return;
    }
    auto seek = std::make_unique<SeekNumber>();
    gst_pad_add_probe(pad.get(),
                      static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                                   GST_PAD_PROBE_TYPE_EVENT_UPSTREAM |
                                                   GST_PAD_PROBE_TYPE_EVENT_FLUSH),
                      &OnDecoderEvent, seek.release(), &DeleteSeekNumber);
}

void OnDeepElementAdded(GstBin*, GstBin*, GstElement* element, gpointer) {
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory == nullptr) {
        return;
    }
    const char* name = gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory));
    if (std::strcmp(name, "avdemux_gif") == 0) {
        EndDemuxingAtEndOfFile(element);
    } else if (std::strcmp(name, "avdec_gif") == 0) {
        MendDecoder(element);
    }
}

} // namespace

void MendGifDecoding(GstElement* pipeline) {
    g_signal_connect(pipeline, "deep-element-added", G_CALLBACK(OnDeepElementAdded), nullptr);
}

} // namespace media::internal
