#pragma once

#include "CompressorCatalogue.h"
#include "DialogBuilder.h"
#include "OutputSettings.h"

#include <QDialog>

namespace settings {

// Which program's options dialog: veltrano's edits size, frame rate and resize
// mode; caspari's edits the container format and, for WMV, two bitrates.
enum class OptionsVariant { Veltrano, Caspari };

// The control IDs of one variant's dialog (template 129 of each program).
struct OptionsLayout {
    int ok, cancel, defaults, browse, outputFile;
    int sizeLabel, sizeList, width, height;
    int frameRateLabel, frameRateList, frameRate;
    int resizeLabel, resizeList;
    int videoLabel, videoList, audioLabel, audioList, settings, codecList, note;
    // caspari only; 0 in veltrano's
    int formatList, videoBitrateLabel, videoBitrate, videoKbps, audioBitrateLabel, audioBitrate,
        audioKbps, audioBitrateText;
};

// The control IDs of `variant`'s dialog.
const OptionsLayout& OptionsLayoutOf(OptionsVariant variant);

// The output options dialog (template 129). Works on a copy of the caller's
// settings; on OK it checks them and has the settings store save them and
// rebind the compressors, then hands the copy back.
class COutputOptionsDlg : public QDialog {
    Q_OBJECT

public:
    COutputOptionsDlg(const OutputSettings& settings, QWidget* parent,
                      OptionsVariant variant = OptionsVariant::Veltrano);

    // The edited settings; meaningful after the dialog ended with OK.
    const OutputSettings& settings() const { return settings_; }
    // The control with `id` when it is a `T`, else nullptr.
    template <typename T = QWidget>
    T* Control(int id) const {
        return uikit::FindControl<T>(*this, id);
    }
    const OptionsLayout& layout() const { return ids_; }

public slots:
    void accept() override;

private:
    bool IsCaspari() const { return variant_ == OptionsVariant::Caspari; }
    void SetUp();
    void SetUpSizeAndFrameRate();
    void SetUpCaspariControls();
    void SelectCompressor(CompressorCategory category, int listId, const char* section);
    void ApplyFormatRule(std::int32_t format);
    void OnSizeChoiceChanged(int position);
    void OnFrameRateChoiceChanged(int position);
    void OnFormatChanged(int position);
    // Selects H.264 and AAC where the chosen compressors cannot go into MP4,
    // or `always`.
    void ProposeMp4Compressors(bool always);
    void OnDefault();
    void OnBrowse();
    void OnSettings();
    // Checks the entries and takes them into the edited settings; false (after
    // telling the user) when one cannot be accepted.
    bool Collect();

    OptionsVariant variant_;
    OptionsLayout ids_;
    OutputSettings settings_;
    QString frameRateText_;
};

} // namespace settings
