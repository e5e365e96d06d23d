#pragma once

#include "ConsoleOptions.h"
#include "ConsolePrompts.h"
#include "DialogTemplate.h"
#include "LanguageKeyTable.h"
#include "StringTable.h"

#include <QString>
#include <span>

namespace uikit {

// What a program's command line is made of besides its own options.
struct ConsoleProgram {
    std::span<const res::StringResource> builtInStrings;
    std::span<const res::LanguageKey> keyTable;
    // The About box and its version label, which state the version.
    const res::DialogTemplate& about;
    int versionLabelId;
    QString description; // heads the help text
    QString files;       // the positional arguments ("FILE...")
    QString filesHelp;
};

// A run from the command line while it lasts: the program's version and the
// language the user picked, the console prompts in force and the shared
// options. The settings store is closed at the end, unwritten.
class ConsoleSession {
public:
    explicit ConsoleSession(const ConsoleProgram& program);
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    ConsolePrompts& prompts() { return prompts_; }
    ConsoleOptions& options() { return options_; }

private:
    ConsolePrompts prompts_;
    ScopedPrompts scoped_;
    ConsoleOptions options_;
};

} // namespace uikit
