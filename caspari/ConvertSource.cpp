// The Convert/Stop button, the progress of a running conversion and its end.
#include "CaspariMessages.h"
#include "ConversionProgress.h"
#include "FilterPropertiesDlg.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputReplacement.h"
#include "Prompts.h"
#include "SubtitleConverterDlg.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>

namespace caspari {

namespace {

using uikit::Language;

// Not offered by the options: both streams play to default renderers, and the
// user may set up the graph's elements before it runs.
constexpr std::int32_t kFormatFilterGraphOnly = 4;

} // namespace

void CSubtitleConverterDlg::OnConvert() {
    if (converting_ == 1) {
        // A batch finishes the file under way and starts no other.
        batchStopping_ = batchIndex_ >= 0;
        conversion_->Stop();
        return;
    }
    if (busy()) {
        return;
    }
    if (batch_) {
        OnBatchConvert();
        return;
    }
    if (conversion_->Graph() == nullptr) {
        uikit::ShowAppMessage(this, "Please open an media file fisrt!");
        return;
    }
    if (!ConfirmConversion()) {
        return;
    }
    StartConversion();
}

void CSubtitleConverterDlg::StartConversion() {
    const media::Result built = conversion_->PrepareCompressorsAndBuild(outputSettings_);
    if (media::Failed(built)) {
        startFailure_ = QString::fromStdString(media::ErrorText160(built));
        conversion_->FinishConversion(ConversionOutcome::Failed, {});
        return;
    }
    if (outputSettings_.outputFormat == kFormatFilterGraphOnly) {
        CFilterPropertiesDlg filters(this);
        filters.SetGraph(*conversion_->Graph());
        filters.exec();
    }
    const media::Result run = conversion_->Run();
    if (media::Failed(run)) {
        uikit::ShowAppMessage(this, "can not pControl->Run()!!!");
        startFailure_ = QString::fromStdString(media::ErrorText160(run));
        uikit::ShowAppMessage(this, startFailure_);
        conversion_->FinishConversion(ConversionOutcome::Failed, {});
        return;
    }
    converting_ = 1;
    RefreshConvertLabel();
    elapsedSeconds_ = 0;
    progressTimer_.start(kProgressIntervalMs);
    EnableOpenSet(false);
    uikit::StartConversionProgress(*Control<QProgressBar>(idc::kProgress));
}

bool CSubtitleConverterDlg::ConfirmConversion() {
    uikit::Prompts& prompts = uikit::CurrentPrompts();
    const QString& path = outputSettings_.outputPath;
    // A folder or device under the name is never asked about, let alone moved.
    // The graph-only format writes no file.
    const int refusal = outputSettings_.outputFormat == kFormatFilterGraphOnly
                            ? 0
                            : settings::RefusalMessageFor(settings::ClassifyOutputPath(path));
    if (refusal != 0) {
        prompts.ShowMessage(this, Language().GetMessageText(refusal).arg(path),
                            Language().GetMessageText(msg::kError), uikit::PromptIcon::Error);
        return false;
    }
    // Writing over the video being read would destroy it.
    if (settings::IsSameFile(path, sourcePath_)) {
        prompts.ShowMessage(this, Language().GetMessageText(res::kMsgOutputIsSource),
                            Language().GetMessageText(msg::kError), uikit::PromptIcon::Error);
        return false;
    }
    if (!settings::OutputFileExists(path)) {
        // A first run writes into the user's video folder, which may not exist
        // yet. The graph-only format writes no file.
        if (outputSettings_.outputFormat != kFormatFilterGraphOnly &&
            !settings::EnsureOutputFolder(path)) {
            prompts.ShowMessage(this,
                                Language()
                                    .GetMessageText(res::kMsgFolderNotCreated)
                                    .arg(QFileInfo(path).absolutePath()),
                                Language().GetMessageText(msg::kError), uikit::PromptIcon::Error);
            return false;
        }
        return true;
    }
    const QString question = QString("%1 ").arg(path) + Language().GetMessageText(msg::kFileExists);
    if (prompts.AskYesNo(this, question, "Warning", uikit::PromptIcon::Warning) !=
        uikit::PromptAnswer::Yes) {
        return false;
    }
    // The old file goes only once the new one is being written; one that could
    // not go would make the writer fail later, so nothing starts.
    if (!settings::CanReplaceFile(path)) {
        prompts.ShowMessage(this, Language().GetMessageText(res::kMsgOutputNotRemovable).arg(path),
                            Language().GetMessageText(msg::kError), uikit::PromptIcon::Error);
        return false;
    }
    return true;
}

void CSubtitleConverterDlg::OnProgressTick() {
    ++elapsedSeconds_;
    SetStatus(batchIndex_ >= 0
                  ? batch_->FileLine(batchIndex_) + '\n' + ProgressText(elapsedSeconds_)
                  : ProgressText(elapsedSeconds_));
    media::ReferenceTime position = 0;
    const media::FilterGraph* graph = conversion_->Graph();
    if (graph == nullptr || sourceDuration_ <= 0 ||
        media::Failed(graph->GetCurrentPosition(position)) || position <= 0) {
        return;
    }
    uikit::ShowConversionProgress(
        *Control<QProgressBar>(idc::kProgress),
        static_cast<double>(position) / static_cast<double>(sourceDuration_), elapsedSeconds_);
}

void CSubtitleConverterDlg::OnConversionFinished(ConversionOutcome outcome,
                                                 const QString& errorText) {
    progressTimer_.stop();
    if (batchIndex_ >= 0) {
        OnBatchFileFinished(outcome, errorText);
        return;
    }
    converting_ = 0;
    RefreshConvertLabel();
    elapsedSeconds_ = 0;
    // A failure leaves its reason in the status line; the messages said it first.
    const QString failure = errorText.isEmpty() ? startFailure_ : errorText;
    startFailure_.clear();
    if (outcome == ConversionOutcome::Failed) {
        SetStatus(Language().GetMessageText(msg::kError) + ": " + failure);
    } else {
        SetStatus(QString("%1. %2 %3     %4 %5*%6")
                      .arg(Language().GetMessageText(msg::kDone),
                           Language().GetMessageText(msg::kOutputFile), outputSettings_.outputPath,
                           Language().GetMessageText(msg::kResolution))
                      .arg(outputSettings_.outputWidth)
                      .arg(outputSettings_.outputHeight));
    }
    EnableOpenSet(true);
    Control(idc::kProgress)->hide();
    // The engine renders the source again at once; the cursor shows it.
    setCursor(Qt::BusyCursor);
    emit conversionFinished(outcome);
}

void CSubtitleConverterDlg::RefreshConvertLabel() {
    Control<QAbstractButton>(idc::kConvert)
        ->setText(Language().GetDialogText(converting_ != 0 ? msg::kTextStop : msg::kTextConvert));
}

} // namespace caspari
