#include "EncoderProperties.h"
#include "Element.h"
#include "MediaInit.h"

#include <gtest/gtest.h>

namespace {

using namespace media;

TEST(EncoderPropertiesTest, SettingsThatDoNotApplyAreNamedAndChangeNothing) {
    ASSERT_EQ(Initialize(), S_OK);
    Element encoder = Element::Create("avenc_mpeg4");
    ASSERT_TRUE(encoder);
    const std::string bitrate = encoder.GetProperty("bitrate");
    const std::string quantizer = encoder.GetProperty("quantizer");
    ASSERT_NE(bitrate, "lots");

    const std::vector<std::string> refused = ApplyEncoderState(
        encoder,
        {{"bitrate", "lots"}, {"gop-size", "7"}, {"quantizer", "1e9"}, {"no-such-setting", "1"}});
    EXPECT_EQ(refused, (std::vector<std::string>{"bitrate", "quantizer", "no-such-setting"}));
    EXPECT_EQ(encoder.GetProperty("bitrate"), bitrate);
    EXPECT_EQ(encoder.GetProperty("quantizer"), quantizer);
    EXPECT_EQ(encoder.GetProperty("gop-size"), "7");
}

} // namespace
