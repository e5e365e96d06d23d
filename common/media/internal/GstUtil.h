#pragma once

// Small helpers shared by the implementation files. Includes the framework headers.

#include "Element.h"
#include "Handle.h"
#include "Result.h"

#include <gst/gst.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace media::internal {

struct GErrorDeleter {
    void operator()(GError* error) const { g_error_free(error); }
};
using ErrorPtr = std::unique_ptr<GError, GErrorDeleter>;

// Copies a string the framework handed over with ownership and frees it.
std::string TakeString(gchar* text);

// Times in this layer's public API are in 100-ns units.
constexpr std::int64_t kNanosecondsPerUnit = 100;
inline std::int64_t NanosecondsToUnits(std::int64_t ns) {
    return ns / kNanosecondsPerUnit;
}
inline std::int64_t UnitsToNanoseconds(std::int64_t units) {
    return units * kNanosecondsPerUnit;
}

Handle<GstElement> MakeElement(const char* factory, const char* name = nullptr);

MajorType MajorTypeOfCaps(const GstCaps* caps);

// Pad templates/current caps are agreed only after negotiation; this gives what
// the pad can carry now (current caps when negotiated, else the query result).
Handle<GstCaps> CapsOfPad(GstPad* pad);

struct IteratorDeleter {
    void operator()(GstIterator* iterator) const { gst_iterator_free(iterator); }
};

// The objects an iterator yields, each with a reference of its own, in the
// iterator's order. A collection that changes during the walk is walked again.
template <typename T>
std::vector<Handle<T>> CollectObjects(GstIterator* raw) {
    std::vector<Handle<T>> objects;
    std::unique_ptr<GstIterator, IteratorDeleter> iterator(raw);
    if (!iterator) {
        return objects;
    }
    GValue item = G_VALUE_INIT;
    for (bool walking = true; walking;) {
        switch (gst_iterator_next(iterator.get(), &item)) {
        case GST_ITERATOR_OK:
            objects.push_back(Handle<T>::Ref(static_cast<T*>(g_value_get_object(&item))));
            g_value_reset(&item);
            break;
        case GST_ITERATOR_RESYNC:
            objects.clear();
            gst_iterator_resync(iterator.get());
            break;
        case GST_ITERATOR_ERROR:
            objects.clear();
            walking = false;
            break;
        case GST_ITERATOR_DONE:
        default:
            walking = false;
            break;
        }
    }
    g_value_unset(&item);
    return objects;
}

} // namespace media::internal
