#include "SubtitleConversion.h"

#include "CaspariMessages.h"
#include "ClockText.h"
#include "CompressorCatalogue.h"
#include "CompressorSlots.h"
#include "GraphEvents.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "MuxCompatibility.h"
#include "OutputBuilder.h"
#include "OutputReplacement.h"
#include "Profile.h"
#include "Prompts.h"

#include <QFileInfo>

namespace caspari {

using media::Result;

namespace {

struct RenderedGraph {
    Result result = media::S_OK;
    std::shared_ptr<media::FilterGraph> graph;
};

} // namespace

SubtitleConversion::SubtitleConversion(QWidget* window, const uikit::LanguagePack& language)
    : window_(window), language_(language) {
    watchTimer_.setInterval(1000);
    connect(&watchTimer_, &QTimer::timeout, this, &SubtitleConversion::WatchProgress);
}

SubtitleConversion::~SubtitleConversion() {
    if (graph_) {
        graph_->Stop();
        graph_->SetNotifyWindow(nullptr, 0);
    }
}

QString SubtitleConversion::ErrorTextOf(Result result) const {
    return QString::fromStdString(media::ErrorText160(result));
}

void SubtitleConversion::RenderSourceGraph(const QString& path) {
    sourcePath_ = path;
    std::shared_ptr<media::FilterGraph> graph;
    const Result created = media::FilterGraph::Create(graph);
    if (media::Failed(created)) {
        emit sourceRendered(created);
        return;
    }
    rendering_ = true;
    const std::uint64_t number = ++renderNumber_;
    media::RunInBackground<RenderedGraph>(
        this,
        [graph, file = path.toStdString()]() mutable {
            RenderedGraph rendered;
            rendered.result = graph->RenderFile(file);
            rendered.graph = std::move(graph);
            return rendered;
        },
        [this, number](RenderedGraph rendered) {
            if (number != renderNumber_) {
                return;
            }
            rendering_ = false;
            if (media::Failed(rendered.result)) {
                uikit::CurrentPrompts().ShowMessage(
                    nullptr, language_.GetMessageText(msg::kCannotOpenFile),
                    language_.GetMessageText(msg::kError) + " IDS_MESSAGE_NOT_OPEN_FILE",
                    uikit::PromptIcon::Error);
                emit sourceRendered(rendered.result);
                return;
            }
            graph_ = std::move(rendered.graph);
            leftOut_ = graph_->SubtitlesLeftOut();
            emit sourceRendered(1);
        });
}

QString SubtitleConversion::SubtitlesLeftOutText() const {
    if (!leftOut_.sidecarPath.empty()) {
        // The file's name: the status line has room for one line, and the
        // subtitle file lies beside the video.
        return language_.GetMessageText(res::kMsgSubtitleFileUnreadable)
            .arg(QFileInfo(QString::fromStdString(leftOut_.sidecarPath)).fileName());
    }
    return leftOut_.embedded ? language_.GetMessageText(res::kMsgSubtitleStreamUnreadable)
                             : QString();
}

void SubtitleConversion::ReleaseGraph() {
    ++renderNumber_; // a render still under way is dropped
    rendering_ = false;
    mediaEvent_ = false;
    graph_.reset();
    leftOut_ = {};
    feeds_.clear();
}

Result SubtitleConversion::PrepareCompressorsAndBuild(settings::OutputSettings& output) {
    if (!settings::CompressorBound(settings::CompressorCategory::Video)) {
        settings::BindCompressor(settings::CompressorCategory::Video, output.videoCompressorIndex);
    }
    if (!settings::CompressorBound(settings::CompressorCategory::Audio)) {
        settings::BindCompressor(settings::CompressorCategory::Audio, output.audioCompressorIndex);
    }
    return BuildConversionGraph(output);
}

// Finds the renderer of `type`, keeps the pad that fed it and removes it. S_FALSE
// when the graph has no such renderer.
Result SubtitleConversion::TakeRenderer(media::MajorType type, media::Pad& upstream) {
    const bool video = type == media::MajorType::Video;
    media::Element renderer;
    Result result = FindRenderer(*graph_, type, renderer);
    if (media::Failed(result)) {
        return result;
    }
    if (!renderer) {
        return media::S_FALSE;
    }
    upstream = GetPin(renderer, media::PadDirection::Input, 0).ConnectedTo();
    if (!upstream) {
        uikit::ShowError(window_, video ? "Cannot find the output pin connected to video "
                                          "renderer's input pin!"
                                        : "Cannot find the output pin connected to audio "
                                          "renderer's input pin!");
        return media::VFW_E_NOT_CONNECTED;
    }
    result = graph_->RemoveFilter(renderer);
    if (media::Failed(result)) {
        uikit::ShowError(window_,
                         video ? "Cannot Remove video renderer" : "Cannot Remove audio renderer");
        return result;
    }
    return media::S_OK;
}

Result SubtitleConversion::BuildConversionGraph(settings::OutputSettings& output) {
    if (!graph_) {
        return media::E_UNEXPECTED;
    }
    media::Pad videoFeed;
    Result result = TakeRenderer(media::MajorType::Video, videoFeed);
    if (result == media::S_FALSE) {
        uikit::ShowError(window_, "Cannot find video renderer input pin!");
        return media::VFW_E_NOT_FOUND;
    }
    if (media::Failed(result)) {
        return result;
    }
    feeds_ = {videoFeed};
    // Sound is optional: a silent video gives a file with its picture only.
    media::Pad audioFeed;
    result = TakeRenderer(media::MajorType::Audio, audioFeed);
    if (media::Failed(result)) {
        return result;
    }
    if (audioFeed) {
        feeds_.push_back(audioFeed);
    }

    media::OutputBuilder builder;
    result = builder.SetFiltergraph(graph_);
    if (media::Failed(result)) {
        uikit::ShowAppMessage(window_, "Error pBuilder->SetFiltergraph( pGraph )");
        return result;
    }
    outputPath_ = output.outputPath;
    result = CreateOutputWriter(builder, outputPath_, output, writer_);
    if (media::Failed(result)) {
        return result;
    }
    compressors_ = AddedCompressors();
    compressors_.videoIndex = output.videoCompressorIndex;
    compressors_.audioIndex = output.audioCompressorIndex;
    result = RenderIntoWriter(videoFeed, media::MajorType::Video, output.useVideoCompressor == 1,
                              builder);
    if (media::Succeeded(result) && audioFeed) {
        result = RenderIntoWriter(audioFeed, media::MajorType::Audio,
                                  output.useAudioCompressor == 1, builder);
    }
    if (media::Failed(result)) {
        return result;
    }
    result = graph_->SetNotifyWindow(this, media::kGraphNotifyMessage);
    if (media::Failed(result)) {
        uikit::ShowAppMessage(window_, "can not SetNotifyWindow!!!");
        return result;
    }
    mediaEvent_ = true;
    return media::S_OK;
}

Result SubtitleConversion::RenderIntoWriter(const media::Pad& upstream, media::MajorType type,
                                            bool useCompressor, media::OutputBuilder& builder) {
    const bool video = type == media::MajorType::Video;
    const auto category =
        video ? settings::CompressorCategory::Video : settings::CompressorCategory::Audio;
    media::Element compressor;
    if (useCompressor) {
        compressor = settings::CompressorForConversion(category);
        const Result added = compressor ? graph_->AddFilter(compressor, video ? "VideoCompressor"
                                                                              : "AudioCompressor")
                                        : media::VFW_E_NO_ENCODER;
        if (media::Failed(added)) {
            uikit::ShowAppMessage(window_, ErrorTextOf(added));
            return added;
        }
        (video ? compressors_.video : compressors_.audio) = compressor;
    }
    if (writer_.mux &&
        writer_.mux.FactoryName() == media::MultiplexerFactoryName(media::OutputFormat::Mp4) &&
        !media::MultiplexerTakes(writer_.mux, type, compressor)) {
        const QString name = settings::CompressorDisplayName(
            category, compressor ? QString::fromStdString(compressor.FactoryName()) : QString());
        uikit::ShowAppMessage(window_, language_.GetMessageText(res::kMsgMp4Refused).arg(name));
        return media::VFW_E_TYPE_NOT_ACCEPTED;
    }
    // Without a writer (an empty mux) the stream goes to a default renderer.
    const Result result = builder.RenderStream(upstream, compressor, writer_.mux);
    if (media::Failed(result)) {
        if (video) {
            uikit::ShowError(window_,
                             "failed pBuilder->RenderStream( NULL, NULL, pPin, NULL, pMux)");
        } else {
            uikit::ShowAppMessage(window_,
                                  "failed pBuilder->RenderStream( NULL, NULL, pPin, NULL, pMux )");
        }
        uikit::ShowAppMessage(window_, ErrorTextOf(result));
    }
    return result;
}

Result SubtitleConversion::Run() {
    if (!graph_ || !mediaEvent_) {
        return media::E_UNEXPECTED;
    }
    // The old file goes only once the new one is being written; a start that
    // fails puts it back.
    settings::OutputReplacement replacement(outputPath_);
    if (writer_.writer) {
        replacement.MoveAside();
    }
    Result result = graph_->Rewind(feeds_);
    if (media::Succeeded(result)) {
        result = graph_->Run();
    }
    if (media::Failed(result)) {
        return result;
    }
    replacement.Commit();
    converting_ = true;
    ++runNumber_;
    watchdog_.emplace();
    watchTimer_.start();
    return result;
}

bool SubtitleConversion::event(QEvent* event) {
    if (event->type() == media::GraphNotifyEventType()) {
        OnGraphNotify();
        return true;
    }
    return QObject::event(event);
}

void SubtitleConversion::OnGraphNotify() {
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    // Events of a graph that never started running (its start failed) are the
    // start's failure, which the caller reports.
    while (converting_ && !ending_ && graph_ &&
           media::Succeeded(graph_->GetEvent(code, param1, param2, 0))) {
        if (code == media::EC_COMPLETE) {
            FinishConversion(ConversionOutcome::Completed);
        } else if (code == media::EC_ERRORABORT) {
            // A failed run ends the job like a stop, with the file finished up to
            // where the writer got.
            QString text = QString::fromStdString(graph_->LastErrorText());
            if (text.isEmpty()) {
                text = ErrorTextOf(static_cast<Result>(param1));
            }
            EndWriterThenFinish(ConversionOutcome::Failed, text);
        }
    }
}

void SubtitleConversion::WatchProgress() {
    media::ReferenceTime position = -1;
    if (!converting_ || ending_ || !graph_ || !watchdog_) {
        return;
    }
    graph_->GetCurrentPosition(position);
    if (!watchdog_->Stalled(position)) {
        return;
    }
    const QString text = language_.GetMessageText(res::kMsgNoProgress)
                             .arg(uikit::ClockText(watchdog_->Reached() / media::kUnitsPerSecond));
    EndWriterThenFinish(ConversionOutcome::Failed, text, uikit::Profile::Application().Folder());
}

void SubtitleConversion::Stop() {
    if (!converting_ || ending_) {
        return;
    }
    EndWriterThenFinish(ConversionOutcome::Stopped, {});
}

void SubtitleConversion::EndWriterThenFinish(ConversionOutcome outcome, const QString& errorText,
                                             const QString& diagnosticsFolder) {
    watchTimer_.stop();
    if (!writer_.mux) {
        FinishConversion(outcome, errorText);
        return;
    }
    // The streams end where they leave the source and the file is finished up
    // to there, on the media worker; the window keeps repainting meanwhile.
    ending_ = true;
    const std::uint64_t run = runNumber_;
    media::RunInBackground<media::FinishOutcome>(
        this,
        [graph = graph_, mux = writer_.mux, folder = diagnosticsFolder.toStdString()] {
            if (!folder.empty()) {
                media::WriteGraphDiagnostics(*graph, folder);
            }
            return graph->FinishThenStop(mux);
        },
        [this, run, outcome, errorText](media::FinishOutcome) {
            if (ending_ && run == runNumber_) {
                ending_ = false;
                FinishConversion(outcome, errorText);
            }
        });
}

void SubtitleConversion::FinishConversion(ConversionOutcome outcome, const QString& errorText) {
    watchTimer_.stop();
    watchdog_.reset();
    ending_ = false;
    ++runNumber_;
    converting_ = false;
    if (graph_) {
        graph_->Stop();
        if (mediaEvent_) {
            graph_->SetNotifyWindow(nullptr, 0);
        }
        RemoveSourceChain(*graph_, sourcePath_, compressors_);
    }
    mediaEvent_ = false;
    graph_.reset();
    leftOut_ = {};
    feeds_.clear();
    compressors_ = AddedCompressors();
    writer_ = OutputWriter();
    // A failed build or start has said why already.
    if (outcome == ConversionOutcome::Failed && !errorText.isEmpty()) {
        uikit::CurrentPrompts().ShowMessage(
            window_, errorText, language_.GetMessageText(msg::kError), uikit::PromptIcon::Error);
    }
    emit conversionFinished(outcome, errorText);
    RenderSourceGraph(sourcePath_);
}

} // namespace caspari
