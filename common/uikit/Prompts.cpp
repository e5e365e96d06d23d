#include "Prompts.h"

#include "Profile.h"
#include "QtPrompts.h"

namespace uikit {

namespace {

Prompts*& Installed() {
    static Prompts* installed = nullptr;
    return installed;
}

} // namespace

Prompts& CurrentPrompts() {
    static QtPrompts qtPrompts;
    Prompts* installed = Installed();
    return installed != nullptr ? *installed : qtPrompts;
}

ScopedPrompts::ScopedPrompts(Prompts& replacement) : previous_(Installed()) {
    Installed() = &replacement;
}

ScopedPrompts::~ScopedPrompts() {
    Installed() = previous_;
}

void ShowError(QWidget* owner, const QString& text) {
    CurrentPrompts().ShowMessage(owner, text, "Error", PromptIcon::Error);
}

void ShowAppMessage(QWidget* owner, const QString& text) {
    CurrentPrompts().ShowMessage(owner, text, ApplicationName(), PromptIcon::None);
}

} // namespace uikit
