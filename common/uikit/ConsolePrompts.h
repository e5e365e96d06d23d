#pragma once

#include "Prompts.h"

#include <QStringList>

namespace uikit {

// The prompts of a run from the command line: no window, nothing waits for
// input. A message goes to standard error under the program's name; a question
// is written there with its answer, which is always No (the run's options
// decide beforehand whatever a Yes would allow); file and font dialogs are
// cancelled and no address is opened.
class ConsolePrompts final : public Prompts {
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

    // Why a step failed, for the run's summary: the last text shown since the
    // last call, else `fallback`.
    QString TakeReason(const QString& fallback = {});

private:
    QStringList shown_;
};

} // namespace uikit
