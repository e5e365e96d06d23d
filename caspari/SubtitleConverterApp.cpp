#include "SubtitleConverterApp.h"

#include "CaspariStrings.h"
#include "FileOpening.h"
#include "LanguageKeyTable.h"
#include "Profile.h"
#include "ProgramLanguage.h"
#include "SubtitleConverterDlg.h"

#include <QTimer>

namespace caspari {

int CSubtitleConverterApp::InitInstance(const QStringList& arguments) {
    uikit::StartProgramLanguage(res::CaspariStrings(), res::CaspariLanguageKeys());
    CSubtitleConverterDlg dialog;
    if (const auto file = uikit::FileFromArguments(arguments)) {
        QTimer::singleShot(0, &dialog, [&dialog, path = *file] { dialog.OpenVideoFile(path); });
    }
    dialog.exec();
    uikit::Profile::CloseApplicationStore();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace caspari
