#include "MediaTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace mediatest {

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
