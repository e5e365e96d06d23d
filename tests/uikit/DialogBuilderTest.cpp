#include "DialogBuilder.h"
#include "DialogUnits.h"
#include "UserInput.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <array>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using res::ControlKind;
using res::ControlTemplate;

TEST(DialogUnits, ConvertWithQuarterWidthAndEighthHeight) {
    // The classic 8-point dialog font: base units 6 × 13.
    const uikit::DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixelsX(4), 6);
    EXPECT_EQ(units.ToPixelsY(8), 13);
    EXPECT_EQ(units.ToPixelsX(357), 536); // 535.5 rounds up
    EXPECT_EQ(units.ToPixelsY(196), 319); // 318.5 rounds up
    EXPECT_EQ(units.ToPixelsX(0), 0);
    EXPECT_EQ(units.ToPixelsX(-4), -6);
    // Rectangles convert both edges, so neighbours stay flush.
    EXPECT_EQ(units.ToPixels(9, 5, 66, 32), QRect(14, 8, 99, 52));
    const QRect left = units.ToPixels(9, 5, 66, 32);
    const QRect right = units.ToPixels(75, 5, 66, 32);
    EXPECT_EQ(left.right() + 1, right.left());
}

TEST(DialogUnits, FollowTheFontMetrics) {
    QFont small("DejaVu Sans");
    small.setPixelSize(10);
    QFont large("DejaVu Sans");
    large.setPixelSize(20);
    const uikit::DialogUnits smallUnits(small);
    const uikit::DialogUnits largeUnits(large);
    EXPECT_GT(smallUnits.baseWidth(), 0);
    EXPECT_EQ(smallUnits.baseHeight(), QFontMetrics(small).height());
    EXPECT_GT(largeUnits.baseWidth(), smallUnits.baseWidth());
    EXPECT_GT(largeUnits.ToPixelsY(100), smallUnits.ToPixelsY(100));
}

constexpr std::array kControls = {
    ControlTemplate{10, ControlKind::Button, "Go", 4, 4, 40, 14, res::StyleDefaultButton},
    ControlTemplate{11, ControlKind::Label, "Centred", 4, 20, 40, 8, res::StyleCentred},
    ControlTemplate{12, ControlKind::Label, "", 4, 30, 80, 10, res::StyleSunken},
    ControlTemplate{res::kNoControlId, ControlKind::GroupFrame, "", 0, 0, 100, 50, res::StyleNone},
    ControlTemplate{13, ControlKind::DropDownList, "one\ntwo\nthree", 50, 4, 40, 60,
                    res::StyleHidden},
    ControlTemplate{14, ControlKind::Trackbar, "", 4, 40, 90, 10, res::StyleDisabled},
    ControlTemplate{15, ControlKind::ReportList, "", 1, 1, 4, 4, res::StyleNone},
};
constexpr res::DialogTemplate kDialog{99, "Caption", "DejaVu Sans", 9, 100, 60, kControls};

TEST(DialogBuilder, BuildsEveryControlReachableByItsId) {
    QDialog dialog;
    uikit::BuildDialog(dialog, kDialog);
    EXPECT_EQ(dialog.windowTitle(), "Caption");

    auto* button = uikit::FindControl<QPushButton>(dialog, 10);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "Go");
    EXPECT_TRUE(button->isDefault());

    auto* centred = uikit::FindControl<QLabel>(dialog, 11);
    ASSERT_NE(centred, nullptr);
    EXPECT_TRUE(centred->alignment() & Qt::AlignHCenter);

    auto* sunken = uikit::FindControl<QLabel>(dialog, 12);
    ASSERT_NE(sunken, nullptr);
    EXPECT_EQ(sunken->frameShadow(), QFrame::Sunken);

    auto* list = uikit::FindControl<QComboBox>(dialog, 13);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(2), "three");
    EXPECT_TRUE(list->isHidden());

    auto* slider = uikit::FindControl<QSlider>(dialog, 14);
    ASSERT_NE(slider, nullptr);
    EXPECT_FALSE(slider->isEnabled());

    EXPECT_NE(uikit::FindControl<QTreeWidget>(dialog, 15), nullptr);
    EXPECT_EQ(dialog.findChildren<QGroupBox*>().size(), 1);
    EXPECT_EQ(uikit::FindControl(dialog, 16), nullptr);
    EXPECT_EQ(uikit::FindControl(dialog, res::kNoControlId), nullptr);
    EXPECT_EQ(uikit::ControlId(*list), 13);
}

TEST(DialogBuilder, TypedLookupAnswersOnlyForTheControlsKind) {
    QDialog dialog;
    uikit::BuildDialog(dialog, kDialog);
    QWidget* list = uikit::FindControl(dialog, 13);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(uikit::FindControl<QComboBox>(dialog, 13), list);
    EXPECT_NE(uikit::FindControl<QAbstractButton>(dialog, 10), nullptr);
    EXPECT_EQ(uikit::FindControl<QLabel>(dialog, 10), nullptr);
    EXPECT_EQ(uikit::FindControl<QComboBox>(dialog, 16), nullptr);
}

TEST(DialogBuilder, PlacesControlsInConvertedDialogUnits) {
    QDialog dialog;
    uikit::BuildDialog(dialog, kDialog);
    const uikit::DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), QSize(units.ToPixelsX(100), units.ToPixelsY(60)));
    EXPECT_EQ(uikit::FindControl(dialog, 10)->geometry(), units.ToPixels(4, 4, 40, 14));
    EXPECT_EQ(uikit::FindControl(dialog, 14)->geometry(), units.ToPixels(4, 40, 90, 10));
}

TEST(DialogBuilder, GroupFrameLeavesClicksToTheControlsItSurrounds) {
    QDialog dialog;
    uikit::BuildDialog(dialog, kDialog);
    auto* button = uikit::FindControl<QPushButton>(dialog, 10);
    ASSERT_NE(button, nullptr);
    int clicks = 0;
    QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    EXPECT_TRUE(testenv::ClickThroughWindow(*button));
    EXPECT_EQ(clicks, 1);

    // The frame, listed after them, surrounds every enabled control shown.
    const testenv::PressReach reach = testenv::PressEveryControl(dialog);
    EXPECT_THAT(reach.pressed, ::testing::UnorderedElementsAre("control10", "control11",
                                                               "control12", "control15"));
    EXPECT_THAT(reach.missed, ::testing::IsEmpty());
}

} // namespace
