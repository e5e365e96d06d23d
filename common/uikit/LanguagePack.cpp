#include "LanguagePack.h"

#include "IniFile.h"
#include "LanguageFont.h"
#include "LanguageLocale.h"
#include "Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#ifndef CONVERTERS_DATA_SUBDIR
#define CONVERTERS_DATA_SUBDIR "share/videoconverters"
#endif

namespace uikit {

namespace {

constexpr auto kLanguageFolder = "language";
constexpr auto kExtension = ".ini";

bool IsReadableFile(const QString& path) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly);
}

bool HoldsEnglishFile(const QString& folder) {
    return IsReadableFile(folder + '/' + kLanguageFolder + "/English" + kExtension);
}

// The first `maxBytes` bytes of `text`, never splitting a character.
QString CutToBytes(const QString& text, int maxBytes) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() <= maxBytes) {
        return text;
    }
    qsizetype end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) {
        --end;
    }
    return QString::fromUtf8(bytes.left(end));
}

QString ExpandEscapes(QString text) {
    text.replace(QLatin1String("\\t"), QLatin1String("\t"));
    text.replace(QLatin1String("\\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\\r"), QLatin1String("\r"));
    return text;
}

} // namespace

QString LanguagePack::FindBaseFolder() {
    return FindBaseFolder(QCoreApplication::applicationDirPath());
}

QString LanguagePack::FindBaseFolder(const QString& programFolder) {
    const QString program = QDir::cleanPath(programFolder);
    const qsizetype lastSeparator = program.lastIndexOf('/');
    if (lastSeparator < 0) {
        return program;
    }
    const QString parent = lastSeparator == 0 ? QStringLiteral("/") : program.left(lastSeparator);
    if (HoldsEnglishFile(parent)) {
        return parent;
    }
    // An installed program finds its files under <prefix>/share rather than beside it.
    const QString installedData = QDir(parent).filePath(CONVERTERS_DATA_SUBDIR);
    if (HoldsEnglishFile(installedData)) {
        return installedData;
    }
    return program;
}

bool LanguagePack::Initialize(const QString& baseFolder, const QString& requestedName) {
    baseFolder_ = baseFolder;
    languageNames_.clear();
    // Texts of an earlier load must not outlive the files they came from.
    menuTexts_.clear();
    messageTexts_.clear();
    dialogTexts_.clear();
    ScanLanguageFiles();
    if (languageNames_.isEmpty()) {
        return false;
    }
    SelectLanguage(requestedName);
    return true;
}

bool LanguagePack::ScanLanguageFiles() {
    const QDir folder(baseFolder_ + '/' + kLanguageFolder);
    const QStringList entries = folder.entryList(QDir::Files | QDir::Readable, QDir::NoSort);
    std::vector<QByteArray> titles;
    for (const QString& entry : entries) {
        if (entry.endsWith(kExtension, Qt::CaseInsensitive)) {
            titles.push_back(entry.chopped(QLatin1String(kExtension).size()).toUtf8());
        }
    }
    // Byte-wise order: upper case before lower case.
    std::sort(titles.begin(), titles.end());
    for (const QByteArray& title : titles) {
        languageNames_.append(QString::fromUtf8(title));
    }
    return !titles.empty();
}

bool LanguagePack::SelectLanguage(const QString& name) {
    menuTexts_.clear();
    messageTexts_.clear();
    dialogTexts_.clear();
    currentName_ = kEnglishLanguage;
    const bool listed =
        std::any_of(languageNames_.cbegin(), languageNames_.cend(), [&](const QString& title) {
            return title.compare(name, Qt::CaseInsensitive) == 0;
        });
    if (listed) {
        currentName_ = name;
    }
    LoadLanguage(currentName_);
    return true;
}

QString LanguagePack::FindLanguageFile(const QString& name) const {
    const QString wanted = name + kExtension;
    const QDir folder(baseFolder_ + '/' + kLanguageFolder);
    // Only entries of the folder itself are ever opened, so a name holding
    // "/" or ".." cannot reach a file elsewhere.
    QString match;
    for (const QString& entry : folder.entryList(QDir::Files, QDir::Name)) {
        if (entry == wanted) {
            return folder.filePath(entry);
        }
        if (match.isEmpty() && entry.compare(wanted, Qt::CaseInsensitive) == 0) {
            match = folder.filePath(entry);
        }
    }
    return match;
}

bool LanguagePack::LoadLanguage(const QString& name) {
    if (languageNames_.isEmpty()) {
        return false;
    }
    // Lookups take the first entry of an ID: texts of an earlier load must go.
    menuTexts_.clear();
    messageTexts_.clear();
    dialogTexts_.clear();
    fileEncoding_ = EncodingOfTitle(name);
    locale_ = SwitchProcessLocale(name, fileEncoding_, locale_);

    const QString found = FindLanguageFile(name);
    filePath_ =
        found.isEmpty() ? baseFolder_ + '/' + kLanguageFolder + '/' + name + kExtension : found;
    // Without a file every key reads as empty and every text stays built-in.
    const IniFile file = found.isEmpty() ? IniFile() : IniFile::Load(found);
    for (const res::LanguageKey& row : keys_) {
        const QString key = QString::fromLatin1(row.key);
        const QString prefix = key.left(3);
        TextList* texts = nullptr;
        QString section;
        if (prefix == "IDS") {
            texts = &messageTexts_;
            section = "STRING";
        } else if (prefix == "IDM" || prefix == "IDR") {
            texts = &menuTexts_;
            section = "MENU";
        } else if (prefix == "IDD" || prefix == "IDC") {
            texts = &dialogTexts_;
            section = "DIALOG";
        } else {
            continue;
        }
        const QString text = ExpandEscapes(CutToBytes(file.Value(section, key), kMaxTextBytes));
        texts->emplace_back(static_cast<int>(row.id), text);
    }

    CreateDialogFont();
    return true;
}

QString LanguagePack::BuiltIn(int id) const {
    const char* text = res::FindString(builtIns_, id);
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

QString LanguagePack::FindText(const TextList& texts, int id) {
    const auto found = std::find_if(texts.cbegin(), texts.cend(),
                                    [id](const auto& entry) { return entry.first == id; });
    return found != texts.cend() ? found->second : QString();
}

QString LanguagePack::GetMessageText(int id) const {
    const QString text = FindText(messageTexts_, id);
    return text.isEmpty() ? BuiltIn(id) : text;
}

QString LanguagePack::GetDialogText(int id) const {
    const QString text = FindText(dialogTexts_, id);
    return text.isEmpty() ? BuiltIn(id) : text;
}

QString LanguagePack::FindDialogText(int id) const {
    return FindText(dialogTexts_, id);
}

QString LanguagePack::FindMenuText(int id) const {
    return FindText(menuTexts_, id);
}

QString LanguagePack::GetLanguageName(int index) const {
    return index >= 0 && index < languageNames_.size() ? languageNames_[index] : QString();
}

bool LanguagePack::CreateDialogFont() {
    if (!SetDialogFont(StoredLanguageFont(currentName_))) {
        CurrentPrompts().ShowMessage(nullptr, "Failed to create font", "Error", PromptIcon::Error);
        return false;
    }
    return true;
}

bool LanguagePack::SetDialogFont(const LogFont& description) {
    dialogFontDescription_ = description;
    dialogFont_ = FontFromDescription(description);
    return dialogFont_.has_value();
}

LanguagePack& Language() {
    static LanguagePack pack;
    return pack;
}

} // namespace uikit
