#include "SubtitleConverterDlg.h"

#include "CaspariAbout.h"
#include "CaspariDialogs.h"
#include "CaspariMenus.h"
#include "CaspariMessages.h"
#include "ClockText.h"
#include "CompressorSlots.h"
#include "ConversionSettings.h"
#include "DivxFeedback.h"
#include "FileOpening.h"
#include "HelpLinks.h"
#include "LanguagePack.h"
#include "MainWindowPopup.h"
#include "MediaInit.h"
#include "OutputExtension.h"
#include "OutputOptionsDlg.h"
#include "OutputSettingsStore.h"
#include "Profile.h"
#include "Prompts.h"
#include "WindowIds.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>

namespace caspari {

namespace {

using uikit::Language;

constexpr int kOpenSet[] = {idc::kOpenVideo, idc::kOptions};

} // namespace

CSubtitleConverterDlg::CSubtitleConverterDlg(QWidget* parent)
    : QDialog(parent), conversion_(std::make_unique<SubtitleConversion>(this, Language())) {
    uikit::BuildDialog(*this, res::CaspariMainDialog());
    setWindowIcon(QIcon(QString(":/caspari/caspari-icon%1.png").arg(kMainIcon)));
    initialised_ = InitDialog();
    ConnectCommands();
    auto* popup =
        new uikit::MainWindowPopup(*this, {&res::CaspariPopupMenu(), res::CaspariMainDialog().id,
                                           kCommandFont, kCommandAbout, [this] { ShowAbout(); }});
    connect(popup, &uikit::MainWindowPopup::textsApplied, this,
            &CSubtitleConverterDlg::RefreshConvertLabel);
    new uikit::FileDropTarget(
        *this, [this] { return CanOpenVideo(); },
        [this](const QStringList& paths) { OpenVideoFiles(paths); });
}

CSubtitleConverterDlg::~CSubtitleConverterDlg() = default;

bool CSubtitleConverterDlg::InitDialog() {
    if (media::Initialize() < 0) {
        uikit::ShowError(nullptr, "Could not initialize COM library.");
        return false;
    }
    Control(idc::kBuildFilters)->hide();
    settings::WriteDivxFeedbackSwitch();
    // The same stored settings the command line starts from; the frame rate
    // stays the source's also after the options were confirmed.
    LoadStoredOutputSettings(this, outputSettings_);
    QString withExtension;
    // A format the program does not write leaves no output file to write to.
    outputSettings_.outputPath =
        settings::SetOutputExtension(outputSettings_.outputFormat, outputSettings_.outputPath,
                                     withExtension)
            ? withExtension
            : QString();
    SetStatus(QString("%1 %2     %3 %4")
                  .arg(Language().GetMessageText(msg::kOutputFile), outputSettings_.outputPath,
                       Language().GetMessageText(msg::kResolution),
                       Language().GetMessageText(msg::kOriginalSize)));
    Control<QLabel>(idc::kSourceInfo)->setText("00:00:00");
    ForceSubtitleFilterLoad(filterLoad_);
    Language().ApplyToDialog(*this, res::CaspariMainDialog().id);
    return true;
}

void CSubtitleConverterDlg::ConnectCommands() {
    const std::pair<int, void (CSubtitleConverterDlg::*)()> commands[] = {
        {idc::kOpenVideo, &CSubtitleConverterDlg::OnOpenVideo},
        {idc::kOptions, &CSubtitleConverterDlg::OnOptions},
        {idc::kConvert, &CSubtitleConverterDlg::OnConvert},
        {idc::kAbout, &CSubtitleConverterDlg::ShowAbout},
    };
    for (const auto& [id, handler] : commands) {
        connect(Control<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    }
    connect(Control<QAbstractButton>(idc::kExit), &QAbstractButton::clicked, this, &QDialog::close);
    // Help (also F1, the Help command) and Homepage.
    uikit::ConnectHelpCommands(*this, *Control<QAbstractButton>(idc::kHelp),
                               *Control<QAbstractButton>(idc::kHomepage), "caspari.html");
    connect(&progressTimer_, &QTimer::timeout, this, &CSubtitleConverterDlg::OnProgressTick);
    connect(conversion_.get(), &SubtitleConversion::sourceRendered, this,
            &CSubtitleConverterDlg::OnSourceRendered);
    connect(conversion_.get(), &SubtitleConversion::conversionFinished, this,
            &CSubtitleConverterDlg::OnConversionFinished);
}

bool CSubtitleConverterDlg::busy() const {
    return probing_ || conversion_->Rendering();
}

void CSubtitleConverterDlg::SetBusy(bool busy) {
    probing_ = busy;
    if (this->busy()) {
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
}

void CSubtitleConverterDlg::SetStatus(const QString& text) {
    Control<QLabel>(idc::kStatus)->setText(text);
}

void CSubtitleConverterDlg::EnableOpenSet(bool enable) {
    for (int id : kOpenSet) {
        Control(id)->setEnabled(enable);
    }
}

void CSubtitleConverterDlg::ShowAbout() {
    RunAboutBox(this);
}

void CSubtitleConverterDlg::OnOptions() {
    if (busy()) {
        return;
    }
    settings::COutputOptionsDlg options(outputSettings_, this, settings::OptionsVariant::Caspari);
    if (options.exec() != QDialog::Accepted) {
        return;
    }
    // The source's own fields stay as the probe found them.
    settings::OutputSettings accepted = options.settings();
    accepted.sourceWidth = outputSettings_.sourceWidth;
    accepted.sourceHeight = outputSettings_.sourceHeight;
    accepted.sourceFrameRate = outputSettings_.sourceFrameRate;
    accepted.sourceCount = outputSettings_.sourceCount;
    outputSettings_ = accepted;
    const bool sized = outputSettings_.sourceWidth != 0 || outputSettings_.sourceHeight != 0;
    SetStatus(
        sized ? QString("%1 %2     %3 %4*%5")
                    .arg(Language().GetMessageText(msg::kOutputFile), outputSettings_.outputPath,
                         Language().GetMessageText(msg::kResolution))
                    .arg(outputSettings_.outputWidth)
                    .arg(outputSettings_.outputHeight)
              : QString("%1 %2     %3 %4")
                    .arg(Language().GetMessageText(msg::kOutputFile), outputSettings_.outputPath,
                         Language().GetMessageText(msg::kResolution),
                         Language().GetMessageText(msg::kOriginalSize)));
}

bool CSubtitleConverterDlg::TryClose() {
    if (closeAccepted_) {
        return true;
    }
    if (converting_ == 1) {
        UserPrompts().ShowMessage(this, Language().GetMessageText(msg::kStopFirst),
                                  Language().GetMessageText(msg::kWarning),
                                  uikit::PromptIcon::Warning);
        return false;
    }
    conversion_->ReleaseGraph();
    settings::ReleaseCompressor(settings::CompressorCategory::Video);
    settings::ReleaseCompressor(settings::CompressorCategory::Audio);
    uikit::Profile profile = uikit::Profile::Application();
    profile.WriteString("Option", "CurrentLanguage", Language().GetCurrentName());
    profile.Save();
    RestoreSubtitleFilterLoad(filterLoad_);
    closeAccepted_ = true;
    return true;
}

void CSubtitleConverterDlg::closeEvent(QCloseEvent* event) {
    if (!TryClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CSubtitleConverterDlg::reject() {
    // Escape closes the window the same way the close box does.
    if (TryClose()) {
        QDialog::reject();
    }
}

QString CSubtitleConverterDlg::ProgressText(std::int64_t elapsedSeconds) {
    return "Please wait... Used Time: " + uikit::ClockText(elapsedSeconds);
}

} // namespace caspari
