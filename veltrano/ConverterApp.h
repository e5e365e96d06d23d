#pragma once

namespace veltrano {

// The application object: sets up the language and runs the main window.
class CConverterApp {
public:
    // Runs the program's main window modally; returns when it has closed.
    int InitInstance();
};

} // namespace veltrano
