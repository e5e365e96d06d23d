#include "MediaTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace mediatest {

bool ProcessEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

namespace {

// Shuts the framework down after the last test so the leak checker only sees
// what the tests themselves left behind.
class FrameworkShutdown : public ::testing::Environment {
public:
    void TearDown() override { media::Uninitialize(); }
};

const auto* const kShutdown = ::testing::AddGlobalTestEnvironment(new FrameworkShutdown);

} // namespace

} // namespace mediatest
