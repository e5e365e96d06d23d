#include "ProbeWithMessages.h"

#include "LanguagePack.h"
#include "Prompts.h"

namespace settings {

media::ProbeResult ProbeWithMessages(QWidget* owner, const QString& path) {
    media::ProbeResult result = media::ProbeMedia(path.toStdString());
    if (result.ok) {
        return result;
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
    return result;
}

} // namespace settings
