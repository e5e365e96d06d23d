#pragma once

#include <QString>

namespace settings {

// Makes room for a new output file without losing the old one before the new
// one is really being written: the old file is moved aside when the writing is
// about to start, and put back when the start fails.
class OutputReplacement {
public:
    explicit OutputReplacement(QString path);
    ~OutputReplacement(); // puts the old file back unless Commit() was called
    OutputReplacement(const OutputReplacement&) = delete;
    OutputReplacement& operator=(const OutputReplacement&) = delete;

    // Moves the existing file aside. One that cannot be moved stays, and the new
    // file is written over it, as the person agreed to. Only a file is moved:
    // never a folder, a device or anything else standing under the name.
    void MoveAside();
    // The new file is being written: the old one goes for good.
    void Commit();

private:
    QString path_;
    QString asidePath_; // empty while nothing was moved
};

// What stands where an output file is to be written.
enum class OutputTarget {
    Writable, // nothing yet, or a file
    Folder,
    NotAFile,    // a device, pipe or socket
    InsideAFile, // a path that leads through a file: its folder cannot be made
};
OutputTarget ClassifyOutputPath(const QString& path);
// The message that refuses an output path, 0 for one that can be written
// (%1 in the message is the path). A path inside a file gets 0 too: making
// its folder fails and says so ("Could not create the folder ...").
int RefusalMessageFor(OutputTarget target);

// An existing output file is one that opens for reading.
bool OutputFileExists(const QString& path);
// Whether two paths name one file (also through links), or would once written.
bool IsSameFile(const QString& first, const QString& second);
// Whether the file at `path` can be taken away to make room for a new one: its
// folder must let entries be removed.
bool CanReplaceFile(const QString& path);

// Creates the folder the output file goes into when it is missing; false when
// that fails.
bool EnsureOutputFolder(const QString& outputPath);

} // namespace settings
