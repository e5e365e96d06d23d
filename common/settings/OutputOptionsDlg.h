#pragma once

#include "CompressorCatalogue.h"
#include "OutputSettings.h"

#include <QDialog>

namespace settings {

// The output options dialog (template 129). Works on a copy of the caller's
// settings; on OK it stores them, rebinds the compressors and hands the copy back.
class COutputOptionsDlg : public QDialog {
    Q_OBJECT

public:
    COutputOptionsDlg(const OutputSettings& settings, QWidget* parent);

    // The edited settings; meaningful after the dialog ended with OK.
    const OutputSettings& settings() const { return settings_; }
    QWidget* Control(int id) const;

public slots:
    void accept() override;

private:
    void SetUp();
    void SelectCompressor(CompressorCategory category, int listId, const char* section);
    void OnSizeChoiceChanged(int position);
    void OnFrameRateChoiceChanged(int position);
    void OnDefault();
    void OnBrowse();
    void OnSettings();
    bool Save();

    OutputSettings settings_;
};

} // namespace settings
