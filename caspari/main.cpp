#include "MediaInit.h"
#include "SubtitleConverterApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Before any other thread exists, so the allocator settings the media layer
    // makes hold for every thread; a failure is reported when the window starts.
    media::Initialize();
    QApplication app(argc, argv);
    caspari::CSubtitleConverterApp converter;
    return converter.InitInstance(QCoreApplication::arguments());
}
