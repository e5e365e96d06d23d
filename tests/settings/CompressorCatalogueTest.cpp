#include "CompressorCatalogue.h"
#include "FakeCompressorDevices.h"
#include "RecordingPrompts.h"

#include <QComboBox>
#include <gtest/gtest.h>

namespace {

using settings::CompressorCategory;
using settings::CompressorMember;
using testenv::Member;

class CompressorCatalogueTest : public ::testing::Test {
protected:
    CompressorCatalogueTest() : scopedPrompts_(prompts_), scopedDevices_(devices_) {
        settings::SetDefaultCompressorNames({});
    }

    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scopedPrompts_;
    testenv::FakeCompressorDevices devices_;
    settings::ScopedCompressorDevices scopedDevices_;
};

TEST_F(CompressorCatalogueTest, ListHoldsTheSyntheticEntryThenReadableNames) {
    devices_.SetMembers(
        CompressorCategory::Video,
        {Member("Codec A"), {true, false, "", ""}, {false, false, "", ""}, Member("Codec B")});
    QComboBox list;
    list.addItem("stale");
    EXPECT_EQ(settings::FillCompressorList(CompressorCategory::Video, list), 0);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(0), "Full frames (uncompressed)");
    EXPECT_EQ(list.itemText(1), "Codec A");
    EXPECT_EQ(list.itemText(2), "Codec B");
    EXPECT_EQ(list.currentIndex(), 0);

    QComboBox audio;
    EXPECT_EQ(settings::FillCompressorList(CompressorCategory::Audio, audio), 0);
    ASSERT_EQ(audio.count(), 1);
    EXPECT_EQ(audio.itemText(0), "Uncompressed Audio");
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(CompressorCatalogueTest, FailedWalksAreReported) {
    devices_.FailWalk(CompressorCategory::Video, settings::WalkResult::NoSystemEnumerator);
    devices_.FailWalk(CompressorCategory::Audio, settings::WalkResult::NoClassEnumerator);
    QComboBox list;
    EXPECT_LT(settings::FillCompressorList(CompressorCategory::Video, list), 0);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.currentIndex(), -1);
    std::int32_t entry = 0;
    EXPECT_FALSE(settings::FindDefaultCompressor(CompressorCategory::Audio, entry));
    ASSERT_EQ(prompts_.records().size(), 2u);
    EXPECT_EQ(prompts_.records()[0].text, "Failed to create system enumerator");
    EXPECT_EQ(prompts_.records()[0].caption, "veltrano");
    EXPECT_EQ(prompts_.records()[1].text, "Failed to create class enumerator");
}

TEST_F(CompressorCatalogueTest, DefaultSearchLowerCasesAndTakesTheFirstMatch) {
    devices_.SetMembers(CompressorCategory::Video,
                        {Member("Other"), Member("DIVX Codec 5.1.1"), Member("divx pro")});
    std::int32_t entry = -9;
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
    EXPECT_EQ(entry, 1);

    devices_.SetMembers(CompressorCategory::Audio, {Member("Microsoft ADPCM")});
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Audio, entry));
    EXPECT_EQ(entry, 0);
}

TEST_F(CompressorCatalogueTest, DefaultSearchCountsLikeItsWalk) {
    // A member whose description cannot be opened is not counted; a nameless one is.
    devices_.SetMembers(CompressorCategory::Video,
                        {{false, false, "", ""}, {true, false, "", ""}, Member("divx")});
    std::int32_t entry = -9;
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
    EXPECT_EQ(entry, 1);
}

TEST_F(CompressorCatalogueTest, FallbackEncodersWhenNoPreferredName) {
    devices_.SetMembers(CompressorCategory::Video,
                        {Member("H.264", "x264enc"), Member("MPEG-4", "avenc_mpeg4")});
    devices_.SetMembers(CompressorCategory::Audio,
                        {Member("ADPCM", "adpcmenc"), Member("MP3", "lamemp3enc")});
    std::int32_t entry = -9;
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
    EXPECT_EQ(entry, 1); // avenc_mpeg4 is preferred over x264enc
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Audio, entry));
    EXPECT_EQ(entry, 1);

    devices_.SetMembers(CompressorCategory::Video, {Member("Other", "vp8enc")});
    EXPECT_FALSE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
    devices_.SetMembers(CompressorCategory::Video, {});
    EXPECT_FALSE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
}

TEST_F(CompressorCatalogueTest, OtherProgramsSearchTheirOwnName) {
    settings::DefaultCompressorNames names;
    names.videoName = "ffdshow video encoder";
    settings::SetDefaultCompressorNames(names);
    devices_.SetMembers(CompressorCategory::Video,
                        {Member("divx"), Member("FFDShow Video Encoder")});
    std::int32_t entry = -9;
    ASSERT_TRUE(settings::FindDefaultCompressor(CompressorCategory::Video, entry));
    EXPECT_EQ(entry, 1);
}

TEST_F(CompressorCatalogueTest, BindingEmptiesTheSlotAndBindsEntryN) {
    devices_.SetMembers(CompressorCategory::Video,
                        {Member("A"), {true, false, "", ""}, Member("C")});
    settings::BindCompressor(CompressorCategory::Video, 2);
    EXPECT_EQ(devices_.BoundIndex(CompressorCategory::Video), 2);
    EXPECT_EQ(devices_.releases[CompressorCategory::Video], 1);

    // An entry equal to the count, or negative, leaves the slot empty without a word.
    settings::BindCompressor(CompressorCategory::Video, 3);
    EXPECT_FALSE(settings::CompressorBound(CompressorCategory::Video));
    settings::BindCompressor(CompressorCategory::Video, -2);
    EXPECT_FALSE(settings::CompressorBound(CompressorCategory::Video));
    EXPECT_EQ(devices_.binds.size(), 1u);
    EXPECT_TRUE(prompts_.records().empty());

    devices_.FailBind(true);
    settings::BindCompressor(CompressorCategory::Video, 0);
    EXPECT_FALSE(settings::CompressorBound(CompressorCategory::Video));
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].text, "Failed to bind to object");
}

} // namespace
