// Plays the 1280x720, 30 fps benchmark clip in veltrano's preview player for
// ten seconds and reports the frames painted and dropped and the CPU used.
//   bench_player [FOLDER]

#include "BenchInput.h"
#include "MediaInit.h"
#include "PreviewPlayer.h"
#include "PreviewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kPlaySeconds = 10;
constexpr int kFramesPerSecond = 30;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

} // namespace

int main(int argc, char** argv) {
    media::Initialize();
    QApplication app(argc, argv);
    const bench::BenchArgs args = bench::ParseArgs(app.arguments(), 1, 1);
    const QString input = bench::EnsureInput(args.dir);
    if (input.isEmpty()) {
        std::fprintf(stderr, "could not make the input clip\n");
        return 1;
    }
    QWidget mainWindow;
    veltrano::PreviewPlayer player(&mainWindow);
    bool opened = false;
    QObject::connect(&player, &veltrano::PreviewPlayer::opened, [&](bool ok) { opened = ok; });
    player.OpenFile(input);
    if (!WaitFor([&] { return opened; }, 30000)) {
        std::fprintf(stderr, "the player did not open %s\n", qPrintable(input));
        return 1;
    }
    veltrano::PreviewWindow& window = *player.window();
    const int paintedBefore = window.FramesPainted();
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    player.Play();
    WaitFor([] { return false; }, kPlaySeconds * 1000);
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    const double cpu = CpuSeconds() - cpuBefore;
    const int painted = window.FramesPainted() - paintedBefore;
    const int expected = static_cast<int>(seconds * kFramesPerSecond);
    const int dropped = std::max(0, expected - painted);
    std::printf("played %.1f s of 1280x720 at %d fps on the \"%s\" platform\n", seconds,
                kFramesPerSecond, qPrintable(QGuiApplication::platformName()));
    std::printf("frames painted %d of %d expected, dropped %d (%.2f %%)\n", painted, expected,
                dropped, 100.0 * dropped / std::max(1, expected));
    std::printf("frames handed over %d, overtaken before painting %d\n", player.framesDelivered(),
                player.framesReplaced());
    std::printf("CPU %.2f s in %.1f s (%.0f %% of one core)\n", cpu, seconds,
                100.0 * cpu / seconds);
    return 0;
}
