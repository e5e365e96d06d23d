#include "ConsoleBatch.h"

#include "ConsoleOutput.h"
#include "ConsoleProgress.h"
#include "ExitCodes.h"
#include "InterruptNotifier.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "Profile.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

namespace uikit {

namespace {

constexpr int kTickMs = 250;
// How long a stopped file may take to be finished before the run gives up on it.
constexpr int kStopBoundMs = 60000;
constexpr int kMessageDone = 163;

struct FileResult {
    QString name;
    FileOutcome outcome = FileOutcome::Failed;
    QString reason;
};

// What the job reported for the file under way; shared with its callback, which
// may come after the run gave up waiting.
struct Pending {
    bool finished = false;
    FileOutcome outcome = FileOutcome::Failed;
    QString reason;
};

QString BatchText(int id) {
    return Language().GetMessageText(id);
}

QString OutcomeLine(const FileResult& result) {
    switch (result.outcome) {
    case FileOutcome::Converted:
        return result.name + "  " + BatchText(kMessageDone);
    case FileOutcome::Skipped:
        return BatchText(res::kMsgConsoleSkipped).arg(result.name, result.reason);
    case FileOutcome::Failed:
    case FileOutcome::Stopped:
        break;
    }
    return BatchText(res::kMsgConsoleFailed).arg(result.name, result.reason);
}

void PrintSummary(const std::vector<FileResult>& results) {
    int converted = 0;
    int skipped = 0;
    for (const FileResult& result : results) {
        converted += result.outcome == FileOutcome::Converted ? 1 : 0;
        skipped += result.outcome == FileOutcome::Skipped ? 1 : 0;
    }
    const int failed = static_cast<int>(results.size()) - converted - skipped;
    PrintLine(stdout, BatchText(res::kMsgConsoleSummary).arg(converted).arg(skipped).arg(failed));
    for (const FileResult& result : results) {
        if (result.outcome != FileOutcome::Converted) {
            PrintLine(stdout, OutcomeLine(result));
        }
    }
}

} // namespace

int RunConsoleBatch(const QStringList& sources, ConsoleJob& job) {
    const InterruptNotifier interrupts;
    ProgressLine progress(stdout, IsTerminal(stdout));
    std::vector<FileResult> results;
    QEventLoop loop;
    int signalsSeen = 0;
    bool converting = false;
    QTimer stopBound;
    stopBound.setSingleShot(true);
    QObject::connect(&stopBound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&interrupts, &InterruptNotifier::interrupted, &loop, [&](int) {
        // A second interrupt gives up waiting for the file to be finished.
        if (++signalsSeen > 1) {
            loop.quit();
            return;
        }
        PrintLine(stderr, ApplicationName() + ": " + BatchText(res::kMsgConsoleInterrupted));
        if (converting) {
            stopBound.start(kStopBoundMs);
            job.Stop();
        }
    });

    const int count = static_cast<int>(sources.size());
    for (int index = 0; index < count; ++index) {
        FileResult result{QFileInfo(sources[index]).fileName(), FileOutcome::Skipped, {}};
        if (signalsSeen > 0) {
            result.reason = BatchText(res::kMsgConsoleNotStarted);
            results.push_back(result);
            continue;
        }
        auto pending = std::make_shared<Pending>();
        QElapsedTimer elapsed;
        double done = -1.0;
        const auto show = [&] {
            const double now = job.Progress();
            if (now >= 0.0 && !elapsed.isValid()) {
                elapsed.start();
            }
            done = now >= 0.0 ? now : done;
            progress.Show(index + 1, count, result.name, done,
                          elapsed.isValid() ? elapsed.elapsed() / 1000 : 0);
        };
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, &loop, show);
        show();
        converting = true;
        job.Start(index, [pending, waiting = QPointer<QEventLoop>(&loop)](FileOutcome outcome,
                                                                          const QString& reason) {
            if (pending->finished) {
                return;
            }
            *pending = {true, outcome, reason};
            if (waiting) {
                waiting->quit();
            }
        });
        tick.start(kTickMs);
        if (!pending->finished) {
            loop.exec();
        }
        tick.stop();
        stopBound.stop();
        converting = false;
        result.outcome = pending->finished ? pending->outcome : FileOutcome::Stopped;
        result.reason = pending->reason;
        if (result.outcome == FileOutcome::Stopped) {
            result.reason =
                BatchText(res::kMsgConsoleStopped)
                    .arg(QString("%1%").arg(static_cast<int>(std::max(done, 0.0) * 100)));
        }
        progress.End(QString("[%1/%2] ").arg(index + 1).arg(count) + OutcomeLine(result));
        // A file given up on is left to finish on its own; the files after it
        // are skipped, as after any interrupt.
        results.push_back(result);
    }
    PrintSummary(results);
    if (signalsSeen > 0) {
        return kExitInterrupted;
    }
    const bool all = std::all_of(results.cbegin(), results.cend(), [](const FileResult& result) {
        return result.outcome == FileOutcome::Converted;
    });
    return all ? kExitConverted : kExitIncomplete;
}

} // namespace uikit
