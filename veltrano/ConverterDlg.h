#pragma once

#include "OutputSettings.h"

#include <QDialog>
#include <cstdint>
#include <vector>

class QLabel;
class QPushButton;
class QSlider;

namespace veltrano {

// What the main window holds of the opened clip, the marks and a running job.
struct ConverterState {
    static constexpr int kMaxClips = 1000;
    static constexpr int kMaxMusic = 100;

    std::vector<QString> clipFiles = std::vector<QString>(kMaxClips);
    std::vector<std::int64_t> clipDurations = std::vector<std::int64_t>(kMaxClips);
    std::vector<std::int32_t> clipTransitions = std::vector<std::int32_t>(kMaxClips);
    std::int32_t musicCount = 0;
    std::vector<QString> musicFiles = std::vector<QString>(kMaxMusic);
    std::int32_t transitionMode = 0;
    std::int32_t fixedTransition = 0;
    std::int32_t converting = 0;
    std::int32_t elapsedSeconds = 0;
    std::int64_t startMark = 0;
    std::int64_t endMark = 0;
    std::int32_t sliderPos = 0;
    int osMajorVersion = 0;
    QString errorText;
};

// veltrano's main window (dialog 102).
class CConverterDlg : public QDialog {
    Q_OBJECT

public:
    explicit CConverterDlg(QWidget* parent = nullptr);
    ~CConverterDlg() override;

    ConverterState& state() { return state_; }
    settings::OutputSettings& outputSettings() { return outputSettings_; }
    QWidget* Control(int id) const;
    // False when initialisation stopped early (the media framework failed).
    bool initialised() const { return initialised_; }

    // The status line text of an idle window.
    QString IdleStatusText() const;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool InitDialog();
    void ConnectCommands();
    void SetStatus(const QString& text);
    void EnablePlaybackSet(bool enable);
    void EnableOpenSet(bool enable);
    // Closing: refused while converting; otherwise releases and stores what must outlive the run.
    bool TryClose();

    void OnSliderPressed();
    void OnSliderReleased();

    ConverterState state_;
    settings::OutputSettings outputSettings_;
    bool initialised_ = false;
    bool sliderHeld_ = false;
    bool closeAccepted_ = false;
};

} // namespace veltrano
