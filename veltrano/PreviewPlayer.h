#pragma once

#include "FilterGraph.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QWidget;

namespace media {
class FrameSink;
class VideoFrame;
} // namespace media

namespace veltrano {

class PreviewWindow;

// veltrano's preview player: plays the opened file in a window of its own,
// driven by the main window's Play, Pause, Stop and slider, and tells the main
// window its position once a second. One player per opened file.
class PreviewPlayer : public QObject {
    Q_OBJECT

public:
    enum class State { Stopped = 0, Paused = 1, Running = 2, Closed = 3 };

    // `mainWindow` is notified and shown by the player's window; not owned.
    explicit PreviewPlayer(QWidget* mainWindow);
    // Closes the player first when it is not closed.
    ~PreviewPlayer() override;
    PreviewPlayer(const PreviewPlayer&) = delete;
    PreviewPlayer& operator=(const PreviewPlayer&) = delete;

    // Starts opening `path`: the graph is built in the background and
    // opened() tells the outcome. The file is left stopped on its first frame.
    void OpenFile(const QString& path);
    void Play();
    void Pause();
    void Stop();
    void Close();
    void Seek(media::ReferenceTime position);

    // Refreshed every second.
    media::ReferenceTime currentPosition() const { return currentPosition_; }
    media::ReferenceTime stopPosition() const { return stopPosition_; }
    State state() const { return state_; }
    bool audioOnly() const { return audioOnly_; }
    // The file's graph is still being built in the background.
    bool opening() const { return state_ != State::Closed && !graph_; }
    // Frames the graph handed over and frames overtaken before the window got them.
    int framesDelivered() const;
    int framesReplaced() const;
    PreviewWindow* window() const { return window_.get(); }

signals:
    void opened(bool ok);
    // The position moved (the main window's message 1027).
    void positionChanged();
    // The user closed the preview window (the main window's command 1056).
    void closeRequested();

protected:
    bool event(QEvent* event) override;

private:
    struct OpenedGraph;
    void OnGraphBuilt(std::uint64_t openNumber, OpenedGraph built);
    void OnGraphEvents();
    void OnPositionTick();
    void OnFrame(const media::VideoFrame& frame);
    void UpdateTitle();
    void ShowFailure(const QString& text);

    QWidget* mainWindow_;
    QString fileName_;
    bool audioOnly_ = false;
    // Survives Close: the next file opens full screen again.
    bool fullScreen_ = false;
    bool videoReady_ = false;
    State state_ = State::Closed;
    media::ReferenceTime currentPosition_ = 0;
    media::ReferenceTime stopPosition_ = 0;
    // Each open counts; a graph built for an earlier one is dropped.
    std::uint64_t openNumber_ = 0;
    std::unique_ptr<PreviewWindow> window_;
    std::shared_ptr<media::FrameSink> frames_;
    std::shared_ptr<media::FilterGraph> graph_;
    QTimer positionTimer_;
};

} // namespace veltrano
