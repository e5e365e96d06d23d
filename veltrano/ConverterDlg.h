#pragma once

#include "ConverterState.h"
#include "DialogBuilder.h"
#include "MediaProbe.h"
#include "OutputSettings.h"
#include "ProcessLocale.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;
class QSlider;

namespace veltrano {

class ConversionJob;
class PreviewPlayer;
class ButtonSound;

// veltrano's main window (dialog 102).
class CConverterDlg : public QDialog {
    Q_OBJECT

public:
    explicit CConverterDlg(QWidget* parent = nullptr);
    ~CConverterDlg() override;

    ConverterState& state() { return state_; }
    settings::OutputSettings& outputSettings() { return outputSettings_; }
    // The control with `id` when it is a `T`, else nullptr.
    template <typename T = QWidget>
    T* Control(int id) const {
        return uikit::FindControl<T>(*this, id);
    }
    // False when initialisation stopped early (the media framework failed).
    bool initialised() const { return initialised_; }

    // The status line text of an idle window.
    QString IdleStatusText() const;
    // The status line text naming the output file and its size.
    QString OutputStatusText() const;

    // The preview player of the opened file, or nullptr.
    PreviewPlayer* player() const { return player_.get(); }
    // The job of the running conversion, or nullptr.
    ConversionJob* job() const { return job_.get(); }
    // Opens `path` as Open Video opens a picked file: a file given on the
    // command line or dropped onto the window.
    void OpenVideoFile(const QString& path);
    // Whether the window takes a video to open now (not while converting or busy).
    bool CanOpenVideo() const;

    // Slow media work (a probe, reading the sources) runs in the background;
    // meanwhile the window shows a busy cursor and takes no second command.
    bool busy() const { return busy_; }

signals:
    // A conversion ended, by completion, error or Stop.
    void conversionFinished();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    bool InitDialog();
    void ConnectCommands();
    void SetStatus(const QString& text);
    void EnablePlaybackSet(bool enable);
    void EnableOpenSet(bool enable);
    // Closing: refused while converting; otherwise releases and stores what must outlive the run.
    bool TryClose();

    void OnOptions();
    void OnOpenVideo();
    void OnVideoProbed(const QString& path, const media::ProbeResult& probe);
    void OnConvert();
    // Reads the sources in the background, then starts the conversion.
    void PrepareConversion();
    void StartConversion();
    // With a `failure` the run ends as failed: its graph is described beside the
    // settings before it stops, and the failure is shown once the file is finished.
    void StopConversion(const QString& failure = {});
    void OnProgressTick();
    void UpdateProgress();
    void OnGraphNotify();
    // Ends the job; a non-empty error replaces "Done" in the status line.
    void FinishConversion(const QString& error = QString());
    void OnSliderPressed();
    void OnSliderReleased();
    // The preview player (PlayerCommands.cpp).
    void ConnectPlayerCommands();
    void StartPlayer(const QString& path);
    void OnPlayerOpened(bool ok);
    void OnPlayerPosition();
    void OnPlayerClosed();
    void SetMark(std::int64_t& mark, int labelId);
    void SetBusy(bool busy);
    // The Convert button says Stop while a conversion runs, also after the
    // window's texts were applied again.
    void RefreshConvertLabel();
    // Icons, tooltips, cursor and sound of the skinned buttons, and the
    // background tile (MainWindowSkin.cpp).
    void SetUpSkin();
    // The skinned buttons' tooltips in the current language.
    void ApplySkinTooltips();

    ConverterState state_;
    settings::OutputSettings outputSettings_;
    bool initialised_ = false;
    bool sliderHeld_ = false;
    bool closeAccepted_ = false;
    bool stopping_ = false;
    bool busy_ = false;
    // The streaming threads read the C runtime's locale: a language picked
    // during a conversion takes effect when it ends.
    std::optional<uikit::ProcessLocaleHold> localeHold_;
    QTimer progressTimer_;
    std::unique_ptr<ConversionJob> job_;
    std::unique_ptr<PreviewPlayer> player_;
    std::uint64_t playerSerial_ = 0; // of the player started last
    // The skinned buttons borrow the sound; the window outlives their use of it.
    std::unique_ptr<ButtonSound> buttonSound_;
    QPixmap background_;
};

} // namespace veltrano
