#include "SourceBatch.h"

#include "BatchOutputNames.h"
#include "LanguagePack.h"
#include "MessageIds.h"
#include "OutputExtension.h"

#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace caspari {

namespace {

using uikit::Language;

} // namespace

SourceBatch::SourceBatch(QStringList sources)
    : sources_(std::move(sources)), outputs_(sources_), files_(sources_.size()) {}

void SourceBatch::Plan(const settings::OutputSettings& output) {
    storedOutput_ = output.outputPath;
    files_.assign(sources_.size(), File());
    if (!settings::WritesFile(output.outputFormat)) {
        outputs_.fill(storedOutput_, sources_.size());
        return;
    }
    // An empty name takes the format's extension alone.
    QString extension;
    settings::SetOutputExtension(output.outputFormat, QString(), extension);
    outputs_ =
        settings::BatchOutputPaths(sources_, QFileInfo(storedOutput_).absolutePath(), extension);
}

void SourceBatch::SetState(int index, FileState state, const QString& reason) {
    files_[index] = {state, reason};
}

int SourceBatch::NextPending(int index) const {
    for (int next = index + 1; next < Count(); ++next) {
        if (files_[next].state == FileState::Pending) {
            return next;
        }
    }
    return -1;
}

void SourceBatch::SkipPending() {
    for (File& file : files_) {
        if (file.state == FileState::Pending) {
            file.state = FileState::NotStarted;
        }
    }
}

int SourceBatch::CountIn(FileState state) const {
    return static_cast<int>(std::count_if(
        files_.begin(), files_.end(), [state](const File& file) { return file.state == state; }));
}

QString SourceBatch::NameOf(int index) const {
    return QFileInfo(sources_[index]).fileName();
}

QString SourceBatch::SourceLine(const QString& info) const {
    return info + "  " + Language().GetMessageText(res::kMsgBatchMore).arg(Count() - 1);
}

QString SourceBatch::FileLine(int index) const {
    return Language()
        .GetMessageText(res::kMsgBatchFile)
        .arg(index + 1)
        .arg(Count())
        .arg(NameOf(index));
}

QString SourceBatch::ConvertedLine() const {
    return Language()
        .GetMessageText(res::kMsgBatchConverted)
        .arg(CountIn(FileState::Converted))
        .arg(Count());
}

QString SourceBatch::Summary() const {
    QStringList parts = {ConvertedLine()};
    for (int index = 0; index < Count(); ++index) {
        if (files_[index].state == FileState::Stopped) {
            parts << Language()
                         .GetMessageText(res::kMsgBatchStopped)
                         .arg(NameOf(index))
                         .arg(CountIn(FileState::NotStarted));
        }
    }
    QStringList failed;
    QStringList kept;
    for (int index = 0; index < Count(); ++index) {
        if (files_[index].state == FileState::Failed) {
            failed << NameOf(index) + ": " + files_[index].reason;
        } else if (files_[index].state == FileState::Kept) {
            kept << NameOf(index);
        }
    }
    if (!failed.isEmpty()) {
        parts << Language().GetMessageText(res::kMsgBatchFailed) + "\n" + failed.join('\n');
    }
    if (!kept.isEmpty()) {
        parts << Language().GetMessageText(res::kMsgBatchKept) + "\n" + kept.join('\n');
    }
    return parts.join("\n\n");
}

} // namespace caspari
