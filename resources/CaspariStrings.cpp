#include "CaspariStrings.h"

#include "MessageIds.h"

#include <array>

namespace res {
namespace {

// So far the messages of the options dialog it shares with veltrano.
constexpr std::array kStrings = {
    kFrameRateTooLargeString,
    kFullPathNeededString,
    kFrameSizeTooLargeString,
};

} // namespace

std::span<const StringResource> CaspariStrings() {
    return kStrings;
}

} // namespace res
