#include "ProgramLanguage.h"

#include "LanguagePack.h"
#include "Profile.h"

namespace uikit {

void StartProgramLanguage(std::span<const res::StringResource> builtInStrings,
                          std::span<const res::LanguageKey> keyTable) {
    LanguagePack& language = Language();
    language.SetBuiltInStrings(builtInStrings);
    language.SetKeyTable(keyTable);
    const Profile profile = Profile::Application();
    const QString requested = profile.GetString("Option", "CurrentLanguage", "english");
    language.Initialize(LanguagePack::FindBaseFolder(), requested);
}

} // namespace uikit
