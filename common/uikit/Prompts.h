#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QUrl;
class QWidget;

namespace uikit {

enum class PromptIcon { None, Information, Warning, Error, Question };

enum class PromptAnswer { Ok, Yes, No, Cancel };

struct FileFilter {
    QString description; // e.g. "Video Files (*.mkv)"
    QString patterns;    // e.g. "*.mkv" or "*.*;"
};

struct FileRequest {
    QString title;
    QString initialFolder;
    QString initialName;
    std::vector<FileFilter> filters;
    int selectedFilter = 0;
    bool mustExist = false;
};

// Every question or notice the programs put to the user passes through here,
// so tests can see what was shown and answer it.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message with an OK button. `owner` may be null (a box without owner).
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                             PromptIcon icon) = 0;
    // A question with Yes and No buttons.
    virtual PromptAnswer AskYesNo(QWidget* owner, const QString& text, const QString& caption,
                                  PromptIcon icon) = 0;
    virtual std::optional<QString> PickOpenFile(QWidget* owner, const FileRequest& request) = 0;
    // The open dialog with several files picked at once; empty when cancelled.
    virtual QStringList PickOpenFiles(QWidget* owner, const FileRequest& request) = 0;
    virtual std::optional<QString> PickSaveFile(QWidget* owner, const FileRequest& request) = 0;
    virtual std::optional<QFont> PickFont(QWidget* owner, const QFont& initial) = 0;
    // Hands `url` to the desktop (browser, mail or help viewer); false when
    // nothing could open it.
    virtual bool OpenUrl(QWidget* owner, const QUrl& url) = 0;
};

// The prompts in force for the process: the Qt dialogs unless replaced.
Prompts& CurrentPrompts();

// Replaces the prompts in force while the object lives (tests).
class ScopedPrompts {
public:
    explicit ScopedPrompts(Prompts& replacement);
    ~ScopedPrompts();
    ScopedPrompts(const ScopedPrompts&) = delete;
    ScopedPrompts& operator=(const ScopedPrompts&) = delete;

private:
    Prompts* previous_;
};

// Shorthands for the common boxes.
void ShowError(QWidget* owner, const QString& text);      // caption "Error"
void ShowAppMessage(QWidget* owner, const QString& text); // caption = application name

} // namespace uikit
