#include "PreviewWindow.h"

#include "FullScreenFit.h"
#include "MenuBuilder.h"
#include "Prompts.h"
#include "VeltranoMenus.h"
#include "WindowIds.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QScreen>
#include <algorithm>

#include <memory>

namespace veltrano {

namespace {

constexpr Qt::WindowFlags kNormalFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
constexpr Qt::WindowFlags kFullScreenFlags = Qt::Window | Qt::FramelessWindowHint;

constexpr int kCursorCheckMs = 50000;
constexpr int kCursorIdleMs = 100000;

// Which way the next left click goes, shared by every preview window: outside
// full screen it raises the preview (true) or the main window; in full screen it
// hides (true) or shows the main window.
bool mainWindowHiddenNext = true;

QScreen* ScreenOf(const QWidget* widget) {
    if (widget != nullptr && widget->screen() != nullptr) {
        return widget->screen();
    }
    return QGuiApplication::primaryScreen();
}

} // namespace

PreviewWindow::PreviewWindow(QWidget* mainWindow)
    : QWidget(nullptr, kNormalFlags), mainWindow_(mainWindow) {
    setWindowTitle("Video Window");
    setWindowIcon(QIcon(QString(":/veltrano/veltrano-icon%1.png").arg(kMainIcon)));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    // paintEvent covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button pressed wake the hidden cursor in full screen.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    cursorTimer_.setInterval(kCursorCheckMs);
    connect(&cursorTimer_, &QTimer::timeout, this, &PreviewWindow::HideIdleCursor);
}

void PreviewWindow::PlaceInitially() {
    const QRect work = ScreenOf(mainWindow_ ? mainWindow_.data() : this)->availableGeometry();
    const int left = work.left() + 100;
    const int top = work.top() + 5;
    move(left, top);
    if (mainWindow_ == nullptr) {
        return;
    }
    // Right and bottom are exclusive edges: the window ends where the main window starts.
    const int mainTop = mainWindow_->frameGeometry().top();
    const int right = work.left() + (mainTop - work.top() - 5) * 4 / 3;
    const int bottom = mainTop;
    resize(std::max(1, right - left), std::max(1, bottom - top));
}

void PreviewWindow::SetVideoSize(QSize native) {
    nativeVideo_ = native;
}

bool PreviewWindow::HasVideo() const {
    return !nativeVideo_.isEmpty();
}

void PreviewWindow::InitVideoWindow(int multiplier, int divider) {
    if (fullScreen_) {
        LeaveFullScreen();
    }
    if (!HasVideo() || multiplier <= 0 || divider <= 0) {
        return;
    }
    resize(nativeVideo_.width() * multiplier / divider,
           nativeVideo_.height() * multiplier / divider);
}

void PreviewWindow::ShowFrame(const QImage& frame) {
    frame_ = frame;
    framePending_ = true;
    update();
}

const QImage& PreviewWindow::CurrentFrame() const {
    return frame_;
}

int PreviewWindow::FramesPainted() const {
    return framesPainted_;
}

void PreviewWindow::SetPlayState(int state) {
    playState_ = state;
}

void PreviewWindow::ToggleFullScreen() {
    if (!HasVideo()) {
        return;
    }
    if (fullScreen_) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
    }
}

bool PreviewWindow::IsFullScreen() const {
    return fullScreen_;
}

void PreviewWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect target = fullScreen_ ? fullScreenVideo_ : rect();
    if (frame_.isNull() || target.isEmpty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Only the bands around the picture are filled, not the whole window each frame.
    for (const QRect& band : QRegion(rect()).subtracted(target)) {
        painter.fillRect(band, Qt::black);
    }
    // Without SmoothPixmapTransform a 1:1 frame is a plain copy and a scaled one
    // a nearest-pixel scale, both cheap enough for full-rate video.
    painter.drawImage(target, frame_);
    if (framePending_) {
        framePending_ = false;
        ++framesPainted_;
    }
}

void PreviewWindow::mouseMoveEvent(QMouseEvent* event) {
    NoteMouseActivity();
    QWidget::mouseMoveEvent(event);
}

void PreviewWindow::mouseReleaseEvent(QMouseEvent* event) {
    NoteMouseActivity();
    if (event->button() == Qt::RightButton) {
        ShowPopupMenu(event->globalPosition().toPoint());
    } else if (event->button() == Qt::LeftButton) {
        AlternateWithMainWindow();
    }
}

void PreviewWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !event->isAutoRepeat()) {
        if (fullScreen_) {
            LeaveFullScreen();
        }
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    // The player decides what closing means; the window only goes out of sight.
    event->ignore();
    if (fullScreen_) {
        LeaveFullScreen(); // else the main window could stay hidden
    }
    hide();
    emit closeRequested();
}

void PreviewWindow::ShowPopupMenu(const QPoint& globalPos) {
    const std::unique_ptr<QMenu> menu = uikit::BuildMenu(res::VeltranoPreviewMenu());
    QMenu* shown = uikit::FirstSubmenu(*menu);
    if (shown == nullptr) {
        uikit::CurrentPrompts().ShowMessage(this, "error", "error", uikit::PromptIcon::Error);
        return;
    }
    for (QAction* item : shown->actions()) {
        switch (uikit::CommandId(*item)) {
        case kPreviewCommandFullScreen:
            item->setCheckable(true);
            item->setChecked(fullScreen_);
            break;
        case kPreviewCommandPlay:
            item->setEnabled(playState_ != kRunning);
            break;
        case kPreviewCommandPause:
            item->setEnabled(playState_ == kRunning);
            break;
        case kPreviewCommandStop:
            item->setEnabled(playState_ != kStopped);
            break;
        default:
            break;
        }
    }
    // The menu runs an event loop of its own, in which the player may retire
    // this window (another file opened meanwhile): nothing is done then.
    const QPointer<PreviewWindow> self(this);
    const QAction* picked = shown->exec(globalPos);
    if (!self) {
        return;
    }
    const int commandId = picked != nullptr ? uikit::CommandId(*picked) : 0;
    mainWindowHiddenNext = true;
    OnCommand(commandId);
}

void PreviewWindow::OnCommand(int commandId) {
    switch (commandId) {
    case kPreviewCommandFullScreen:
        ToggleFullScreen();
        break;
    case kPreviewCommandNormalSize:
        InitVideoWindow(1, 1);
        break;
    case kPreviewCommandPlay:
        emit playRequested();
        break;
    case kPreviewCommandPause:
        emit pauseRequested();
        break;
    case kPreviewCommandStop:
        emit stopRequested();
        break;
    case kPreviewCommandClose:
        close();
        break;
    default:
        break;
    }
}

void PreviewWindow::AlternateWithMainWindow() {
    const bool first = mainWindowHiddenNext;
    mainWindowHiddenNext = !mainWindowHiddenNext;
    if (fullScreen_) {
        if (mainWindow_ == nullptr) {
            return;
        }
        if (first) {
            mainWindow_->hide();
        } else {
            mainWindow_->show();
            mainWindow_->raise();
        }
    } else if (first) {
        raise();
    } else if (mainWindow_ != nullptr) {
        mainWindow_->raise();
    }
}

void PreviewWindow::EnterFullScreen() {
    savedGeometry_ = geometry();
    const QRect screenArea = ScreenOf(this)->geometry();
    fullScreenVideo_ = FullScreenVideoRect(nativeVideo_, screenArea.size());
    fullScreen_ = true;
    setWindowFlags(kFullScreenFlags);
    setGeometry(screenArea);
    show();
    lastMouseActivity_.start();
    cursorTimer_.start();
    mainWindowHiddenNext = true;
}

void PreviewWindow::LeaveFullScreen() {
    fullScreen_ = false;
    setWindowFlags(kNormalFlags);
    setGeometry(savedGeometry_);
    show();
    cursorTimer_.stop();
    lastMouseActivity_.start();
    unsetCursor();
    if (mainWindow_ != nullptr) {
        mainWindow_->show();
        mainWindow_->raise();
    }
}

void PreviewWindow::NoteMouseActivity() {
    if (fullScreen_) {
        unsetCursor();
        lastMouseActivity_.start();
    }
}

void PreviewWindow::HideIdleCursor() {
    if (fullScreen_ && lastMouseActivity_.isValid() &&
        lastMouseActivity_.elapsed() > kCursorIdleMs) {
        setCursor(Qt::BlankCursor);
    }
}

} // namespace veltrano
