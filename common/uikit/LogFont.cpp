#include "LogFont.h"

#include "Profile.h"

#include <QStringList>
#include <cmath>

namespace uikit {

namespace {

// Larger heights are no font a dialog could show; the bound also keeps the
// negation of a stored height from overflowing.
constexpr std::int32_t kMaxFontHeight = 16384;
constexpr std::int32_t kMaxWeight = 1000;
constexpr std::int32_t kDefaultWeight = 400;

std::uint8_t ReadByte(const Profile& profile, const QString& section, const char* key,
                      std::uint8_t fallback) {
    return static_cast<std::uint8_t>(profile.GetInt(section, key, fallback));
}

QString CutFaceName(const QString& face) {
    QString cut = face.left(LogFont::kMaxFaceNameLength);
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) {
        cut.chop(1);
    }
    return cut;
}

} // namespace

LogFont LoadLogFont(const Profile& profile, const QString& section) {
    const LogFont defaults;
    LogFont font;
    font.height = profile.GetInt(section, "lfHeight", defaults.height);
    font.width = profile.GetInt(section, "lfWidth", defaults.width);
    font.escapement = profile.GetInt(section, "lfEscapement", defaults.escapement);
    font.orientation = profile.GetInt(section, "lfOrientation", defaults.orientation);
    font.weight = profile.GetInt(section, "lfWeight", defaults.weight);
    font.italic = ReadByte(profile, section, "lfItalic", defaults.italic);
    font.underline = ReadByte(profile, section, "lfUnderline", defaults.underline);
    font.strikeOut = ReadByte(profile, section, "lfStrikeOut", defaults.strikeOut);
    font.charSet = ReadByte(profile, section, "lfCharSet", defaults.charSet);
    font.outPrecision = ReadByte(profile, section, "lfOutPrecision", defaults.outPrecision);
    font.clipPrecision = ReadByte(profile, section, "lfClipPrecision", defaults.clipPrecision);
    font.pitchAndFamily = ReadByte(profile, section, "lfPitchAndFamily", defaults.pitchAndFamily);
    font.faceName = CutFaceName(profile.GetString(section, "lfFaceName", defaults.faceName));
    return font;
}

void SaveLogFont(Profile& profile, const QString& section, const LogFont& font) {
    profile.WriteInt(section, "lfHeight", font.height);
    profile.WriteInt(section, "lfWidth", font.width);
    profile.WriteInt(section, "lfEscapement", font.escapement);
    profile.WriteInt(section, "lfOrientation", font.orientation);
    profile.WriteInt(section, "lfWeight", font.weight);
    profile.WriteInt(section, "lfItalic", font.italic);
    profile.WriteInt(section, "lfUnderline", font.underline);
    profile.WriteInt(section, "lfStrikeOut", font.strikeOut);
    profile.WriteInt(section, "lfCharSet", font.charSet);
    profile.WriteInt(section, "lfOutPrecision", font.outPrecision);
    profile.WriteInt(section, "lfClipPrecision", font.clipPrecision);
    // Written a second time, as the program always has; the value is the same.
    profile.WriteInt(section, "lfOutPrecision", font.outPrecision);
    profile.WriteInt(section, "lfPitchAndFamily", font.pitchAndFamily);
    profile.WriteString(section, "lfFaceName", CutFaceName(font.faceName));
}

std::optional<QFont> FontFromDescription(const LogFont& description) {
    if (description.height < -kMaxFontHeight || description.height > kMaxFontHeight ||
        description.weight < 0 || description.weight > kMaxWeight) {
        return std::nullopt;
    }
    QFont font;
    const QString face = CutFaceName(description.faceName);
    if (!face.isEmpty()) {
        font.setFamilies(QStringList{face});
    }
    if (description.height < 0) {
        font.setPixelSize(-description.height);
    } else if (description.height > 0) {
        font.setPointSize(description.height);
    }
    const int weight = description.weight == 0 ? kDefaultWeight : description.weight;
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(description.italic != 0);
    font.setUnderline(description.underline != 0);
    font.setStrikeOut(description.strikeOut != 0);
    return font;
}

LogFont DescribeFont(const QFont& font, const LogFont& base) {
    LogFont description = base;
    if (font.pixelSize() > 0) {
        description.height = -font.pixelSize();
    } else if (font.pointSizeF() > 0) {
        description.height = static_cast<std::int32_t>(std::lround(font.pointSizeF()));
    }
    description.weight = font.weight();
    description.italic = font.italic() ? 1 : 0;
    description.underline = font.underline() ? 1 : 0;
    description.strikeOut = font.strikeOut() ? 1 : 0;
    description.faceName = CutFaceName(font.family());
    description.quality = 0;
    return description;
}

} // namespace uikit
