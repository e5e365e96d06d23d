#pragma once

#include "OutputSettings.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace caspari {

// Several videos opened together and converted one after another with the
// same settings: where each is written, how each ended, and the texts that
// say so in the window.
class SourceBatch {
public:
    enum class FileState {
        Pending,
        Converted,
        Stopped,    // ended by Stop part way; plays up to there
        Failed,     // could not be opened or converted
        Kept,       // its output existed and was not to be replaced
        NotStarted, // skipped after a Stop
    };

    explicit SourceBatch(QStringList sources);

    int Count() const { return static_cast<int>(sources_.size()); }
    const QString& Source(int index) const { return sources_[index]; }
    const QString& Output(int index) const { return outputs_[index]; }
    FileState State(int index) const { return files_[index].state; }
    // The output file the settings held when the run was planned.
    const QString& StoredOutput() const { return storedOutput_; }

    // Readies a run with `output`'s format: each source's base name with the
    // format's extension in the folder of the stored output file, repeats
    // numbered. A format that writes no file leaves the stored path to each.
    void Plan(const settings::OutputSettings& output);
    void SetState(int index, FileState state, const QString& reason = {});
    // The first file still pending after `index`, or -1.
    int NextPending(int index) const;
    // Marks every file still pending as not started.
    void SkipPending();
    int CountIn(FileState state) const;

    // The source line: the first file's `info` ("name: duration") and how many follow.
    QString SourceLine(const QString& info) const;
    // "File 3 of 12: name" for the file at `index`.
    QString FileLine(int index) const;
    // How many were converted, for the status line.
    QString ConvertedLine() const;
    // The one message at the end: the count, where a Stop left off, the files
    // that failed with their reasons and those whose output was kept.
    QString Summary() const;

private:
    struct File {
        FileState state = FileState::Pending;
        QString reason;
    };
    QString NameOf(int index) const;

    QStringList sources_;
    QStringList outputs_;
    std::vector<File> files_;
    QString storedOutput_;
};

} // namespace caspari
