#pragma once

// Internal to the media layer: encoder instances for inspection and set-up.

#include "EncoderProperties.h"

#include <gst/gst.h>

#include <memory>

namespace media {

struct GObjectUnref {
    void operator()(GObject* object) const { g_object_unref(object); }
};
using ObjectRef = std::unique_ptr<GObject, GObjectUnref>;

// A new instance of the encoder `factoryName` (its floating reference sunk), or
// empty when no such element is installed.
inline ObjectRef MakeEncoderInstance(const std::string& factoryName) {
    GstElement* element = gst_element_factory_make(factoryName.c_str(), nullptr);
    if (element == nullptr) {
        return ObjectRef();
    }
    return ObjectRef(G_OBJECT(gst_object_ref_sink(element)));
}

// Sets each named property the encoder has and may change.
void ApplyEncoderState(GObject* encoder, const EncoderState& state);

} // namespace media
