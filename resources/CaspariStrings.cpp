#include "CaspariStrings.h"

#include "SharedStrings.h"

namespace res {
namespace {

constexpr std::array kOwnStrings = {
    StringResource{101, "&About"},
    StringResource{kMsgOutputNotRemovable, "The existing file %1 can not be replaced. Please "
                                           "choose another output file in Options."},
    StringResource{kMsgBatchMore, "(+%1 more)"},
    StringResource{kMsgBatchFile, "File %1 of %2: %3"},
    StringResource{kMsgBatchConverted, "%1 of %2 files converted."},
    StringResource{kMsgBatchStopped,
                   "Stopped during %1, which plays up to where it got. Not started: %2."},
    StringResource{kMsgBatchFailed, "These files could not be converted:"},
    StringResource{kMsgBatchKept, "These files were not converted, to keep their existing output:"},
    StringResource{kMsgBatchOutputsExist,
                   "%1 of the %2 output files exist already in %3. Do you want to replace them? "
                   "No converts only the files whose output is new."},
};

constexpr auto kStrings = WithSharedStrings(kOwnStrings);

} // namespace

std::span<const StringResource> CaspariStrings() {
    return kStrings;
}

} // namespace res
