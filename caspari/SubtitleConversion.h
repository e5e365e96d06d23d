#pragma once

// The subtitle converter's engine: the opened source rendered into a playback
// graph, the graph turned into a conversion graph (renderers out, the output
// writer of the chosen format in), run, and rendered afresh afterwards.
// Everything here runs on the UI thread; rendering waits in the background.

#include "FilterGraph.h"
#include "GraphSurgery.h"
#include "OutputSettings.h"
#include "OutputWriter.h"
#include "ProgressWatchdog.h"
#include "Result.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace uikit {
class LanguagePack;
}

namespace caspari {

// How a conversion ended.
enum class ConversionOutcome { Completed, Stopped, Failed };

class SubtitleConversion : public QObject {
    Q_OBJECT
public:
    // Message boxes of the window kind are owned by `window`.
    SubtitleConversion(QWidget* window, const uikit::LanguagePack& language);
    ~SubtitleConversion() override;

    const QString& SourcePath() const { return sourcePath_; }
    // The graph of the opened source; null while none is rendered.
    media::FilterGraph* Graph() const { return graph_.get(); }
    bool Rendering() const { return rendering_; }
    bool Built() const { return mediaEvent_; }
    bool Converting() const { return converting_; }
    const OutputWriter& Writer() const { return writer_; }

    // Renders `path` into a fresh graph in the background; sourceRendered
    // follows with 1 on success, else the failing code (after its message).
    void RenderSourceGraph(const QString& path);
    // What the last render left out of the picture because it could not be read
    // ("The subtitle file … could not be read; …"); empty when nothing was.
    QString SubtitlesLeftOutText() const;
    // Opening another source: lets the current graph go without teardown.
    void ReleaseGraph();

    // Binds the compressor slots that are empty, then builds.
    media::Result PrepareCompressorsAndBuild(settings::OutputSettings& output);
    // Removes the renderers and wires their feeds through the compressors into
    // the writer of output.outputFormat. A source without sound gives a file
    // with its picture only.
    media::Result BuildConversionGraph(settings::OutputSettings& output);
    // Starts the built graph from the beginning. On failure the caller finishes.
    media::Result Run();
    // Ends the writer's streams so the file is complete up to here, then finishes.
    void Stop();
    // Stops, tears down, reports the outcome and renders the source again. A
    // failure's text is shown when there is one.
    void FinishConversion(ConversionOutcome outcome = ConversionOutcome::Completed,
                          const QString& errorText = {});

signals:
    void sourceRendered(int result);
    void conversionFinished(caspari::ConversionOutcome outcome, const QString& errorText);

protected:
    bool event(QEvent* event) override;

private:
    void OnGraphNotify();
    media::Result TakeRenderer(media::MajorType type, media::Pad& upstream);
    media::Result RenderIntoWriter(const media::Pad& upstream, media::MajorType type,
                                   bool useCompressor, media::OutputBuilder& builder);
    // Seals the writer in the background, then finishes with `outcome`. With a
    // `diagnosticsFolder` the graph is described there first, as it stood.
    void EndWriterThenFinish(ConversionOutcome outcome, const QString& errorText,
                             const QString& diagnosticsFolder = {});
    // Ends a run whose position stood still too long as a failure.
    void WatchProgress();
    QString ErrorTextOf(media::Result result) const;

    QWidget* window_;
    const uikit::LanguagePack& language_;
    QString sourcePath_;
    std::shared_ptr<media::FilterGraph> graph_;
    media::LeftOutSubtitles leftOut_;
    bool rendering_ = false;
    std::uint64_t renderNumber_ = 0;
    bool mediaEvent_ = false; // the graph posts its events here
    bool converting_ = false;
    bool ending_ = false; // the writer is being sealed
    std::uint64_t runNumber_ = 0;
    std::optional<media::ProgressWatchdog> watchdog_; // of the running conversion
    QTimer watchTimer_;
    QString outputPath_;
    OutputWriter writer_;
    AddedCompressors compressors_;
    std::vector<media::Pad> feeds_; // the pads that fed the removed renderers
};

} // namespace caspari
