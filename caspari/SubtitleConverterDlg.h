#pragma once

#include "DialogBuilder.h"
#include "MediaProbe.h"
#include "OutputSettings.h"
#include "SubtitleConversion.h"
#include "SubtitleFilterLoad.h"

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <memory>

namespace caspari {

// caspari's main window (dialog 102): open a video, set the output options,
// convert it with its subtitles in the picture, and stop.
class CSubtitleConverterDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSubtitleConverterDlg(QWidget* parent = nullptr);
    ~CSubtitleConverterDlg() override;

    settings::OutputSettings& outputSettings() { return outputSettings_; }
    const QString& sourcePath() const { return sourcePath_; }
    bool converting() const { return converting_ != 0; }
    SubtitleConversion& conversion() { return *conversion_; }
    // The control with `id` when it is a `T`, else nullptr.
    template <typename T = QWidget>
    T* Control(int id) const {
        return uikit::FindControl<T>(*this, id);
    }
    // False when initialisation stopped early (the media framework failed).
    bool initialised() const { return initialised_; }
    // Opens `path` as Open Video opens a picked file: a file given on the
    // command line or dropped onto the window.
    void OpenVideoFile(const QString& path);
    // Whether the window takes a video to open now (not while converting or busy).
    bool CanOpenVideo() const;

    // Slow media work (a probe, rendering the source, finishing the file) runs in
    // the background; meanwhile the window shows a busy cursor and takes no
    // second command.
    bool busy() const;

    // The status line of a running conversion after `elapsedSeconds`.
    static QString ProgressText(std::int64_t elapsedSeconds);

signals:
    // A conversion ended, by completion, error or Stop.
    void conversionFinished(caspari::ConversionOutcome outcome);

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool InitDialog();
    void ConnectCommands();
    void SetStatus(const QString& text);
    void EnableOpenSet(bool enable);
    void SetBusy(bool busy);
    void ShowAbout();
    // Closing: refused while converting; otherwise releases and stores what
    // must outlive the run.
    bool TryClose();
    void OnOptions();

    // Open Video (OpenSource.cpp).
    void OnOpenVideo();
    void OnVideoProbed(const QString& path, const media::ProbeResult& probe);
    void OnSourceRendered(int result);

    // Convert and Stop, progress and the end (ConvertSource.cpp).
    void OnConvert();
    bool ConfirmConversion();
    void OnProgressTick();
    void OnConversionFinished(ConversionOutcome outcome, const QString& errorText);
    void RefreshConvertLabel();

    settings::OutputSettings outputSettings_;
    QString sourcePath_;
    media::ReferenceTime sourceDuration_ = 0;
    std::int32_t converting_ = 0;
    std::int64_t elapsedSeconds_ = 0;
    QString startFailure_; // why the last build or start failed
    SubtitleFilterLoad filterLoad_;
    bool initialised_ = false;
    bool probing_ = false;
    // The next rendered source is a newly opened one: say what it left out.
    bool sourceJustOpened_ = false;
    bool closeAccepted_ = false;
    QTimer progressTimer_;
    std::unique_ptr<SubtitleConversion> conversion_;
};

} // namespace caspari
