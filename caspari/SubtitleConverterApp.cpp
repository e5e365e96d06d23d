#include "SubtitleConverterApp.h"

#include "CaspariStrings.h"
#include "LanguageKeyTable.h"
#include "Profile.h"
#include "ProgramLanguage.h"
#include "SubtitleConverterDlg.h"

namespace caspari {

int CSubtitleConverterApp::InitInstance() {
    uikit::StartProgramLanguage(res::CaspariStrings(), res::CaspariLanguageKeys());
    CSubtitleConverterDlg dialog;
    dialog.exec();
    uikit::Profile::CloseApplicationStore();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace caspari
