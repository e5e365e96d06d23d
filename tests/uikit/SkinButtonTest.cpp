#include "SkinButton.h"

#include "HoverSound.h"
#include "UserInput.h"

#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

using uikit::SkinButton;

const QColor kIconColour(200, 40, 30);

struct CountingSound final : uikit::HoverSound {
    void Play() override { ++plays; }
    int plays = 0;
};

// A skinned button with an opaque 32×32 icon above its caption, in a window of
// its own with a second control to take the focus.
class SkinButtonTest : public ::testing::Test {
protected:
    SkinButtonTest() {
        window_.resize(300, 200);
        button_ = new SkinButton("&Convert", false, &window_);
        button_->setGeometry(20, 20, 100, 60);
        other_ = new QLineEdit(&window_);
        other_->setGeometry(20, 120, 100, 24);
        QPixmap picture(32, 32);
        picture.fill(kIconColour);
        icon_ = QIcon(picture);
        button_->SetButtonIcon(icon_);
        button_->SetIconAlignment(SkinButton::kIconAbove, true);
        button_->SetHoverSound(&sound_);
    }

    // Shows the window while the pointer is away from it, so that no control
    // is under the pointer before a test moves it there.
    void ShowWithPointerAway() {
        QCursor::setPos(-100, -100);
        QCoreApplication::processEvents();
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }
    void MoveOnto() { testenv::MoveMouseThroughWindow(*button_, button_->rect().center()); }
    void MoveOff() { testenv::MoveMouseThroughWindow(*button_, QPoint(-10, 70)); }
    QImage Grab() const { return button_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    QPoint CentreInWindow() const { return button_->mapTo(&window_, button_->rect().center()); }

    QDialog window_;
    SkinButton* button_;
    QLineEdit* other_;
    QIcon icon_;
    CountingSound sound_;
};

TEST_F(SkinButtonTest, StartsFlatWithPaletteColoursAndRejectsUnknownAlignments) {
    SkinButton plain("Plain", false);
    EXPECT_TRUE(plain.flat());
    EXPECT_FALSE(plain.transparent());
    EXPECT_FALSE(plain.mouseOnButton());
    EXPECT_EQ(plain.iconAlignment(), SkinButton::kIconLeft);
    EXPECT_EQ(plain.imageOrigin(), QPoint(3, 3));
    EXPECT_TRUE(plain.hasMouseTracking());

    EXPECT_EQ(button_->SetIconAlignment(4, true), SkinButton::kInvalidAlignment);
    EXPECT_EQ(button_->iconAlignment(), SkinButton::kIconAbove);
    EXPECT_EQ(button_->SetIconAlignment(SkinButton::kIconRight, false), 0);
    EXPECT_EQ(button_->iconAlignment(), SkinButton::kIconRight);
    EXPECT_EQ(button_->buttonIconSize(), QSize(32, 32));
}

TEST_F(SkinButtonTest, IconSitsByItsAlignment) {
    const int w = button_->width();
    const int h = button_->height();
    EXPECT_EQ(button_->IconRect(), QRect((w - 32) / 2, 3, 32, 32)); // above the caption
    button_->SetIconAlignment(SkinButton::kIconLeft, true);
    EXPECT_EQ(button_->IconRect(), QRect(3, (h - 32) / 2, 32, 32));
    button_->SetIconAlignment(SkinButton::kIconRight, true);
    EXPECT_EQ(button_->IconRect(), QRect(w - 3 - 32, (h - 32) / 2, 32, 32));
    button_->setText(QString());
    EXPECT_EQ(button_->IconRect(), QRect((w - 32) / 2, (h - 32) / 2, 32, 32));
}

TEST_F(SkinButtonTest, HoverLightsTheEdgeAndPlaysOncePerEntry) {
    ShowWithPointerAway();
    const QPalette colours = button_->palette();
    MoveOff();
    EXPECT_FALSE(button_->mouseOnButton());
    EXPECT_EQ(Grab().pixel(0, 0), colours.color(QPalette::Button).rgb());

    MoveOnto();
    EXPECT_TRUE(button_->mouseOnButton());
    EXPECT_EQ(sound_.plays, 1);
    const QImage lit = Grab();
    EXPECT_EQ(lit.pixel(0, 0), colours.color(QPalette::Light).rgb());
    EXPECT_EQ(lit.pixel(button_->width() - 1, button_->height() - 1),
              colours.color(QPalette::Dark).rgb());
    testenv::MoveMouseThroughWindow(*button_, QPoint(10, 10));
    EXPECT_EQ(sound_.plays, 1) << "moving inside replays nothing";

    MoveOff();
    EXPECT_FALSE(button_->mouseOnButton());
    MoveOnto();
    EXPECT_EQ(sound_.plays, 2);

    // Disabling clears the hover; a disabled button never lights up.
    button_->setEnabled(false);
    EXPECT_FALSE(button_->mouseOnButton());
    MoveOff();
    MoveOnto();
    EXPECT_FALSE(button_->mouseOnButton());
    EXPECT_EQ(Grab().pixel(0, 0), colours.color(QPalette::Button).rgb());
    EXPECT_EQ(sound_.plays, 2);
}

TEST_F(SkinButtonTest, FocusLossAndDeactivationClearTheHover) {
    QSignalSpy clicks(button_, &QAbstractButton::clicked);
    ShowWithPointerAway();
    MoveOnto();
    ASSERT_TRUE(testenv::ClickThroughWindow(*button_));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(button_->hasFocus());
    ASSERT_TRUE(button_->mouseOnButton());
    other_->setFocus();
    EXPECT_FALSE(button_->mouseOnButton());

    MoveOff();
    MoveOnto();
    ASSERT_TRUE(button_->mouseOnButton());
    QDialog elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_FALSE(button_->mouseOnButton());
}

TEST_F(SkinButtonTest, PressedIconMovesOnePixelDownRight) {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    const QPoint at = button_->IconRect().topLeft();
    EXPECT_EQ(QColor(Grab().pixel(at)), kIconColour);

    QTest::mousePress(window_.windowHandle(), Qt::LeftButton, Qt::NoModifier, CentreInWindow());
    ASSERT_TRUE(button_->isDown());
    EXPECT_EQ(button_->IconRect().topLeft(), at + QPoint(1, 1));
    const QImage pressed = Grab();
    EXPECT_NE(QColor(pressed.pixel(at)), kIconColour);
    EXPECT_EQ(QColor(pressed.pixel(at + QPoint(1, 1))), kIconColour);
    EXPECT_EQ(QColor(pressed.pixel(at + QPoint(32, 32))), kIconColour);
    QTest::mouseRelease(window_.windowHandle(), Qt::LeftButton, Qt::NoModifier, CentreInWindow());
}

class SkinButtonLookTest : public SkinButtonTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SkinButtonLookTest, IconTakesTheLookOfTheButtonsState) {
    const bool enabled = GetParam();
    button_->setEnabled(enabled);
    const QImage expected =
        icon_.pixmap(QSize(32, 32), 1.0, enabled ? QIcon::Normal : QIcon::Disabled)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    const QRect iconRect = button_->IconRect();
    EXPECT_EQ(Grab().copy(iconRect), expected);
    // The disabled look is grey, not the icon's own colour.
    EXPECT_EQ(QColor(expected.pixel(16, 16)) == kIconColour, enabled);
}

INSTANTIATE_TEST_SUITE_P(EnabledAndDisabled, SkinButtonLookTest, ::testing::Bool());

TEST_F(SkinButtonTest, TransparentButtonLeavesTheWindowsPaintingBehind) {
    window_.setAutoFillBackground(true);
    QPalette colours = window_.palette();
    colours.setColor(QPalette::Window, QColor(10, 120, 10));
    window_.setPalette(colours);
    button_->SetTransparent(true);
    EXPECT_TRUE(button_->transparent());
    const QImage window = window_.grab().toImage();
    EXPECT_EQ(QColor(window.pixel(button_->pos() + QPoint(2, 50))), QColor(10, 120, 10));
}

TEST_F(SkinButtonTest, HandCursorShowsOverTheButton) {
    QPixmap hand(32, 32);
    hand.fill(Qt::white);
    EXPECT_EQ(button_->SetHandCursor(QPixmap(), QPoint(12, 1), true), SkinButton::kCursorNotLoaded);
    EXPECT_FALSE(button_->hasHandCursor());
    ASSERT_EQ(button_->SetHandCursor(hand, QPoint(12, 1), true), 0);
    EXPECT_EQ(button_->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(button_->cursor().hotSpot(), QPoint(12, 1));

    window_.setCursor(Qt::CrossCursor);
    ShowWithPointerAway();
    MoveOff();
    EXPECT_EQ(window_.windowHandle()->cursor().shape(), Qt::CrossCursor);
    MoveOnto();
    EXPECT_EQ(window_.windowHandle()->cursor().shape(), Qt::BitmapCursor);
    MoveOff();
    EXPECT_EQ(window_.windowHandle()->cursor().shape(), Qt::CrossCursor);
}

TEST_F(SkinButtonTest, TooltipsWrapAtTheirMaximumWidth) {
    button_->SetTooltip("Open a video file", true);
    EXPECT_EQ(button_->toolTip(), "Open a video file");
    button_->SetTooltip("Open a video file", false);
    EXPECT_TRUE(button_->toolTip().isEmpty());
    EXPECT_EQ(button_->tooltipText(), "Open a video file");

    QString longTip;
    for (int i = 0; i < 40; ++i) {
        longTip += QStringLiteral("word%1 ").arg(i);
    }
    longTip = longTip.trimmed();
    button_->SetTooltip(longTip, true);
    const QStringList lines = button_->toolTip().split('\n');
    ASSERT_GT(lines.size(), 1);
    const QFontMetrics metrics(QToolTip::font());
    for (const QString& line : lines) {
        EXPECT_LE(metrics.horizontalAdvance(line), SkinButton::kTooltipMaxWidth)
            << line.toStdString();
    }
    EXPECT_EQ(lines.join(' '), longTip);
}

} // namespace
