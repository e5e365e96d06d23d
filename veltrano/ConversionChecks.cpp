#include "ConversionChecks.h"

#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputReplacement.h"
#include "Prompts.h"

namespace veltrano {

namespace {

using uikit::Language;

// A source rate above this, as the window would take it over, is asked about.
constexpr double kLargestUsualFrameRate = 100.0;

constexpr auto kCodecDownloadPage =
    "https://gstreamer.freedesktop.org/documentation/plugins_doc.html";

} // namespace

bool ConfirmConversion(QWidget* owner, const QString& clipFile, settings::OutputSettings& output,
                       ExistingOutput existing) {
    uikit::Prompts& prompts = uikit::CurrentPrompts();
    const QString& path = output.outputPath;
    // A folder or device under the name is never asked about, let alone moved.
    if (const int refusal = settings::RefusalMessageFor(settings::ClassifyOutputPath(path))) {
        prompts.ShowMessage(owner, Language().GetMessageText(refusal).arg(path),
                            Language().GetMessageText(105), uikit::PromptIcon::Error);
        return false;
    }
    // Writing over the clip being read would destroy it.
    if (settings::IsSameFile(path, clipFile)) {
        prompts.ShowMessage(owner, Language().GetMessageText(res::kMsgOutputIsSource),
                            Language().GetMessageText(105), uikit::PromptIcon::Error);
        return false;
    }
    if (existing == ExistingOutput::Ask && settings::OutputFileExists(path)) {
        const QString question = QString("%1 ").arg(path) + Language().GetMessageText(131);
        // The old file stays until the new one is being written (see ConversionJob).
        if (prompts.AskYesNo(owner, question, "Warning", uikit::PromptIcon::Warning) !=
            uikit::PromptAnswer::Yes) {
            return false;
        }
    }
    if (output.frameRateIndex == settings::kFrameRateSourceIndex &&
        (output.outputFrameRate > kLargestUsualFrameRate || output.outputFrameRate < 0)) {
        const QString question =
            QString::asprintf("The output frame rate is %f.The value may not be proper.\nClick Yes "
                              "to set the output frame rate 23.976. Click No to keep it.",
                              output.sourceFrameRate);
        output.outputFrameRate =
            prompts.AskYesNo(owner, question, "Warning", uikit::PromptIcon::None) ==
                    uikit::PromptAnswer::Yes
                ? settings::kDefaultFrameRate
                : output.sourceFrameRate;
    }
    if (output.useVideoCompressor == 0) {
        const QString question =
            QString("You do not select a video compressor in Options dialog. The output file will "
                    "be very big.\nStrongly recommend you to install DivX codec, then select DivX "
                    "as video compressor.\nIf there is no DivX codec on your system, please "
                    "download it at ") +
            kCodecDownloadPage + "\nDo you want to continue?";
        if (prompts.AskYesNo(owner, question, "Warning", uikit::PromptIcon::None) ==
            uikit::PromptAnswer::No) {
            return false;
        }
    }
    return true;
}

} // namespace veltrano
