#include "EncoderCatalogue.h"
#include "MediaTestSupport.h"

#include <algorithm>

namespace {

using namespace media;

class EncoderCatalogueTest : public mediatest::MediaTest,
                             public ::testing::WithParamInterface<EncoderCategory> {};

bool Lists(const std::vector<EncoderInfo>& encoders, const std::string& factory) {
    return std::any_of(encoders.begin(), encoders.end(),
                       [&](const EncoderInfo& info) { return info.factoryName == factory; });
}

TEST_P(EncoderCatalogueTest, OrderIsStableAndEntriesCreateTheirFactory) {
    const std::vector<EncoderInfo> first = EncoderCatalogue::Enumerate(GetParam());
    const std::vector<EncoderInfo> second = EncoderCatalogue::Enumerate(GetParam());
    ASSERT_FALSE(first.empty());
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].factoryName, second[i].factoryName);
        EXPECT_FALSE(first[i].friendlyName.empty()) << first[i].factoryName;
        if (i > 0) {
            EXPECT_LT(first[i - 1].factoryName, first[i].factoryName);
        }
    }
    const int count = static_cast<int>(first.size());
    for (int index : {0, count / 2, count - 1}) {
        Element encoder;
        ASSERT_EQ(EncoderCatalogue::Create(GetParam(), index, encoder), S_OK);
        ASSERT_TRUE(encoder);
        EXPECT_EQ(encoder.FactoryName(), first[index].factoryName);
    }
    Element none;
    EXPECT_EQ(EncoderCatalogue::Create(GetParam(), count, none), S_FALSE);
    EXPECT_FALSE(none);
    EXPECT_EQ(EncoderCatalogue::Create(GetParam(), -1, none), E_INVALIDARG);
}

INSTANTIATE_TEST_SUITE_P(Categories, EncoderCatalogueTest,
                         ::testing::Values(EncoderCategory::Video, EncoderCategory::Audio),
                         [](const ::testing::TestParamInfo<EncoderCategory>& info) {
                             return info.param == EncoderCategory::Video ? "Video" : "Audio";
                         });

TEST(EncoderCatalogueCategories, EncodersLandInTheirOwnCategory) {
    ASSERT_EQ(Initialize(), S_OK);
    const auto video = EncoderCatalogue::Enumerate(EncoderCategory::Video);
    const auto audio = EncoderCatalogue::Enumerate(EncoderCategory::Audio);
    EXPECT_TRUE(Lists(video, "avenc_mpeg4"));
    // This layer's MPEG-4 encoder keeps the name people chose it by.
    const auto mpeg4 = std::find_if(video.begin(), video.end(), [](const EncoderInfo& info) {
        return info.factoryName == "avenc_mpeg4";
    });
    ASSERT_NE(mpeg4, video.end());
    EXPECT_EQ(mpeg4->friendlyName, "libav MPEG-4 part 2 encoder");
    EXPECT_FALSE(Lists(audio, "avenc_mpeg4"));
    EXPECT_TRUE(Lists(audio, "lamemp3enc"));
    EXPECT_FALSE(Lists(video, "lamemp3enc"));
}

} // namespace
