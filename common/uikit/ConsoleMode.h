#pragma once

namespace uikit {

// Whether the program is to run from the command line instead of opening its
// window: an argument asks to convert (--convert) or for the help or version
// text. Read before any application object exists, so a run without a display
// never needs one.
bool CommandLineRequested(int argc, char** argv);

} // namespace uikit
