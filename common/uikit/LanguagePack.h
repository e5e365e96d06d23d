#pragma once

#include "StringTable.h"

#include <QString>
#include <span>

namespace uikit {

// The process's language pack: answers every user-facing text by numeric ID,
// falling back to the program's built-in English strings.
class LanguagePack {
public:
    LanguagePack() = default;
    LanguagePack(const LanguagePack&) = delete;
    LanguagePack& operator=(const LanguagePack&) = delete;

    // The built-in string resources of the running program.
    void SetBuiltInStrings(std::span<const res::StringResource> strings) { builtIns_ = strings; }

    // Message text: the loaded translation, else the built-in string, else empty.
    QString GetMessageText(int id) const;
    // Dialog text: the loaded translation, else the built-in string, else empty.
    QString GetDialogText(int id) const;

    QString GetCurrentName() const { return currentName_; }
    void SetCurrentName(const QString& name) { currentName_ = name; }

private:
    QString BuiltIn(int id) const;

    std::span<const res::StringResource> builtIns_;
    QString currentName_ = "english";
};

// The one language pack of the process.
LanguagePack& Language();

} // namespace uikit
