#pragma once

// Small helpers shared by the implementation files. Includes the framework headers.

#include "Element.h"
#include "Handle.h"
#include "Result.h"

#include <gst/gst.h>

#include <cstdint>
#include <memory>
#include <string>

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

} // namespace media::internal
