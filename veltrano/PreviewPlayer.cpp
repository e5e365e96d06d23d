#include "PreviewPlayer.h"

#include "FrameSink.h"
#include "GraphEvents.h"
#include "MediaWorker.h"
#include "PlaybackRenderers.h"
#include "PreviewWindow.h"
#include "Prompts.h"

#include <QImage>

namespace veltrano {

namespace {

constexpr int kPositionIntervalMs = 1000;
constexpr auto kCaption = "VELTRANO";
constexpr auto kCannotPlay =
    "Cannot play the file.  The file is either corrupt or\nthe player does not support the "
    "format you are trying to play.\nYou need to install appropriate decoders.";

// The picture of a frame, sharing its pixels; the frame lives as long as the image.
QImage ImageOf(const media::VideoFrame& frame) {
    auto kept = std::make_unique<media::VideoFrame>(frame);
    const media::VideoFrame& pixels = *kept;
    return QImage(
        pixels.bits(), pixels.width(), pixels.height(), pixels.bytesPerLine(),
        QImage::Format_RGBX8888,
        [](void* held) {
            std::unique_ptr<media::VideoFrame>(static_cast<media::VideoFrame*>(held));
        },
        kept.release());
}

} // namespace

// What the background build hands back to the UI thread.
struct PreviewPlayer::OpenedGraph {
    media::Result result = media::E_FAIL;
    std::shared_ptr<media::FilterGraph> graph;
    std::shared_ptr<media::FrameSink> frames;
};

PreviewPlayer::PreviewPlayer(QWidget* mainWindow) : mainWindow_(mainWindow) {
    positionTimer_.setInterval(kPositionIntervalMs);
    connect(&positionTimer_, &QTimer::timeout, this, &PreviewPlayer::OnPositionTick);
}

PreviewPlayer::~PreviewPlayer() {
    if (state_ != State::Closed) {
        Close();
    }
}

void PreviewPlayer::ShowFailure(const QString& text) {
    uikit::CurrentPrompts().ShowMessage(nullptr, text.left(511), kCaption, uikit::PromptIcon::None);
}

void PreviewPlayer::OpenFile(const QString& path) {
    fileName_ = path;
    state_ = State::Stopped;
    audioOnly_ = false;
    window_ = std::make_unique<PreviewWindow>(mainWindow_);
    window_->PlaceInitially();
    connect(window_.get(), &PreviewWindow::playRequested, this, &PreviewPlayer::Play);
    connect(window_.get(), &PreviewWindow::pauseRequested, this, &PreviewPlayer::Pause);
    connect(window_.get(), &PreviewWindow::stopRequested, this, &PreviewPlayer::Stop);
    connect(window_.get(), &PreviewWindow::closeRequested, this, &PreviewPlayer::closeRequested);

    std::shared_ptr<media::FilterGraph> graph;
    if (media::Failed(media::FilterGraph::Create(graph))) {
        ShowFailure(QString::asprintf(
            "FAILED(hr=0x%x) in CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
            "IID_IGraphBuilder, (void **)&pGB)\n",
            static_cast<unsigned>(media::E_FAIL)));
        Close();
        emit opened(false);
        return;
    }
    auto frames = std::make_shared<media::FrameSink>(
        this, [this](const media::VideoFrame& frame) { OnFrame(frame); });
    graph->SetRendererFactory(media::PlaybackRenderers(frames));

    // Building waits for the file to preroll: that happens in the background.
    const std::uint64_t number = ++openNumber_;
    media::RunInBackground<OpenedGraph>(
        this,
        [graph, frames, file = path.toStdString()]() mutable {
            OpenedGraph built;
            built.result = graph->RenderFile(file);
            built.graph = std::move(graph);
            built.frames = std::move(frames);
            return built;
        },
        [this, number](OpenedGraph built) { OnGraphBuilt(number, std::move(built)); });
}

void PreviewPlayer::OnGraphBuilt(std::uint64_t openNumber, OpenedGraph built) {
    if (openNumber != openNumber_ || state_ == State::Closed) {
        return;
    }
    if (media::Failed(built.result)) {
        // The message box runs an event loop of its own, in which this player
        // may be replaced and deleted.
        const QPointer<PreviewPlayer> self(this);
        ShowFailure(kCannotPlay);
        if (!self) {
            return;
        }
        Close();
        emit opened(false);
        return;
    }
    graph_ = std::move(built.graph);
    frames_ = std::move(built.frames);

    int width = 0;
    int height = 0;
    audioOnly_ = media::Failed(graph_->QueryBasicVideo()) ||
                 media::Failed(graph_->GetVideoSize(width, height)) || width <= 0 || height <= 0;
    graph_->SetNotifyWindow(this, media::kGraphNotifyMessage);
    if (audioOnly_) {
        window_->SetVideoSize({});
        window_->hide();
    } else {
        window_->SetVideoSize({width, height});
        window_->InitVideoWindow(1, 1);
        window_->show();
        if (fullScreen_) {
            window_->ToggleFullScreen();
        }
        videoReady_ = true;
        window_->raise();
        window_->activateWindow();
    }
    graph_->GetStopPosition(stopPosition_);
    UpdateTitle();
    positionTimer_.start();
    emit opened(true);
}

void PreviewPlayer::Play() {
    if (!graph_ || (state_ != State::Stopped && state_ != State::Paused)) {
        return;
    }
    if (media::Succeeded(graph_->Run())) {
        state_ = State::Running;
    }
    UpdateTitle();
}

void PreviewPlayer::Pause() {
    if (!graph_ || state_ != State::Running) {
        return;
    }
    if (media::Succeeded(graph_->Pause())) {
        state_ = State::Paused;
    }
    UpdateTitle();
}

void PreviewPlayer::Stop() {
    if (!graph_ || (state_ != State::Paused && state_ != State::Running)) {
        return;
    }
    // Paused at the start rather than torn down, so the first frame shows.
    graph_->Pause();
    state_ = State::Stopped;
    graph_->StartSeek(0);
    currentPosition_ = 0;
    UpdateTitle();
}

void PreviewPlayer::Seek(media::ReferenceTime position) {
    if (!graph_ || media::Failed(graph_->QuerySeeking())) {
        return;
    }
    graph_->StartSeek(std::max<media::ReferenceTime>(position, 0));
}

void PreviewPlayer::Close() {
    positionTimer_.stop();
    ++openNumber_; // a build still running is dropped when it ends
    if (graph_) {
        graph_->Stop();
    }
    state_ = State::Stopped;
    audioOnly_ = true;
    if (window_) {
        // A shown video leaves the flag as the user left it; a window that
        // never showed one keeps the flag for the next file.
        if (videoReady_) {
            fullScreen_ = window_->IsFullScreen();
        }
        window_->hide();
        window_.reset();
    }
    videoReady_ = false;
    if (graph_) {
        graph_->SetNotifyWindow(nullptr, 0);
    }
    // The graph stops its streaming threads before the frame sink goes.
    graph_.reset();
    frames_.reset();
    fileName_.clear();
    state_ = State::Closed;
    UpdateTitle();
}

int PreviewPlayer::framesDelivered() const {
    return frames_ ? frames_->counts().delivered : 0;
}

int PreviewPlayer::framesReplaced() const {
    return frames_ ? frames_->counts().replaced : 0;
}

bool PreviewPlayer::event(QEvent* event) {
    if (event->type() == media::GraphNotifyEventType()) {
        OnGraphEvents();
        return true;
    }
    return QObject::event(event);
}

void PreviewPlayer::OnGraphEvents() {
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    while (graph_ && media::Succeeded(graph_->GetEvent(code, param1, param2, 0))) {
        // Playback returns to the start when it ends.
        if (code == media::EC_COMPLETE) {
            Stop();
        }
    }
}

void PreviewPlayer::OnPositionTick() {
    if (!graph_ || media::Failed(graph_->QuerySeeking())) {
        return;
    }
    graph_->GetStopPosition(stopPosition_);
    // The picture's own position where there is one: sound or subtitles may
    // have been read further ahead.
    if (audioOnly_ || !frames_->position(currentPosition_)) {
        graph_->GetCurrentPosition(currentPosition_);
    }
    emit positionChanged();
}

void PreviewPlayer::OnFrame(const media::VideoFrame& frame) {
    if (window_ && !audioOnly_) {
        window_->ShowFrame(ImageOf(frame));
    }
}

void PreviewPlayer::UpdateTitle() {
    if (window_ == nullptr) {
        return;
    }
    window_->SetPlayState(static_cast<int>(state_));
    if (fileName_.isEmpty()) {
        window_->setWindowTitle("PREVIEW");
        return;
    }
    const QString name = fileName_.mid(fileName_.lastIndexOf('/') + 1);
    window_->setWindowTitle(
        QString("%1 %2 %3").arg(name, QString(), state_ == State::Paused ? "(Paused)" : ""));
}

} // namespace veltrano
