// The Open Video command: pick a file, probe it, and render it with its subtitles.
#include "CaspariMessages.h"
#include "ClockText.h"
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
    const auto chosen = uikit::CurrentPrompts().PickOpenFile(this, request);
    if (chosen) {
        OpenVideoFile(*chosen);
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
    outputSettings_.sourceCount = 0;
    sourcePath_ = path;

    // Probing waits for the file to preroll; the window stays responsive meanwhile.
    SetBusy(true);
    media::RunInBackground<media::ProbeResult>(
        this, [file = sourcePath_.toStdString()] { return media::ProbeMedia(file); },
        [this, path = sourcePath_](media::ProbeResult probe) {
            SetBusy(false);
            if (!closeAccepted_) {
                OnVideoProbed(path, probe);
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
    const int lastSeparator = path.lastIndexOf('/');
    uikit::Profile profile = uikit::Profile::Application();
    profile.WriteString("Option", "LastPhotoFolder",
                        lastSeparator >= 0 ? path.left(lastSeparator + 1) : QString());
    profile.Save();

    outputSettings_.sourceWidth = probe.width;
    outputSettings_.sourceHeight = probe.height;
    outputSettings_.outputWidth = probe.width;
    outputSettings_.outputHeight = probe.height;
    outputSettings_.sourceFrameRate = probe.frameRate;
    // The output keeps the source's rate: the options offer no other.
    outputSettings_.outputFrameRate = probe.frameRate;
    sourceDuration_ = probe.duration;
    Control<QLabel>(idc::kSourceInfo)
        ->setText(QFileInfo(path).fileName() + ": " +
                  uikit::ClockText(probe.duration / media::kUnitsPerSecond));
    sourceJustOpened_ = true;
    conversion_->RenderSourceGraph(path);
    SetBusy(false); // the cursor follows the rendering
}

void CSubtitleConverterDlg::OnSourceRendered(int result) {
    SetBusy(false);
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
