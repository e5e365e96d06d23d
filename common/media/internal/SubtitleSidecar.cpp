#include "internal/SubtitleSidecar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <sstream>

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

bool ReadAssScript(const std::string& path, AssScript& script) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    if (file.size() > kMaxAssScriptBytes) {
        qWarning("subtitle script %s is %lld bytes, more than %lld: not drawn", path.c_str(),
                 static_cast<long long>(file.size()), static_cast<long long>(kMaxAssScriptBytes));
        return false;
    }
    return ParseAssScript(file.readAll().toStdString(), script);
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
