#pragma once

#include "Prompts.h"

namespace caspari {

// While a batch converts, the messages its files raise (a file that does not
// open, a failed run) are kept for the one summary at the end instead of each
// opening a box. Installed as the prompts in force while it lives; questions,
// dialogs and the window's own notices still reach the user through User().
class BatchMessages final : public uikit::Prompts {
public:
    BatchMessages();

    uikit::Prompts& User() { return user_; }
    // The last message shown since the previous call, then forgets it.
    QString TakeLast();

    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     uikit::PromptIcon icon) override;
    uikit::PromptAnswer AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                                 uikit::PromptIcon icon) override;
    std::optional<QString> PickOpenFile(QWidget* owner, const uikit::FileRequest& request) override;
    QStringList PickOpenFiles(QWidget* owner, const uikit::FileRequest& request) override;
    std::optional<QString> PickSaveFile(QWidget* owner, const uikit::FileRequest& request) override;
    std::optional<QFont> PickFont(QWidget* owner, const QFont& initial) override;
    bool OpenUrl(QWidget* owner, const QUrl& url) override;

private:
    uikit::Prompts& user_;
    uikit::ScopedPrompts scope_;
    QString last_;
};

} // namespace caspari
