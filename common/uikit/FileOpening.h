#pragma once

// Opening a file the desktop's way: a file manager's "Open with" passes it on
// the command line, and a file dropped onto a main window is opened the same
// way its Open command opens a picked one.

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace uikit {

// The first argument after the program's name that names an existing file
// (a path or a file: URL); anything else is ignored.
std::optional<QString> FileFromArguments(const QStringList& arguments);

// Lets `window` take files dropped onto it: the first local file of a drop goes
// to `open` (or all of them, in order, to `openAll`), while `canOpen` says the
// window takes them now. Lives as a child of the window.
class FileDropTarget : public QObject {
    Q_OBJECT

public:
    FileDropTarget(QWidget& window, std::function<bool()> canOpen,
                   std::function<void(const QString&)> open);
    FileDropTarget(QWidget& window, std::function<bool()> canOpen,
                   std::function<void(const QStringList&)> openAll);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<bool()> canOpen_;
    std::function<void(const QStringList&)> open_;
};

} // namespace uikit
