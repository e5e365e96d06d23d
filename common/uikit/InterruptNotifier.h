#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace uikit {

// Turns SIGINT and SIGTERM into the `interrupted` signal on the UI thread, so a
// run from the command line can end its file the way Stop does instead of
// dying mid-write. The handler only writes the signal's number into a pipe
// (all a handler may safely do); the pipe is read in the event loop. The
// previous handlers are back once the object is gone. One object at a time.
class InterruptNotifier : public QObject {
    Q_OBJECT

public:
    InterruptNotifier();
    ~InterruptNotifier() override;
    InterruptNotifier(const InterruptNotifier&) = delete;
    InterruptNotifier& operator=(const InterruptNotifier&) = delete;

signals:
    void interrupted(int signalNumber);

private:
    void ReadPipe();

    // Gone before the pipe it reads is closed.
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace uikit
