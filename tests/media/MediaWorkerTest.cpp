// The media worker's life: the application ends it without waiting for a job
// that does not end, nothing is delivered afterwards, and work posted later
// runs on a fresh worker.

#include "MediaWorker.h"
#include "MediaTestSupport.h"

#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <optional>

namespace {

using namespace media;

TEST(MediaWorker, EndsWithinItsBoundAndDeliversNothingAfterwards) {
    std::atomic<bool> laterJobRan{false};
    std::atomic<bool> started{false};
    bool delivered = false;
    QObject receiver;
    std::optional<MediaWorkerLifetime> lifetime;
    lifetime.emplace(std::chrono::milliseconds(300));
    RunInBackground<int>(
        &receiver,
        [&started] {
            started = true;
            QThread::msleep(1500); // a job that outlasts the bound
            return 1;
        },
        [&delivered](int) { delivered = true; });
    RunOnMediaWorker([&laterJobRan] { laterJobRan = true; });
    ASSERT_TRUE(mediatest::ProcessEventsUntil([&] { return started.load(); }, 5000));
    QElapsedTimer ending;
    ending.start();
    lifetime.reset();
    EXPECT_LT(ending.elapsed(), 1000);
    EXPECT_FALSE(MediaWorkerLifetime::LastShutdownClean());
    // The first job ends meanwhile; neither its result nor the dropped job shows.
    mediatest::ProcessEventsUntil([] { return false; }, 2000);
    EXPECT_FALSE(delivered);
    EXPECT_FALSE(laterJobRan);

    // Work posted later runs on a fresh worker and is delivered.
    std::optional<int> result;
    RunInBackground<int>(
        &receiver, [] { return 2; }, [&result](int value) { result = value; });
    EXPECT_TRUE(mediatest::ProcessEventsUntil([&] { return result.has_value(); }, 5000));
    EXPECT_EQ(result.value_or(0), 2);
    lifetime.emplace();
    RunOnMediaWorker([] {});
    lifetime.reset();
    EXPECT_TRUE(MediaWorkerLifetime::LastShutdownClean());
}

} // namespace
