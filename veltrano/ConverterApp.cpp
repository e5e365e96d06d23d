#include "ConverterApp.h"

#include "ConverterDlg.h"
#include "LanguageKeyTable.h"
#include "LanguagePack.h"
#include "Profile.h"
#include "VeltranoStrings.h"

namespace veltrano {

int CConverterApp::InitInstance() {
    uikit::LanguagePack& language = uikit::Language();
    language.SetBuiltInStrings(res::VeltranoStrings());
    language.SetKeyTable(res::VeltranoLanguageKeys());
    const uikit::Profile profile = uikit::Profile::Application();
    const QString requested = profile.GetString("Option", "CurrentLanguage", "english");
    language.Initialize(uikit::LanguagePack::FindBaseFolder(), requested);

    CConverterDlg dialog;
    dialog.exec();
    uikit::Profile::CloseApplicationStore();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace veltrano
