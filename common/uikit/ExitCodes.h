#pragma once

namespace uikit {

// What a command-line run hands back to the shell.
enum ExitCode : int {
    kExitConverted = 0,     // every file was converted
    kExitIncomplete = 1,    // a file failed or was skipped
    kExitUsage = 2,         // the command line was refused; nothing ran
    kExitInterrupted = 130, // SIGINT or SIGTERM, reported as shells report a SIGINT
};

} // namespace uikit
