#include "ConverterDlg.h"

#include "AboutDlg.h"
#include "ButtonSound.h"
#include "ClipSetup.h"
#include "ConversionJob.h"

#include "DialogBuilder.h"
#include "DivxFeedback.h"
#include "FileOpening.h"
#include "HelpLinks.h"
#include "LanguagePack.h"
#include "MainWindowPopup.h"
#include "MediaInit.h"
#include "OutputOptionsDlg.h"
#include "PreviewPlayer.h"
#include "Profile.h"
#include "Prompts.h"
#include "VeltranoDialogs.h"
#include "VeltranoMenus.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QSlider>

namespace veltrano {

namespace {

using uikit::Language;

constexpr int kHiddenAtStart[] = {idc::kClipList,      idc::kMusicList,     idc::kEditorButton3,
                                  idc::kEditorButton4, idc::kEditorButton1, idc::kEditorButton2,
                                  idc::kEditorButton5, idc::kTransition,    idc::kPreview,
                                  idc::kAddMusic};

constexpr int kPlaybackSet[] = {idc::kConvert, idc::kSlider,    idc::kPlay,
                                idc::kPause,   idc::kStop,      idc::kStartTime,
                                idc::kEndTime, idc::kStartMark, idc::kEndMark};

constexpr int kOpenSet[] = {idc::kOpenVideo, idc::kOptions, idc::kStartTime, idc::kEndTime};

} // namespace

CConverterDlg::CConverterDlg(QWidget* parent) : QDialog(parent) {
    uikit::BuildDialog(*this, res::VeltranoMainDialog());
    setWindowIcon(QIcon(QString(":/veltrano/veltrano-icon%1.png").arg(kMainIcon)));
    initialised_ = InitDialog();
    ConnectCommands();
    // Owned by the window; shows the popup menu on a right-click.
    auto* popup = new uikit::MainWindowPopup(*this, {&res::VeltranoPopupMenu(),
                                                     res::VeltranoMainDialog().id, kCommandFont,
                                                     kCommandAbout, [this] { RunAboutBox(this); }});
    connect(popup, &uikit::MainWindowPopup::textsApplied, this, [this] {
        RefreshConvertLabel();
        ApplySkinTooltips();
    });
    new uikit::FileDropTarget(
        *this, [this] { return CanOpenVideo(); },
        [this](const QString& path) { OpenVideoFile(path); });
}

CConverterDlg::~CConverterDlg() = default;

bool CConverterDlg::InitDialog() {
    if (media::Initialize() < 0) {
        uikit::ShowError(nullptr, "Could not initialize COM library.");
        return false;
    }

    settings::WriteDivxFeedbackSwitch();
    LoadConverterSettings(this, state_, outputSettings_);
    SetStatus(IdleStatusText());

    SetUpSkin();

    for (int id : kHiddenAtStart) {
        Control(id)->hide();
    }
    auto* slider = Control<QSlider>(idc::kSlider);
    slider->setRange(0, kSliderMaximum);
    slider->setValue(0);

    Control(idc::kClipInfo)->hide();
    Control<QLabel>(idc::kStartMark)->setText("00:00:00");
    Control<QLabel>(idc::kEndMark)->setText("00:00:00");

    EnablePlaybackSet(false);
    Control(idc::kPlayerClosed)->hide();

    Language().ApplyToDialog(*this, res::VeltranoMainDialog().id);
    return true;
}

void CConverterDlg::ConnectCommands() {
    auto* open = Control<QAbstractButton>(idc::kOpenVideo);
    connect(open, &QAbstractButton::clicked, this, &CConverterDlg::OnOpenVideo);
    auto* options = Control<QAbstractButton>(idc::kOptions);
    connect(options, &QAbstractButton::clicked, this, &CConverterDlg::OnOptions);
    auto* convert = Control<QAbstractButton>(idc::kConvert);
    connect(convert, &QAbstractButton::clicked, this, &CConverterDlg::OnConvert);
    connect(&progressTimer_, &QTimer::timeout, this, &CConverterDlg::OnProgressTick);
    auto* exit = Control<QAbstractButton>(idc::kExit);
    connect(exit, &QAbstractButton::clicked, this, &QDialog::close);
    auto* slider = Control<QSlider>(idc::kSlider);
    connect(slider, &QSlider::sliderPressed, this, &CConverterDlg::OnSliderPressed);
    connect(slider, &QSlider::sliderReleased, this, &CConverterDlg::OnSliderReleased);
    ConnectPlayerCommands();
    // Help (also F1, the Help command), Homepage and About.
    uikit::ConnectHelpCommands(*this, *Control<QAbstractButton>(idc::kHelp),
                               *Control<QAbstractButton>(idc::kHomepage), "veltrano.html");
    connect(Control<QAbstractButton>(idc::kAbout), &QAbstractButton::clicked, this,
            [this] { RunAboutBox(this); });
}

QString CConverterDlg::IdleStatusText() const {
    return QString("%1 %2     %3 %4")
        .arg(Language().GetMessageText(115), outputSettings_.outputPath,
             Language().GetMessageText(116), Language().GetMessageText(111));
}

QString CConverterDlg::OutputStatusText() const {
    return QString("%1 %2     %3 %4*%5")
        .arg(Language().GetMessageText(115), outputSettings_.outputPath,
             Language().GetMessageText(116))
        .arg(outputSettings_.outputWidth)
        .arg(outputSettings_.outputHeight);
}

void CConverterDlg::OnOptions() {
    if (busy_) {
        return;
    }
    settings::COutputOptionsDlg options(outputSettings_, this);
    if (options.exec() != QDialog::Accepted) {
        return;
    }
    outputSettings_ = options.settings();
    const bool probed = outputSettings_.sourceWidth != 0 || outputSettings_.sourceHeight != 0;
    SetStatus(probed ? OutputStatusText() : IdleStatusText());
}

void CConverterDlg::SetStatus(const QString& text) {
    Control<QLabel>(idc::kStatus)->setText(text);
}

void CConverterDlg::EnablePlaybackSet(bool enable) {
    for (int id : kPlaybackSet) {
        Control(id)->setEnabled(enable);
    }
}

void CConverterDlg::EnableOpenSet(bool enable) {
    for (int id : kOpenSet) {
        Control(id)->setEnabled(enable);
    }
}

void CConverterDlg::OnSliderPressed() {
    sliderHeld_ = true;
}

bool CConverterDlg::TryClose() {
    if (closeAccepted_) {
        return true;
    }
    if (state_.converting == 1) {
        uikit::CurrentPrompts().ShowMessage(this, Language().GetMessageText(143),
                                            Language().GetMessageText(108),
                                            uikit::PromptIcon::Warning);
        return false;
    }
    player_.reset();
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    uikit::Profile profile = uikit::Profile::Application();
    profile.WriteString("Option", "CurrentLanguage", Language().GetCurrentName());
    profile.Save();
    closeAccepted_ = true;
    return true;
}

void CConverterDlg::closeEvent(QCloseEvent* event) {
    if (!TryClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CConverterDlg::reject() {
    // Escape closes the window the same way the close box does.
    if (TryClose()) {
        QDialog::reject();
    }
}

} // namespace veltrano
