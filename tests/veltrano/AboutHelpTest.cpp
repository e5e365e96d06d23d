// veltrano's About box, Help and Homepage, pressed through the main window.

#include "ConverterDlg.h"
#include "DialogBuilder.h"
#include "HyperlinkStatic.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "LanguageTestFolder.h"
#include "MainWindowPopup.h"
#include "ProductAddresses.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "UserInput.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <clocale>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace veltrano;
using uikit::HyperlinkStatic;

constexpr int kAboutOk = 1;
constexpr int kAboutProduct = 1085;
constexpr int kAboutHomepageLink = 1049;
constexpr int kAboutContactLink = 1050;

// Runs `look` once a modal box other than `main` shows; the box's own event
// loop runs meanwhile. False when none showed.
bool WhenBoxShows(QWidget& main, const std::function<void(QDialog&)>& look,
                  const std::function<void()>& open) {
    bool seen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || box == &main || !box->isVisible()) {
            return;
        }
        watch.stop();
        seen = true;
        look(*box);
        box->close();
    });
    watch.start(10);
    open();
    return seen;
}

class AboutHelpTest : public ::testing::Test {
protected:
    AboutHelpTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        uikit::Language().SetKeyTable(res::VeltranoLanguageKeys());
        folder_.Write("English.ini", testenv::ShippedLanguageFile("English.ini"));
        folder_.Write("German.ini", testenv::ShippedLanguageFile("German.ini"));
        uikit::Language().Initialize(folder_.base(), "German");
        window_ = std::make_unique<CConverterDlg>();
    }
    ~AboutHelpTest() override {
        window_.reset();
        uikit::Language().Initialize(folder_.base() + "/none", "english");
        uikit::Language().SetCurrentName("english");
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
    CConverterDlg& Window() { return *window_; }

    std::unique_ptr<CConverterDlg> window_;
};

class AboutBoxTest : public AboutHelpTest, public ::testing::WithParamInterface<bool> {};

TEST_P(AboutBoxTest, ShowsTheTranslatedBoxWithLiveLinks) {
    const bool fromPopup = GetParam();
    QString caption;
    QString product;
    QString homepage[2];
    QString contact[2];
    bool underlined = false;
    const bool shown = WhenBoxShows(
        Window(),
        [&](QDialog& about) {
            caption = about.windowTitle();
            product = uikit::FindControl<QLabel>(about, kAboutProduct)->text();
            auto* home = uikit::FindControl<HyperlinkStatic>(about, kAboutHomepageLink);
            auto* mail = uikit::FindControl<HyperlinkStatic>(about, kAboutContactLink);
            ASSERT_TRUE(home != nullptr && mail != nullptr);
            homepage[0] = home->text();
            homepage[1] = home->address();
            contact[0] = mail->text();
            contact[1] = mail->address();
            underlined = home->font().underline() && mail->font().underline();
            EXPECT_TRUE(testenv::ClickThroughWindow(*mail));
            EXPECT_TRUE(mail->visited());
            // OK closes it.
            EXPECT_TRUE(testenv::ClickThroughWindow(
                *about.findChild<QAbstractButton*>(uikit::ControlName(kAboutOk))));
            EXPECT_FALSE(about.isVisible());
        },
        [&] {
            if (fromPopup) {
                Window().findChild<uikit::MainWindowPopup*>()->OnCommand(kCommandAbout);
            } else {
                testenv::ClickThroughWindow(*Window().Control(idc::kAbout));
            }
        });
    ASSERT_TRUE(shown);
    EXPECT_EQ(caption, "Info");
    EXPECT_EQ(product, "VELTRANO");
    EXPECT_EQ(homepage[0], uikit::kProductHomepage);
    EXPECT_EQ(homepage[1], uikit::kProductHomepage);
    EXPECT_EQ(contact[0], "Support Email: Click here");
    EXPECT_EQ(contact[1], uikit::kContactPage);
    EXPECT_TRUE(underlined);
    EXPECT_EQ(prompts_.OpenedUrls(), QStringList({uikit::kContactPage}));
}

INSTANTIATE_TEST_SUITE_P(ButtonAndPopup, AboutBoxTest, ::testing::Bool());

TEST_F(AboutHelpTest, HelpButtonAndF1OpenTheShippedPage) {
    ASSERT_TRUE(testenv::ClickThroughWindow(*Window().Control(idc::kHelp)));
    QTest::keyClick(Window().windowHandle(), Qt::Key_F1);
    const QStringList opened = prompts_.OpenedUrls();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], opened[1]);
    const QUrl page(opened[0]);
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_TRUE(page.path().endsWith("/help/veltrano.html")) << page.toString().toStdString();
    EXPECT_TRUE(QFileInfo(page.toLocalFile()).isFile());
    // A help viewer that does not start is not reported.
    prompts_.QueueOpenResult(false);
    ASSERT_TRUE(testenv::ClickThroughWindow(*Window().Control(idc::kHelp)));
    EXPECT_TRUE(prompts_.Messages().empty());
}

TEST_F(AboutHelpTest, HomepageOpensTheProductPageOrAsksForItByHand) {
    ASSERT_TRUE(testenv::ClickThroughWindow(*Window().Control(idc::kHomepage)));
    EXPECT_EQ(prompts_.OpenedUrls(), QStringList({uikit::kProductHomepage}));
    EXPECT_TRUE(prompts_.Messages().empty());

    prompts_.QueueOpenResult(false);
    ASSERT_TRUE(testenv::ClickThroughWindow(*Window().Control(idc::kHomepage)));
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "unknown errors");
    EXPECT_EQ(messages[0].text,
              "The Program does not launch your web browser to access "
              "https://tarnwickstudio.example/ ,\nPlease launch your web browser and input the "
              "URL manually.");
    EXPECT_EQ(messages[0].owner, &Window());
}

} // namespace
