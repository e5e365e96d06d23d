// FilterGraph operation for a graph whose renderers were replaced by an output
// path: starting the new path from the beginning.

#include "FilterGraph.h"

#include "internal/GstUtil.h"

#include <gst/gst.h>

namespace media {

Result FilterGraph::Rewind(const std::vector<Pad>& outputs) {
    if (outputs.empty()) {
        return E_INVALIDARG;
    }
    // New elements are still in NULL; data pushed into them now would be refused
    // and stop the streams. Sinks come first in this walk.
    if (!gst_bin_sync_children_states(GST_BIN(native()))) {
        return VFW_E_CANNOT_CONNECT;
    }
    // The renderers' removal unblocked the streaming threads with a flush, which
    // paused them and dropped the prerolled data; a flushing seek restarts every
    // stream at the start. One event for all outputs: an element reached twice
    // sees the same sequence number and handles it once.
    auto seek = Handle<GstEvent>::Adopt(
        gst_event_new_seek(1.0, GST_FORMAT_TIME,
                           static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                           GST_SEEK_TYPE_SET, 0, GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE));
    bool sent = false;
    for (const Pad& pad : outputs) {
        if (pad) {
            sent |= gst_pad_send_event(pad.native(), gst_event_ref(seek.get())) != FALSE;
        }
    }
    return sent ? S_OK : E_FAIL;
}

} // namespace media
