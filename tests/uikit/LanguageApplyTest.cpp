#include "DialogBuilder.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "LanguageTestFolder.h"
#include "MenuBuilder.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <array>
#include <gtest/gtest.h>

namespace {

using res::ControlKind;
using res::ControlTemplate;
using res::LanguageKey;
using res::MenuItemTemplate;

constexpr int kDialogId = 129;
constexpr int kMenuId = 7;
constexpr std::uint32_t kFirstSubmenu = kMenuId * 65536u;

constexpr std::array kKeys = {
    LanguageKey{kDialogId, "IDD_CAPTION"},
    LanguageKey{1000, "IDC_BUTTON"},
    LanguageKey{1001, "IDC_LABEL"},
    LanguageKey{1002, "IDC_EDIT"},
    LanguageKey{1003, "IDC_LIST"},
    LanguageKey{1004, "IDC_REPORT"},
    LanguageKey{1005, "IDC_SPIN"},
    LanguageKey{1006, "IDC_EMPTY"},
    LanguageKey{2, "IDS_CANCEL"}, // IDs below 100 take message texts
    LanguageKey{3, "IDC_THREE"},
    LanguageKey{kFirstSubmenu, "IDM_FIRST_SUBMENU"},
    LanguageKey{kFirstSubmenu + 1, "IDM_SECOND_SUBMENU"},
    LanguageKey{kFirstSubmenu + 2, "IDR_THIRD_SUBMENU"},
    LanguageKey{10, "IDM_TEN"},
    LanguageKey{11, "IDM_ELEVEN"},
    LanguageKey{12, "XYZ_SKIPPED"},
};

constexpr std::array kTranslatedControls = {
    ControlTemplate{1000, ControlKind::Button, "Button", 0, 0, 40, 14, res::StyleNone},
    ControlTemplate{1001, ControlKind::Label, "Label", 0, 20, 40, 30, res::StyleNone},
    ControlTemplate{1002, ControlKind::Edit, "typed", 0, 50, 40, 14, res::StyleNone},
    ControlTemplate{1003, ControlKind::DropDownList, "a\nb", 0, 70, 40, 14, res::StyleNone},
    ControlTemplate{1004, ControlKind::ReportList, "", 0, 90, 40, 14, res::StyleNone},
    ControlTemplate{1006, ControlKind::Button, "Built-in", 50, 0, 40, 14, res::StyleNone},
    ControlTemplate{2, ControlKind::Button, "Cancel", 50, 20, 40, 14, res::StyleNone},
    ControlTemplate{3, ControlKind::Button, "Three", 50, 40, 40, 14, res::StyleNone},
    ControlTemplate{65536 + 1000, ControlKind::Button, "Wide", 50, 60, 40, 14, res::StyleNone},
    ControlTemplate{res::kNoControlId, ControlKind::Label, "Fixed", 50, 80, 40, 14, res::StyleNone},
};

constexpr res::DialogTemplate kTranslatedDialog{kDialogId, "Caption", "DejaVu Sans",      8,
                                                100,       120,       kTranslatedControls};

class LanguageApplyTest : public ::testing::Test {
protected:
    LanguageApplyTest() : scoped_(prompts_) {
        pack_.SetKeyTable(kKeys);
        folder_.Write("English.ini", "[DIALOG]\n"
                                     "IDD_CAPTION=Translated caption\n"
                                     "IDC_BUTTON=Push\n"
                                     "IDC_LABEL=Upper\\nLower\n"
                                     "IDC_EDIT=not for edits\n"
                                     "IDC_LIST=One\\nTwo\\n\n"
                                     "IDC_REPORT=not for lists\n"
                                     "IDC_SPIN=not for spin boxes\n"
                                     "IDC_EMPTY=\n"
                                     "IDC_THREE=dialog text unused below 100\n"
                                     "[STRING]\n"
                                     "IDS_CANCEL=Abort\n"
                                     "[MENU]\n"
                                     "IDM_FIRST_SUBMENU=First\n"
                                     "IDM_SECOND_SUBMENU=\n"
                                     "IDR_THIRD_SUBMENU=Third\n"
                                     "IDM_TEN=Ten\n"
                                     "IDM_ELEVEN=Eleven\n"
                                     "XYZ_SKIPPED=never\n");
        // A large bold face tells the dialog font apart from the template's.
        uikit::Profile profile = uikit::Profile::Application();
        profile.WriteInt("English", "lfHeight", -23);
        profile.WriteInt("English", "lfWeight", 700);
        pack_.Initialize(folder_.base(), "English");
        uikit::BuildDialog(dialog_, kTranslatedDialog);
        spin_ = new QSpinBox(&dialog_);
        spin_->setProperty("controlId", 1005);
    }

    template <typename T>
    T* Control(int id) {
        return uikit::FindControl<T>(dialog_, id);
    }

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
    uikit::LanguagePack pack_;
    QDialog dialog_;
    QSpinBox* spin_ = nullptr;
};

TEST_F(LanguageApplyTest, TranslatesCaptionAndControlsAndSendsTheFont) {
    ASSERT_TRUE(pack_.ApplyToDialog(dialog_, kDialogId));
    ASSERT_TRUE(pack_.DialogFont().has_value());
    const QFont& font = *pack_.DialogFont();

    EXPECT_EQ(dialog_.windowTitle(), "Translated caption");
    EXPECT_EQ(dialog_.font(), font);
    EXPECT_EQ(Control<QPushButton>(1000)->text(), "Push");
    EXPECT_EQ(Control<QPushButton>(1000)->font(), font);
    EXPECT_EQ(Control<QLabel>(1001)->text(), "Upper\nLower");
    EXPECT_GT(Control<QLabel>(1001)->sizeHint().height(),
              QFontMetrics(font).height() * 3 / 2); // shown on two lines
    EXPECT_EQ(Control<QPushButton>(2)->text(), "Abort");
    // Below 100 only message texts count; there is none for 3.
    EXPECT_EQ(Control<QPushButton>(3)->text(), "Three");
    // The ID counts as 16 bits.
    EXPECT_EQ(Control<QPushButton>(65536 + 1000)->text(), "Push");
    EXPECT_EQ(Control<QPushButton>(1006)->text(), "Built-in");
}

TEST_F(LanguageApplyTest, LeavesDataControlsAloneAndRefillsLists) {
    auto* list = Control<QComboBox>(1003);
    const QString listFont = list->font().toString();
    pack_.ApplyToDialog(dialog_, kDialogId);
    const QString dialogFont = pack_.DialogFont()->toString();

    EXPECT_EQ(Control<QLineEdit>(1002)->text(), "typed");
    for (const QWidget* untouched :
         {uikit::FindControl(dialog_, 1002), uikit::FindControl(dialog_, 1004),
          static_cast<QWidget*>(spin_)}) {
        EXPECT_NE(untouched->font().toString(), dialogFont) << uikit::ControlId(*untouched);
        EXPECT_FALSE(untouched->property("text").toString().startsWith("not for"));
    }
    EXPECT_EQ(spin_->value(), 0);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "One");
    EXPECT_EQ(list->itemText(1), "Two");
    EXPECT_EQ(list->itemText(2), ""); // the text after the last line feed
    EXPECT_EQ(list->font().toString(), listFont);
}

TEST_F(LanguageApplyTest, UntranslatedCaptionLeavesTheDialogFont) {
    const QFont templateFont = dialog_.font();
    pack_.ApplyToDialog(dialog_, 555);
    EXPECT_EQ(dialog_.windowTitle(), "Caption");
    EXPECT_EQ(dialog_.font(), templateFont);
    EXPECT_EQ(Control<QPushButton>(1000)->text(), "Push");
}

TEST_F(LanguageApplyTest, NumbersSubmenusInPreOrderAcrossTheMenu) {
    static constexpr std::array kDeep = {MenuItemTemplate{11, "eleven", {}}};
    static constexpr std::array kInner = {MenuItemTemplate{0, "deep", kDeep}};
    static constexpr std::array kEmpty = {MenuItemTemplate{0, "", {}}};
    static constexpr std::array kFirst = {
        MenuItemTemplate{10, "ten", {}},
        MenuItemTemplate{0, "", {}},
        MenuItemTemplate{0, "second", kInner},
        MenuItemTemplate{12, "twelve", {}},
    };
    static constexpr std::array kOther = {MenuItemTemplate{0, "third", kEmpty}};
    static constexpr std::array kTop = {
        MenuItemTemplate{0, "top one", kFirst},
        MenuItemTemplate{0, "top two", kOther},
    };
    // The top-level items are not numbered; the pop-ups they open are walked.
    const res::MenuTemplate menuTemplate{kMenuId, kTop};
    std::unique_ptr<QMenu> menu = uikit::BuildMenu(menuTemplate);
    ASSERT_TRUE(pack_.ApplyToMenu(*menu, kMenuId));

    const QList<QAction*> top = menu->actions();
    EXPECT_EQ(top[0]->text(), "top one");
    EXPECT_EQ(top[1]->text(), "top two");
    const QList<QAction*> first = uikit::FirstSubmenu(*menu)->actions();
    ASSERT_EQ(first.size(), 4);
    EXPECT_EQ(first[0]->text(), "Ten");
    EXPECT_TRUE(first[1]->isSeparator());
    EXPECT_EQ(first[2]->text(), "First"); // counter + 0
    QAction* deep = QMenu::menuInAction(first[2])->actions()[0];
    EXPECT_EQ(deep->text(), "deep"); // counter + 1, whose text is empty
    EXPECT_EQ(QMenu::menuInAction(deep)->actions()[0]->text(), "Eleven");
    EXPECT_EQ(first[3]->text(), "twelve"); // its key has a prefix no section takes
    // Depth first: the second top-level pop-up's submenu comes after "deep".
    EXPECT_EQ(QMenu::menuInAction(top[1])->actions()[0]->text(), "Third");

    testenv::LanguageTestFolder none;
    uikit::LanguagePack empty;
    empty.Initialize(none.base(), "english");
    EXPECT_FALSE(empty.ApplyToMenu(*menu, kMenuId));
}

} // namespace
