#include "LanguagePack.h"
#include "LanguageKeyTable.h"
#include "LanguageTestFolder.h"
#include "RecordingPrompts.h"
#include "TestEnvironment.h"
#include "VeltranoStrings.h"

#include <QLocale>
#include <QProcess>
#include <QStringEncoder>
#include <QWidget>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using uikit::LanguageFileEncoding;
using uikit::LanguagePack;
using uikit::RecordingPrompts;

constexpr int kConvertButton = 1000;
constexpr int kExitButton = 1076;
constexpr int kErrorMessage = 105;
constexpr int kOutputFileMessage = 115;

class LanguagePackTest : public ::testing::Test {
protected:
    LanguagePackTest() : scoped_(prompts_) {
        pack_.SetBuiltInStrings(res::VeltranoStrings());
        pack_.SetKeyTable(res::VeltranoLanguageKeys());
    }
    ~LanguagePackTest() override {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }

    // A file whose title and texts tell which file was read.
    QByteArray FileNamed(const QString& title) {
        return ("[DIALOG]\nIDC_BUTTON_CONVERT=" + title + "\n[STRING]\nIDS_MESSAGE_ERROR=" + title +
                " error\n")
            .toUtf8();
    }

    testenv::ScopedSettingsFolder settings_;
    RecordingPrompts prompts_;
    uikit::ScopedPrompts scoped_;
    testenv::LanguageTestFolder folder_;
    LanguagePack pack_;
};

TEST_F(LanguagePackTest, ListsLanguageFilesInByteOrder) {
    for (const char* title : {"deu_utf-8", "German", "English", "UPPER"}) {
        folder_.Write(QString(title) + (QString(title) == "UPPER" ? ".INI" : ".ini"), "");
    }
    folder_.Write("readme.txt", "");
    QDir(folder_.languageFolder()).mkdir("Folder.ini");

    ASSERT_TRUE(pack_.Initialize(folder_.base(), "english"));
    ASSERT_EQ(pack_.GetLanguageCount(), 4);
    EXPECT_EQ(pack_.GetLanguageName(0), "English");
    EXPECT_EQ(pack_.GetLanguageName(1), "German");
    EXPECT_EQ(pack_.GetLanguageName(2), "UPPER");
    EXPECT_EQ(pack_.GetLanguageName(3), "deu_utf-8");
    EXPECT_EQ(pack_.GetLanguageName(4), "");
    EXPECT_EQ(pack_.GetLanguageName(-1), "");
}

TEST_F(LanguagePackTest, WithoutLanguageFilesEveryTextStaysBuiltIn) {
    EXPECT_FALSE(pack_.Initialize(folder_.base() + "/missing", "German"));
    EXPECT_EQ(pack_.GetLanguageCount(), 0);
    EXPECT_EQ(pack_.GetMessageText(kErrorMessage), "Error");
    EXPECT_EQ(pack_.GetDialogText(124), "Stop");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "");
    EXPECT_EQ(pack_.GetMessageText(99999), "");
    QWidget dialog;
    EXPECT_FALSE(pack_.ApplyToDialog(dialog, 102));
    EXPECT_FALSE(pack_.LoadLanguage("English"));

    // An empty folder behaves the same.
    EXPECT_FALSE(pack_.Initialize(folder_.base(), "english"));
}

TEST_F(LanguagePackTest, MatchesFileNamesIgnoringCase) {
    folder_.Write("English.ini", FileNamed("English"));
    ASSERT_TRUE(pack_.Initialize(folder_.base(), "ENGLISH"));
    EXPECT_EQ(pack_.GetCurrentName(), "ENGLISH");
    EXPECT_EQ(pack_.FilePath(), folder_.languageFolder() + "/English.ini");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "English");
    EXPECT_EQ(pack_.LanguageId(), 0x0409);
    EXPECT_EQ(pack_.LocaleString(), "english");
}

TEST_F(LanguagePackTest, FallsBackToEnglishThenToBuiltInTexts) {
    folder_.Write("English.ini", FileNamed("English"));
    folder_.Write("German.ini", FileNamed("German"));
    pack_.Initialize(folder_.base(), "Klingon");
    EXPECT_EQ(pack_.GetCurrentName(), "english");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "English");

    testenv::LanguageTestFolder germanOnly;
    germanOnly.Write("German.ini", FileNamed("German"));
    pack_.Initialize(germanOnly.base(), "French");
    EXPECT_EQ(pack_.GetCurrentName(), "english");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "");
    EXPECT_EQ(pack_.GetMessageText(kErrorMessage), "Error");
    EXPECT_TRUE(prompts_.Messages().empty());
}

TEST_F(LanguagePackTest, NamesWithPathCharactersNeverReadOutsideTheFolder) {
    folder_.Write("English.ini", FileNamed("English"));
    QFile outside(folder_.base() + "/Secret.ini");
    ASSERT_TRUE(outside.open(QIODevice::WriteOnly));
    outside.write(FileNamed("Secret"));
    outside.close();

    pack_.Initialize(folder_.base(), "../Secret");
    EXPECT_EQ(pack_.GetCurrentName(), "english");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "English");
    for (const QString& name : {QString("../Secret"), folder_.base() + "/Secret", QString("..")}) {
        pack_.LoadLanguage(name);
        EXPECT_EQ(pack_.FindDialogText(kConvertButton), "") << name.toStdString();
    }
}

TEST_F(LanguagePackTest, ResolvesTheLocaleFromTheFileName) {
    struct Expected {
        QString title;
        std::uint16_t id;
        QString locale;
        LanguageFileEncoding encoding;
    };
    const Expected cases[] = {
        {"chs", 0x0804, "chs", LanguageFileEncoding::Ansi},
        {"Arabic", 0x0001, "ara", LanguageFileEncoding::Ansi},
        {"German_utf-8", 0x0007, "deu", LanguageFileEncoding::Utf8},
        {"german_UNICODE", 0x0007, "deu", LanguageFileEncoding::Utf16},
        {"Japanese_utf-8", 0x0011, "jpn", LanguageFileEncoding::Utf8},
        {"English", 0x0409, "english", LanguageFileEncoding::Ansi},
    };
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    for (const Expected& expected : cases) {
        const QByteArray content = FileNamed(expected.title);
        folder_.Write(expected.title + ".ini",
                      expected.encoding == LanguageFileEncoding::Utf16
                          ? "\xFF\xFE" + QByteArray(toUtf16(QString::fromUtf8(content)))
                          : content);
    }
    pack_.Initialize(folder_.base(), "english");
    for (const Expected& expected : cases) {
        pack_.SelectLanguage(expected.title);
        EXPECT_EQ(pack_.GetCurrentName(), expected.title);
        EXPECT_EQ(pack_.LanguageId(), expected.id) << expected.title.toStdString();
        EXPECT_EQ(pack_.LocaleString(), expected.locale) << expected.title.toStdString();
        EXPECT_EQ(pack_.FileEncoding(), expected.encoding) << expected.title.toStdString();
        EXPECT_EQ(pack_.FindDialogText(kConvertButton), expected.title);
    }
    EXPECT_TRUE(prompts_.Messages().empty());
}

TEST_F(LanguagePackTest, WarnsAboutUnknownLanguageNamesAndStillLoadsThem) {
    folder_.Write("German.ini", FileNamed("German"));
    folder_.Write("Klingon_UTF-8.ini", FileNamed("Klingon"));
    pack_.Initialize(folder_.base(), "German");
    pack_.SelectLanguage("Klingon_UTF-8");

    const auto messages = prompts_.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              "Your language file name may be not proper,\n please read the help file!");
    EXPECT_EQ(messages[0].caption, "klingon");
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "Klingon");
    // The language ID stays that of the language loaded before.
    EXPECT_EQ(pack_.LanguageId(), 0x0007);
    EXPECT_EQ(pack_.LocaleString(), "");
}

TEST_F(LanguagePackTest, ExpandsEscapesKeepsBuiltInsForEmptyValuesAndCutsLongTexts) {
    const QByteArray umlauts = QString(1500, QChar(u'ä')).toUtf8(); // 3000 bytes
    folder_.Write("English.ini", "[DIALOG]\n"
                                 "IDC_BUTTON_CONVERT=First\\nSecond\\tTab\\rReturn\n"
                                 "IDC_BUTTON_EXIT=\n"
                                 "IDC_BUTTON_PLAY=" +
                                     QByteArray(3000, 'x') +
                                     "\n"
                                     "IDC_BUTTON_PAUSE=" +
                                     umlauts +
                                     "\n"
                                     "[STRING]\n"
                                     "IDS_MESSAGE_ERROR=\n"
                                     "IDS_MESSAGE_OUTPUT_FILE=Target:\n");
    pack_.Initialize(folder_.base(), "English");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "First\nSecond\tTab\rReturn");
    EXPECT_EQ(pack_.FindDialogText(kExitButton), "");
    EXPECT_EQ(pack_.GetMessageText(kErrorMessage), "Error");
    EXPECT_EQ(pack_.GetMessageText(kOutputFileMessage), "Target:");
    EXPECT_EQ(pack_.FindDialogText(1058).toUtf8().size(), LanguagePack::kMaxTextBytes);
    // A cut never splits a character.
    EXPECT_EQ(pack_.FindDialogText(1060), QString(1023, QChar(u'ä')));
    // One text serves every ID of its key.
    EXPECT_EQ(pack_.GetDialogText(125), "First\nSecond\tTab\rReturn");
    EXPECT_EQ(pack_.GetDialogText(124), "Stop");
}

TEST_F(LanguagePackTest, BadFilesLoadWithoutTexts) {
    QByteArray binary;
    for (int i = 0; i < 70000; ++i) {
        binary.append(static_cast<char>((i * 131) & 0xFF));
    }
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    folder_.Write("English.ini", "");
    folder_.Write("German.ini", binary);
    const QByteArray utf16 = toUtf16(QString("[DIALOG]\nIDC_BUTTON_CONVERT=wide\n"));
    folder_.Write("French.ini", utf16);               // no byte-order mark: NULs everywhere
    folder_.Write("Russian.ini", "\xFF\xFE" + utf16); // marked, though the title says 8-bit
    folder_.Write("Italian.ini", "[DIALOG]\nIDC_BUTTON_CONVERT=Conv");
    folder_.Write("Spanish.ini", "[OTHER]\nIDC_BUTTON_CONVERT=no\n[DIALOG]\nIDC_UNKNOWN=x\n");
    for (int i = 0; i < 1000; ++i) {
        folder_.Write(QString("Filler%1.ini").arg(i), "");
    }
    ASSERT_TRUE(pack_.Initialize(folder_.base(), "German"));
    EXPECT_EQ(pack_.GetLanguageCount(), 1006);
    EXPECT_EQ(pack_.GetMessageText(kErrorMessage), "Error");
    for (const char* title : {"English", "French", "Spanish"}) {
        pack_.SelectLanguage(title);
        EXPECT_EQ(pack_.FindDialogText(kConvertButton), "") << title;
    }
    pack_.SelectLanguage("Italian"); // truncated mid-line: the partial line still counts
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "Conv");
    pack_.SelectLanguage("Russian");
    EXPECT_EQ(pack_.FindDialogText(kConvertButton), "wide");
}

TEST_F(LanguagePackTest, FindsTheBaseFolderBesideOrAboveThePrograms) {
    QTemporaryDir tree;
    const QString program = tree.path() + "/bin";
    QDir(tree.path()).mkpath("bin/language");
    EXPECT_EQ(LanguagePack::FindBaseFolder(program), program);

    // Installed: the files live under <prefix>/share.
    QDir(tree.path()).mkpath("share/videoconverters/language");
    QFile installed(tree.path() + "/share/videoconverters/language/English.ini");
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(LanguagePack::FindBaseFolder(program), tree.path() + "/share/videoconverters");

    // A language folder in the parent with English.ini wins.
    QDir(tree.path()).mkpath("language");
    QFile parent(tree.path() + "/language/English.ini");
    ASSERT_TRUE(parent.open(QIODevice::WriteOnly));
    parent.close();
    EXPECT_EQ(LanguagePack::FindBaseFolder(program), tree.path());

    EXPECT_EQ(LanguagePack::FindBaseFolder("relative"), "relative");
}

// Builds a German locale for the C runtime in a private folder, so the test can
// see the runtime really switch while numbers keep their decimal point.
class GermanRuntimeLocale {
public:
    GermanRuntimeLocale() {
        const int result = QProcess::execute(
            "localedef", {"-i", "de_DE", "-f", "UTF-8", dir_.path() + "/de_DE.UTF-8"});
        available_ = result == 0 && QDir(dir_.path() + "/de_DE.UTF-8").exists();
        if (available_) {
            qputenv("LOCPATH", dir_.path().toLocal8Bit());
        }
    }
    ~GermanRuntimeLocale() { qunsetenv("LOCPATH"); }
    bool available() const { return available_; }

private:
    QTemporaryDir dir_;
    bool available_ = false;
};

std::string Formatted(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

TEST_F(LanguagePackTest, NumbersKeepTheirDecimalPointAfterEveryLoad) {
    const GermanRuntimeLocale germanRuntime;
    for (const char* title : {"German", "Russian", "chs", "English", "Klingon"}) {
        folder_.Write(QString(title) + ".ini", "");
    }
    pack_.Initialize(folder_.base(), "German");
    if (germanRuntime.available()) {
        EXPECT_STREQ(std::setlocale(LC_CTYPE, nullptr), "de_DE.UTF-8");
    }
    EXPECT_EQ(QLocale().language(), QLocale::German);
    for (const char* title : {"German", "Russian", "chs", "Klingon", "English"}) {
        pack_.SelectLanguage(title);
        EXPECT_EQ(Formatted(23.976), "23.976") << title;
        EXPECT_DOUBLE_EQ(std::strtod("23.976", nullptr), 23.976) << title;
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C") << title;
    }
    EXPECT_EQ(QLocale().language(), QLocale::English);
}

} // namespace
