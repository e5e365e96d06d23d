#pragma once

#include "Prompts.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace uikit {

// Prompts for tests: records everything shown and answers from scripted queues.
// An unscripted question gets `defaultAnswer`, an unscripted file or font dialog
// is cancelled, an unscripted address opens as `defaultOpened` says.
class RecordingPrompts final : public Prompts {
public:
    enum class Kind { Message, YesNo, OpenFile, OpenFiles, SaveFile, Font, OpenUrl };

    struct Record {
        Kind kind;
        QWidget* owner;
        QString text; // for OpenUrl the address
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
    QStringList PickOpenFiles(QWidget* owner, const FileRequest& request) override;
    std::optional<QString> PickSaveFile(QWidget* owner, const FileRequest& request) override;
    std::optional<QFont> PickFont(QWidget* owner, const QFont& initial) override;
    bool OpenUrl(QWidget* owner, const QUrl& url) override;

    void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
    // A null QString cancels the dialog. Both open dialogs take from one queue:
    // a single file answers either, several answer PickOpenFiles (PickOpenFile
    // takes the first).
    void QueueFile(const QString& path) { files_.push_back({path}); }
    void QueueFiles(const QStringList& paths) { files_.push_back(paths); }
    void QueueFont(std::optional<QFont> font) { fonts_.push_back(std::move(font)); }
    // Whether the next address handed over opens.
    void QueueOpenResult(bool opened) { openResults_.push_back(opened); }
    // Called after each record is taken (e.g. to act while a box is "open").
    void OnPrompt(std::function<void(const Record&)> callback) { callback_ = std::move(callback); }

    const std::vector<Record>& records() const { return records_; }
    std::vector<Record> Messages() const; // Message and YesNo records only
    QStringList OpenedUrls() const;       // the addresses handed over, in order
    void Clear() { records_.clear(); }

    PromptAnswer defaultAnswer = PromptAnswer::Yes;
    bool defaultOpened = true;

private:
    void Add(Record record);
    std::optional<QString> TakeFile();
    QStringList TakeFiles(); // empty when cancelled

    std::vector<Record> records_;
    std::deque<PromptAnswer> answers_;
    std::deque<QStringList> files_;
    std::deque<std::optional<QFont>> fonts_;
    std::deque<bool> openResults_;
    std::function<void(const Record&)> callback_;
};

} // namespace uikit
