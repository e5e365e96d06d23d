#pragma once

#include "BatchMessages.h"
#include "DialogBuilder.h"
#include "MediaProbe.h"
#include "OutputSettings.h"
#include "SourceBatch.h"
#include "SubtitleConversion.h"
#include "SubtitleFilterLoad.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
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
    // Opens several videos as one batch that Convert converts one after
    // another; a single path opens as OpenVideoFile does.
    void OpenVideoFiles(const QStringList& paths);
    // The batch opened, or null while one video (or none) is.
    const SourceBatch* batch() const { return batch_.get(); }
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
    // A batch ended, its summary shown; `converted` files were written whole.
    void batchFinished(int converted);

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

    // Open Video, one file or a batch (OpenSource.cpp).
    void OnOpenVideo();
    // Probes `path` off the UI thread, then hands the result to `probed`.
    void ProbeInBackground(const QString& path,
                           std::function<void(const media::ProbeResult&)> probed);
    void OnVideoProbed(const QString& path, const media::ProbeResult& probe);
    void OnBatchOpened(const media::ProbeResult& probe);
    void OnSourceRendered(int result);
    // The probed source's picture and length become the output's.
    void ApplyProbe(const media::ProbeResult& probe);
    void RememberFolder(const QString& path);

    // Convert and Stop, progress and the end (ConvertSource.cpp).
    void OnConvert();
    bool ConfirmConversion();
    // Builds and runs the rendered source; a failure finishes the conversion.
    void StartConversion();
    void OnProgressTick();
    void OnConversionFinished(ConversionOutcome outcome, const QString& errorText);
    void RefreshConvertLabel();

    // A batch (ConvertBatch.cpp): each file is probed, rendered, built and
    // run in turn; the run ends with one summary.
    void OnBatchConvert();
    // Decides each file's output before anything starts; false starts nothing.
    bool PlanBatchOutputs();
    void StartBatchFile(int index);
    void OnBatchFileProbed(const media::ProbeResult& probe);
    void OnBatchFileRendered(int result);
    void OnBatchFileFinished(ConversionOutcome outcome, const QString& errorText);
    // Ends the file at the current index as `state` and moves on, once the
    // engine's own handling of its end is over.
    void EndBatchFile(SourceBatch::FileState state, const QString& reason = {});
    void NextBatchFile();
    void EndBatch();
    uikit::Prompts& UserPrompts();

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
    std::unique_ptr<SourceBatch> batch_;
    media::ProbeResult batchFirstProbe_;
    int batchIndex_ = -1; // the file a running batch is at, -1 while none runs
    bool batchStopping_ = false;
    std::unique_ptr<BatchMessages> batchMessages_; // while a batch runs
};

} // namespace caspari
