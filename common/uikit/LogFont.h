#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <optional>

namespace uikit {

class Profile;

// The logical-font description the dialog font is stored as, field by field,
// with the values a language that was never given a font uses.
struct LogFont {
    static constexpr int kMaxFaceNameLength = 31;

    std::int32_t height = -11; // negative: pixel size; positive: point size; 0: default
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400; // 0 means the default weight
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 1;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0; // never stored: fonts are made with the default quality
    std::uint8_t pitchAndFamily = 0;
    QString faceName = "Microsoft Sans Serif";

    bool operator==(const LogFont&) const = default;
};

// Reads the description from `section` of the profile; a missing value takes
// its default, and integers are cut to their field's width.
LogFont LoadLogFont(const Profile& profile, const QString& section);
// Writes every stored field of the description to `section`.
void SaveLogFont(Profile& profile, const QString& section, const LogFont& font);

// The font the description stands for, or nothing when it cannot be made
// (a height or weight outside what a font can have).
std::optional<QFont> FontFromDescription(const LogFont& description);

// The description of `font`, taking the fields a QFont does not carry
// (width, escapement, character set, precisions, pitch) from `base`.
LogFont DescribeFont(const QFont& font, const LogFont& base);

} // namespace uikit
