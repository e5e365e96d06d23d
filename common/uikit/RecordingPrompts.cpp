#include "RecordingPrompts.h"

#include <QUrl>

namespace uikit {

void RecordingPrompts::Add(Record record) {
    records_.push_back(std::move(record));
    if (callback_) {
        callback_(records_.back());
    }
}

void RecordingPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                                   PromptIcon icon) {
    Add({Kind::Message, owner, text, caption, icon, {}, {}});
}

PromptAnswer RecordingPrompts::AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                                        PromptIcon icon) {
    Add({Kind::YesNo, owner, text, caption, icon, {}, {}});
    if (answers_.empty()) {
        return defaultAnswer;
    }
    const PromptAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::optional<QString> RecordingPrompts::PickOpenFile(QWidget* owner, const FileRequest& request) {
    Add({Kind::OpenFile, owner, {}, request.title, PromptIcon::None, request, {}});
    return TakeFile();
}

QStringList RecordingPrompts::PickOpenFiles(QWidget* owner, const FileRequest& request) {
    Add({Kind::OpenFiles, owner, {}, request.title, PromptIcon::None, request, {}});
    return TakeFiles();
}

std::optional<QString> RecordingPrompts::PickSaveFile(QWidget* owner, const FileRequest& request) {
    Add({Kind::SaveFile, owner, {}, request.title, PromptIcon::None, request, {}});
    return TakeFile();
}

std::optional<QFont> RecordingPrompts::PickFont(QWidget* owner, const QFont& initial) {
    Add({Kind::Font, owner, {}, {}, PromptIcon::None, {}, initial});
    if (fonts_.empty()) {
        return std::nullopt;
    }
    auto font = fonts_.front();
    fonts_.pop_front();
    return font;
}

bool RecordingPrompts::OpenUrl(QWidget* owner, const QUrl& url) {
    Add({Kind::OpenUrl, owner, url.toString(), {}, PromptIcon::None, {}, {}});
    if (openResults_.empty()) {
        return defaultOpened;
    }
    const bool opened = openResults_.front();
    openResults_.pop_front();
    return opened;
}

std::optional<QString> RecordingPrompts::TakeFile() {
    const QStringList paths = TakeFiles();
    return paths.isEmpty() ? std::nullopt : std::optional<QString>(paths.front());
}

QStringList RecordingPrompts::TakeFiles() {
    if (files_.empty()) {
        return {};
    }
    QStringList paths = files_.front();
    files_.pop_front();
    if (paths.isEmpty() || paths.front().isNull()) {
        return {};
    }
    return paths;
}

std::vector<RecordingPrompts::Record> RecordingPrompts::Messages() const {
    std::vector<Record> result;
    for (const Record& record : records_) {
        if (record.kind == Kind::Message || record.kind == Kind::YesNo) {
            result.push_back(record);
        }
    }
    return result;
}

QStringList RecordingPrompts::OpenedUrls() const {
    QStringList result;
    for (const Record& record : records_) {
        if (record.kind == Kind::OpenUrl) {
            result.append(record.text);
        }
    }
    return result;
}

} // namespace uikit
