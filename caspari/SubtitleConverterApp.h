#pragma once

namespace caspari {

// The application object: sets up the language and runs the main window.
class CSubtitleConverterApp {
public:
    // Runs the program's main window modally; returns when it has closed.
    int InitInstance();
};

} // namespace caspari
