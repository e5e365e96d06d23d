#include "HyperlinkStatic.h"

#include "Profile.h"
#include "RecordingPrompts.h"
#include "UserInput.h"

#include <QDialog>
#include <QFontMetrics>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using uikit::HyperlinkStatic;

const QColor kLink(0, 0, 238);
const QColor kVisited(85, 26, 139);
const QColor kHover(255, 0, 0);
constexpr auto kAddress = "https://tarnwickstudio.example/videoconverters/";

TEST(HyperlinkErrorTextTest, NamesTheLaunchFailures) {
    EXPECT_EQ(uikit::HyperlinkErrorText(0), "The operating system is out\nof memory or resources.");
    // The sharing violation text keeps its trailing blank.
    EXPECT_EQ(uikit::HyperlinkErrorText(26), "A sharing violation occurred. ");
    EXPECT_EQ(uikit::HyperlinkErrorText(31),
              "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(uikit::HyperlinkErrorText(1), "Unknown Error (1) occurred.");
    EXPECT_EQ(uikit::HyperlinkErrorText(33), "Unknown Error (33) occurred.");
}

// A link in a box that belongs to a main window, as the About box's links do.
class HyperlinkStaticTest : public ::testing::Test {
protected:
    HyperlinkStaticTest() : scoped_(prompts_), box_(&main_) {
        main_.resize(300, 200);
        box_.resize(320, 120);
        link_ = new HyperlinkStatic("Our homepage", &box_);
        link_->setGeometry(20, 20, 200, 20);
    }

    bool Underlined() const { return link_->font().underline(); }
    // Lets the events the pointer caused arrive.
    static void LetPointerEventsArrive() { QTest::qWait(50); }

    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    QDialog main_;
    QDialog box_;
    HyperlinkStatic* link_;
};

TEST_F(HyperlinkStaticTest, AttachingTakesTheAddressFromTheTextAndFitsIt) {
    link_->Attach();
    EXPECT_EQ(link_->address(), "Our homepage");
    EXPECT_EQ(link_->toolTip(), "Our homepage");
    EXPECT_EQ(link_->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(link_->underlineMode(), HyperlinkStatic::kUnderlineHover);
    EXPECT_EQ(link_->CurrentColour(), kLink);
    QFont underlined = link_->font();
    underlined.setUnderline(true);
    EXPECT_EQ(link_->width(), QFontMetrics(underlined).horizontalAdvance("Our homepage"));
    EXPECT_EQ(link_->x(), 20);

    // An empty link shows the address it is given.
    auto* bare = new HyperlinkStatic(QString(), &box_);
    bare->Attach();
    bare->SetAddress(kAddress);
    EXPECT_EQ(bare->text(), kAddress);
    EXPECT_EQ(bare->toolTip(), kAddress);
}

class HyperlinkFitTest : public HyperlinkStaticTest,
                         public ::testing::WithParamInterface<Qt::Alignment> {};

TEST_P(HyperlinkFitTest, KeepsTheEdgeItsAlignmentNames) {
    link_->setAlignment(GetParam());
    link_->Attach();
    const int width = link_->width();
    ASSERT_LT(width, 200);
    if (GetParam() & Qt::AlignRight) {
        EXPECT_EQ(link_->geometry().right(), 20 + 200 - 1);
    } else if (GetParam() & Qt::AlignHCenter) {
        EXPECT_EQ(link_->x(), 20 + (200 - width) / 2);
    } else {
        EXPECT_EQ(link_->x(), 20);
    }
}

INSTANTIATE_TEST_SUITE_P(Alignments, HyperlinkFitTest,
                         ::testing::Values(Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight));

class HyperlinkHoverTest : public HyperlinkStaticTest, public ::testing::WithParamInterface<int> {};

TEST_P(HyperlinkHoverTest, HoverColoursAndUnderlinesByMode) {
    const int mode = GetParam();
    link_->Attach();
    link_->SetUnderlineMode(mode);
    EXPECT_EQ(Underlined(), mode == HyperlinkStatic::kUnderlineAlways);

    const QPoint outside(link_->width() + 30, link_->height() + 30);
    // The pointer comes from elsewhere in the box.
    testenv::MoveMouseThroughWindow(*link_, outside);
    EXPECT_FALSE(link_->overControl());
    testenv::MoveMouseThroughWindow(*link_, link_->rect().center());
    EXPECT_TRUE(link_->overControl());
    EXPECT_EQ(link_->CurrentColour(), kHover);
    EXPECT_EQ(Underlined(), mode != HyperlinkStatic::kUnderlineNever);
    // Still over it: the hover look stays.
    LetPointerEventsArrive();
    EXPECT_TRUE(link_->overControl());

    testenv::MoveMouseThroughWindow(*link_, outside);
    LetPointerEventsArrive();
    EXPECT_FALSE(link_->overControl());
    EXPECT_EQ(link_->CurrentColour(), kLink);
    EXPECT_EQ(Underlined(), mode == HyperlinkStatic::kUnderlineAlways);
}

INSTANTIATE_TEST_SUITE_P(Modes, HyperlinkHoverTest,
                         ::testing::Values(HyperlinkStatic::kUnderlineHover,
                                           HyperlinkStatic::kUnderlineAlways,
                                           HyperlinkStatic::kUnderlineNever));

TEST_F(HyperlinkStaticTest, ClickOpensTheAddressAndMarksTheLinkVisited) {
    link_->Attach();
    link_->SetAddress(kAddress);
    ASSERT_TRUE(testenv::ClickThroughWindow(*link_));
    EXPECT_EQ(prompts_.OpenedUrls(), QStringList({kAddress}));
    EXPECT_TRUE(link_->visited());
    EXPECT_FALSE(link_->overControl());
    EXPECT_EQ(link_->CurrentColour(), kVisited);
    EXPECT_TRUE(prompts_.Messages().empty());
}

TEST_F(HyperlinkStaticTest, FailedOpenTellsTheMainWindowThatNothingTakesTheAddress) {
    link_->Attach();
    link_->SetAddress(kAddress);
    link_->SetVisited(true);
    prompts_.QueueOpenResult(false);
    ASSERT_TRUE(testenv::ClickThroughWindow(*link_));
    EXPECT_EQ(prompts_.OpenedUrls(), QStringList({kAddress}));
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Unable to open hyperlink:\n\nThere is no application "
                                "associated\nwith the given filename extension.");
    EXPECT_EQ(messages[0].caption, uikit::ApplicationName());
    EXPECT_EQ(messages[0].icon, uikit::PromptIcon::Warning);
    EXPECT_EQ(messages[0].owner, &main_);
    EXPECT_FALSE(link_->visited());
    EXPECT_EQ(link_->CurrentColour(), kLink);
}

} // namespace
