#pragma once

#include <QString>
#include <cstdint>
#include <cstdio>

namespace uikit {

// "[3/12] Folge 03.mkv  45%  about 00:00:12 left": file `number` (from 1) of
// `count`, `done` of 1 converted after `elapsedSeconds`. Without a share
// (negative `done`) the name stands alone; the time left follows once known.
QString ProgressText(int number, int count, const QString& name, double done,
                     std::int64_t elapsedSeconds);

// How far a run from the command line got. On a terminal one line is rewritten
// in place; into a file or pipe a line is written when a file starts and at
// each further tenth of it, so a log stays short.
class ProgressLine {
public:
    ProgressLine(std::FILE* stream, bool terminal);

    void Show(int number, int count, const QString& name, double done, std::int64_t elapsedSeconds);
    // Ends the file's line with `text` (what became of the file).
    void End(const QString& text);

private:
    void Write(const QString& text);

    std::FILE* stream_;
    bool terminal_;
    int file_ = 0;        // the number of the file shown
    int tenthShown_ = -2; // -1: its start shown, n: n tenths shown
    QString line_;        // on a terminal, the text standing in the line
};

} // namespace uikit
