#include "LanguageMenu.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "LanguageTestFolder.h"
#include "MenuBuilder.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "VeltranoMenus.h"
#include "VeltranoStrings.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <clocale>
#include <gtest/gtest.h>

namespace {

using uikit::FirstSubmenu;

class LanguageMenuTest : public ::testing::Test {
protected:
    LanguageMenuTest() : scoped_(prompts_) {
        pack_.SetBuiltInStrings(res::VeltranoStrings());
        pack_.SetKeyTable(res::VeltranoLanguageKeys());
        folder_.Write("English.ini", "");
        folder_.Write("German.ini", "[MENU]\n"
                                    "IDM_SELECT_LANGUAGE=Sprache\n"
                                    "IDM_POPUPMENU_FONT=Schriftart\n"
                                    "IDM_ABOUT=Info\n"
                                    "[STRING]\n"
                                    "IDS_MESSAGE_WARNING=Warnung\n"
                                    "IDS_MESSAGE_RESTART_PROGRAM=Neu starten\n"
                                    "[DIALOG]\n"
                                    "IDC_BUTTON_CONVERT=Konvertieren\n");
        folder_.Write("deu_utf-8.ini", "");
    }
    ~LanguageMenuTest() override { std::setlocale(LC_ALL, "C"); }

    std::unique_ptr<QMenu> FilledMenu() {
        std::unique_ptr<QMenu> menu = uikit::BuildMenu(res::VeltranoPopupMenu());
        EXPECT_TRUE(uikit::FillLanguageMenu(*menu, 160, pack_));
        return menu;
    }

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
    uikit::LanguagePack pack_;
};

TEST_F(LanguageMenuTest, ListsTheLanguagesTickedAndTranslated) {
    pack_.Initialize(folder_.base(), "GERMAN");
    const std::unique_ptr<QMenu> menu = FilledMenu();

    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "PopupMenu");
    const QList<QAction*> popup = FirstSubmenu(*menu)->actions();
    ASSERT_EQ(popup.size(), 3);
    EXPECT_EQ(popup[0]->text(), "Sprache");
    EXPECT_EQ(popup[1]->text(), "Schriftart");
    EXPECT_EQ(uikit::CommandId(*popup[1]), 32781);
    EXPECT_EQ(popup[2]->text(), "Info");
    EXPECT_EQ(uikit::CommandId(*popup[2]), 32778);

    const QList<QAction*> languages = QMenu::menuInAction(popup[0])->actions();
    ASSERT_EQ(languages.size(), 3); // the placeholder is gone
    const char* titles[] = {"English", "German", "deu_utf-8"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(languages[i]->text(), titles[i]);
        EXPECT_EQ(uikit::CommandId(*languages[i]), 45400 + i);
        EXPECT_EQ(languages[i]->isChecked(), i == 1) << titles[i];
    }
}

TEST_F(LanguageMenuTest, OffersNoMoreLanguagesThanItHasCommandsFor) {
    for (int i = 0; i < 1005; ++i) {
        folder_.Write(QString("Many%1.ini").arg(i, 4, 10, QChar('0')), "");
    }
    pack_.Initialize(folder_.base(), "english");
    const std::unique_ptr<QMenu> menu = FilledMenu();
    const QList<QAction*> languages = FirstSubmenu(*FirstSubmenu(*menu))->actions();
    ASSERT_EQ(languages.size(), uikit::kLanguageCommandCount);
    EXPECT_EQ(uikit::CommandId(*languages.back()), 46399);
}

TEST_F(LanguageMenuTest, RefusesAMenuWithoutALanguageSubmenu) {
    constexpr std::array kItems = {res::MenuItemTemplate{32781, "Font", {}}};
    pack_.Initialize(folder_.base(), "english");
    std::unique_ptr<QMenu> flat = uikit::BuildMenu({160, kItems});
    EXPECT_FALSE(uikit::FillLanguageMenu(*flat, 160, pack_));
    EXPECT_EQ(flat->actions().size(), 1);
}

TEST_F(LanguageMenuTest, PickingALanguageLoadsItAndAsksForARestart) {
    pack_.Initialize(folder_.base(), "english");
    QWidget window;
    auto* convert = new QPushButton("Convert", &window);
    convert->setProperty("controlId", 1000);

    uikit::PickLanguage(window, 102, 45401, pack_);
    EXPECT_EQ(pack_.GetCurrentName(), "German");
    EXPECT_EQ(convert->text(), "Konvertieren");
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, &window);
    EXPECT_EQ(messages[0].text, "Neu starten");
    EXPECT_EQ(messages[0].caption, "Warnung");

    // Commands past the list or outside the range change nothing.
    uikit::PickLanguage(window, 102, 45403, pack_);
    uikit::PickLanguage(window, 102, 46400, pack_);
    EXPECT_EQ(pack_.GetCurrentName(), "German");
    EXPECT_EQ(prompts_.Messages().size(), 1u);
}

} // namespace
