#include "CommandLine.h"
#include "ConsoleMode.h"
#include "MediaInit.h"
#include "MediaWorker.h"
#include "SubtitleConverterApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Before any other thread exists, so the allocator settings the media layer
    // makes hold for every thread; a failure is reported when the window starts.
    media::Initialize();
    if (uikit::CommandLineRequested(argc, argv)) {
        // No window: an application object that needs no display.
        QCoreApplication app(argc, argv);
        const media::MediaWorkerLifetime mediaWorker;
        return caspari::RunCommandLine(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    // Background media work ends before the application object goes.
    const media::MediaWorkerLifetime mediaWorker;
    caspari::CSubtitleConverterApp converter;
    return converter.InitInstance(QCoreApplication::arguments());
}
