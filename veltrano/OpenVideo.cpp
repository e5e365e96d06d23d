// The Open Video command: pick a file, probe it, and make it the clip to convert.
#include "ClipSetup.h"
#include "ConverterDlg.h"
#include "LanguagePack.h"
#include "MediaWorker.h"
#include "ProbeMessages.h"
#include "Profile.h"
#include "Prompts.h"
#include "UnitsClockText.h"
#include "WindowIds.h"

#include <QLabel>
#include <QSlider>

namespace veltrano {

namespace {

using uikit::Language;

} // namespace

void CConverterDlg::OnOpenVideo() {
    if (busy_) {
        return;
    }
    const uikit::Profile profile = uikit::Profile::Application();
    uikit::FileRequest request;
    request.filters = {{"Video Files (*.mkv)", "*.mkv"}, {"Any Files (*.*)", "*.*;"}};
    request.selectedFilter = 0;
    request.title = Language().GetMessageText(119);
    request.initialFolder = profile.GetString("Option", "LastPhotoFolder", "");
    request.mustExist = true;
    const auto chosen = uikit::CurrentPrompts().PickOpenFile(this, request);
    if (chosen) {
        OpenVideoFile(*chosen);
    }
}

bool CConverterDlg::CanOpenVideo() const {
    return !busy_ && state_.converting == 0 && Control(idc::kOpenVideo)->isEnabled();
}

void CConverterDlg::OpenVideoFile(const QString& path) {
    if (busy_) {
        return;
    }
    // Refused before anything of the open video changes.
    if (settings::RefuseNonFileInput(this, path)) {
        return;
    }
    outputSettings_.sourceCount = 0;
    state_.musicCount = 0;
    state_.clipFile = path;

    // Probing waits for the file to preroll; the window stays responsive meanwhile.
    SetBusy(true);
    media::RunInBackground<media::ProbeResult>(
        this, [file = path.toStdString()] { return media::ProbeMedia(file); },
        [this, path](media::ProbeResult probe) {
            SetBusy(false);
            if (!closeAccepted_) {
                OnVideoProbed(path, probe);
            }
        });
}

void CConverterDlg::OnVideoProbed(const QString& path, const media::ProbeResult& probe) {
    if (!probe.ok) {
        settings::ReportProbeFailure(this, probe);
        uikit::CurrentPrompts().ShowMessage(
            this, Language().GetMessageText(123) + Language().GetMessageText(122),
            Language().GetMessageText(105) + " IDS_MESSAGE_NO_DURATION", uikit::PromptIcon::Error);
        return;
    }

    // Durations count in whole seconds: 83.9 s converts as 83 s unless the end
    // mark moves.
    TakeOpenedClip(path, probe, state_, outputSettings_);
    const std::int64_t duration = state_.endMark;

    const int lastSeparator = path.lastIndexOf('/');
    uikit::Profile profile = uikit::Profile::Application();
    profile.WriteString("Option", "LastPhotoFolder",
                        lastSeparator >= 0 ? path.left(lastSeparator + 1) : QString());
    profile.Save();

    Control<QLabel>(idc::kPosition)->setText("00:00:00 / " + UnitsClockText(duration));
    Control<QLabel>(idc::kEndMark)->setText(UnitsClockText(duration));
    Control<QLabel>(idc::kStartMark)->setText("00:00:00");
    StartPlayer(path);
    state_.sliderPos = 0;

    EnablePlaybackSet(true);
    SetStatus(OutputStatusText());
}

} // namespace veltrano
