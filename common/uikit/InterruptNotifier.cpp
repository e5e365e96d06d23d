#include "InterruptNotifier.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace uikit {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

int pipeEnds[2] = {-1, -1};
struct sigaction previous[std::size(kSignals)];

extern "C" void OnSignal(int number) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(number);
    // A full pipe already holds a signal that is still to be read.
    [[maybe_unused]] const ssize_t written = write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

InterruptNotifier::InterruptNotifier() {
    if (pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipeEnds[0] = pipeEnds[1] = -1;
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &InterruptNotifier::ReadPipe);
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &previous[i]);
    }
}

InterruptNotifier::~InterruptNotifier() {
    if (pipeEnds[0] < 0) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &previous[i], nullptr);
    }
    notifier_.reset();
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void InterruptNotifier::ReadPipe() {
    char byte = 0;
    while (read(pipeEnds[0], &byte, 1) == 1) {
        emit interrupted(static_cast<unsigned char>(byte));
    }
}

} // namespace uikit
