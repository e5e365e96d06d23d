#include "ProbeMessages.h"

#include "LanguagePack.h"
#include "MessageIds.h"
#include "Prompts.h"

#include <QFileInfo>

namespace settings {

void ReportProbeFailure(QWidget* owner, const media::ProbeResult& result) {
    if (result.ok) {
        return;
    }
    uikit::Prompts& prompts = uikit::CurrentPrompts();
    if (result.renderFailed) {
        prompts.ShowMessage(nullptr, uikit::Language().GetMessageText(122),
                            uikit::Language().GetMessageText(105) + " IDS_MESSAGE_NOT_OPEN_FILE",
                            uikit::PromptIcon::Error);
    } else {
        prompts.ShowMessage(owner, QString::fromUtf8(media::ProbeStepMessage(result.failedStep)),
                            "Error", uikit::PromptIcon::Error);
    }
}

bool RefuseNonFileInput(QWidget* owner, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) {
        return false;
    }
    uikit::CurrentPrompts().ShowMessage(
        owner, uikit::Language().GetMessageText(res::kMsgInputNotAFile).arg(path),
        uikit::Language().GetMessageText(105), uikit::PromptIcon::Error);
    return true;
}

} // namespace settings
