#include "LanguagePack.h"

namespace uikit {

QString LanguagePack::BuiltIn(int id) const {
    const char* text = res::FindString(builtIns_, id);
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

QString LanguagePack::GetMessageText(int id) const {
    return BuiltIn(id);
}

QString LanguagePack::GetDialogText(int id) const {
    return BuiltIn(id);
}

LanguagePack& Language() {
    static LanguagePack pack;
    return pack;
}

} // namespace uikit
