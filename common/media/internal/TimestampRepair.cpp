#include "internal/TimestampRepair.h"

#include "Handle.h"

#include <deque>
#include <memory>
#include <mutex>

namespace media::internal {

namespace {

constexpr const char* kRepairKey = "media-timestamp-repair";

// Unset, or a "no timestamp" value carried over as a huge one.
bool IsUsable(GstClockTime time) {
    return GST_CLOCK_TIME_IS_VALID(time) && time <= static_cast<GstClockTime>(G_MAXINT64);
}

struct TimestampRepair {
    std::mutex mutex;
    std::deque<GstClockTime> pending; // input timestamps not yet matched to output
    GstSegment input{};
    GstSegment output{};
};

void DeleteRepair(gpointer repair) {
    delete static_cast<TimestampRepair*>(repair);
}

GstPadProbeReturn OnInput(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto& repair = *static_cast<TimestampRepair*>(data);
    std::lock_guard lock(repair.mutex);
    if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
        repair.pending.push_back(GST_BUFFER_PTS(GST_PAD_PROBE_INFO_BUFFER(info)));
    } else if (info->type & GST_PAD_PROBE_TYPE_EVENT_BOTH) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            gst_event_copy_segment(event, &repair.input);
        } else if (GST_EVENT_TYPE(event) == GST_EVENT_FLUSH_STOP) {
            repair.pending.clear();
        }
    }
    return GST_PAD_PROBE_OK;
}

GstPadProbeReturn OnOutput(GstPad*, GstPadProbeInfo* info, gpointer data) {
    auto& repair = *static_cast<TimestampRepair*>(data);
    std::lock_guard lock(repair.mutex);
    if (!(info->type & GST_PAD_PROBE_TYPE_BUFFER)) {
        GstEvent* event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            gst_event_copy_segment(event, &repair.output);
        }
        return GST_PAD_PROBE_OK;
    }
    GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (repair.pending.empty()) {
        return GST_PAD_PROBE_OK;
    }
    const GstClockTime source = repair.pending.front();
    repair.pending.pop_front();
    if (!IsUsable(source)) {
        return GST_PAD_PROBE_OK;
    }
    // An element may move its output segment; frames move with it.
    const gint64 shift =
        static_cast<gint64>(repair.output.start) - static_cast<gint64>(repair.input.start);
    const gint64 pts = static_cast<gint64>(source) + shift;
    if (pts < 0) {
        return GST_PAD_PROBE_OK;
    }
    buffer = gst_buffer_make_writable(buffer);
    GST_BUFFER_PTS(buffer) = static_cast<GstClockTime>(pts);
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    return GST_PAD_PROBE_OK;
}

} // namespace

void RestampDecoderOutput(GstElement* element) {
    if (g_object_get_data(G_OBJECT(element), kRepairKey) != nullptr) {
        return;
    }
    auto sink = Handle<GstPad>::Adopt(gst_element_get_static_pad(element, "sink"));
    auto src = Handle<GstPad>::Adopt(gst_element_get_static_pad(element, "src"));
    if (!sink || !src) {
        return;
    }
    auto repair = std::make_unique<TimestampRepair>();
    gst_segment_init(&repair->input, GST_FORMAT_TIME);
    gst_segment_init(&repair->output, GST_FORMAT_TIME);
    TimestampRepair* state = repair.get();
    // The element owns the state from here and frees it when it goes away,
    // after its pads (and these probes) are gone.
    g_object_set_data_full(G_OBJECT(element), kRepairKey, repair.release(), &DeleteRepair);
    const auto flags = static_cast<GstPadProbeType>(GST_PAD_PROBE_TYPE_BUFFER |
                                                    GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM |
                                                    GST_PAD_PROBE_TYPE_EVENT_FLUSH);
    gst_pad_add_probe(sink.get(), flags, &OnInput, state, nullptr);
    gst_pad_add_probe(src.get(), flags, &OnOutput, state, nullptr);
}

} // namespace media::internal
