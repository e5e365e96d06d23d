// Checks the language files shipped in the source tree's `language` folder.
#include "CaspariDialogs.h"
#include "CaspariStrings.h"
#include "IniFile.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "VeltranoDialogs.h"
#include "VeltranoStrings.h"

#include <QDir>
#include <clocale>
#include <gtest/gtest.h>
#include <string_view>

namespace {

const QString kLanguageDir = QStringLiteral(CONVERTERS_LANGUAGE_DIR);

QString SectionOf(const QString& key) {
    if (key.startsWith("IDS")) {
        return "STRING";
    }
    if (key.startsWith("IDM") || key.startsWith("IDR")) {
        return "MENU";
    }
    return "DIALOG";
}

QStringList ShippedFiles() {
    return QDir(kLanguageDir).entryList({"*.ini"}, QDir::Files, QDir::Name);
}

TEST(LanguageFiles, AllPromisedLanguagesShip) {
    const QStringList files = ShippedFiles();
    for (const char* name : {"English.ini", "German.ini", "French.ini", "Spanish.ini",
                             "Italian.ini", "Portuguese_Brazil.ini", "Russian.ini",
                             "Japanese_utf-8.ini", "Chinese_Simplified_utf-8.ini"}) {
        EXPECT_TRUE(files.contains(name)) << name;
    }
}

TEST(LanguageFiles, EveryFileCarriesEveryKeyOfBothPrograms) {
    const uikit::IniFile english = uikit::IniFile::Load(kLanguageDir + "/English.ini");
    for (const QString& fileName : ShippedFiles()) {
        const uikit::IniFile ini = uikit::IniFile::Load(kLanguageDir + '/' + fileName);
        for (const auto keys : {res::VeltranoLanguageKeys(), res::CaspariLanguageKeys()}) {
            for (const res::LanguageKey& row : keys) {
                const QString key = row.key;
                ASSERT_TRUE(ini.Contains(SectionOf(key), key))
                    << fileName.toStdString() << ": " << row.key;
                const QString text = ini.Value(SectionOf(key), key);
                EXPECT_FALSE(text.contains(QChar::ReplacementCharacter))
                    << fileName.toStdString() << ": " << row.key;
                // The product name is each program's own: the shared files leave it empty.
                EXPECT_EQ(text.isEmpty(), key == "IDD_PROGRAM_CAPTION")
                    << fileName.toStdString() << ": " << row.key;
                // The program fills each placeholder in; a lost one drops a path or a time.
                for (const char* placeholder : {"%1", "%2"}) {
                    EXPECT_EQ(text.count(placeholder),
                              english.Value(SectionOf(key), key).count(placeholder))
                        << fileName.toStdString() << ": " << row.key;
                }
            }
        }
    }
}

struct Program {
    const char* name;
    std::span<const res::StringResource> builtIns;
    std::span<const res::LanguageKey> keys;
    const res::DialogTemplate& mainWindow;
};

TEST(LanguageFiles, EnglishRepeatsTheBuiltInTextsOfBothPrograms) {
    const uikit::IniFile english = uikit::IniFile::Load(kLanguageDir + "/English.ini");
    const Program programs[] = {
        {"veltrano", res::VeltranoStrings(), res::VeltranoLanguageKeys(),
         res::VeltranoMainDialog()},
        {"caspari", res::CaspariStrings(), res::CaspariLanguageKeys(), res::CaspariMainDialog()},
    };
    for (const Program& program : programs) {
        for (const res::LanguageKey& row : program.keys) {
            const QString key = row.key;
            const QString text = english.Value(SectionOf(key), key);
            const int id = static_cast<int>(row.id);
            if (const char* builtIn = res::FindString(program.builtIns, id)) {
                EXPECT_EQ(text, QString::fromUtf8(builtIn)) << program.name << ": " << row.key;
            }
            for (const res::ControlTemplate& control : program.mainWindow.controls) {
                // One key serves both programs, so only the mnemonic may differ.
                if (control.id == id) {
                    EXPECT_EQ(QString(text).remove('&'),
                              QString::fromUtf8(control.text).remove('&'))
                        << program.name << ": " << row.key;
                }
            }
        }
        // Every built-in string but the window menu's About item is reachable by a key.
        for (const res::StringResource& builtIn : program.builtIns) {
            if (builtIn.id == 101) {
                continue;
            }
            bool keyed = false;
            for (const res::LanguageKey& row : program.keys) {
                keyed = keyed || static_cast<int>(row.id) == builtIn.id;
            }
            EXPECT_TRUE(keyed) << program.name << ": " << builtIn.id;
        }
    }
}

TEST(LanguageFiles, EveryFileLoadsUnderARecognisedLocale) {
    testenv::ScopedSettingsFolder settings;
    uikit::RecordingPrompts prompts;
    uikit::ScopedPrompts scoped(prompts);
    uikit::LanguagePack pack;
    pack.SetBuiltInStrings(res::VeltranoStrings());
    pack.SetKeyTable(res::VeltranoLanguageKeys());
    ASSERT_TRUE(pack.Initialize(QFileInfo(kLanguageDir).absolutePath(), "English"));
    for (int index = 0; index < pack.GetLanguageCount(); ++index) {
        const QString title = pack.GetLanguageName(index);
        pack.SelectLanguage(title);
        EXPECT_EQ(pack.GetCurrentName(), title);
        EXPECT_FALSE(pack.LocaleString().isEmpty()) << title.toStdString();
        EXPECT_FALSE(pack.FindDialogText(1000).isEmpty()) << title.toStdString();
        EXPECT_FALSE(pack.FindMenuText(10485760).isEmpty()) << title.toStdString();
    }
    EXPECT_TRUE(prompts.Messages().empty());
    std::setlocale(LC_ALL, "C");
}

} // namespace
