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

void StartConversionProgress(QProgressBar& bar) {
    bar.setRange(0, kSteps);
    bar.setValue(0);
    bar.setFormat("%p%");
    bar.show();
}

void ShowConversionProgress(QProgressBar& bar, double done, std::int64_t elapsedSeconds) {
    done = std::clamp(done, 0.0, 1.0);
    bar.setValue(static_cast<int>(done * kSteps));
    if (done > 0.0 && elapsedSeconds > 0) {
        const auto left = static_cast<std::int64_t>(elapsedSeconds * (1.0 - done) / done);
        bar.setFormat("%p%  -  " +
                      Language().GetMessageText(res::kMsgTimeLeft).arg(ClockText(left)));
    }
}

} // namespace uikit
