#include "EncoderProperties.h"
#include "Element.h"
#include "MediaInit.h"
#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <map>

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

// The settings dialog offers the rate settings of the MPEG-4 family encoders,
// starting from the bitrate those encoders always had.
TEST(EncoderPropertiesTest, MpegFourFamilyOffersRateSettings) {
    ASSERT_EQ(Initialize(), S_OK);
    for (const char* factory : {"avenc_mpeg4", "avenc_wmv1", "avenc_wmv2", "avenc_msmpeg4"}) {
        SCOPED_TRACE(factory);
        std::map<std::string, std::string> values;
        for (const PropertySpec& spec : DescribeEncoderProperties(factory, {{"qmax", "20"}})) {
            values[spec.name] = spec.value;
        }
        EXPECT_EQ(values["bitrate"], "200000");
        EXPECT_EQ(values["qmax"], "20");
        for (const char* name : {"gop-size", "qmin", "pass", "quantizer"}) {
            EXPECT_EQ(values.count(name), 1u) << name;
        }
    }
}

// H.264 starts from constant quality at the common tools' default preset; the
// settings dialog shows that and a confirmed choice still wins.
TEST(EncoderPropertiesTest, H264StartsFromConstantQuality) {
    ASSERT_EQ(Initialize(), S_OK);
    std::map<std::string, std::string> values;
    for (const PropertySpec& spec : DescribeEncoderProperties("x264enc", {{"quantizer", "23"}})) {
        values[spec.name] = spec.value;
    }
    EXPECT_EQ(values["pass"], "qual");
    EXPECT_EQ(values["quantizer"], "23");
    EXPECT_EQ(values["speed-preset"], "medium");
    const Element encoder = CreateEncoder("x264enc");
    ASSERT_TRUE(encoder);
    EXPECT_TRUE(ApplyEncoderState(encoder, {{"pass", "cbr"}, {"bitrate", "900"}}).empty());
    EXPECT_EQ(encoder.GetProperty("pass"), "cbr");
    EXPECT_EQ(encoder.GetProperty("bitrate"), "900");
}

class LiveElementPropertiesTest : public mediatest::MediaTest {};

// A live element offers what it may take in the state it is in: every setting
// while stopped, only those marked changeable there once its graph pauses.
TEST_F(LiveElementPropertiesTest, OffersWhatTheElementsStateAllows) {
    std::shared_ptr<FilterGraph> graph;
    ASSERT_GE(FilterGraph::Create(graph), 0);
    const Element sink = Element::Create("fakesink");
    ASSERT_GE(graph->AddFilter(sink, "sink"), 0);
    const auto offered = [&sink] {
        std::map<std::string, std::string> values;
        for (const PropertySpec& spec : DescribeElementProperties(sink)) {
            values[spec.name] = spec.value;
        }
        return values;
    };
    Element target = sink;
    ASSERT_GE(target.SetProperty("silent", "false"), 0);

    const auto stopped = offered();
    EXPECT_EQ(stopped.count("sync"), 1u);
    EXPECT_EQ(stopped.count("name"), 0u);
    EXPECT_EQ(stopped.count("parent"), 0u);
    EXPECT_EQ(stopped.count("last-sample"), 0u); // read-only

    ASSERT_GE(graph->Pause(), 0);
    const auto paused = offered();
    EXPECT_EQ(paused.count("sync"), 0u);
    ASSERT_EQ(paused.count("silent"), 1u);
    EXPECT_EQ(paused.at("silent"), "false");
    EXPECT_LT(paused.size(), stopped.size());
    EXPECT_TRUE(DescribeElementProperties(Element()).empty());
}

} // namespace
