#include "FileFilterText.h"

#include <gtest/gtest.h>

namespace {

TEST(FileFilterText, ShowsEachPatternListOnceTheWayQtReadsIt) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"Video Files (*.mkv)", "*.mkv", "Video Files (*.mkv)"},
        {"Matroska video file(*.mkv)", "*.mkv", "Matroska video file(*.mkv)"},
        {"Any Files (*.*)", "*.*;", "Any Files (*)"},
        {"Videos (*.avi;*.MPG)", "*.mpg;*.avi", "Videos (*.avi *.MPG)"},
        {"AVI file", "*.avi", "AVI file (*.avi)"},
        {"Any Files", "*.*;", "Any Files (*)"},
        // Parentheses that show other patterns, or none, are part of the words.
        {"Video Files (*.mkv)", "*.avi", "Video Files (*.mkv) (*.avi)"},
        {"Notes (see below)", "*.txt", "Notes (see below) (*.txt)"},
    };
    for (const auto& [description, patterns, expected] : cases) {
        EXPECT_EQ(uikit::FileFilterText({description, patterns}), expected) << description;
    }
}

TEST(FileFilterText, ListJoinsTheFiltersAndNamesTheSelectedOne) {
    uikit::FileRequest request;
    request.filters = {{"Video Files (*.mkv)", "*.mkv"}, {"Any Files (*.*)", "*.*;"}};
    request.selectedFilter = 1;
    QString selected;
    EXPECT_EQ(uikit::FileFilterList(request, &selected), "Video Files (*.mkv);;Any Files (*)");
    EXPECT_EQ(selected, "Any Files (*)");
}

} // namespace
