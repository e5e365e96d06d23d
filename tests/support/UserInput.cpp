#include "UserInput.h"

#include "DialogBuilder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

namespace testenv {

namespace {

std::string Describe(const QWidget& widget) {
    if (!widget.objectName().isEmpty()) {
        return widget.objectName().toStdString();
    }
    std::string text = widget.metaObject()->className();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        text += " \"" + button->text().toStdString() + "\"";
    }
    return text;
}

// Notes the first widget given a mouse press while it is installed on the
// application; with `swallow` no widget sees any button or move event.
class PressWatch final : public QObject {
public:
    PressWatch(const QWidget& target, bool swallow) : target_(&target), swallow_(swallow) {
        qApp->installEventFilter(this);
    }
    ~PressWatch() override { qApp->removeEventFilter(this); }
    PressWatch(const PressWatch&) = delete;
    PressWatch& operator=(const PressWatch&) = delete;

    bool reached() const { return reached_; }
    const std::string& receiver() const { return receiver_; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove) {
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) {
            return false; // the window itself, which hands the event on to a widget
        }
        if (type == QEvent::MouseButtonPress && !pressed_) {
            pressed_ = true;
            receiver_ = Describe(*widget);
            reached_ = !target_.isNull() && (widget == target_ || target_->isAncestorOf(widget));
        }
        return swallow_;
    }

private:
    QPointer<const QWidget> target_;
    bool swallow_;
    bool pressed_ = false;
    bool reached_ = false;
    std::string receiver_ = "no widget";
};

bool ShowAndExpose(QWidget& top) {
    if (!top.isVisible()) {
        top.show();
    }
    if (!QTest::qWaitForWindowExposed(&top) || top.windowHandle() == nullptr) {
        ADD_FAILURE() << "window " << Describe(top) << " was not exposed";
        return false;
    }
    return true;
}

// A user scrolls a control into sight before clicking it.
void ScrollIntoView(QWidget& control) {
    for (QWidget* outer = control.parentWidget(); outer != nullptr && !outer->isWindow();
         outer = outer->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(outer)) {
            area->ensureWidgetVisible(&control);
        }
    }
}

QPoint CentreInWindow(QWidget& control) {
    return control.mapTo(control.window(), control.rect().center());
}

bool IsControl(const QWidget& widget) {
    const QString name = widget.objectName();
    // Qt names the inner parts of its composite widgets "qt_…".
    const bool named = !name.isEmpty() && !name.startsWith("qt_");
    return named || qobject_cast<const QAbstractButton*>(&widget) != nullptr;
}

} // namespace

bool ClickThroughWindow(QWidget& control) {
    QWidget& top = *control.window();
    if (!ShowAndExpose(top)) {
        return false;
    }
    if (!control.isVisible()) {
        ADD_FAILURE() << "cannot click hidden " << Describe(control);
        return false;
    }
    ScrollIntoView(control);
    const std::string name = Describe(control);
    const PressWatch watch(control, false);
    QTest::mouseClick(top.windowHandle(), Qt::LeftButton, Qt::NoModifier, CentreInWindow(control));
    if (!watch.reached()) {
        ADD_FAILURE() << "click on " << name << " taken by " << watch.receiver();
        return false;
    }
    return true;
}

PressReach PressEveryControl(QWidget& window) {
    PressReach reach;
    QWidget& top = *window.window();
    if (!ShowAndExpose(top)) {
        return reach;
    }
    const auto children = window.findChildren<QWidget*>();
    for (QWidget* control : children) {
        if (control->isWindow() || !control->isVisible() || !control->isEnabled() ||
            !IsControl(*control)) {
            continue;
        }
        ScrollIntoView(*control);
        const std::string name = Describe(*control);
        const PressWatch watch(*control, true);
        QTest::mouseClick(top.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          CentreInWindow(*control));
        reach.pressed.push_back(name);
        if (!watch.reached()) {
            reach.missed.push_back(name + " taken by " + watch.receiver());
        }
    }
    return reach;
}

void MoveMouseThroughWindow(QWidget& control, const QPoint& at) {
    QWidget& top = *control.window();
    if (!ShowAndExpose(top)) {
        return;
    }
    // Moving the pointer itself: the platform then hands the window its enter,
    // leave and move events as it does for a user's pointer.
    QCursor::setPos(control.mapToGlobal(at));
    QCoreApplication::processEvents();
}

std::vector<std::string> ControlNames(std::initializer_list<int> ids) {
    std::vector<std::string> names;
    for (int id : ids) {
        names.push_back(uikit::ControlName(id).toStdString());
    }
    return names;
}

bool DropFilesThroughWindow(QWidget& control, const QStringList& files) {
    QWidget* window = control.window();
    window->show();
    if (!QTest::qWaitForWindowExposed(window)) {
        ADD_FAILURE() << "window not shown";
        return false;
    }
    QList<QUrl> urls;
    for (const QString& file : files) {
        urls.append(QUrl::fromLocalFile(file));
    }
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = control.mapTo(window, control.rect().center());
    QWindow* handle = window->windowHandle();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &move);
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(handle, &leave);
        return false;
    }
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(handle, &drop);
    return drop.isAccepted();
}

bool WithPopupMenu(QWidget& window, const std::function<void(QMenu&)>& use) {
    bool opened = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) {
            return;
        }
        poll.stop();
        opened = true;
        use(*menu);
        if (menu->isVisible()) {
            ADD_FAILURE() << "menu left open";
            menu->close();
        }
    });
    poll.start();
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, window.rect().center());
    EXPECT_TRUE(opened) << "no menu opened";
    return opened;
}

} // namespace testenv
