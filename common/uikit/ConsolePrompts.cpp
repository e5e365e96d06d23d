#include "ConsolePrompts.h"

#include "ConsoleOutput.h"
#include "Profile.h"

namespace uikit {

void ConsolePrompts::ShowMessage(QWidget*, const QString& text, const QString&, PromptIcon) {
    PrintLine(stderr, ApplicationName() + ": " + text);
    shown_.append(text);
}

PromptAnswer ConsolePrompts::AskYesNo(QWidget*, const QString& text, const QString&, PromptIcon) {
    PrintLine(stderr, ApplicationName() + ": " + text + " [No]");
    shown_.append(text);
    return PromptAnswer::No;
}

std::optional<QString> ConsolePrompts::PickOpenFile(QWidget*, const FileRequest&) {
    return std::nullopt;
}

QStringList ConsolePrompts::PickOpenFiles(QWidget*, const FileRequest&) {
    return {};
}

std::optional<QString> ConsolePrompts::PickSaveFile(QWidget*, const FileRequest&) {
    return std::nullopt;
}

std::optional<QFont> ConsolePrompts::PickFont(QWidget*, const QFont&) {
    return std::nullopt;
}

bool ConsolePrompts::OpenUrl(QWidget*, const QUrl&) {
    return false;
}

QString ConsolePrompts::TakeReason(const QString& fallback) {
    const QStringList shown = std::exchange(shown_, {});
    return shown.isEmpty() ? fallback : shown.back();
}

} // namespace uikit
