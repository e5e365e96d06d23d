#include "ClockText.h"

#include <QRegularExpression>

namespace uikit {

QString ClockText(std::int64_t seconds) {
    return QString::asprintf("%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                             static_cast<int>(seconds % 3600 / 60), static_cast<int>(seconds % 60));
}

std::optional<std::int64_t> ParseClockText(const QString& text) {
    static const QRegularExpression pattern(R"(^(\d{1,5}):([0-5]\d):([0-5]\d)(?:\.(\d{1,3}))?$)");
    const QRegularExpressionMatch match = pattern.match(text.trimmed());
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const std::int64_t seconds = match.captured(1).toLongLong() * 3600 +
                                 match.captured(2).toLongLong() * 60 +
                                 match.captured(3).toLongLong();
    // ".5" is half a second: the digits are padded to milliseconds.
    const std::int64_t millis = match.captured(4).leftJustified(3, '0').toLongLong();
    return seconds * 1000 + millis;
}

} // namespace uikit
