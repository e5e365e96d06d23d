#include "ConsoleMode.h"

#include <string_view>

namespace uikit {

bool CommandLineRequested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        // Everything after "--" names a file.
        if (argument == "--") {
            return false;
        }
        for (const std::string_view option :
             {"--convert", "--help", "-h", "-?", "--help-all", "--version", "-v"}) {
            if (argument == option) {
                return true;
            }
        }
    }
    return false;
}

} // namespace uikit
