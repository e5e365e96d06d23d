#include "ConversionProgress.h"

#include "ClockText.h"
#include "LanguagePack.h"
#include "MessageIds.h"

#include <QProgressBar>
#include <algorithm>

namespace uikit {

namespace {
constexpr int kSteps = 1000;
}

std::int64_t SecondsLeft(double done, std::int64_t elapsedSeconds) {
    if (done <= 0.0 || elapsedSeconds <= 0) {
        return -1;
    }
    return static_cast<std::int64_t>(elapsedSeconds * (1.0 - std::min(done, 1.0)) / done);
}

void StartConversionProgress(QProgressBar& bar) {
    bar.setRange(0, kSteps);
    bar.setValue(0);
    bar.setFormat("%p%");
    bar.show();
}

void ShowConversionProgress(QProgressBar& bar, double done, std::int64_t elapsedSeconds) {
    done = std::clamp(done, 0.0, 1.0);
    bar.setValue(static_cast<int>(done * kSteps));
    if (const std::int64_t left = SecondsLeft(done, elapsedSeconds); left >= 0) {
        bar.setFormat("%p%  -  " +
                      Language().GetMessageText(res::kMsgTimeLeft).arg(ClockText(left)));
    }
}

} // namespace uikit
