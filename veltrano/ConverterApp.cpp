#include "ConverterApp.h"

#include "ConverterDlg.h"
#include "LanguageKeyTable.h"
#include "Profile.h"
#include "ProgramLanguage.h"
#include "VeltranoStrings.h"

namespace veltrano {

int CConverterApp::InitInstance() {
    uikit::StartProgramLanguage(res::VeltranoStrings(), res::VeltranoLanguageKeys());
    CConverterDlg dialog;
    dialog.exec();
    uikit::Profile::CloseApplicationStore();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace veltrano
