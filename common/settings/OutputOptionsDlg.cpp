#include "OutputOptionsDlg.h"

#include "CodecConfiguration.h"
#include "CompressorDevices.h"
#include "DialogBuilder.h"
#include "LanguagePack.h"
#include "OutputSettingsStore.h"
#include "Profile.h"
#include "Prompts.h"
#include "VeltranoDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace settings {

namespace {

using uikit::Language;

namespace idc {
constexpr int kOutputFile = 1022;
constexpr int kBrowse = 1024;
constexpr int kSizeList = 1025;
constexpr int kWidth = 1027;
constexpr int kHeight = 1028;
constexpr int kFrameRateList = 1068;
constexpr int kFrameRate = 1069;
constexpr int kResizeList = 1070;
constexpr int kVideoList = 1001;
constexpr int kAudioList = 1002;
constexpr int kCodecList = 1052;
constexpr int kSettings = 1053;
constexpr int kDefault = 1051;
constexpr int kOk = 1082;
constexpr int kCancel = 1083;
} // namespace idc

constexpr int kCustomSizePosition = 8;
constexpr int kOptionsDialogId = 129;
// Above this a typed rate would make a conversion write frames without end.
constexpr double kLargestCustomFrameRate = 1000.0;

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

// Truncated toward zero to a multiple of 8, and at least 16.
std::int32_t ConfirmedDimension(int typed) {
    const int truncated = typed - typed % 8;
    return truncated < 16 ? 16 : truncated;
}

QString WithAviExtension(const QString& path) {
    // Only a dot in the file name starts an extension, not one in a folder name.
    const int lastSeparator = path.lastIndexOf('/');
    const int lastDot = path.lastIndexOf('.');
    const QString stem = lastDot > lastSeparator ? path.left(lastDot) : path;
    return stem + ".avi";
}

} // namespace

COutputOptionsDlg::COutputOptionsDlg(const OutputSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    uikit::BuildDialog(*this, res::VeltranoOptionsDialog());
    SetUp();

    auto* sizeList = static_cast<QComboBox*>(Control(idc::kSizeList));
    connect(sizeList, &QComboBox::activated, this, &COutputOptionsDlg::OnSizeChoiceChanged);
    auto* rateList = static_cast<QComboBox*>(Control(idc::kFrameRateList));
    connect(rateList, &QComboBox::activated, this, &COutputOptionsDlg::OnFrameRateChoiceChanged);
    connect(static_cast<QAbstractButton*>(Control(idc::kBrowse)), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnBrowse);
    connect(static_cast<QAbstractButton*>(Control(idc::kDefault)), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnDefault);
    connect(static_cast<QAbstractButton*>(Control(idc::kSettings)), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::OnSettings);
    connect(static_cast<QAbstractButton*>(Control(idc::kOk)), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::accept);
    connect(static_cast<QAbstractButton*>(Control(idc::kCancel)), &QAbstractButton::clicked, this,
            &COutputOptionsDlg::reject);
}

QWidget* COutputOptionsDlg::Control(int id) const {
    return uikit::FindControl(*this, id);
}

void COutputOptionsDlg::SetUp() {
    auto* sizeList = static_cast<QComboBox*>(Control(idc::kSizeList));
    const bool sourceKnown = settings_.sourceWidth != 0 || settings_.sourceHeight != 0;
    sizeList->setItemText(0, sourceKnown
                                 ? QString::asprintf("%s %d*%d",
                                                     qUtf8Printable(Language().GetMessageText(111)),
                                                     settings_.sourceWidth, settings_.sourceHeight)
                                 : Language().GetMessageText(111));
    sizeList->setItemText(kCustomSizePosition, Language().GetMessageText(112));

    Control(idc::kCodecList)->hide();
    static_cast<QLineEdit*>(Control(idc::kOutputFile))->setText(settings_.outputPath);

    auto* width = static_cast<QLineEdit*>(Control(idc::kWidth));
    auto* height = static_cast<QLineEdit*>(Control(idc::kHeight));
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
    sizeList->setCurrentIndex(sizePosition);
    if (sizePosition == kCustomSizePosition) {
        width->show();
        height->show();
    }

    auto* rateList = static_cast<QComboBox*>(Control(idc::kFrameRateList));
    rateList->setItemText(0, settings_.sourceCount <= 0
                                 ? Language().GetMessageText(113)
                                 : QString::asprintf("%s %.3f",
                                                     qUtf8Printable(Language().GetMessageText(113)),
                                                     settings_.sourceFrameRate));
    rateList->setItemText(kFrameRateCustomIndex, Language().GetMessageText(114));
    auto* rate = static_cast<QLineEdit*>(Control(idc::kFrameRate));
    rate->setText(settings_.frameRateIndex != kFrameRateSourceIndex
                      ? QString::asprintf("%.3f", settings_.outputFrameRate)
                      : QString::asprintf("%f", kDefaultFrameRate));
    rate->hide();
    rateList->setCurrentIndex(settings_.frameRateIndex);
    if (settings_.frameRateIndex >= kFrameRateCustomIndex) {
        rate->show();
    }

    SelectCompressor(CompressorCategory::Video, idc::kVideoList, keys::kVideoCompressSection);
    SelectCompressor(CompressorCategory::Audio, idc::kAudioList, keys::kAudioCompressSection);

    auto* resizeList = static_cast<QComboBox*>(Control(idc::kResizeList));
    resizeList->setItemText(0, Language().GetMessageText(117));
    resizeList->setItemText(1, Language().GetMessageText(118));
    resizeList->setCurrentIndex(settings_.resizeMode == kResizePreserveAspectRatio ? 0 : 1);

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

void COutputOptionsDlg::SelectCompressor(CompressorCategory category, int listId,
                                         const char* section) {
    auto* list = static_cast<QComboBox*>(Control(listId));
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
    auto* width = static_cast<QLineEdit*>(Control(idc::kWidth));
    auto* height = static_cast<QLineEdit*>(Control(idc::kHeight));
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
    auto* rate = static_cast<QLineEdit*>(Control(idc::kFrameRate));
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

void COutputOptionsDlg::OnDefault() {
    for (auto [category, listId] : {std::pair{CompressorCategory::Video, idc::kVideoList},
                                    std::pair{CompressorCategory::Audio, idc::kAudioList}}) {
        std::int32_t entry = 0;
        const int position = FindDefaultCompressor(category, entry) ? entry + 1 : 0;
        auto* list = static_cast<QComboBox*>(Control(listId));
        list->setCurrentIndex(position < list->count() ? position : 0);
    }
}

void COutputOptionsDlg::OnBrowse() {
    uikit::FileRequest request;
    const int lastSeparator = settings_.outputPath.lastIndexOf('/');
    request.initialFolder = lastSeparator >= 0 ? settings_.outputPath.left(lastSeparator) : ".";
    request.initialName = "*.*";
    request.filters = {{"AVI file", "*.avi"}};
    request.selectedFilter = 0;
    request.title = Language().GetMessageText(110);
    const auto chosen = uikit::CurrentPrompts().PickSaveFile(this, request);
    if (!chosen) {
        return;
    }
    static_cast<QLineEdit*>(Control(idc::kOutputFile))->setText(WithAviExtension(*chosen));
}

void COutputOptionsDlg::OnSettings() {
    ConfigureSelectedCodec(this, *static_cast<QComboBox*>(Control(idc::kVideoList)),
                           *static_cast<QComboBox*>(Control(idc::kCodecList)),
                           CurrentDefaultCompressorNames().videoName);
}

bool COutputOptionsDlg::Save() {
    const auto* rateEdit = static_cast<QLineEdit*>(Control(idc::kFrameRate));
    const auto* rateList = static_cast<QComboBox*>(Control(idc::kFrameRateList));
    const double typedRate = LeadingNumber(rateEdit->text());
    if (typedRate < 0.001) {
        uikit::ShowAppMessage(this, "The frame rate is too small!");
        return false;
    }
    if (rateList->currentIndex() == kFrameRateCustomIndex && typedRate > kLargestCustomFrameRate) {
        uikit::ShowAppMessage(this, "The frame rate is too large!");
        return false;
    }
    const QString path = static_cast<QLineEdit*>(Control(idc::kOutputFile))->text();
    if (QFileInfo(path).isRelative()) {
        uikit::ShowAppMessage(this, "Please give the output file with its full path, for example "
                                    "/home/me/Videos/output.avi");
        return false;
    }

    uikit::Profile profile = uikit::Profile::Application();
    int index = rateList->currentIndex();
    profile.WriteInt(keys::kSettings, keys::kFrameRateIndex, index);
    profile.WriteString(keys::kSettings, keys::kFrameRate,
                        index != kFrameRateSourceIndex ? rateEdit->text()
                                                       : QString(keys::kDefaultFrameRateText));
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

    settings_.outputPath = path;
    profile.WriteString(keys::kSettings, keys::kOutputName, path);

    settings_.outputWidth =
        ConfirmedDimension(EditInteger(*static_cast<QLineEdit*>(Control(idc::kWidth))));
    settings_.outputHeight =
        ConfirmedDimension(EditInteger(*static_cast<QLineEdit*>(Control(idc::kHeight))));
    profile.WriteInt(keys::kSettings, keys::kOutputWidth, settings_.outputWidth);
    profile.WriteInt(keys::kSettings, keys::kOutputHeight, settings_.outputHeight);

    const struct {
        CompressorCategory category;
        int listId;
        const char* section;
        std::int32_t OutputSettings::*useFlag;
    } compressors[] = {
        {CompressorCategory::Video, idc::kVideoList, keys::kVideoCompressSection,
         &OutputSettings::useVideoCompressor},
        {CompressorCategory::Audio, idc::kAudioList, keys::kAudioCompressSection,
         &OutputSettings::useAudioCompressor},
    };
    for (const auto& compressor : compressors) {
        // Position 0 is the uncompressed entry; no selection gives -2.
        const std::int32_t entry =
            static_cast<QComboBox*>(Control(compressor.listId))->currentIndex() - 1;
        profile.WriteInt(compressor.section, keys::kCompressorNumber, entry);
        if (entry == kCompressorNone) {
            settings_.*compressor.useFlag = 0;
            continue;
        }
        BindCompressor(compressor.category, entry);
        settings_.*compressor.useFlag = 1;
    }

    settings_.resizeMode = static_cast<QComboBox*>(Control(idc::kResizeList))->currentIndex() == 0
                               ? kResizePreserveAspectRatio
                               : kResizeStretch;
    return true;
}

void COutputOptionsDlg::accept() {
    if (Save()) {
        QDialog::accept();
    }
}

} // namespace settings
