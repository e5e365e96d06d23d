#include "MainWindowPopup.h"
#include "ConverterDlg.h"
#include "DialogBuilder.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "LanguageTestFolder.h"
#include "OutputOptionsDlg.h"
#include "ProcessLocale.h"
#include "Profile.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "VeltranoDialogs.h"
#include "VeltranoStrings.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <gtest/gtest.h>
#include <optional>

namespace {

using namespace veltrano;

class MainWindowLanguageTest : public ::testing::Test {
protected:
    MainWindowLanguageTest() : scoped_(prompts_) {
        uikit::Language().SetBuiltInStrings(res::VeltranoStrings());
        uikit::Language().SetKeyTable(res::VeltranoLanguageKeys());
        folder_.Write("English.ini", testenv::ShippedLanguageFile("English.ini"));
    }
    ~MainWindowLanguageTest() override {
        // Leave the process-wide pack without languages for the other tests.
        uikit::Language().Initialize(folder_.base() + "/none", "english");
        uikit::Language().SetCurrentName("english");
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    QString Text(const CConverterDlg& dialog, int id) {
        return dialog.Control<QAbstractButton>(id)->text();
    }
    uikit::MainWindowPopup& Popup(CConverterDlg& dialog) {
        return *dialog.findChild<uikit::MainWindowPopup*>();
    }

    testenv::ScopedSettingsFolder settings_;
    uikit::RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
};

TEST_F(MainWindowLanguageTest, OpensInTheStoredLanguageAndFont) {
    folder_.Write("German.ini", testenv::ShippedLanguageFile("German.ini"));
    uikit::Language().Initialize(folder_.base(), "German");
    CConverterDlg dialog;
    EXPECT_EQ(Text(dialog, idc::kOpenVideo), "Video öffnen");
    EXPECT_EQ(Text(dialog, idc::kExit), "Beenden");
    EXPECT_EQ(Text(dialog, idc::kStartTime), "Startzeit");
    EXPECT_EQ(dialog.Control(idc::kOpenVideo)->toolTip(), "Eine Videodatei öffnen");
    EXPECT_EQ(dialog.Control(idc::kExit)->font(), *uikit::Language().DialogFont());
    // The caption is each program's own.
    EXPECT_EQ(dialog.windowTitle(), "VELTRANO");
}

TEST_F(MainWindowLanguageTest, RightClickShowsThePopupWithTheCurrentLanguageTicked) {
    folder_.Write("German.ini", testenv::ShippedLanguageFile("German.ini"));
    uikit::Language().Initialize(folder_.base(), "german");
    CConverterDlg dialog;

    QStringList shown;
    QStringList ticked;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* item : menu->actions()) {
            shown << item->text();
        }
        for (QAction* item : QMenu::menuInAction(menu->actions()[0])->actions()) {
            if (item->isChecked()) {
                ticked << item->text();
            }
        }
        menu->close();
    });
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10), QPointF(10, 10),
                        Qt::RightButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &release);

    EXPECT_EQ(shown, QStringList({"Sprache", "Schriftart", "Info"}));
    EXPECT_EQ(ticked, QStringList({"German"}));
}

TEST_F(MainWindowLanguageTest, PickingALanguageTranslatesTheWindowAndAsksForARestart) {
    folder_.Write("Japanese_utf-8.ini", testenv::ShippedLanguageFile("Japanese_utf-8.ini"));
    uikit::Language().Initialize(folder_.base(), "english");
    CConverterDlg dialog;
    ASSERT_EQ(Text(dialog, idc::kConvert), "Convert");

    Popup(dialog).OnCommand(kFirstLanguageCommand + 1);
    EXPECT_EQ(uikit::Language().GetCurrentName(), "Japanese_utf-8");
    EXPECT_EQ(Text(dialog, idc::kConvert), "変換");
    EXPECT_EQ(dialog.Control(idc::kOpenVideo)->toolTip(), "ビデオ ファイルを開く");
    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].owner, &dialog);
    EXPECT_EQ(messages[0].text, "プログラムを再起動してください");
    EXPECT_EQ(messages[0].caption, "警告");

    dialog.close();
    EXPECT_EQ(uikit::Profile::Application().GetString("Option", "CurrentLanguage", ""),
              "Japanese_utf-8");
}

TEST_F(MainWindowLanguageTest, PickingALanguageWhileConvertingKeepsStopAndTheLocale) {
    folder_.Write("German.ini", testenv::ShippedLanguageFile("German.ini"));
    uikit::Language().Initialize(folder_.base(), "english");
    CConverterDlg dialog;
    const QString localeBefore = QLocale().name();
    // What a running conversion holds: the Stop label, and the process locale,
    // which the streaming threads read.
    dialog.state().converting = 1;
    std::optional<uikit::ProcessLocaleHold> hold(std::in_place);
    prompts_.OnPrompt([&](const uikit::RecordingPrompts::Record&) {
        // The restart notice comes with the window already relabelled.
        EXPECT_EQ(Text(dialog, idc::kConvert), "Stopp");
    });
    Popup(dialog).OnCommand(kFirstLanguageCommand + 1);
    ASSERT_EQ(uikit::Language().GetCurrentName(), "German");
    EXPECT_EQ(Text(dialog, idc::kConvert), "Stopp");
    EXPECT_EQ(Text(dialog, idc::kOpenVideo), "Video öffnen");
    EXPECT_EQ(QLocale().name(), localeBefore);
    hold.reset();
    EXPECT_EQ(QLocale().name(), "de_DE");
    dialog.state().converting = 0;
}

TEST_F(MainWindowLanguageTest, FontCommandRestylesTheWindowAndIsRemembered) {
    uikit::Language().Initialize(folder_.base(), "ENGLISH");
    CConverterDlg dialog;
    QFont chosen("DejaVu Serif");
    chosen.setPointSize(10);
    chosen.setItalic(true);
    prompts_.QueueFont(chosen);

    Popup(dialog).OnCommand(kCommandFont);
    EXPECT_TRUE(dialog.Control(idc::kConvert)->font().italic());
    EXPECT_EQ(dialog.Control(idc::kConvert)->font().family(), "DejaVu Serif");
    const uikit::Profile profile = uikit::Profile::Application();
    EXPECT_EQ(profile.GetInt("ENGLISH", "lfItalic", 0), 1);

    dialog.close();
    EXPECT_EQ(profile.GetString("Option", "CurrentLanguage", ""), "ENGLISH");
}

// Whether the control shows all of its text in its own font.
bool ShowsAllOfItsText(const QWidget& control) {
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        return button->sizeHint().width() <= button->width();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        if (!label->wordWrap()) {
            return label->sizeHint().width() <= label->width();
        }
        // Lines of tall scripts may overhang a box sized for Latin text a little.
        const int lineHeight = label->heightForWidth(QWIDGETSIZE_MAX);
        const int lines = std::max(1, qRound(double(label->height()) / lineHeight));
        return label->heightForWidth(label->width()) <= lines * lineHeight;
    }
    if (const auto* list = qobject_cast<const QComboBox*>(&control)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        for (int i = 0; i < list->count(); ++i) {
            if (list->fontMetrics().horizontalAdvance(list->itemText(i)) > field.width()) {
                return false;
            }
        }
    }
    return true;
}

TEST_F(MainWindowLanguageTest, EveryShippedTranslationFitsItsControls) {
    const QString base = QFileInfo(QStringLiteral(CONVERTERS_LANGUAGE_DIR)).absolutePath();
    const QStringList files =
        QDir(CONVERTERS_LANGUAGE_DIR).entryList({"*.ini"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const QString title = file.chopped(4);
        uikit::Language().Initialize(base, title);
        CConverterDlg mainWindow;
        QDialog options;
        uikit::BuildDialog(options, res::VeltranoOptionsDialog());
        // The option lists take their first entries from message texts.
        const uikit::LanguagePack& texts = uikit::Language();
        const settings::OptionsLayout& layout =
            settings::OptionsLayoutOf(settings::OptionsVariant::Veltrano);
        for (const auto& [list, ids] : {std::pair{layout.sizeList, std::pair{111, 112}},
                                        std::pair{layout.frameRateList, std::pair{113, 114}},
                                        std::pair{layout.resizeList, std::pair{117, 118}}}) {
            auto* items = uikit::FindControl<QComboBox>(options, list);
            items->clear();
            items->addItems({texts.GetMessageText(ids.first), texts.GetMessageText(ids.second)});
        }
        texts.ApplyToDialog(options, res::VeltranoOptionsDialog().id);

        for (QDialog* dialog : {static_cast<QDialog*>(&mainWindow), &options}) {
            for (QWidget* control : dialog->findChildren<QWidget*>()) {
                const int id = uikit::ControlId(*control);
                const bool translated = !texts.FindDialogText(id).isEmpty() ||
                                        id == layout.sizeList || id == layout.frameRateList ||
                                        id == layout.resizeList;
                if (translated && !control->isHidden()) {
                    EXPECT_TRUE(ShowsAllOfItsText(*control)) << file.toStdString() << ": " << id;
                }
            }
        }
    }
}

} // namespace
