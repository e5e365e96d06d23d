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
    // file is written over it, as the person agreed to.
    void MoveAside();
    // The new file is being written: the old one goes for good.
    void Commit();

private:
    QString path_;
    QString asidePath_; // empty while nothing was moved
};

// Creates the folder the output file goes into when it is missing; false when
// that fails.
bool EnsureOutputFolder(const QString& outputPath);

} // namespace settings
