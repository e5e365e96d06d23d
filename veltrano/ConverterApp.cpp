#include "ConverterApp.h"

#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "Profile.h"
#include "VeltranoStrings.h"

namespace veltrano {

int CConverterApp::InitInstance() {
    uikit::LanguagePack& language = uikit::Language();
    language.SetBuiltInStrings(res::VeltranoStrings());
    const uikit::Profile profile = uikit::Profile::Application();
    language.SetCurrentName(profile.GetString("Option", "CurrentLanguage", "english"));

    CConverterDlg dialog;
    dialog.exec();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace veltrano
