#include "VeltranoStrings.h"

#include "SharedStrings.h"

namespace res {
namespace {

constexpr std::array kOwnStrings = {
    StringResource{101, "&About VELTRANO"},
    StringResource{kMsgVideoNotFound,
                   "The video file %1 can not be found. It may have been moved or deleted."},
};

constexpr auto kStrings = WithSharedStrings(kOwnStrings);

} // namespace

std::span<const StringResource> VeltranoStrings() {
    return kStrings;
}

} // namespace res
