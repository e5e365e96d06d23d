#pragma once

#include "Prompts.h"

#include <deque>
#include <functional>

namespace uikit {

// Prompts for tests: records everything shown and answers from scripted queues.
// An unscripted question gets `defaultAnswer`, an unscripted file or font dialog
// is cancelled.
class RecordingPrompts final : public Prompts {
public:
    enum class Kind { Message, YesNo, OpenFile, SaveFile, Font };

    struct Record {
        Kind kind;
        QWidget* owner;
        QString text;
        QString caption;
        PromptIcon icon;
        FileRequest fileRequest;
        QFont font;
    };

    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     PromptIcon icon) override;
    PromptAnswer AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                          PromptIcon icon) override;
    std::optional<QString> PickOpenFile(QWidget* owner, const FileRequest& request) override;
    std::optional<QString> PickSaveFile(QWidget* owner, const FileRequest& request) override;
    std::optional<QFont> PickFont(QWidget* owner, const QFont& initial) override;

    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    // A null QString cancels the dialog.
    void QueueFile(const QString& path) { files_.push_back(path); }
    void QueueFont(std::optional<QFont> font) { fonts_.push_back(std::move(font)); }
    // Called after each record is taken (e.g. to act while a box is "open").
    void OnPrompt(std::function<void(const Record&)> callback) { callback_ = std::move(callback); }

    const std::vector<Record>& records() const { return records_; }
    std::vector<Record> Messages() const; // Message and YesNo records only
    void Clear() { records_.clear(); }

    PromptAnswer defaultAnswer = PromptAnswer::Yes;

private:
    void Add(Record record);
    std::optional<QString> TakeFile();

    std::vector<Record> records_;
    std::deque<PromptAnswer> answers_;
    std::deque<QString> files_;
    std::deque<std::optional<QFont>> fonts_;
    std::function<void(const Record&)> callback_;
};

} // namespace uikit
