// The Open Video command: pick a file, probe it, and render it with its
// subtitles; or pick several, opened as a batch.
#include "CaspariMessages.h"
#include "ClockText.h"
#include "ConversionSettings.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "ProbeMessages.h"
#include "Profile.h"
#include "Prompts.h"
#include "SubtitleConverterDlg.h"
#include "WindowIds.h"

#include <QFileInfo>
#include <QLabel>

#include <utility>

namespace caspari {

namespace {

using uikit::Language;

} // namespace

void CSubtitleConverterDlg::OnOpenVideo() {
    if (busy()) {
        return;
    }
    const uikit::Profile profile = uikit::Profile::Application();
    uikit::FileRequest request;
    request.filters = {{"Video Files (*.*)", "*.*"}};
    request.selectedFilter = 0;
    request.title = Language().GetMessageText(msg::kOpenFile);
    request.initialFolder = profile.GetString("Option", "LastPhotoFolder", "");
    request.mustExist = true;
    const QStringList chosen = uikit::CurrentPrompts().PickOpenFiles(this, request);
    if (!chosen.isEmpty()) {
        OpenVideoFiles(chosen);
    }
}

bool CSubtitleConverterDlg::CanOpenVideo() const {
    return !busy() && converting_ == 0;
}

void CSubtitleConverterDlg::OpenVideoFile(const QString& path) {
    if (!CanOpenVideo()) {
        return;
    }
    // Refused before anything of the open video changes.
    if (settings::RefuseNonFileInput(this, path)) {
        return;
    }
    // The graph of the video opened before goes first.
    conversion_->ReleaseGraph();
    batch_.reset();
    outputSettings_.sourceCount = 0;
    sourcePath_ = path;

    ProbeInBackground(sourcePath_, [this, path = sourcePath_](const media::ProbeResult& probe) {
        OnVideoProbed(path, probe);
    });
}

void CSubtitleConverterDlg::ProbeInBackground(
    const QString& path, std::function<void(const media::ProbeResult&)> probed) {
    // Probing waits for the file to preroll; the window stays responsive meanwhile.
    SetBusy(true);
    media::RunInBackground<media::ProbeResult>(
        this, [file = path.toStdString()] { return media::ProbeMedia(file); },
        [this, probed = std::move(probed)](media::ProbeResult probe) {
            SetBusy(false);
            if (!closeAccepted_) {
                probed(probe);
            }
        });
}

void CSubtitleConverterDlg::OnVideoProbed(const QString& path, const media::ProbeResult& probe) {
    if (!probe.ok) {
        settings::ReportProbeFailure(this, probe);
        uikit::CurrentPrompts().ShowMessage(this,
                                            Language().GetMessageText(msg::kNoDuration) +
                                                Language().GetMessageText(msg::kCannotOpenFile),
                                            Language().GetMessageText(msg::kError) +
                                                " IDS_MESSAGE_NO_DURATION",
                                            uikit::PromptIcon::Error);
        sourcePath_.clear();
        // The video shown before is gone too.
        Control<QLabel>(idc::kSourceInfo)->setText("00:00:00");
        return;
    }
    RememberFolder(path);
    ApplyProbe(probe);
    Control<QLabel>(idc::kSourceInfo)
        ->setText(QFileInfo(path).fileName() + ": " +
                  uikit::ClockText(probe.duration / media::kUnitsPerSecond));
    sourceJustOpened_ = true;
    conversion_->RenderSourceGraph(path);
    SetBusy(false); // the cursor follows the rendering
}

void CSubtitleConverterDlg::RememberFolder(const QString& path) {
    const int lastSeparator = path.lastIndexOf('/');
    uikit::Profile profile = uikit::Profile::Application();
    profile.WriteString("Option", "LastPhotoFolder",
                        lastSeparator >= 0 ? path.left(lastSeparator + 1) : QString());
    profile.Save();
}

void CSubtitleConverterDlg::ApplyProbe(const media::ProbeResult& probe) {
    TakeProbedSource(probe, outputSettings_);
    sourceDuration_ = probe.duration;
}

void CSubtitleConverterDlg::OpenVideoFiles(const QStringList& paths) {
    if (paths.size() == 1) {
        OpenVideoFile(paths.front());
        return;
    }
    if (paths.isEmpty() || !CanOpenVideo()) {
        return;
    }
    // Each file is rendered when its turn comes; the first is probed now for
    // the source line. One that cannot be read is reported when converting.
    conversion_->ReleaseGraph();
    batch_ = std::make_unique<SourceBatch>(paths);
    outputSettings_.sourceCount = 0;
    sourcePath_ = paths.front();
    ProbeInBackground(sourcePath_,
                      [this](const media::ProbeResult& probe) { OnBatchOpened(probe); });
}

void CSubtitleConverterDlg::OnBatchOpened(const media::ProbeResult& probe) {
    batchFirstProbe_ = probe;
    const QString name = QFileInfo(sourcePath_).fileName();
    if (probe.ok) {
        RememberFolder(sourcePath_);
        ApplyProbe(probe);
        outputSettings_.sourceCount = 1;
    }
    Control<QLabel>(idc::kSourceInfo)
        ->setText(batch_->SourceLine(
            name + ": " +
            uikit::ClockText(probe.ok ? probe.duration / media::kUnitsPerSecond : 0)));
}

void CSubtitleConverterDlg::OnSourceRendered(int result) {
    SetBusy(false);
    if (batchIndex_ >= 0) {
        OnBatchFileRendered(result);
        return;
    }
    const bool justOpened = std::exchange(sourceJustOpened_, false);
    if (result != 1) {
        return;
    }
    outputSettings_.sourceCount = 1;
    if (const QString leftOut = conversion_->SubtitlesLeftOutText();
        justOpened && !leftOut.isEmpty()) {
        SetStatus(leftOut);
    }
}

} // namespace caspari
