#include "FontChoice.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "LanguageTestFolder.h"
#include "LogFont.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"

#include <QPushButton>
#include <clocale>
#include <gtest/gtest.h>

namespace {

using uikit::LogFont;
using uikit::Profile;

TEST(LogFont, DefaultsApplyWhenNothingIsStored) {
    testenv::ScopedSettingsFolder settings;
    const LogFont font = uikit::LoadLogFont(Profile::Application(), "english");
    EXPECT_EQ(font.faceName, "Microsoft Sans Serif");
    EXPECT_EQ(font.height, -11);
    EXPECT_EQ(font.weight, 400);
    EXPECT_EQ(font.charSet, 1);
    EXPECT_EQ(font.width + font.escapement + font.orientation, 0);
    EXPECT_EQ(font.italic + font.underline + font.strikeOut + font.outPrecision +
                  font.clipPrecision + font.quality + font.pitchAndFamily,
              0);
}

TEST(LogFont, StoredValuesAreCutToTheirFields) {
    testenv::ScopedSettingsFolder settings;
    Profile profile = Profile::Application();
    profile.WriteString("German", "lfHeight", "4294967280"); // the 32-bit pattern of -16
    profile.WriteInt("German", "lfItalic", 257);
    profile.WriteString("German", "lfFaceName", QString(40, 'F'));
    const LogFont font = uikit::LoadLogFont(profile, "German");
    EXPECT_EQ(font.height, -16);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.faceName, QString(31, 'F'));

    LogFont saved;
    saved.height = 12;
    saved.weight = 700;
    saved.underline = 1;
    saved.faceName = "DejaVu Serif";
    uikit::SaveLogFont(profile, "Italian", saved);
    EXPECT_EQ(uikit::LoadLogFont(profile, "Italian"), saved);
}

TEST(LogFont, MakesTheFontItDescribes) {
    LogFont description;
    description.faceName = "DejaVu Serif";
    description.italic = 1;
    description.strikeOut = 1;
    const QFont pixels = *uikit::FontFromDescription(description);
    EXPECT_EQ(pixels.pixelSize(), 11);
    EXPECT_EQ(pixels.family(), "DejaVu Serif");
    EXPECT_EQ(pixels.weight(), QFont::Normal);
    EXPECT_TRUE(pixels.italic());
    EXPECT_FALSE(pixels.underline());
    EXPECT_TRUE(pixels.strikeOut());

    description.height = 12;
    description.weight = 0; // "don't care" is the normal weight
    const QFont points = *uikit::FontFromDescription(description);
    EXPECT_EQ(points.pointSize(), 12);
    EXPECT_EQ(points.weight(), QFont::Normal);

    for (const std::int32_t height : {std::numeric_limits<std::int32_t>::min(), 100000}) {
        description.height = height;
        EXPECT_FALSE(uikit::FontFromDescription(description).has_value()) << height;
    }
    description.height = -11;
    description.weight = 5000;
    EXPECT_FALSE(uikit::FontFromDescription(description).has_value());

    QFont chosen("DejaVu Sans");
    chosen.setPointSize(14);
    chosen.setBold(true);
    chosen.setUnderline(true);
    const LogFont described = uikit::DescribeFont(chosen, LogFont{});
    EXPECT_EQ(described.height, 14);
    EXPECT_EQ(described.weight, 700);
    EXPECT_EQ(described.underline, 1);
    EXPECT_EQ(described.charSet, 1);
    EXPECT_EQ(described.faceName, "DejaVu Sans");
}

class DialogFontTest : public ::testing::Test {
protected:
    DialogFontTest() : scoped_(prompts_) {
        pack_.SetKeyTable(res::VeltranoLanguageKeys());
        folder_.Write("English.ini", "");
        folder_.Write("German.ini", "[DIALOG]\nIDC_BUTTON_CONVERT=Konvertieren\n");
        button_ = new QPushButton("Convert", &window_);
        button_->setProperty("controlId", 1000);
    }
    ~DialogFontTest() override { std::setlocale(LC_ALL, "C"); }

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
    uikit::LanguagePack pack_;
    QWidget window_;
    QPushButton* button_ = nullptr;
};

TEST_F(DialogFontTest, ChosenFontIsKeptPerLanguage) {
    pack_.Initialize(folder_.base(), "German");
    ASSERT_TRUE(pack_.DialogFont().has_value());
    EXPECT_EQ(pack_.DialogFont()->pixelSize(), 11);

    QFont bold("DejaVu Sans");
    bold.setPointSize(12);
    bold.setBold(true);
    prompts_.QueueFont(bold);
    ASSERT_TRUE(uikit::ChooseDialogFont(window_, 102, pack_));
    ASSERT_EQ(prompts_.records().size(), 1u);
    EXPECT_EQ(prompts_.records()[0].owner, &window_);
    EXPECT_EQ(prompts_.records()[0].font.pixelSize(), 11); // offered the current font

    const Profile profile = Profile::Application();
    EXPECT_EQ(profile.GetInt("German", "lfWeight", 0), 700);
    EXPECT_EQ(profile.GetInt("German", "lfHeight", 0), 12);
    EXPECT_EQ(profile.GetString("German", "lfFaceName", ""), "DejaVu Sans");
    EXPECT_FALSE(profile.Contains("english", "lfWeight"));
    EXPECT_TRUE(button_->font().bold());
    EXPECT_EQ(button_->font().pointSize(), 12);

    pack_.SelectLanguage("english");
    EXPECT_EQ(pack_.DialogFont()->pixelSize(), 11);
    EXPECT_EQ(pack_.DialogFont()->weight(), QFont::Normal);
    EXPECT_EQ(pack_.DialogFont()->family(), "Microsoft Sans Serif");

    pack_.SelectLanguage("German");
    EXPECT_EQ(pack_.DialogFont()->pointSize(), 12);
    EXPECT_TRUE(pack_.DialogFont()->bold());
}

TEST_F(DialogFontTest, CancellingChangesNothing) {
    pack_.Initialize(folder_.base(), "German");
    const QFont before = *pack_.DialogFont();
    prompts_.QueueFont(std::nullopt);
    EXPECT_FALSE(uikit::ChooseDialogFont(window_, 102, pack_));
    EXPECT_EQ(*pack_.DialogFont(), before);
    EXPECT_FALSE(Profile::Application().Contains("German", "lfHeight"));
    EXPECT_EQ(button_->text(), "Convert");
}

TEST_F(DialogFontTest, AFontThatCannotBeMadeIsReportedAndLeavesTheDefaultFont) {
    Profile::Application().WriteInt("German", "lfHeight", std::numeric_limits<int>::min());
    pack_.Initialize(folder_.base(), "German");
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Failed to create font");
    EXPECT_EQ(messages[0].caption, "Error");
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_FALSE(pack_.DialogFont().has_value());

    button_->setFont(QFont("DejaVu Serif", 30));
    pack_.ApplyToDialog(window_, 102);
    EXPECT_EQ(button_->text(), "Konvertieren");
    EXPECT_EQ(button_->font(), QFont());
}

} // namespace
