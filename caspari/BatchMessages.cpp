#include "BatchMessages.h"

#include <utility>

namespace caspari {

BatchMessages::BatchMessages() : user_(uikit::CurrentPrompts()), scope_(*this) {}

QString BatchMessages::TakeLast() {
    return std::exchange(last_, QString());
}

void BatchMessages::ShowMessage(QWidget* /*owner*/, const QString& text, const QString& /*caption*/,
                                uikit::PromptIcon /*icon*/) {
    last_ = text;
}

uikit::PromptAnswer BatchMessages::AskYesNo(QWidget* owner, const QString& text,
                                            const QString& caption, uikit::PromptIcon icon) {
    return user_.AskYesNo(owner, text, caption, icon);
}

std::optional<QString> BatchMessages::PickOpenFile(QWidget* owner,
                                                   const uikit::FileRequest& request) {
    return user_.PickOpenFile(owner, request);
}

QStringList BatchMessages::PickOpenFiles(QWidget* owner, const uikit::FileRequest& request) {
    return user_.PickOpenFiles(owner, request);
}

std::optional<QString> BatchMessages::PickSaveFile(QWidget* owner,
                                                   const uikit::FileRequest& request) {
    return user_.PickSaveFile(owner, request);
}

std::optional<QFont> BatchMessages::PickFont(QWidget* owner, const QFont& initial) {
    return user_.PickFont(owner, initial);
}

bool BatchMessages::OpenUrl(QWidget* owner, const QUrl& url) {
    return user_.OpenUrl(owner, url);
}

} // namespace caspari
