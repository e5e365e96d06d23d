#include "ConversionJob.h"

#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "OutputBuilder.h"
#include "OutputReplacement.h"
#include "Prompts.h"
#include "RenderEngine.h"
#include "Timeline.h"
#include "TransitionTable.h"
#include "WindowIds.h"

#include <QFileInfo>

namespace veltrano {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString ErrorText(media::Result result) {
    return Text(media::ErrorText160(result));
}

QString LanguageText(int id, const QString& argument) {
    return uikit::Language().GetMessageText(id).arg(argument);
}

} // namespace

ConversionJob::ConversionJob(QWidget* owner) : owner_(owner) {}

ConversionJob::~ConversionJob() {
    Finish();
}

void ConversionJob::ShowMessage(const QString& text) const {
    uikit::ShowAppMessage(owner_, text);
}

media::Result ConversionJob::BuildTimeline(const JobInputs& inputs) {
    timeline_ = std::make_shared<media::Timeline>();
    // A group that fails stops the job: without its video group the audio group
    // would be taken for the video stream.
    if (inputs.output.sourceCount > 0) {
        const media::Result result = AddVideoGroup(inputs);
        if (media::Failed(result)) {
            return result;
        }
    }
    if (inputs.state.musicCount > 0) {
        const media::Result result = AddAudioGroup(inputs);
        if (media::Failed(result)) {
            return result;
        }
    }
    std::vector<std::string> unreadable;
    const media::Result sources = timeline_->ValidateSourceNames(&unreadable);
    if (media::Failed(sources)) {
        // A source moved or deleted since it was opened is named; any other
        // failure to read it comes with the framework's reason.
        const QString path = Text(unreadable.front());
        ShowMessage(QFileInfo::exists(path) ? path + ": " + ErrorText(sources)
                                            : LanguageText(res::kMsgVideoNotFound, path));
    }
    return sources;
}

media::Result ConversionJob::AddVideoGroup(const JobInputs& inputs) {
    auto group = std::make_shared<media::TimelineGroup>();
    media::Result result =
        group->SetVideoMediaType(inputs.output.outputWidth, inputs.output.outputHeight);
    if (media::Failed(result)) {
        ShowMessage("Could not pVideoGroup->SetMediaType(&mtGroup)");
        return result;
    }
    result = group->SetOutputFPS(inputs.output.outputFrameRate);
    if (media::Failed(result)) {
        ShowMessage("Could not SetOutputFPS");
        return result;
    }
    result = timeline_->AddGroup(group);
    if (media::Failed(result)) {
        ShowMessage("Could not add video group");
        return result;
    }
    return AddClipTrack(inputs, *group, inputs.state.clipFile);
}

media::Result ConversionJob::AddClipTrack(const JobInputs& inputs, media::TimelineGroup& group,
                                          const QString& path) {
    auto track = std::make_shared<media::TimelineTrack>();
    media::Result result = group.TrackInsBefore(track, -1);
    if (media::Failed(result)) {
        ShowMessage("Could not insert track");
        return result;
    }
    const std::int64_t start = inputs.state.startMark;
    const std::int64_t stop = inputs.state.endMark;
    auto source = std::make_shared<media::TimelineSource>();
    const media::Result configured =
        source->SetStartStop(0, stop - start) | source->SetMediaTimes(start, stop) |
        source->SetMediaName(path.toStdString()) | source->SetStretchMode(inputs.output.resizeMode);
    if (configured < 0) {
        ShowMessage("Could not configure media source");
        return media::E_FAIL;
    }
    result = track->SrcAdd(source);
    if (media::Failed(result)) {
        ShowMessage("Could not add source to track");
        return result;
    }
    if (stop - start < 0) {
        ShowMessage("Transition time should be less than");
        return media::S_OK;
    }
    return AddTransition(inputs, *track, 0, 0);
}

media::Result ConversionJob::AddTransition(const JobInputs& inputs, media::TimelineTrack& track,
                                           std::int64_t start, std::int64_t stop) {
    const std::int32_t number = inputs.state.clipTransition;
    if (number == kTransitionNone) {
        return media::S_OK;
    }
    const TransitionInfo info = Transition(number);
    auto transition = std::make_shared<media::TimelineTransition>();
    media::Result result = transition->SetSubObjectGUID(info.classId);
    if (media::Failed(result)) {
        ShowMessage("Could not SetSubObjectGUID");
        return result;
    }
    result = transition->SetStartStop(start, stop);
    if (media::Failed(result)) {
        ShowMessage("Could not SetStartStop(TLTranStart, TLTranStop);");
        return result;
    }
    result = track.TransAdd(transition);
    if (media::Failed(result)) {
        ShowMessage("Could not TransAdd(pTransObj)");
        return result;
    }
    if (info.maskNum != 0 && number >= 17 && number < kTransitionCount) {
        result = transition->SetProperty("MaskNum", info.maskNum);
        if (media::Failed(result)) {
            ShowMessage("Could not SetPropertySetter");
            return result;
        }
    }
    return media::S_OK;
}

media::Result ConversionJob::AddAudioGroup(const JobInputs& inputs) {
    auto group = std::make_shared<media::TimelineGroup>();
    media::Result result = group->SetAudioMediaType();
    if (media::Failed(result)) {
        ShowMessage("Could not set AudioGroupType");
        return result;
    }
    result = timeline_->AddGroup(group);
    if (media::Failed(result)) {
        ShowMessage("Could not add audio group");
        return result;
    }
    return AddAudioTrack(inputs, *group, inputs.state.musicFile);
}

media::Result ConversionJob::AddAudioTrack(const JobInputs& inputs, media::TimelineGroup& group,
                                           const QString& path) {
    auto track = std::make_shared<media::TimelineTrack>();
    media::Result result = group.TrackInsBefore(track, -1);
    if (media::Failed(result)) {
        ShowMessage("Could not insert pTrack3Obj");
        return result;
    }
    auto source = std::make_shared<media::TimelineSource>();
    source->SetStartStop(0, inputs.state.endMark - inputs.state.startMark);
    if (media::Failed(source->SetMediaTimes(inputs.state.startMark, inputs.state.endMark))) {
        ShowMessage("Could not set audio start and eng time!");
        return media::E_FAIL;
    }
    if (media::Failed(source->SetMediaName(path.toStdString()))) {
        ShowMessage("Could not configure pSource3Src");
        return media::E_FAIL;
    }
    result = track->SrcAdd(source);
    if (media::Failed(result)) {
        ShowMessage("Could not add pSource3Obj to track");
        return result;
    }
    return media::S_OK;
}

media::Result ConversionJob::StartRender(const JobInputs& inputs, QObject* notifyTarget) {
    engine_ = std::make_unique<media::RenderEngine>();
    media::Result result = engine_->SetTimelineObject(timeline_);
    if (media::Failed(result)) {
        ShowMessage("Could not SetTimelineObject");
        return result;
    }
    result = engine_->ConnectFrontEnd();
    if (media::Failed(result)) {
        ShowMessage("Could not ConnectFrontEnd");
        return result;
    }
    return ConnectOutput(inputs, notifyTarget);
}

media::Result ConversionJob::ConnectOutput(const JobInputs& inputs, QObject* notifyTarget) {
    media::Result result = engine_->GetFilterGraph(graph_);
    if (media::Failed(result)) {
        return result;
    }
    int groups = 0;
    engine_->GetGroupCount(groups);
    if (groups == 0) {
        ShowMessage("Could not GetGroupCount( &Groups )");
        return media::E_INVALIDARG;
    }
    const QString& outputPath = inputs.output.outputPath;
    if (!settings::EnsureOutputFolder(outputPath)) {
        ShowMessage(LanguageText(res::kMsgFolderNotCreated, QFileInfo(outputPath).absolutePath()));
        return media::E_PATH_NOT_FOUND;
    }
    media::OutputBuilder builder;
    result = builder.SetFiltergraph(graph_);
    if (media::Failed(result)) {
        ShowMessage("Error pBuilder->SetFiltergraph( pGraph )");
        return result;
    }
    media::Element writer;
    result =
        builder.SetOutputFileName(media::OutputFormat::Avi, outputPath.toStdString(), mux_, writer);
    if (media::Failed(result)) {
        ShowMessage("Error pBuilder->SetOutputFileName(&guid, Filename, &pMux, &pWriter )");
        return result;
    }
    media::SetInterleavingMode(mux_, media::InterleavingMode::Full);
    media::SetFileWriterMode(writer, true);

    for (int g = 0; g < groups; ++g) {
        media::Pad pin;
        result = engine_->GetGroupOutputPin(g, pin);
        if (media::Failed(result)) {
            ShowMessage("Could not GetGroupOutputPin( g, &pPin )");
            return result;
        }
        // Group 0 is the video stream, the rest are audio.
        const bool video = g == 0;
        const bool compress =
            (video ? inputs.output.useVideoCompressor : inputs.output.useAudioCompressor) == 1;
        const media::Element& compressor = video ? inputs.videoCompressor : inputs.audioCompressor;
        if (compress) {
            result = graph_->AddFilter(compressor, video ? "VideoCompressor" : "AudioCompressor");
            if (media::Failed(result)) {
                ShowMessage(ErrorText(result));
                return result;
            }
        }
        result = builder.RenderStream(pin, compress ? compressor : media::Element(), mux_);
        if (media::Failed(result)) {
            ShowMessage("failed pBuilder->RenderStream( NULL, NULL, pPin, NULL, pMux )");
            ShowMessage(ErrorText(result));
            return result;
        }
    }

    result = graph_->SetNotifyWindow(notifyTarget, WM_GRAPHNOTIFY);
    if (media::Failed(result)) {
        ShowMessage("can not SetNotifyWindow!!!");
        return result;
    }
    // The old file goes only once the new one is being written; a start that
    // fails puts it back.
    settings::OutputReplacement replacement(outputPath);
    replacement.MoveAside();
    result = graph_->Run();
    if (media::Failed(result)) {
        ShowMessage("can not pControl->Run()!!!");
        runError_ = Text(graph_->LastErrorText());
        if (runError_.isEmpty()) {
            runError_ = ErrorText(result);
        }
        return result;
    }
    replacement.Commit();
    running_ = true;
    watchdog_.emplace();
    return result;
}

bool ConversionJob::Stalled() {
    media::ReferenceTime position = -1;
    if (!running_ || graph_ == nullptr || !watchdog_) {
        return false;
    }
    graph_->GetCurrentPosition(position);
    return watchdog_->Stalled(position);
}

void ConversionJob::StopInBackground(QObject* receiver, std::function<void()> done,
                                     const QString& diagnosticsFolder) {
    if (graph_ == nullptr) {
        done();
        return;
    }
    // The worker keeps the graph alive until it is done with it.
    media::RunInBackground<media::FinishOutcome>(
        receiver,
        [graph = graph_, mux = mux_, folder = diagnosticsFolder.toStdString()] {
            if (!folder.empty()) {
                media::WriteGraphDiagnostics(*graph, folder);
            }
            return graph->FinishThenStop(mux);
        },
        [done = std::move(done)](media::FinishOutcome) { done(); });
}

void ConversionJob::Finish() {
    if (graph_ != nullptr) {
        graph_->Stop();
        graph_->SetNotifyWindow(nullptr, 0);
    }
    graph_.reset();
    watchdog_.reset();
    mux_ = media::Element();
    if (engine_ != nullptr) {
        engine_->ScrapIt();
    }
    engine_.reset();
    timeline_.reset();
    running_ = false;
}

} // namespace veltrano
