#include "BatchOutputNames.h"

#include <gtest/gtest.h>

namespace {

// Names that repeat within the batch are numbered in order; a source that lies
// where its own output would go is never the output.
TEST(BatchOutputPaths, NumbersRepeatsAndNeverNamesASource) {
    const QStringList sources = {"/in/a/Folge 01.mkv", "/in/b/Folge 01.mkv", "/out/clip.mp4",
                                 "/in/c/Folge 01.avi", "/in/x.y.z.mkv",      "/in/d/clip.mkv"};
    EXPECT_EQ(settings::BatchOutputPaths(sources, "/out", ".mp4"),
              (QStringList{"/out/Folge 01.mp4", "/out/Folge 01 (2).mp4", "/out/clip (2).mp4",
                           "/out/Folge 01 (3).mp4", "/out/x.y.z.mp4", "/out/clip (3).mp4"}));
    EXPECT_EQ(settings::BatchOutputPaths({"/in/one.mkv"}, "/out/", ".avi"),
              QStringList{"/out/one.avi"});
    EXPECT_TRUE(settings::BatchOutputPaths({}, "/out", ".avi").isEmpty());
}

} // namespace
