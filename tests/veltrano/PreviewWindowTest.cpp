#include "PreviewWindow.h"
#include "FullScreenFit.h"
#include "MenuBuilder.h"
#include "RecordingPrompts.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {

using namespace veltrano;

std::string Text(QRect rect) {
    return std::to_string(rect.x()) + ',' + std::to_string(rect.y()) + ' ' +
           std::to_string(rect.width()) + 'x' + std::to_string(rect.height());
}

struct FitCase {
    const char* name;
    QSize native;
    QSize screen;
    QRect expected;
};

void PrintTo(const FitCase& fit, std::ostream* out) {
    *out << fit.name;
}

class FullScreenVideoRectTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FullScreenVideoRectTest, PlacesTheEnlargedVideo) {
    const FitCase& fit = GetParam();
    EXPECT_EQ(Text(FullScreenVideoRect(fit.native, fit.screen)), Text(fit.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Fits, FullScreenVideoRectTest,
    ::testing::Values(
        FitCase{"BothTooLarge", {320, 240}, {1280, 1024}, {0, 32, 1280, 960}},
        FitCase{"FitsEnlarged", {100, 80}, {1280, 1024}, {140, 112, 1000, 800}},
        FitCase{"OnlyWidthTooLarge", {160, 40}, {1280, 1024}, {0, 352, 1280, 320}},
        // 691 wide fitted; the odd margin leaves it one pixel wider.
        FitCase{"OnlyHeightTooLarge", {81, 120}, {1280, 1024}, {294, 0, 692, 1024}},
        FitCase{"BothTooLargeHeightLimits", {160, 150}, {1280, 1024}, {94, 0, 1092, 1024}}),
    [](const auto& info) { return std::string(info.param.name); });

// What the popup menu offers: Play, Pause and Stop enabled, Full screen ticked.
struct MenuStates {
    bool play, pause, stop, fullScreenTicked;
    bool operator==(const MenuStates&) const = default;
};

void PrintTo(const MenuStates& states, std::ostream* out) {
    *out << "{play " << states.play << ", pause " << states.pause << ", stop " << states.stop
         << ", ticked " << states.fullScreenTicked << '}';
}

constexpr QRgb kLeftColour = 0xffff0000;
constexpr QRgb kRightColour = 0xff0000ff;
constexpr QRgb kBlack = 0xff000000;

// Red left half, blue right half.
QImage SplitFrame(QSize size) {
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(kRightColour);
    QPainter(&frame).fillRect(0, 0, size.width() / 2, size.height(), QColor(kLeftColour));
    return frame;
}

QRgb PixelShown(QWidget& window, QPoint at) {
    return window.grab().toImage().pixel(at);
}

class PreviewWindowTest : public ::testing::Test {
protected:
    PreviewWindowTest() : scoped_(prompts_) {
        mainWindow_.setWindowTitle("main");
        mainWindow_.show();
    }

    void Open(QSize video) {
        window_.SetVideoSize(video);
        if (!video.isEmpty()) {
            window_.ShowFrame(SplitFrame(video));
        }
        window_.InitVideoWindow(1, 1);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
    }

    // Right-clicks the window and hands the popup menu to `use`, which must
    // close it; the menu is closed anyway if it does not.
    void WithMenu(const std::function<void(QMenu&)>& use) { testenv::WithPopupMenu(window_, use); }

    static QAction* Item(QMenu& menu, int commandId) {
        for (QAction* item : menu.actions()) {
            if (uikit::CommandId(*item) == commandId) {
                return item;
            }
        }
        ADD_FAILURE() << "no item " << commandId;
        return nullptr;
    }

    void Choose(int commandId) {
        WithMenu([&](QMenu& menu) {
            if (QAction* item = Item(menu, commandId)) {
                QTest::mouseClick(menu.windowHandle(), Qt::LeftButton, {},
                                  menu.actionGeometry(item).center());
            }
        });
    }

    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QWidget mainWindow_;
    PreviewWindow window_{&mainWindow_};
};

TEST_F(PreviewWindowTest, DrawsTheFrameOverTheWholeClientArea) {
    Open({160, 120});
    EXPECT_EQ(window_.windowTitle(), "Video Window");
    EXPECT_EQ(window_.size(), QSize(160, 120));
    EXPECT_EQ(PixelShown(window_, {40, 60}), kLeftColour);
    EXPECT_EQ(PixelShown(window_, {120, 60}), kRightColour);
    const int painted = window_.FramesPainted();

    // A frame replaced before it reached the screen is not counted.
    window_.ShowFrame(SplitFrame({160, 120}));
    window_.ShowFrame(SplitFrame({160, 120}));
    window_.resize(320, 240);
    EXPECT_EQ(PixelShown(window_, {20, 230}), kLeftColour);
    EXPECT_EQ(PixelShown(window_, {300, 10}), kRightColour);
    EXPECT_EQ(window_.FramesPainted(), painted + 1);
}

TEST_F(PreviewWindowTest, MenuGreysItemsByPlayStateAndForwardsCommands) {
    Open({160, 120});
    std::vector<MenuStates> shown;
    for (int state : {PreviewWindow::kStopped, PreviewWindow::kPaused, PreviewWindow::kRunning}) {
        window_.SetPlayState(state);
        WithMenu([&](QMenu& menu) {
            shown.push_back({Item(menu, kPreviewCommandPlay)->isEnabled(),
                             Item(menu, kPreviewCommandPause)->isEnabled(),
                             Item(menu, kPreviewCommandStop)->isEnabled(),
                             Item(menu, kPreviewCommandFullScreen)->isChecked()});
            QTest::keyClick(menu.windowHandle(), Qt::Key_Escape);
        });
    }
    EXPECT_EQ(shown, (std::vector<MenuStates>{
                         {true, false, false, false},
                         {true, false, true, false},
                         {false, true, true, false},
                     }));

    window_.SetPlayState(PreviewWindow::kStopped);
    QSignalSpy play(&window_, &PreviewWindow::playRequested);
    QSignalSpy closed(&window_, &PreviewWindow::closeRequested);
    Choose(kPreviewCommandPlay);
    EXPECT_EQ(play.count(), 1);
    EXPECT_TRUE(window_.isVisible());
    Choose(kPreviewCommandClose);
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(closed.count(), 1);
    EXPECT_TRUE(prompts_.records().empty());
}

TEST_F(PreviewWindowTest, FullScreenFitsTheFrameAndEscapeRestoresTheWindow) {
    // A 4:1 video leaves black bands on any ordinary screen.
    Open({160, 40});
    window_.move(50, 40);
    const QRect before = window_.geometry();
    Choose(kPreviewCommandFullScreen);
    ASSERT_TRUE(window_.IsFullScreen());
    const QRect screen = window_.screen()->geometry();
    EXPECT_EQ(Text(window_.geometry()), Text(screen));
    const QRect picture = FullScreenVideoRect({160, 40}, screen.size());
    ASSERT_LT(picture.height(), screen.height());
    const QImage shown = window_.grab().toImage();
    EXPECT_EQ(shown.pixel(picture.left() + 2, picture.center().y()), kLeftColour);
    EXPECT_EQ(shown.pixel(picture.right() - 2, picture.center().y()), kRightColour);
    EXPECT_EQ(shown.pixel(screen.width() / 2, picture.top() / 2), kBlack);

    WithMenu([&](QMenu& menu) {
        EXPECT_TRUE(Item(menu, kPreviewCommandFullScreen)->isChecked());
        QTest::keyClick(menu.windowHandle(), Qt::Key_Escape);
    });
    // In full screen left clicks hide the main window, then bring it back.
    const QPoint inside = picture.center();
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, inside);
    EXPECT_FALSE(mainWindow_.isVisible());
    QTest::mouseClick(window_.windowHandle(), Qt::LeftButton, {}, inside);
    EXPECT_TRUE(mainWindow_.isVisible());

    QTest::keyClick(window_.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(window_.IsFullScreen());
    EXPECT_EQ(Text(window_.geometry()), Text(before));
    EXPECT_TRUE(window_.isVisible());
    EXPECT_FALSE(window_.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(PreviewWindowTest, AudioOnlyWindowStaysOutOfFullScreen) {
    window_.resize(200, 100);
    Open({});
    Choose(kPreviewCommandFullScreen);
    EXPECT_FALSE(window_.IsFullScreen());
    EXPECT_EQ(window_.size(), QSize(200, 100));
}

} // namespace
