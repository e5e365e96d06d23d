#include "OptionValues.h"

#include "OutputExtension.h"
#include "OutputLimits.h"
#include "Timeline.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace settings {

namespace {

std::optional<int> WholeNumber(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

std::optional<std::int32_t> FormatFromName(const QString& name) {
    const std::int32_t format = FormatOfExtension('.' + name.trimmed());
    return format >= 0 ? std::optional(format) : std::nullopt;
}

std::optional<std::int32_t> VideoBitrateFromKbps(const QString& kbps) {
    const std::optional<int> value = WholeNumber(kbps);
    if (!value || *value < 1 || *value > kLargestVideoKbps) {
        return std::nullopt;
    }
    return *value * kVideoBitrateUnit;
}

std::optional<std::int32_t> AudioBitrateFromKbps(const QString& kbps) {
    const std::optional<int> value = WholeNumber(kbps);
    if (!value) {
        return std::nullopt;
    }
    const std::int32_t bitrate = *value * kAudioBitrateUnit;
    const bool listed = std::find(std::begin(kAudioBitrates), std::end(kAudioBitrates), bitrate) !=
                        std::end(kAudioBitrates);
    return listed ? std::optional(bitrate) : std::nullopt;
}

std::optional<QSize> FrameSizeFromText(const QString& text) {
    static const QRegularExpression pattern(R"(^(\d{1,6})[xX](\d{1,6})$)");
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    // The dialog lifts a smaller side to 16; typed here it is a mistake.
    const auto fits = [](int side) { return side >= 16 && side <= media::kMaxFrameDimension; };
    if (!fits(width) || !fits(height)) {
        return std::nullopt;
    }
    return QSize(ConfirmedDimension(width), ConfirmedDimension(height));
}

std::optional<double> FrameRateFromText(const QString& text) {
    bool ok = false;
    const double rate = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(rate) || rate < kSmallestFrameRate ||
        rate > kLargestCustomFrameRate) {
        return std::nullopt;
    }
    return rate;
}

} // namespace settings
