#include "ConversionSteps.h"

#include "CompressorSlots.h"
#include "GraphEvents.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "SourceDiscovery.h"
#include "UnitsClockText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace veltrano {

void ReadSources(QObject* receiver, const ConverterState& state, std::function<void()> done) {
    std::vector<std::string> sources;
    for (const QString& path : {state.clipFile, state.musicFile}) {
        if (std::find(sources.begin(), sources.end(), path.toStdString()) == sources.end()) {
            sources.push_back(path.toStdString());
        }
    }
    media::RunInBackground<bool>(
        receiver,
        [sources] {
            for (const std::string& path : sources) {
                media::DiscoverSource(path, nullptr);
            }
            return true;
        },
        [done = std::move(done)](bool) { done(); });
}

bool StartJob(ConversionJob& job, const ConverterState& state,
              const settings::OutputSettings& output, QObject* notifyTarget) {
    const JobInputs inputs{state, output,
                           settings::CompressorForConversion(settings::CompressorCategory::Video),
                           settings::CompressorForConversion(settings::CompressorCategory::Audio)};
    if (media::Succeeded(job.BuildTimeline(inputs))) {
        job.StartRender(inputs, notifyTarget);
    }
    return job.Running();
}

JobEnd TakeJobEnd(ConversionJob& job) {
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    while (job.Graph() != nullptr &&
           media::Succeeded(job.Graph()->GetEvent(code, param1, param2, 0))) {
        if (code == media::EC_COMPLETE) {
            return {true, {}};
        }
        if (code == media::EC_ERRORABORT) {
            // A conversion that fails must say so, not sit in Converting forever.
            QString text = QString::fromStdString(job.Graph()->LastErrorText());
            if (text.isEmpty()) {
                text =
                    QString::fromStdString(media::ErrorText160(static_cast<media::Result>(param1)));
            }
            return {true, text};
        }
    }
    return {};
}

QString StallFailure(ConversionJob& job) {
    if (!job.Stalled()) {
        return {};
    }
    return uikit::Language().GetMessageText(res::kMsgNoProgress).arg(UnitsClockText(job.Reached()));
}

double ConvertedShare(const ConversionJob& job, const ConverterState& state) {
    const std::int64_t length = state.endMark - state.startMark;
    media::ReferenceTime position = 0;
    if (job.Graph() == nullptr || length <= 0 ||
        media::Failed(job.Graph()->GetCurrentPosition(position)) || position <= 0) {
        return -1.0;
    }
    return static_cast<double>(position) / static_cast<double>(length);
}

} // namespace veltrano
