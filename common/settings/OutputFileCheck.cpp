#include "OutputFileCheck.h"

#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputReplacement.h"
#include "Prompts.h"

#include <QFileInfo>

namespace settings {

namespace {

constexpr int kMessageError = 105;

bool Refuse(QWidget* owner, const QString& text) {
    const uikit::LanguagePack& language = uikit::Language();
    uikit::CurrentPrompts().ShowMessage(owner, text, language.GetMessageText(kMessageError),
                                        uikit::PromptIcon::Error);
    return false;
}

} // namespace

bool CheckOutputFile(QWidget* owner, const QString& path, const QString& source) {
    const uikit::LanguagePack& language = uikit::Language();
    if (const int refusal = RefusalMessageFor(ClassifyOutputPath(path))) {
        return Refuse(owner, language.GetMessageText(refusal).arg(path));
    }
    // Writing over the video being read would destroy it.
    if (IsSameFile(path, source)) {
        return Refuse(owner, language.GetMessageText(res::kMsgOutputIsSource));
    }
    if (!OutputFileExists(path)) {
        if (!EnsureOutputFolder(path)) {
            return Refuse(owner, language.GetMessageText(res::kMsgFolderNotCreated)
                                     .arg(QFileInfo(path).absolutePath()));
        }
        return true;
    }
    // The old file goes only once the new one is being written; one that could
    // not go would make the writer fail later, so nothing starts.
    if (!CanReplaceFile(path)) {
        return Refuse(owner, language.GetMessageText(res::kMsgOutputNotRemovable).arg(path));
    }
    return true;
}

} // namespace settings
