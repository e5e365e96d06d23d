#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include "WindowIds.h"

namespace veltrano {

// The preview player's video window: shows the frames it is handed, scaled to
// the client area or, in full screen, fitted to the screen, and offers the
// player's commands on a right click. The player owns it and drives it.
class PreviewWindow : public QWidget {
    Q_OBJECT

public:
    enum PlayState { kStopped = 0, kPaused = 1, kRunning = 2 };

    // A top-level window; `mainWindow` (not owned, may be null) is the window
    // the left click alternates with.
    explicit PreviewWindow(QWidget* mainWindow);

    // Moves the window to its place left of the screen's work area top, above
    // the main window.
    void PlaceInitially();

    // An empty size means audio only: nothing to show.
    void SetVideoSize(QSize native);
    bool HasVideo() const;
    // Leaves full screen and sizes the client area to native * multiplier / divider.
    void InitVideoWindow(int multiplier, int divider);

    void ShowFrame(const QImage& frame);
    const QImage& CurrentFrame() const;
    // Frames that reached the screen; one replaced before it was painted does not count.
    int FramesPainted() const;

    // Decides which menu items are greyed: 0 stopped, 1 paused, 2 running.
    void SetPlayState(int state);

    // Does nothing when audio only.
    void ToggleFullScreen();
    bool IsFullScreen() const;

signals:
    void playRequested();
    void pauseRequested();
    void stopRequested();
    // The user closed the window; it has hidden itself.
    void closeRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowPopupMenu(const QPoint& globalPos);
    void OnCommand(int commandId);
    void AlternateWithMainWindow();
    void EnterFullScreen();
    void LeaveFullScreen();
    void NoteMouseActivity();
    void HideIdleCursor();

    QPointer<QWidget> mainWindow_;
    QSize nativeVideo_;
    QImage frame_;
    bool framePending_ = false;
    int framesPainted_ = 0;
    int playState_ = kStopped;

    bool fullScreen_ = false;
    QRect savedGeometry_;
    QRect fullScreenVideo_; // where the picture goes in full screen
    QTimer cursorTimer_;
    QElapsedTimer lastMouseActivity_;
};

} // namespace veltrano
