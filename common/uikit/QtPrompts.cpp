#include "QtPrompts.h"

#include "FileFilterText.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

namespace uikit {

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString StartPath(const FileRequest& request) {
    if (request.initialName.isEmpty() || request.initialName.startsWith("*")) {
        return request.initialFolder;
    }
    return request.initialFolder.isEmpty() ? request.initialName
                                           : request.initialFolder + "/" + request.initialName;
}

} // namespace

void QtPrompts::ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                            PromptIcon icon) {
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Ok, owner);
    box.exec();
}

PromptAnswer QtPrompts::AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                                 PromptIcon icon) {
    QMessageBox box(ToQtIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

std::optional<QString> QtPrompts::PickOpenFile(QWidget* owner, const FileRequest& request) {
    QString selected;
    const QString filters = FileFilterList(request, &selected);
    const QString path =
        QFileDialog::getOpenFileName(owner, request.title, StartPath(request), filters, &selected);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

QStringList QtPrompts::PickOpenFiles(QWidget* owner, const FileRequest& request) {
    QString selected;
    const QString filters = FileFilterList(request, &selected);
    return QFileDialog::getOpenFileNames(owner, request.title, StartPath(request), filters,
                                         &selected);
}

std::optional<QString> QtPrompts::PickSaveFile(QWidget* owner, const FileRequest& request) {
    QString selected;
    const QString filters = FileFilterList(request, &selected);
    // The caller decides about replacing and extensions itself.
    const QString path =
        QFileDialog::getSaveFileName(owner, request.title, StartPath(request), filters, &selected,
                                     QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path;
}

std::optional<QFont> QtPrompts::PickFont(QWidget* owner, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, owner);
    if (!ok) {
        return std::nullopt;
    }
    return font;
}

bool QtPrompts::OpenUrl(QWidget* /*owner*/, const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

} // namespace uikit
