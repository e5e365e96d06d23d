#pragma once

#include "Prompts.h"

namespace uikit {

// The real prompts: Qt message boxes and file and font dialogs.
class QtPrompts final : public Prompts {
public:
    void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                     PromptIcon icon) override;
    PromptAnswer AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                          PromptIcon icon) override;
    std::optional<QString> PickOpenFile(QWidget* owner, const FileRequest& request) override;
    QStringList PickOpenFiles(QWidget* owner, const FileRequest& request) override;
    std::optional<QString> PickSaveFile(QWidget* owner, const FileRequest& request) override;
    std::optional<QFont> PickFont(QWidget* owner, const QFont& initial) override;
    bool OpenUrl(QWidget* owner, const QUrl& url) override;
};

} // namespace uikit
