#include "ProbeMessages.h"

#include "LanguagePack.h"
#include "Prompts.h"

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

} // namespace settings
