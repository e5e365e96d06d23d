#include "LanguageFont.h"

#include "Profile.h"

namespace uikit {

LogFont StoredLanguageFont(const QString& language) {
    return LoadLogFont(Profile::Application(), language);
}

void StoreLanguageFont(const QString& language, const LogFont& font) {
    Profile profile = Profile::Application();
    SaveLogFont(profile, language, font);
    profile.Save();
}

} // namespace uikit
