#include "internal/SubtitleSidecar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <optional>
#include <sstream>
#include <string_view>

namespace media::internal {

Sidecar FindSidecar(const std::string& videoPath) {
    const QFileInfo video(QString::fromStdString(videoPath));
    const QString base = video.completeBaseName();
    const QFileInfoList candidates =
        video.dir().entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    // The first of the formats in this order wins; libass keeps the styling.
    for (const auto& [suffix, format] : {std::pair{"ass", SidecarFormat::Ass},
                                         {"ssa", SidecarFormat::Ass},
                                         {"srt", SidecarFormat::Srt}}) {
        for (const QFileInfo& candidate : candidates) {
            if (candidate.completeBaseName() == base &&
                candidate.suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0) {
                return {candidate.filePath().toStdString(), format};
            }
        }
    }
    return {};
}

namespace {

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

// Splits into at most `count` fields; the last keeps its commas (the text does).
std::vector<std::string> SplitFields(const std::string& text, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < count) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            break;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

// "H:MM:SS.cc" to nanoseconds; negative when malformed or out of range. The
// bounds keep every sum of a start and a length far inside 64 bits.
std::int64_t ParseTime(const std::string& text) {
    constexpr int kHoursLimit = 1000;
    int hours = 0;
    int minutes = 0;
    double seconds = 0.0;
    char colon1 = 0;
    char colon2 = 0;
    std::istringstream in(Trim(text));
    if (!(in >> hours >> colon1 >> minutes >> colon2 >> seconds) || colon1 != ':' ||
        colon2 != ':' || hours < 0 || hours >= kHoursLimit || minutes < 0 || minutes >= 60 ||
        !(seconds >= 0.0 && seconds < 60.0)) {
        return -1;
    }
    return (static_cast<std::int64_t>(hours) * 3600 + minutes * 60) * 1'000'000'000LL +
           static_cast<std::int64_t>(seconds * 1e9 + 0.5);
}

} // namespace

bool ParseAssScript(const std::string& text, AssScript& script) {
    script = {};
    std::istringstream in(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text);
    std::vector<std::string> format;
    bool inEvents = false;
    int readOrder = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            inEvents = StartsWithNoCase(trimmed, "[events]");
        } else if (inEvents && StartsWithNoCase(trimmed, "format:")) {
            format.clear();
            for (const std::string& name : SplitFields(trimmed.substr(7), 64)) {
                format.push_back(Trim(name));
            }
        } else if (inEvents && StartsWithNoCase(trimmed, "dialogue:") && !format.empty()) {
            const std::vector<std::string> fields = SplitFields(trimmed.substr(9), format.size());
            if (fields.size() != format.size()) {
                continue;
            }
            AssEvent event;
            std::int64_t end = -1;
            event.startNs = -1;
            event.block = std::to_string(readOrder++);
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (StartsWithNoCase(format[i], "start")) {
                    event.startNs = ParseTime(fields[i]);
                } else if (StartsWithNoCase(format[i], "end")) {
                    end = ParseTime(fields[i]);
                } else {
                    event.block += ',' + (i + 1 == fields.size() ? fields[i] : Trim(fields[i]));
                }
            }
            if (event.startNs >= 0 && end >= event.startNs) {
                event.durationNs = end - event.startNs;
                script.events.push_back(std::move(event));
            }
            continue;
        }
        script.header += line + '\n';
    }
    std::stable_sort(script.events.begin(), script.events.end(),
                     [](const AssEvent& a, const AssEvent& b) { return a.startNs < b.startNs; });
    return !format.empty();
}

namespace {

// The whole file, or nothing when it cannot be read or is too large.
std::optional<std::string> ReadSubtitleFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    if (file.size() > kMaxSubtitleFileBytes) {
        qWarning("subtitle file %s is %lld bytes, more than %lld: not drawn", path.c_str(),
                 static_cast<long long>(file.size()),
                 static_cast<long long>(kMaxSubtitleFileBytes));
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

// UTF-16 text (with its byte order mark) as UTF-8; other text as it is.
std::string AsEightBitText(const std::string& bytes) {
    const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    const bool big = bytes.compare(0, 2, "\xFE\xFF") == 0;
    if (!little && !big) {
        return bytes;
    }
    QString text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text += QChar(static_cast<char16_t>(little ? first | second << 8 : first << 8 | second));
    }
    return text.toStdString();
}

bool HasOverlongLine(const std::string& text) {
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            if (i - lineStart > kMaxSubtitleLineBytes) {
                return true;
            }
            lineStart = i + 1;
        }
    }
    return false;
}

bool ParseSidecarText(SidecarFormat format, const std::string& text, AssScript& script) {
    switch (format) {
    case SidecarFormat::Ass:
        return ParseAssScript(text, script);
    case SidecarFormat::Srt:
        return ParseSrtScript(text, script);
    case SidecarFormat::None:
        break;
    }
    return false;
}

} // namespace

bool ReadSidecarScript(const Sidecar& sidecar, AssScript& script) {
    const std::optional<std::string> bytes = ReadSubtitleFile(sidecar.path);
    return bytes && ParseSidecarText(sidecar.format, AsEightBitText(*bytes), script);
}

bool SidecarReadable(const Sidecar& sidecar) {
    const std::optional<std::string> bytes = ReadSubtitleFile(sidecar.path);
    if (!bytes) {
        return false;
    }
    const std::string text = AsEightBitText(*bytes);
    if (HasOverlongLine(text)) {
        qWarning("subtitle file %s has a line longer than %zu bytes: not drawn",
                 sidecar.path.c_str(), kMaxSubtitleLineBytes);
        return false;
    }
    AssScript script;
    return ParseSidecarText(sidecar.format, text, script);
}

std::size_t FirstEventFrom(const AssScript& script, std::int64_t positionNs) {
    for (std::size_t i = 0; i < script.events.size(); ++i) {
        if (script.events[i].startNs + script.events[i].durationNs > positionNs) {
            return i;
        }
    }
    return script.events.size();
}

} // namespace media::internal
