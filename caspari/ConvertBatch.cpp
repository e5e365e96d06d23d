// Convert with several videos open: each is probed, rendered and converted in
// turn into its own output, Stop ends the one under way and starts no other,
// and one summary says how the batch went.
#include "CaspariMessages.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputExtension.h"
#include "OutputReplacement.h"
#include "ProbeMessages.h"
#include "Profile.h"
#include "SubtitleConverterDlg.h"
#include "WindowIds.h"

#include <QFileInfo>
#include <QMetaObject>

#include <utility>

namespace caspari {

namespace {

using uikit::Language;
using FileState = SourceBatch::FileState;

} // namespace

uikit::Prompts& CSubtitleConverterDlg::UserPrompts() {
    return batchMessages_ ? batchMessages_->User() : uikit::CurrentPrompts();
}

void CSubtitleConverterDlg::OnBatchConvert() {
    if (!PlanBatchOutputs()) {
        return;
    }
    batchMessages_ = std::make_unique<BatchMessages>();
    batchStopping_ = false;
    converting_ = 1;
    RefreshConvertLabel();
    EnableOpenSet(false);
    // No file is under way yet: the first pending one is next.
    batchIndex_ = -1;
    NextBatchFile();
}

bool CSubtitleConverterDlg::PlanBatchOutputs() {
    batch_->Plan(outputSettings_);
    if (!settings::WritesFile(outputSettings_.outputFormat)) {
        return true;
    }
    uikit::Prompts& prompts = uikit::CurrentPrompts();
    const QString folder = QFileInfo(batch_->StoredOutput()).absolutePath();
    // Every output goes into one folder, which a first run may have to make.
    if (!settings::EnsureOutputFolder(batch_->StoredOutput())) {
        prompts.ShowMessage(this, Language().GetMessageText(res::kMsgFolderNotCreated).arg(folder),
                            Language().GetMessageText(msg::kError), uikit::PromptIcon::Error);
        return false;
    }
    // A folder or device under a name, or the source itself, fails that file
    // alone; existing files are asked about once for the whole batch.
    QList<int> existing;
    for (int index = 0; index < batch_->Count(); ++index) {
        const QString& path = batch_->Output(index);
        if (const int refusal = settings::RefusalMessageFor(settings::ClassifyOutputPath(path));
            refusal != 0) {
            batch_->SetState(index, FileState::Failed,
                             Language().GetMessageText(refusal).arg(path));
        } else if (settings::IsSameFile(path, batch_->Source(index))) {
            batch_->SetState(index, FileState::Failed,
                             Language().GetMessageText(res::kMsgOutputIsSource));
        } else if (settings::OutputFileExists(path)) {
            existing << index;
        }
    }
    if (!existing.isEmpty()) {
        const QString question = Language()
                                     .GetMessageText(res::kMsgBatchOutputsExist)
                                     .arg(existing.size())
                                     .arg(batch_->Count())
                                     .arg(folder);
        const bool replace =
            prompts.AskYesNo(this, question, Language().GetMessageText(msg::kWarning),
                             uikit::PromptIcon::Warning) == uikit::PromptAnswer::Yes;
        for (int index : existing) {
            if (!replace) {
                batch_->SetState(index, FileState::Kept);
            } else if (!settings::CanReplaceFile(batch_->Output(index))) {
                batch_->SetState(index, FileState::Failed,
                                 Language()
                                     .GetMessageText(res::kMsgOutputNotRemovable)
                                     .arg(batch_->Output(index)));
            }
        }
    }
    // Every output kept starts nothing, as No does for one file.
    return batch_->NextPending(-1) >= 0 || batch_->CountIn(FileState::Failed) > 0;
}

void CSubtitleConverterDlg::StartBatchFile(int index) {
    batchIndex_ = index;
    batchMessages_->TakeLast(); // what came before belongs to no file of this run
    const QString& path = batch_->Source(index);
    SetStatus(batch_->FileLine(index));
    outputSettings_.outputPath = batch_->Output(index);
    if (settings::RefuseNonFileInput(this, path)) {
        EndBatchFile(FileState::Failed, batchMessages_->TakeLast());
        return;
    }
    conversion_->ReleaseGraph();
    sourcePath_ = path;
    ProbeInBackground(path, [this](const media::ProbeResult& probe) { OnBatchFileProbed(probe); });
}

void CSubtitleConverterDlg::OnBatchFileProbed(const media::ProbeResult& probe) {
    if (batchStopping_) {
        EndBatchFile(FileState::NotStarted);
        return;
    }
    if (!probe.ok) {
        settings::ReportProbeFailure(this, probe);
        EndBatchFile(FileState::Failed, batchMessages_->TakeLast());
        return;
    }
    ApplyProbe(probe);
    conversion_->RenderSourceGraph(sourcePath_);
    SetBusy(false); // the cursor follows the rendering
}

void CSubtitleConverterDlg::OnBatchFileRendered(int result) {
    if (batchStopping_) {
        EndBatchFile(FileState::NotStarted);
        return;
    }
    if (result != 1) {
        const QString shown = batchMessages_->TakeLast();
        EndBatchFile(FileState::Failed,
                     shown.isEmpty() ? QString::fromStdString(media::ErrorText160(result)) : shown);
        return;
    }
    outputSettings_.sourceCount = 1;
    StartConversion();
}

void CSubtitleConverterDlg::OnBatchFileFinished(ConversionOutcome outcome,
                                                const QString& errorText) {
    const QString startFailure = std::exchange(startFailure_, QString());
    switch (outcome) {
    case ConversionOutcome::Completed:
        EndBatchFile(FileState::Converted);
        break;
    case ConversionOutcome::Stopped:
        EndBatchFile(FileState::Stopped);
        break;
    case ConversionOutcome::Failed: {
        // The last box the file raised says most; a start that failed silently
        // left its reason behind.
        const QString shown = batchMessages_->TakeLast();
        EndBatchFile(FileState::Failed, !shown.isEmpty()       ? shown
                                        : !errorText.isEmpty() ? errorText
                                                               : startFailure);
        break;
    }
    }
    emit conversionFinished(outcome);
}

void CSubtitleConverterDlg::EndBatchFile(FileState state, const QString& reason) {
    batch_->SetState(batchIndex_, state, reason);
    // The engine renders the ended source again right after saying it ended:
    // the next file takes over once that has begun, and drops it.
    QMetaObject::invokeMethod(this, &CSubtitleConverterDlg::NextBatchFile, Qt::QueuedConnection);
}

void CSubtitleConverterDlg::NextBatchFile() {
    const int next = batchStopping_ ? -1 : batch_->NextPending(batchIndex_);
    if (next < 0) {
        EndBatch();
        return;
    }
    StartBatchFile(next);
}

void CSubtitleConverterDlg::EndBatch() {
    batch_->SkipPending();
    batchMessages_.reset();
    batchIndex_ = -1;
    batchStopping_ = false;
    progressTimer_.stop();
    converting_ = 0;
    RefreshConvertLabel();
    elapsedSeconds_ = 0;
    // As after opening: each file is rendered when its turn comes.
    conversion_->ReleaseGraph();
    outputSettings_.outputPath = batch_->StoredOutput();
    sourcePath_ = batch_->Source(0);
    if (batchFirstProbe_.ok) {
        ApplyProbe(batchFirstProbe_);
    }
    SetStatus(batch_->ConvertedLine());
    EnableOpenSet(true);
    Control(idc::kProgress)->hide();
    SetBusy(false);
    uikit::CurrentPrompts().ShowMessage(this, batch_->Summary(), uikit::ApplicationName(),
                                        batch_->CountIn(FileState::Failed) > 0
                                            ? uikit::PromptIcon::Warning
                                            : uikit::PromptIcon::Information);
    emit batchFinished(batch_->CountIn(FileState::Converted));
}

} // namespace caspari
