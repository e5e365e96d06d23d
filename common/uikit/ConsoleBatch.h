#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace uikit {

// What became of one file of a run from the command line.
enum class FileOutcome {
    Converted,
    Skipped, // not attempted: its output exists, or the run was interrupted first
    Failed,
    Stopped, // interrupted while converting: finished where it got, and it plays
};

// The files of a run, converted by the program's own engine one at a time.
class ConsoleJob {
public:
    using Finished = std::function<void(FileOutcome outcome, const QString& reason)>;

    virtual ~ConsoleJob() = default;
    // Converts file `index` of the run; `finished` is called once on the UI
    // thread, possibly before Start returns.
    virtual void Start(int index, Finished finished) = 0;
    // Ends the file under way the way Stop does; its `finished` follows once
    // the file is complete. Before the conversion runs the file is skipped.
    virtual void Stop() = 0;
    // The share (0 to 1) of the running conversion done; negative until it runs.
    virtual double Progress() const = 0;
};

// Converts `sources` in order through `job`: progress on standard output (see
// ProgressLine), SIGINT or SIGTERM stop the file under way and skip the rest,
// and a summary (converted, skipped, failed with each reason) ends the run.
// Returns the exit code (ExitCodes.h).
int RunConsoleBatch(const QStringList& sources, ConsoleJob& job);

} // namespace uikit
