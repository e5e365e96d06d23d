#include "CaspariStrings.h"

#include "SharedStrings.h"

namespace res {
namespace {

constexpr std::array kOwnStrings = {
    StringResource{101, "&About"},
    StringResource{kMsgOutputNotRemovable, "The existing file %1 can not be replaced. Please "
                                           "choose another output file in Options."},
};

constexpr auto kStrings = WithSharedStrings(kOwnStrings);

} // namespace

std::span<const StringResource> CaspariStrings() {
    return kStrings;
}

} // namespace res
