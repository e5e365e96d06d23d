// The Convert/Stop button, the progress of a running conversion and its end.
#include "CompressorSlots.h"
#include "ConversionJob.h"
#include "ConversionProgress.h"
#include "ConverterDlg.h"
#include "DivxFeedback.h"
#include "GraphEvents.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "MessageIds.h"
#include "OutputReplacement.h"
#include "Profile.h"
#include "Prompts.h"
#include "SourceDiscovery.h"
#include "UnitsClockText.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace veltrano {

namespace {

using uikit::Language;

// How long Stop waits for the graph to finish its file before stopping it hard.
constexpr double kLargestUsualFrameRate = 100.0;

constexpr auto kCodecDownloadPage =
    "https://gstreamer.freedesktop.org/documentation/plugins_doc.html";

} // namespace

void CConverterDlg::OnConvert() {
    if (busy_) {
        return;
    }
    if (outputSettings_.sourceCount == 0) {
        uikit::CurrentPrompts().ShowMessage(this, Language().GetMessageText(119),
                                            Language().GetMessageText(105),
                                            uikit::PromptIcon::Error);
        return;
    }
    if (state_.converting != 0) {
        StopConversion();
        return;
    }
    if (!ConfirmConversion()) {
        return;
    }
    settings::WriteDivxFeedbackSwitch();
    PrepareConversion();
}

bool CConverterDlg::ConfirmConversion() {
    uikit::Prompts& prompts = uikit::CurrentPrompts();
    const QString& path = outputSettings_.outputPath;
    // A folder or device under the name is never asked about, let alone moved.
    if (const int refusal = settings::RefusalMessageFor(settings::ClassifyOutputPath(path))) {
        prompts.ShowMessage(this, Language().GetMessageText(refusal).arg(path),
                            Language().GetMessageText(105), uikit::PromptIcon::Error);
        return false;
    }
    // Writing over the clip being read would destroy it.
    if (settings::IsSameFile(path, state_.clipFile)) {
        prompts.ShowMessage(this, Language().GetMessageText(res::kMsgOutputIsSource),
                            Language().GetMessageText(105), uikit::PromptIcon::Error);
        return false;
    }
    if (settings::OutputFileExists(path)) {
        const QString question = QString("%1 ").arg(path) + Language().GetMessageText(131);
        // The old file stays until the new one is being written (see ConversionJob).
        if (prompts.AskYesNo(this, question, "Warning", uikit::PromptIcon::Warning) !=
            uikit::PromptAnswer::Yes) {
            return false;
        }
    }
    if (outputSettings_.frameRateIndex == settings::kFrameRateSourceIndex &&
        (outputSettings_.outputFrameRate > kLargestUsualFrameRate ||
         outputSettings_.outputFrameRate < 0)) {
        const QString question =
            QString::asprintf("The output frame rate is %f.The value may not be proper.\nClick Yes "
                              "to set the output frame rate 23.976. Click No to keep it.",
                              outputSettings_.sourceFrameRate);
        outputSettings_.outputFrameRate =
            prompts.AskYesNo(this, question, "Warning", uikit::PromptIcon::None) ==
                    uikit::PromptAnswer::Yes
                ? settings::kDefaultFrameRate
                : outputSettings_.sourceFrameRate;
    }
    if (outputSettings_.useVideoCompressor == 0) {
        const QString question =
            QString("You do not select a video compressor in Options dialog. The output file will "
                    "be very big.\nStrongly recommend you to install DivX codec, then select DivX "
                    "as video compressor.\nIf there is no DivX codec on your system, please "
                    "download it at ") +
            kCodecDownloadPage + "\nDo you want to continue?";
        if (prompts.AskYesNo(this, question, "Warning", uikit::PromptIcon::None) ==
            uikit::PromptAnswer::No) {
            return false;
        }
    }
    return true;
}

void CConverterDlg::PrepareConversion() {
    std::vector<std::string> sources;
    for (const QString& path : {state_.clipFile, state_.musicFile}) {
        if (std::find(sources.begin(), sources.end(), path.toStdString()) == sources.end()) {
            sources.push_back(path.toStdString());
        }
    }
    // Reading a source decodes its start; the job built afterwards finds the
    // result ready and reports what could not be read.
    SetBusy(true);
    media::RunInBackground<bool>(
        this,
        [sources] {
            for (const std::string& path : sources) {
                media::DiscoverSource(path, nullptr);
            }
            return true;
        },
        [this](bool) {
            SetBusy(false);
            if (!closeAccepted_) {
                StartConversion();
            }
        });
}

void CConverterDlg::StartConversion() {
    job_ = std::make_unique<ConversionJob>(this);
    const JobInputs inputs{state_, outputSettings_,
                           settings::CompressorForConversion(settings::CompressorCategory::Video),
                           settings::CompressorForConversion(settings::CompressorCategory::Audio)};
    if (media::Succeeded(job_->BuildTimeline(inputs))) {
        job_->StartRender(inputs, this);
    }
    if (!job_->Running()) {
        // A failed start leaves the window as it was; the messages said why.
        const QString error = job_->RunError();
        job_.reset();
        if (!error.isEmpty()) {
            uikit::CurrentPrompts().ShowMessage(this, error, Language().GetMessageText(105),
                                                uikit::PromptIcon::Error);
            SetStatus(Language().GetMessageText(105) + ": " + error);
        }
        return;
    }
    state_.converting = 1;
    localeHold_.emplace();
    RefreshConvertLabel();
    progressTimer_.start(kProgressIntervalMs);
    EnableOpenSet(false);
    uikit::StartConversionProgress(*Control<QProgressBar>(idc::kProgress));
}

void CConverterDlg::StopConversion(const QString& failure) {
    if (stopping_ || job_ == nullptr) {
        return;
    }
    // The streams end where they leave the timeline and the file is finished
    // up to there, on the media worker: the window keeps repainting, with Stop
    // disabled until the job is done.
    stopping_ = true;
    Control(idc::kConvert)->setEnabled(false);
    job_->StopInBackground(
        this,
        [this, failure] {
            stopping_ = false;
            Control(idc::kConvert)->setEnabled(true);
            if (state_.converting == 0) {
                return;
            }
            if (!failure.isEmpty()) {
                uikit::CurrentPrompts().ShowMessage(this, failure, Language().GetMessageText(105),
                                                    uikit::PromptIcon::Error);
            }
            FinishConversion(failure);
        },
        failure.isEmpty() ? QString() : uikit::Profile::Application().Folder());
}

void CConverterDlg::OnProgressTick() {
    ++state_.elapsedSeconds;
    SetStatus("Please wait... Used Time: " + ClockText(state_.elapsedSeconds));
    UpdateProgress();
    // A run that stands still ends as a failure, its file finished as on Stop.
    if (!stopping_ && job_ != nullptr && job_->Stalled()) {
        StopConversion(
            Language().GetMessageText(res::kMsgNoProgress).arg(UnitsClockText(job_->Reached())));
    }
}

void CConverterDlg::UpdateProgress() {
    auto* progress = Control<QProgressBar>(idc::kProgress);
    const std::int64_t length = state_.endMark - state_.startMark;
    media::ReferenceTime position = 0;
    if (job_ == nullptr || job_->Graph() == nullptr || length <= 0 ||
        media::Failed(job_->Graph()->GetCurrentPosition(position)) || position <= 0) {
        return;
    }
    uikit::ShowConversionProgress(*progress,
                                  static_cast<double>(position) / static_cast<double>(length),
                                  state_.elapsedSeconds);
}

bool CConverterDlg::event(QEvent* event) {
    if (event->type() == media::GraphNotifyEventType()) {
        OnGraphNotify();
        return true;
    }
    return QDialog::event(event);
}

void CConverterDlg::OnGraphNotify() {
    // A stop in progress decides how the run ends.
    if (stopping_) {
        return;
    }
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    while (job_ != nullptr && job_->Graph() != nullptr &&
           media::Succeeded(job_->Graph()->GetEvent(code, param1, param2, 0))) {
        if (code == media::EC_COMPLETE) {
            FinishConversion();
            return;
        }
        if (code == media::EC_ERRORABORT) {
            // A conversion that fails must say so, not sit in Converting forever.
            QString text = QString::fromStdString(job_->Graph()->LastErrorText());
            if (text.isEmpty()) {
                text =
                    QString::fromStdString(media::ErrorText160(static_cast<media::Result>(param1)));
            }
            uikit::CurrentPrompts().ShowMessage(this, text, Language().GetMessageText(105),
                                                uikit::PromptIcon::Error);
            FinishConversion(text);
            return;
        }
    }
}

void CConverterDlg::FinishConversion(const QString& error) {
    progressTimer_.stop();
    if (job_ != nullptr) {
        job_->Finish();
        job_.reset();
    }
    state_.converting = 0;
    RefreshConvertLabel();
    state_.elapsedSeconds = 0;
    if (error.isEmpty()) {
        SetStatus(QString("%1. %2 %3     %4 %5*%6")
                      .arg(Language().GetMessageText(163), Language().GetMessageText(115),
                           outputSettings_.outputPath, Language().GetMessageText(116))
                      .arg(outputSettings_.outputWidth)
                      .arg(outputSettings_.outputHeight));
    } else {
        SetStatus(Language().GetMessageText(105) + ": " + error);
    }
    EnableOpenSet(true);
    Control(idc::kProgress)->hide();
    localeHold_.reset();
    emit conversionFinished();
}

void CConverterDlg::RefreshConvertLabel() {
    Control<QAbstractButton>(idc::kConvert)
        ->setText(Language().GetDialogText(state_.converting != 0 ? 124 : 125));
}

void CConverterDlg::SetBusy(bool busy) {
    busy_ = busy;
    if (busy) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

} // namespace veltrano
