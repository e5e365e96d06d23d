#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "RecordingPrompts.h"
#include "SkinButton.h"
#include "TestEnvironment.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using namespace veltrano;
using uikit::SkinButton;

class MainWindowSkinTest : public ::testing::Test {
protected:
    MainWindowSkinTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        uikit::Language().SetCurrentName("english");
    }

    testenv::ScopedSettingsFolder folder_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
};

TEST_F(MainWindowSkinTest, SkinnedButtonsCarryIconTooltipAndHandCursor) {
    CConverterDlg dialog;
    const std::pair<int, QString> expected[] = {
        {idc::kOpenVideo, "Open a video file"},
        {idc::kOptions, "Customize output options"},
        {idc::kConvert, "Convert video"},
        {idc::kHelp, "Help"},
        {idc::kHomepage, "Homepage"},
        {idc::kAbout, "About"},
        {idc::kExit, "Exit"},
    };
    for (const auto& [id, tooltip] : expected) {
        auto* button = dialog.Control<SkinButton>(id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_FALSE(button->buttonIcon().isNull()) << id;
        EXPECT_EQ(button->toolTip(), tooltip);
        EXPECT_EQ(button->iconAlignment(), SkinButton::kIconAbove) << id;
        EXPECT_TRUE(button->transparent()) << id;
        EXPECT_EQ(button->cursor().shape(), Qt::BitmapCursor) << id;
        EXPECT_EQ(button->cursor().hotSpot(), QPoint(12, 1)) << id;
        // The caption keeps a whole line below the icon.
        const int iconBottom = button->imageOrigin().y() + button->buttonIconSize().height();
        EXPECT_LE(iconBottom + button->fontMetrics().height(), button->height()) << id;
    }
    // The tall buttons of the top row have room for full-size icons.
    EXPECT_EQ(dialog.Control<SkinButton>(idc::kOpenVideo)->buttonIconSize(), QSize(32, 32));
}

TEST_F(MainWindowSkinTest, BackgroundTileRepeatsFromTheTopLeftCorner) {
    CConverterDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QImage tile =
        QImage(":/veltrano/background139.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(tile.size(), QSize(64, 64));
    const QImage shot = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);

    QList<QRect> covered;
    for (const QWidget* child : dialog.findChildren<QWidget*>()) {
        if (child->isVisible() && !child->isWindow()) {
            covered << QRect(child->mapTo(&dialog, QPoint(0, 0)), child->size());
        }
    }
    int compared = 0;
    int repeated = 0;
    int wrong = 0;
    for (int y = 0; y < shot.height(); y += 5) {
        for (int x = 0; x < shot.width(); x += 5) {
            const QPoint at(x, y);
            if (std::any_of(covered.begin(), covered.end(),
                            [&](const QRect& r) { return r.contains(at); })) {
                continue;
            }
            ++compared;
            repeated += (x >= 64 || y >= 64) ? 1 : 0;
            wrong += shot.pixel(at) != tile.pixel(x % 64, y % 64) ? 1 : 0;
        }
    }
    EXPECT_GT(compared, 500);
    EXPECT_GT(repeated, 400);
    EXPECT_EQ(wrong, 0);
}

} // namespace
