#include "StreamHold.h"

#include <gst/gst.h>

namespace media {

StreamHold::StreamHold(Pad pad) : pad_(std::move(pad)) {
    if (!pad_) {
        return;
    }
    // A blocking probe keeps the pushing thread waiting until the probe goes
    // or the pad is flushed (as stopping the graph does).
    id_ = gst_pad_add_probe(
        pad_.native(), GST_PAD_PROBE_TYPE_BLOCK_DOWNSTREAM,
        [](GstPad*, GstPadProbeInfo*, gpointer) { return GST_PAD_PROBE_OK; }, nullptr, nullptr);
}

StreamHold::~StreamHold() {
    if (id_ != 0) {
        gst_pad_remove_probe(pad_.native(), id_);
    }
}

} // namespace media
