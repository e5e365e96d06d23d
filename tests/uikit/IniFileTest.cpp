#include "IniFile.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace {

using uikit::IniFile;

TEST(IniFile, ReadsLikeTheDesktopProfileReader) {
    const IniFile ini = IniFile::Parse("; a comment = not a key\n"
                                       "orphan=before any section\n"
                                       "[Dialog]\n"
                                       "  IDC_PLAIN  =  spaced value  \n"
                                       "IDC_QUOTED=\"  kept blanks  \"\n"
                                       "IDC_SINGLE='single'\n"
                                       "IDC_MISMATCHED=\"open only\n"
                                       "IDC_DUPLICATE=first\n"
                                       "idc_duplicate=second\n"
                                       "IDC_EQUALS=a=b\n"
                                       "IDC_EMPTY=\n"
                                       "no equals sign here\n"
                                       ";IDC_COMMENTED=hidden\n"
                                       "[ string ]\n"
                                       "IDS_TEXT=message\n");
    EXPECT_EQ(ini.Value("DIALOG", "idc_plain"), "spaced value");
    EXPECT_EQ(ini.Value("dialog", "IDC_QUOTED"), "  kept blanks  ");
    EXPECT_EQ(ini.Value("DIALOG", "IDC_SINGLE"), "single");
    EXPECT_EQ(ini.Value("DIALOG", "IDC_MISMATCHED"), "\"open only");
    EXPECT_EQ(ini.Value("DIALOG", "IDC_DUPLICATE"), "first");
    EXPECT_EQ(ini.Value("DIALOG", "IDC_EQUALS"), "a=b");
    EXPECT_TRUE(ini.Contains("DIALOG", "IDC_EMPTY"));
    EXPECT_EQ(ini.Value("DIALOG", "IDC_EMPTY"), "");
    EXPECT_FALSE(ini.Contains("DIALOG", "IDC_COMMENTED"));
    EXPECT_FALSE(ini.Contains("DIALOG", "orphan"));
    EXPECT_FALSE(ini.Contains("DIALOG", "no equals sign here"));
    EXPECT_EQ(ini.Value("STRING", "IDS_TEXT"), "message");
    EXPECT_TRUE(ini.Value("MENU", "IDM_ABOUT").isNull());
}

TEST(IniFile, FirstOfRepeatedSectionsWins) {
    const IniFile ini =
        IniFile::Parse("[MENU]\nIDM_A=one\n[DIALOG]\nX=1\n[menu]\nIDM_A=two\nIDM_B=b\n");
    EXPECT_EQ(ini.Value("MENU", "IDM_A"), "one");
    EXPECT_FALSE(ini.Contains("MENU", "IDM_B"));
}

TEST(IniFile, DecodesByByteOrderMarkAndAnyLineEnd) {
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    const QByteArray utf16 =
        QByteArray("\xFF\xFE") + QByteArray(toUtf16(QString("[STRING]\r\nIDS_A=Größe 解像度\r\n")));
    EXPECT_EQ(IniFile::Parse(utf16).Value("STRING", "IDS_A"), "Größe 解像度");

    const QByteArray utf8 = "\xEF\xBB\xBF[STRING]\rIDS_A=Größe\rIDS_B=b";
    EXPECT_EQ(IniFile::Parse(utf8).Value("STRING", "IDS_A"), "Größe");
    // The last line counts though the file ends without a line break.
    EXPECT_EQ(IniFile::Parse(utf8).Value("STRING", "IDS_B"), "b");
}

TEST(IniFile, SurvivesMalformedContent) {
    QByteArray binary;
    for (int i = 0; i < 4096; ++i) {
        binary.append(static_cast<char>((i * 37) & 0xFF));
    }
    const IniFile garbage = IniFile::Parse(binary);
    EXPECT_FALSE(garbage.Contains("STRING", "IDS_A"));

    // A NUL ends its line; what follows on the next line still reads.
    const IniFile withNul = IniFile::Parse(QByteArray("[S]\nA=x\0y\nB=z\n", 15));
    EXPECT_EQ(withNul.Value("S", "A"), "x");
    EXPECT_EQ(withNul.Value("S", "B"), "z");

    const QByteArray longLine = "[S]\nLONG=" + QByteArray(100000, 'x') + "\nNEXT=n\n";
    const IniFile longIni = IniFile::Parse(longLine);
    EXPECT_EQ(longIni.Value("S", "LONG").size(), 100000);
    EXPECT_EQ(longIni.Value("S", "NEXT"), "n");

    EXPECT_FALSE(IniFile::Parse("[S").Contains("S", "A"));
    EXPECT_FALSE(IniFile::Load("/nonexistent/folder/file.ini").Contains("S", "A"));
}

} // namespace
