// caspari's Help and Homepage, pressed through the main window.

#include "ProductAddresses.h"
#include "RecordingPrompts.h"
#include "SubtitleConverterDlg.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "WindowIds.h"

#include <QFileInfo>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

namespace idc = caspari::idc;

class CaspariHelpLinksTest : public ::testing::Test {
protected:
    CaspariHelpLinksTest() : scoped_(prompts_) {}

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    caspari::CSubtitleConverterDlg dialog_;
};

TEST_F(CaspariHelpLinksTest, HelpButtonAndF1OpenCaspariPage) {
    ASSERT_TRUE(testenv::ClickThroughWindow(*dialog_.Control(idc::kHelp)));
    QTest::keyClick(dialog_.windowHandle(), Qt::Key_F1);
    const QStringList opened = prompts_.OpenedUrls();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]);
    const QUrl page(opened[0]);
    EXPECT_EQ(page.scheme(), "file");
    EXPECT_TRUE(page.path().endsWith("/help/caspari.html")) << page.toString().toStdString();
    EXPECT_TRUE(QFileInfo(page.toLocalFile()).isFile());
}

TEST_F(CaspariHelpLinksTest, HomepageOpensTheProductPageOrAsksForItByHand) {
    prompts_.QueueOpenResult(true);
    prompts_.QueueOpenResult(false);
    ASSERT_TRUE(testenv::ClickThroughWindow(*dialog_.Control(idc::kHomepage)));
    EXPECT_TRUE(prompts_.Messages().empty());
    ASSERT_TRUE(testenv::ClickThroughWindow(*dialog_.Control(idc::kHomepage)));
    EXPECT_EQ(prompts_.OpenedUrls(),
              QStringList({uikit::kProductHomepage, uikit::kProductHomepage}));
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "unknown errors");
    EXPECT_EQ(messages[0].text,
              QString("The Program does not launch your web browser to access ") +
                  uikit::kMakerSite +
                  " ,\nPlease launch your web browser and input the URL manually.");
    EXPECT_EQ(messages[0].owner, &dialog_);
}

} // namespace
