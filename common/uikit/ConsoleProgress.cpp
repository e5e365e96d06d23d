#include "ConsoleProgress.h"

#include "ClockText.h"
#include "ConsoleOutput.h"
#include "ConversionProgress.h"
#include "LanguagePack.h"
#include "MessageIds.h"

#include <algorithm>
#include <cmath>

namespace uikit {

namespace {

// Back to the line's start, and clear what a longer text left behind.
constexpr auto kRewrite = "\r";
constexpr auto kClearToEnd = "\x1b[K";

int Percent(double done) {
    return static_cast<int>(std::floor(std::clamp(done, 0.0, 1.0) * 100.0));
}

} // namespace

QString ProgressText(int number, int count, const QString& name, double done,
                     std::int64_t elapsedSeconds) {
    QString text = QString("[%1/%2] %3").arg(number).arg(count).arg(name);
    if (done < 0.0) {
        return text;
    }
    text += QString("  %1%").arg(Percent(done));
    if (const std::int64_t left = SecondsLeft(std::min(done, 1.0), elapsedSeconds); left >= 0) {
        text += "  " + Language().GetMessageText(res::kMsgTimeLeft).arg(ClockText(left));
    }
    return text;
}

ProgressLine::ProgressLine(std::FILE* stream, bool terminal)
    : stream_(stream), terminal_(terminal) {}

void ProgressLine::Show(int number, int count, const QString& name, double done,
                        std::int64_t elapsedSeconds) {
    if (number != file_) {
        file_ = number;
        tenthShown_ = -2;
    }
    const QString text = ProgressText(number, count, name, done, elapsedSeconds);
    if (terminal_) {
        if (text != line_) {
            Write(text);
        }
        return;
    }
    const int tenth = done < 0.0 ? -1 : Percent(done) / 10;
    if (tenth > tenthShown_) {
        tenthShown_ = tenth;
        PrintLine(stream_, text);
    }
}

void ProgressLine::End(const QString& text) {
    if (terminal_) {
        Write(text);
        std::fputc('\n', stream_);
        std::fflush(stream_);
        line_.clear();
    } else {
        PrintLine(stream_, text);
    }
    file_ = 0;
}

void ProgressLine::Write(const QString& text) {
    const QByteArray bytes = kRewrite + text.toUtf8() + kClearToEnd;
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream_);
    std::fflush(stream_);
    line_ = text;
}

} // namespace uikit
