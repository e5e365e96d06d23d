#include "LocaleTable.h"

#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

using uikit::FindLocale;
using uikit::LocaleTable;

TEST(LocaleTable, HoldsEveryLocaleOnceWithWellFormedFields) {
    const auto table = LocaleTable();
    ASSERT_EQ(table.size(), 273u);
    EXPECT_STREQ(table.front().name, "Afrikaans");
    EXPECT_STREQ(table.back().name, "Yoruba_Nigeria");
    EXPECT_EQ(table.back().languageId, 0x046A);

    const QRegularExpression abbreviation("^[A-Z]{3}$");
    QSet<QString> names;
    for (const auto& entry : table) {
        EXPECT_TRUE(abbreviation.match(entry.abbreviation).hasMatch()) << entry.name;
        EXPECT_FALSE(names.contains(QString(entry.name).toLower())) << entry.name;
        names.insert(QString(entry.name).toLower());
        EXPECT_NE(entry.PrimaryLanguage(), 0) << entry.name;
        EXPECT_NE(QString(entry.tag), "") << entry.name;
    }
    EXPECT_EQ(names.size(), 273);
}

TEST(LocaleTable, ResolvesNamesAndAbbreviationsFirstRowFirst) {
    struct Expected {
        const char* name;
        std::uint16_t id;
        const char* abbreviation;
    };
    const Expected cases[] = {
        {"Arabic", 0x0001, "ARA"},
        {"ara", 0x0001, "ARA"}, // the neutral row comes before Saudi Arabia's
        {"ARABIC_SAUDI_ARABIA", 0x0401, "ARA"},
        {"chs", 0x0804, "CHS"}, // the first row abbreviated CHS
        {"Chinese_Simplified", 0x0004, "CHS"},
        {"Chinese_Taiwan", 0x0404, "CHT"},
        {"english", 0x0009, "ENU"},
        {"English_United_States", 0x0409, "ENU"},
        {"german", 0x0007, "DEU"},
        {"deu", 0x0007, "DEU"},
        {"German_Germany", 0x0407, "DEU"},
        {"Japanese", 0x0011, "JPN"},
        {"Portuguese_Brazil", 0x0416, "PTB"},
        {"Russian", 0x0019, "RUS"},
        {"English_United_Kingdom)", 0x0809, "ENG"},
        {"Spanish_United States", 0x540A, "EST"},
        // Abbreviations that are easy to get wrong by guessing from the name; a
        // neutral language takes its default locale's (Spanish: traditional sort).
        {"Spanish", 0x000A, "ESP"},
        {"Spanish_Spain", 0x0C0A, "ESN"},
        {"Mongolian", 0x0050, "MON"},
        {"Mongolian_Cyrillic_Mongolia", 0x0450, "MNN"},
        {"Mongolian_Traditional_Mongolian_PRC", 0x0850, "MNG"},
        {"Tamazight_Latin_Algeria", 0x085F, "TZA"},
        {"Tamil", 0x0049, "TAI"},
        {"tai", 0x0049, "TAI"},
        {"Tamil_India", 0x0449, "TAI"},
    };
    for (const Expected& expected : cases) {
        const uikit::LocaleEntry* entry = FindLocale(expected.name);
        ASSERT_NE(entry, nullptr) << expected.name;
        EXPECT_EQ(entry->languageId, expected.id) << expected.name;
        EXPECT_STREQ(entry->abbreviation, expected.abbreviation) << expected.name;
    }
    EXPECT_EQ(FindLocale("chs")->PrimaryLanguage(), 4);
    EXPECT_EQ(FindLocale("chs")->SubLanguage(), 2);
    // The two odd names match only as written.
    EXPECT_EQ(FindLocale("English_United_Kingdom"), nullptr);
    EXPECT_EQ(FindLocale("Spanish_United_States"), nullptr);
    EXPECT_EQ(FindLocale("Klingon"), nullptr);
    EXPECT_EQ(FindLocale(""), nullptr);
}

} // namespace
