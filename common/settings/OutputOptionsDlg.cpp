#include "OutputOptionsDlg.h"

#include "CaspariDialogs.h"
#include "CodecConfiguration.h"
#include "CompressorDevices.h"
#include "DialogBuilder.h"
#include "FormatCompressors.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputExtension.h"
#include "OutputLimits.h"
#include "OutputSettingsStore.h"
#include "Profile.h"
#include "Prompts.h"
#include "Timeline.h"
#include "VeltranoDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QIntValidator>
#include <QLineEdit>
#include <algorithm>
#include <map>

namespace settings {

namespace {

using uikit::Language;

constexpr OptionsLayout kVeltranoLayout{.ok = 1082,
                                        .cancel = 1083,
                                        .defaults = 1051,
                                        .browse = 1024,
                                        .outputFile = 1022,
                                        .sizeLabel = 1026,
                                        .sizeList = 1025,
                                        .width = 1027,
                                        .height = 1028,
                                        .frameRateLabel = 1078,
                                        .frameRateList = 1068,
                                        .frameRate = 1069,
                                        .resizeLabel = 1079,
                                        .resizeList = 1070,
                                        .videoLabel = 1080,
                                        .videoList = 1001,
                                        .audioLabel = 1081,
                                        .audioList = 1002,
                                        .settings = 1053,
                                        .codecList = 1052,
                                        .note = 1077,
                                        .formatList = 0,
                                        .videoBitrateLabel = 0,
                                        .videoBitrate = 0,
                                        .videoKbps = 0,
                                        .audioBitrateLabel = 0,
                                        .audioBitrate = 0,
                                        .audioKbps = 0,
                                        .audioBitrateText = 0};

constexpr OptionsLayout kCaspariLayout{.ok = 1041,
                                       .cancel = 1042,
                                       .defaults = 1014,
                                       .browse = 1021,
                                       .outputFile = 1009,
                                       .sizeLabel = 1011,
                                       .sizeList = 1010,
                                       .width = 1012,
                                       .height = 1013,
                                       .frameRateLabel = 1036,
                                       .frameRateList = 1017,
                                       .frameRate = 1018,
                                       .resizeLabel = 1037,
                                       .resizeList = 1019,
                                       .videoLabel = 1038,
                                       .videoList = 1007,
                                       .audioLabel = 1039,
                                       .audioList = 1008,
                                       .settings = 1016,
                                       .codecList = 1015,
                                       .note = 1040,
                                       .formatList = 1046,
                                       .videoBitrateLabel = 1047,
                                       .videoBitrate = 1049,
                                       .videoKbps = 1051,
                                       .audioBitrateLabel = 1048,
                                       .audioBitrate = 1050,
                                       .audioKbps = 1052,
                                       .audioBitrateText = 1053};

constexpr int kCustomSizePosition = 8;
constexpr int kOptionsDialogId = 129;

struct FrameSize {
    int width;
    int height;
};
constexpr FrameSize kSizePresets[] = {{640, 480}, {720, 576}, {720, 480}, {480, 576},
                                      {480, 480}, {352, 288}, {352, 240}};

// The integer a dialog edit holds, as the platform reads it: 0 unless the whole
// text is a number that fits.
int EditInteger(const QLineEdit& edit) {
    bool ok = false;
    const int value = edit.text().trimmed().toInt(&ok);
    return ok ? value : 0;
}

} // namespace

const OptionsLayout& OptionsLayoutOf(OptionsVariant variant) {
    return variant == OptionsVariant::Caspari ? kCaspariLayout : kVeltranoLayout;
}

COutputOptionsDlg::COutputOptionsDlg(const OutputSettings& settings, QWidget* parent,
                                     OptionsVariant variant)
    : QDialog(parent), variant_(variant), ids_(OptionsLayoutOf(variant)), settings_(settings) {
    uikit::BuildDialog(*this,
                       IsCaspari() ? res::CaspariOptionsDialog() : res::VeltranoOptionsDialog());
    SetUp();

    connect(Control<QComboBox>(ids_.sizeList), &QComboBox::activated, this,
            &COutputOptionsDlg::OnSizeChoiceChanged);
    connect(Control<QComboBox>(ids_.frameRateList), &QComboBox::activated, this,
            &COutputOptionsDlg::OnFrameRateChoiceChanged);
    if (IsCaspari()) {
        connect(Control<QComboBox>(ids_.formatList), &QComboBox::activated, this,
                &COutputOptionsDlg::OnFormatChanged);
    }
    connect(Control<QAbstractButton>(ids_.browse), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnBrowse);
    connect(Control<QAbstractButton>(ids_.defaults), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnDefault);
    connect(Control<QAbstractButton>(ids_.settings), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnSettings);
    connect(Control<QAbstractButton>(ids_.ok), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::accept);
    connect(Control<QAbstractButton>(ids_.cancel), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::reject);
}

void COutputOptionsDlg::SetUp() {
    SetUpSizeAndFrameRate();
    SelectCompressor(CompressorCategory::Video, ids_.videoList, keys::kVideoCompressSection);
    SelectCompressor(CompressorCategory::Audio, ids_.audioList, keys::kAudioCompressSection);

    auto* resizeList = Control<QComboBox>(ids_.resizeList);
    if (!IsCaspari()) {
        resizeList->setItemText(0, Language().GetMessageText(117));
        resizeList->setItemText(1, Language().GetMessageText(118));
    }
    // caspari's lists hold only their first entry, so other positions select nothing.
    const int resizePosition = settings_.resizeMode == kResizePreserveAspectRatio ? 0 : 1;
    resizeList->setCurrentIndex(resizePosition < resizeList->count() ? resizePosition : -1);

    if (IsCaspari()) {
        SetUpCaspariControls();
    }

    // Translating may refill lists; the dialog works by positions, so keep them.
    std::vector<std::pair<QComboBox*, int>> selections;
    for (QComboBox* list : findChildren<QComboBox*>()) {
        selections.emplace_back(list, list->currentIndex());
    }
    Language().ApplyToDialog(*this, kOptionsDialogId);
    for (const auto& [list, position] : selections) {
        list->setCurrentIndex(position < list->count() ? position : -1);
    }
}

void COutputOptionsDlg::SetUpSizeAndFrameRate() {
    auto* sizeList = Control<QComboBox>(ids_.sizeList);
    const bool sourceKnown = settings_.sourceWidth != 0 || settings_.sourceHeight != 0;
    const QString originalSize =
        IsCaspari() ? QString("Original size") : Language().GetMessageText(111);
    const QString sizeText = sourceKnown
                                 ? QString::asprintf("%s %d*%d", qUtf8Printable(originalSize),
                                                     settings_.sourceWidth, settings_.sourceHeight)
                                 : originalSize;
    if (sizeList->count() == 0) {
        sizeList->addItem(sizeText);
    } else {
        sizeList->setItemText(0, sizeText);
        sizeList->setItemText(kCustomSizePosition, Language().GetMessageText(112));
    }

    Control(ids_.codecList)->hide();
    Control<QLineEdit>(ids_.outputFile)->setText(settings_.outputPath);

    auto* width = Control<QLineEdit>(ids_.width);
    auto* height = Control<QLineEdit>(ids_.height);
    width->setText(QString::number(settings_.outputWidth));
    height->setText(QString::number(settings_.outputHeight));
    width->hide();
    height->hide();

    int sizePosition = kCustomSizePosition;
    if (settings_.outputWidth == settings_.sourceWidth &&
        settings_.outputHeight == settings_.sourceHeight) {
        sizePosition = 0;
    } else {
        for (int i = 0; i < static_cast<int>(std::size(kSizePresets)); ++i) {
            if (settings_.outputWidth == kSizePresets[i].width &&
                settings_.outputHeight == kSizePresets[i].height) {
                sizePosition = i + 1;
                break;
            }
        }
    }
    sizeList->setCurrentIndex(sizePosition < sizeList->count() ? sizePosition : -1);
    if (sizePosition == kCustomSizePosition) {
        width->show();
        height->show();
    }

    auto* rateList = Control<QComboBox>(ids_.frameRateList);
    QString rateText;
    if (IsCaspari()) {
        rateText = settings_.sourceCount <= 0 ? QString("Original frame rate")
                                              : QString::asprintf("%s%.3f", "Original frame rate ",
                                                                  settings_.sourceFrameRate);
        rateList->addItem(rateText);
    } else {
        rateText =
            settings_.sourceCount <= 0
                ? Language().GetMessageText(113)
                : QString::asprintf("%s %.3f", qUtf8Printable(Language().GetMessageText(113)),
                                    settings_.sourceFrameRate);
        rateList->setItemText(0, rateText);
        rateList->setItemText(kFrameRateCustomIndex, Language().GetMessageText(114));
    }
    auto* rate = Control<QLineEdit>(ids_.frameRate);
    rate->setText(settings_.frameRateIndex != kFrameRateSourceIndex
                      ? QString::asprintf("%.3f", settings_.outputFrameRate)
                      : QString::asprintf("%f", kDefaultFrameRate));
    rate->hide();
    rateList->setCurrentIndex(
        settings_.frameRateIndex < rateList->count() ? settings_.frameRateIndex : -1);
    if (settings_.frameRateIndex >= kFrameRateCustomIndex) {
        rate->show();
    }
}

void COutputOptionsDlg::SetUpCaspariControls() {
    for (int id : {ids_.sizeLabel, ids_.sizeList, ids_.width, ids_.height, ids_.frameRateLabel,
                   ids_.frameRateList, ids_.resizeLabel, ids_.resizeList, ids_.videoList,
                   ids_.audioList, ids_.settings}) {
        Control(id)->hide();
    }
    auto* videoBitrate = Control<QLineEdit>(ids_.videoBitrate);
    videoBitrate->setValidator(new QIntValidator(0, kLargestVideoKbps, videoBitrate));
    videoBitrate->setMaxLength(static_cast<int>(QString::number(kLargestVideoKbps).size()));
    videoBitrate->setText(QString::number(
        std::clamp(settings_.videoBitrate / kVideoBitrateUnit, 0, kLargestVideoKbps)));
    Control<QLineEdit>(ids_.audioBitrateText)
        ->setText(QString::number(settings_.audioBitrate / kAudioBitrateUnit));
    const auto* known =
        std::find(std::begin(kAudioBitrates), std::end(kAudioBitrates), settings_.audioBitrate);
    Control<QComboBox>(ids_.audioBitrate)
        ->setCurrentIndex(known != std::end(kAudioBitrates)
                              ? static_cast<int>(known - std::begin(kAudioBitrates))
                              : -1);
    for (int id : {ids_.videoLabel, ids_.audioLabel, ids_.note}) {
        Control(id)->hide();
    }
    // ASF has no entry: the list shows none, and the stored format stays.
    Control<QComboBox>(ids_.formatList)
        ->setCurrentIndex(FormatListPosition(settings_.outputFormat));
    ApplyFormatRule(settings_.outputFormat);
}

void COutputOptionsDlg::ApplyFormatRule(std::int32_t format) {
    auto* file = Control<QLineEdit>(ids_.outputFile);
    QString withExtension;
    if (SetOutputExtension(format, file->text(), withExtension)) {
        file->setText(withExtension);
    }
    const int compressorControls[] = {ids_.videoLabel, ids_.audioLabel, ids_.videoList,
                                      ids_.audioList,  ids_.settings,   ids_.note};
    const int bitrateControls[] = {ids_.videoBitrateLabel, ids_.videoBitrate, ids_.videoKbps,
                                   ids_.audioBitrateLabel, ids_.audioBitrate, ids_.audioKbps};
    if (!WritesFile(format)) {
        uikit::CurrentPrompts().ShowMessage(this, "unknown error", "error",
                                            uikit::PromptIcon::Error);
        return;
    }
    const bool wmv = format == kFormatWmv;
    for (int id : compressorControls) {
        Control(id)->setVisible(!wmv);
    }
    for (int id : bitrateControls) {
        Control(id)->setVisible(wmv);
    }
}

void COutputOptionsDlg::SelectCompressor(CompressorCategory category, int listId,
                                         const char* section) {
    auto* list = Control<QComboBox>(listId);
    FillCompressorList(category, *list);
    const std::int32_t stored = uikit::Profile::Application().GetInt(
        section, keys::kCompressorNumber, kCompressorNeverChosen);
    int position = 0;
    if (stored == kCompressorNeverChosen) {
        std::int32_t entry = 0;
        position = FindDefaultCompressor(category, entry) ? entry + 1 : 0;
    } else {
        position = stored + 1;
    }
    // A number beyond the list leaves it without a selection.
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

void COutputOptionsDlg::OnSizeChoiceChanged(int position) {
    auto* width = Control<QLineEdit>(ids_.width);
    auto* height = Control<QLineEdit>(ids_.height);
    if (position == kCustomSizePosition) {
        width->setText(QString::number(settings_.outputWidth));
        height->setText(QString::number(settings_.outputHeight));
        width->show();
        height->show();
        return;
    }
    if (position == 0) {
        width->setText(QString::number(settings_.sourceWidth));
        height->setText(QString::number(settings_.sourceHeight));
    } else if (position > 0 && position <= static_cast<int>(std::size(kSizePresets))) {
        width->setText(QString::number(kSizePresets[position - 1].width));
        height->setText(QString::number(kSizePresets[position - 1].height));
    }
    width->hide();
    height->hide();
}

void COutputOptionsDlg::OnFrameRateChoiceChanged(int position) {
    auto* rate = Control<QLineEdit>(ids_.frameRate);
    if (position == kFrameRateCustomIndex) {
        rate->setText(QString::asprintf("%.3f", settings_.outputFrameRate));
        rate->show();
        return;
    }
    if (position == kFrameRateSourceIndex) {
        rate->setText(QString::asprintf("%f", settings_.sourceFrameRate));
    } else if (position > 0 && position < kFrameRateCustomIndex) {
        rate->setText(
            QString::asprintf("%f", kFixedFrameRates[static_cast<std::size_t>(position)]));
    }
    rate->hide();
}

void COutputOptionsDlg::OnFormatChanged(int position) {
    settings_.outputFormat = FormatAtListPosition(position);
    ApplyFormatRule(settings_.outputFormat);
    if (settings_.outputFormat == kFormatMp4) {
        ProposeMp4Compressors(false);
    }
}

void COutputOptionsDlg::ProposeMp4Compressors(bool always) {
    for (auto [category, listId] : {std::pair{CompressorCategory::Video, ids_.videoList},
                                    std::pair{CompressorCategory::Audio, ids_.audioList}}) {
        auto* list = Control<QComboBox>(listId);
        // Position 0 is the uncompressed entry.
        if (!always && FormatTakesCompressor(kFormatMp4, category, list->currentIndex() - 1)) {
            continue;
        }
        const std::int32_t proposed = Mp4CompressorEntry(category);
        if (proposed >= 0 && proposed + 1 < list->count()) {
            list->setCurrentIndex(proposed + 1);
        }
    }
}

void COutputOptionsDlg::OnDefault() {
    if (IsCaspari() && settings_.outputFormat == kFormatWmv) {
        Control<QLineEdit>(ids_.videoBitrate)->setText("780");
        Control<QComboBox>(ids_.audioBitrate)->setCurrentIndex(1);
        return;
    }
    if (IsCaspari() && settings_.outputFormat == kFormatMp4) {
        ProposeMp4Compressors(true);
        return;
    }
    for (auto [category, listId] : {std::pair{CompressorCategory::Video, ids_.videoList},
                                    std::pair{CompressorCategory::Audio, ids_.audioList}}) {
        std::int32_t entry = 0;
        const int position = FindDefaultCompressor(category, entry) ? entry + 1 : 0;
        auto* list = Control<QComboBox>(listId);
        list->setCurrentIndex(position < list->count() ? position : 0);
    }
}

void COutputOptionsDlg::OnBrowse() {
    uikit::FileRequest request;
    const qsizetype lastSeparator = settings_.outputPath.lastIndexOf('/');
    request.initialFolder = lastSeparator >= 0 ? settings_.outputPath.left(lastSeparator) : ".";
    request.initialName = "*.*";
    request.title = Language().GetMessageText(110);
    if (!IsCaspari()) {
        request.filters = {{"AVI file", "*.avi"}};
    } else {
        static const std::map<std::int32_t, uikit::FileFilter> kFilters = {
            {kFormatAvi, {"Audio Video Interleave file(*.avi)", "*.avi"}},
            {kFormatWmv, {"Windows Media Video file (*.wmv)", "*.wmv"}},
            {kFormatMkv, {"Matroska video file(*.mkv)", "*.mkv"}},
            {kFormatAsf, {"Advanced Systems Format file(*.asf)", "*.asf"}},
            {kFormatMp4, {"MPEG-4 file(*.mp4)", "*.mp4"}}};
        if (const auto filter = kFilters.find(settings_.outputFormat); filter != kFilters.end()) {
            request.filters = {filter->second};
        } else {
            uikit::ShowError(this, "Does not support the video format");
        }
    }
    const auto chosen = uikit::CurrentPrompts().PickSaveFile(this, request);
    if (!chosen) {
        return;
    }
    // veltrano writes AVI only.
    const std::int32_t format = IsCaspari() ? settings_.outputFormat : kFormatAvi;
    QString withExtension;
    if (SetOutputExtension(format, *chosen, withExtension)) {
        Control<QLineEdit>(ids_.outputFile)->setText(withExtension);
    }
}

void COutputOptionsDlg::OnSettings() {
    ConfigureSelectedCodec(this, *Control<QComboBox>(ids_.videoList),
                           *Control<QComboBox>(ids_.codecList),
                           CurrentDefaultCompressorNames().videoName);
}

bool COutputOptionsDlg::Collect() {
    const auto* rateEdit = Control<QLineEdit>(ids_.frameRate);
    const auto* rateList = Control<QComboBox>(ids_.frameRateList);
    const double typedRate = LeadingNumber(rateEdit->text());
    if (typedRate < kSmallestFrameRate) {
        uikit::ShowAppMessage(this, "The frame rate is too small!");
        return false;
    }
    if (rateList->currentIndex() == kFrameRateCustomIndex && typedRate > kLargestCustomFrameRate) {
        uikit::ShowAppMessage(this, Language().GetMessageText(res::kMsgFrameRateTooLarge));
        return false;
    }
    const std::int32_t width = ConfirmedDimension(EditInteger(*Control<QLineEdit>(ids_.width)));
    const std::int32_t height = ConfirmedDimension(EditInteger(*Control<QLineEdit>(ids_.height)));
    // caspari keeps the size out of sight, so only veltrano's user can mend it.
    if (!IsCaspari() && (width > media::kMaxFrameDimension || height > media::kMaxFrameDimension)) {
        uikit::ShowAppMessage(
            this,
            Language().GetMessageText(res::kMsgFrameSizeTooLarge).arg(media::kMaxFrameDimension));
        return false;
    }
    const QString path = Control<QLineEdit>(ids_.outputFile)->text();
    if (QFileInfo(path).isRelative()) {
        uikit::ShowAppMessage(this, Language().GetMessageText(res::kMsgFullPathNeeded));
        return false;
    }

    int index = rateList->currentIndex();
    if (index == kFrameRateSourceIndex) {
        settings_.outputFrameRate = settings_.sourceFrameRate;
    } else if (index == kFrameRateCustomIndex) {
        settings_.outputFrameRate = LeadingNumber(rateEdit->text());
    } else if (index > 0 && index < kFrameRateCustomIndex) {
        settings_.outputFrameRate = kFixedFrameRates[static_cast<std::size_t>(index)];
    } else {
        index = 1;
        settings_.outputFrameRate = kDefaultFrameRate;
    }
    settings_.frameRateIndex = index;
    frameRateText_ = rateEdit->text();
    settings_.outputPath = path;
    settings_.outputWidth = width;
    settings_.outputHeight = height;

    for (const CompressorKeys& compressor : kCompressorKeys) {
        const int listId =
            compressor.category == CompressorCategory::Video ? ids_.videoList : ids_.audioList;
        // Position 0 is the uncompressed entry; no selection gives -2.
        const std::int32_t entry = Control<QComboBox>(listId)->currentIndex() - 1;
        settings_.*compressor.chosenEntry = entry;
        settings_.*compressor.useFlag = entry == kCompressorNone ? 0 : 1;
    }

    settings_.resizeMode = Control<QComboBox>(ids_.resizeList)->currentIndex() == 0
                               ? kResizePreserveAspectRatio
                               : kResizeStretch;

    if (IsCaspari()) {
        // The validator bounds typing; text set otherwise is bounded here.
        settings_.videoBitrate =
            std::clamp(EditInteger(*Control<QLineEdit>(ids_.videoBitrate)), 0, kLargestVideoKbps) *
            kVideoBitrateUnit;
        const int audioPosition = Control<QComboBox>(ids_.audioBitrate)->currentIndex();
        if (audioPosition >= 0 && audioPosition < static_cast<int>(std::size(kAudioBitrates))) {
            settings_.audioBitrate = kAudioBitrates[audioPosition];
        }
        // Without a selection (a stored ASF) the stored format stays.
        const int position = Control<QComboBox>(ids_.formatList)->currentIndex();
        if (position >= 0) {
            settings_.outputFormat = FormatAtListPosition(position);
        }
    }
    return true;
}

void COutputOptionsDlg::accept() {
    if (!Collect()) {
        return;
    }
    uikit::Profile profile = uikit::Profile::Application();
    SaveOutputOptions(profile, settings_, frameRateText_, IsCaspari());
    QDialog::accept();
}

} // namespace settings
