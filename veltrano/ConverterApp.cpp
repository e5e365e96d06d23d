#include "ConverterApp.h"

#include "ConverterDlg.h"
#include "FileOpening.h"
#include "LanguageKeyTable.h"
#include "Profile.h"
#include "ProgramLanguage.h"
#include "VeltranoStrings.h"

#include <QTimer>

namespace veltrano {

int CConverterApp::InitInstance(const QStringList& arguments) {
    uikit::StartProgramLanguage(res::VeltranoStrings(), res::VeltranoLanguageKeys());
    CConverterDlg dialog;
    if (const auto file = uikit::FileFromArguments(arguments)) {
        QTimer::singleShot(0, &dialog, [&dialog, path = *file] { dialog.OpenVideoFile(path); });
    }
    dialog.exec();
    uikit::Profile::CloseApplicationStore();
    // No message loop of the application's own follows the main window.
    return 0;
}

} // namespace veltrano
