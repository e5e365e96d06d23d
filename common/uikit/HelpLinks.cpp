#include "HelpLinks.h"

#include "ProductAddresses.h"
#include "Prompts.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QShortcut>
#include <QWidget>

#ifndef CONVERTERS_DATA_SUBDIR
#define CONVERTERS_DATA_SUBDIR "share/videoconverters"
#endif

namespace uikit {

namespace {

constexpr auto kHelpFolder = "help";

QString PageIn(const QString& base, const QString& page) {
    return QDir(base).filePath(QString(kHelpFolder) + '/' + page);
}

} // namespace

QUrl HelpPageUrl(const QString& page) {
    return HelpPageUrl(page, QCoreApplication::applicationDirPath());
}

QUrl HelpPageUrl(const QString& page, const QString& programFolder) {
    const QString program = QDir::cleanPath(programFolder);
    const QString parent = QFileInfo(program).path();
    // The same order LanguagePack::FindBaseFolder searches for the language files.
    for (const QString& base : {parent, QDir(parent).filePath(CONVERTERS_DATA_SUBDIR)}) {
        const QString path = PageIn(base, page);
        if (QFileInfo(path).isFile()) {
            return QUrl::fromLocalFile(path);
        }
    }
    return QUrl::fromLocalFile(PageIn(program, page));
}

void OpenHelpPage(QWidget* owner, const QString& page) {
    CurrentPrompts().OpenUrl(owner, HelpPageUrl(page));
}

void OpenHomepage(QWidget* owner) {
    if (CurrentPrompts().OpenUrl(owner, QUrl(kProductHomepage))) {
        return;
    }
    CurrentPrompts().ShowMessage(
        owner,
        QString("The Program does not launch your web browser to access ") + kMakerSite +
            " ,\nPlease launch your web browser and input the URL "
            "manually.",
        "unknown errors", PromptIcon::None);
}

void ConnectHelpCommands(QWidget& window, QAbstractButton& help, QAbstractButton& homepage,
                         const QString& page) {
    const auto showHelp = [owner = &window, page] { OpenHelpPage(owner, page); };
    QObject::connect(&help, &QAbstractButton::clicked, &window, showHelp);
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    QObject::connect(key, &QShortcut::activated, &window, showHelp);
    QObject::connect(&homepage, &QAbstractButton::clicked, &window,
                     [owner = &window] { OpenHomepage(owner); });
}

} // namespace uikit
