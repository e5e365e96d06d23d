#pragma once

#include <QStringList>

namespace caspari {

// The application object: sets up the language and runs the main window.
class CSubtitleConverterApp {
public:
    // Runs the program's main window modally; returns when it has closed. A
    // video named in `arguments` is opened as soon as the window shows.
    int InitInstance(const QStringList& arguments = {});
};

} // namespace caspari
