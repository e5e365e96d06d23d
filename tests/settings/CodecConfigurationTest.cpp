#include "CodecConfiguration.h"
#include "EncoderSettingsDlg.h"
#include "FakeCompressorDevices.h"
#include "MediaInit.h"

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using settings::CompressorCategory;
using testenv::Member;

// Answers the next encoder settings dialog: `act` sees it, then it is confirmed
// or cancelled. Records the dialog's title and whether one was shown at all.
struct DialogAnswer {
    std::function<void(settings::CEncoderSettingsDlg&)> act;
    bool confirm = true;
    bool shown = false;
    QString title;
};

void AnswerNextDialog(DialogAnswer& answer) {
    QTimer::singleShot(0, [&answer] {
        auto* dialog =
            qobject_cast<settings::CEncoderSettingsDlg*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return;
        }
        answer.shown = true;
        answer.title = dialog->windowTitle();
        if (answer.act) {
            answer.act(*dialog);
        }
        answer.confirm ? dialog->accept() : dialog->reject();
    });
}

class CodecConfigurationTest : public ::testing::Test {
protected:
    CodecConfigurationTest() : scopedDevices_(devices_) {
        EXPECT_GE(media::Initialize(), 0);
        settings::SetCodecState(std::nullopt);
        devices_.SetMembers(CompressorCategory::Video,
                            {Member("DivX Pro 5.1.1 Codec", "avenc_mpeg4"),
                             Member("MPEG-4 part 2", "avenc_mpeg4"),
                             Member("Missing Encoder", "no_such_encoder")});
    }
    void Choose(const QString& name) {
        videoList_.clear();
        videoList_.addItem(name);
        videoList_.setCurrentIndex(0);
    }

    testenv::FakeCompressorDevices devices_;
    settings::ScopedCompressorDevices scopedDevices_;
    QComboBox videoList_;
    QComboBox codecList_;
};

TEST(VersionText, IsTheFirstRunOfDigitsAndDots) {
    EXPECT_EQ(settings::VersionText("DivX 5.1.1 Codec"), "5.1.1");
    EXPECT_EQ(settings::VersionText("codec v2 build 7"), "2");
    EXPECT_EQ(settings::VersionText("no version"), "");
}

TEST_F(CodecConfigurationTest, ExactNameIgnoringCaseOpensTheEncodersSettings) {
    Choose("mpeg-4 PART 2");
    DialogAnswer answer;
    AnswerNextDialog(answer);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(answer.title, "MPEG-4 part 2");
    EXPECT_EQ(codecList_.count(), 3);
    EXPECT_EQ(codecList_.currentIndex(), 1);
    ASSERT_TRUE(settings::CurrentCodecState().has_value());
    EXPECT_EQ(settings::CurrentCodecState()->encoderName, "avenc_mpeg4");
}

TEST_F(CodecConfigurationTest, RenamedEncoderOfTheSameVersionMatchesByTheFallbackWord) {
    Choose("DivX 5.1.1 (other wording)");
    DialogAnswer answer;
    AnswerNextDialog(answer);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(codecList_.currentIndex(), 0);

    Choose("DivX 5.0.2 (other wording)");
    DialogAnswer other;
    AnswerNextDialog(other);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    EXPECT_FALSE(other.shown);
    QApplication::processEvents();
}

// The framework installs far more encoders than a fixed table of 50 holds:
// one listed late (H.264, which MP4 proposes) is still configured.
TEST_F(CodecConfigurationTest, AnEncoderListedAfterFiftyOthersIsConfigured) {
    std::vector<settings::CompressorMember> members;
    for (int i = 0; i < 60; ++i) {
        members.push_back(Member("Some Encoder", "avenc_mpeg4"));
    }
    members.push_back(Member("x264 H.264 Encoder", "x264enc"));
    devices_.SetMembers(CompressorCategory::Video, members);
    Choose("x264 H.264 Encoder");
    DialogAnswer answer;
    AnswerNextDialog(answer);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    EXPECT_TRUE(answer.shown);
    EXPECT_EQ(codecList_.count(), 61);
    EXPECT_EQ(codecList_.currentIndex(), 60);
}

TEST_F(CodecConfigurationTest, NoMatchOrNoSettingsShowsNothing) {
    for (const char* name : {"Full frames (uncompressed)", "Missing Encoder"}) {
        Choose(name);
        DialogAnswer answer;
        AnswerNextDialog(answer);
        settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
        EXPECT_FALSE(answer.shown) << name;
        QApplication::processEvents();
        EXPECT_FALSE(settings::CurrentCodecState().has_value()) << name;
    }
}

TEST_F(CodecConfigurationTest, SecondConfigurationStartsFromTheConfirmedState) {
    Choose("MPEG-4 part 2");
    DialogAnswer first;
    first.act = [](settings::CEncoderSettingsDlg& dialog) {
        auto* bitrate = qobject_cast<QSpinBox*>(dialog.Editor("bitrate"));
        ASSERT_NE(bitrate, nullptr);
        bitrate->setValue(500000);
    };
    AnswerNextDialog(first);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    ASSERT_TRUE(first.shown);

    int shownBitrate = 0;
    DialogAnswer second;
    second.confirm = false;
    second.act = [&shownBitrate](settings::CEncoderSettingsDlg& dialog) {
        auto* bitrate = qobject_cast<QSpinBox*>(dialog.Editor("bitrate"));
        shownBitrate = bitrate != nullptr ? bitrate->value() : -1;
        if (bitrate != nullptr) {
            bitrate->setValue(123000);
        }
    };
    AnswerNextDialog(second);
    settings::ConfigureSelectedCodec(nullptr, videoList_, codecList_, "divx");
    EXPECT_EQ(shownBitrate, 500000);
    // Cancel keeps the state confirmed before.
    ASSERT_TRUE(settings::CurrentCodecState().has_value());
    const auto& values = settings::CurrentCodecState()->values;
    const auto bitrate = std::find_if(values.begin(), values.end(),
                                      [](const auto& entry) { return entry.first == "bitrate"; });
    ASSERT_NE(bitrate, values.end());
    EXPECT_EQ(bitrate->second, "500000");
}

TEST(EncoderProperties, DescribeTheChangeableSettingsOnly) {
    ASSERT_GE(media::Initialize(), 0);
    const auto specs = media::DescribeEncoderProperties("avenc_mpeg4", {});
    ASSERT_FALSE(specs.empty());
    bool sawBitrate = false;
    for (const auto& spec : specs) {
        EXPECT_NE(spec.name, "name");
        EXPECT_NE(spec.name, "parent");
        if (spec.name == "bitrate") {
            sawBitrate = true;
            EXPECT_EQ(spec.kind, media::PropertyKind::Integer);
            EXPECT_LE(spec.integerMinimum, 500000);
            EXPECT_GE(spec.integerMaximum, 500000);
        }
        if (spec.kind == media::PropertyKind::Choice) {
            EXPECT_FALSE(spec.choices.empty()) << spec.name;
        }
    }
    EXPECT_TRUE(sawBitrate);
    EXPECT_TRUE(media::DescribeEncoderProperties("no_such_encoder", {}).empty());

    const auto started =
        media::DescribeEncoderProperties("avenc_mpeg4", {{"bitrate", "640000"}, {"unknown", "1"}});
    for (const auto& spec : started) {
        if (spec.name == "bitrate") {
            EXPECT_EQ(spec.value, "640000");
        }
    }
    EXPECT_TRUE(media::EncoderAcceptsValue("avenc_mpeg4", "bitrate", "1000"));
    EXPECT_FALSE(media::EncoderAcceptsValue("avenc_mpeg4", "bitrate", "lots"));
    EXPECT_FALSE(media::EncoderAcceptsValue("avenc_mpeg4", "no-such-property", "1"));
}

} // namespace
