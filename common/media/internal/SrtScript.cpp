// SRT files as ASS scripts of the default text style (see SubtitleSidecar.h):
// read here rather than by the framework's parser, which drops SRT's colour
// tags before they could reach the renderer.

#include "internal/SubtitleSidecar.h"
#include "internal/TextToAss.h"

#include <glib.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string_view>

namespace media::internal {

namespace {
namespace srt_script {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// "01:02:03,456" (or with a point, or fewer digits) to nanoseconds; -1 when
// malformed. Hours stay below 1000, as in ASS scripts.
std::int64_t ParseSrtTime(std::string_view text) {
    text = Trimmed(text);
    std::int64_t fields[3] = {0, 0, 0};
    std::size_t at = 0;
    for (int field = 0; field < 3; ++field) {
        std::size_t digits = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0 &&
               digits < 3) {
            fields[field] = fields[field] * 10 + (text[at++] - '0');
            ++digits;
        }
        const char separator = field < 2 ? ':' : 0;
        if (digits == 0 || (field < 2 && (at >= text.size() || text[at++] != separator))) {
            return -1;
        }
    }
    std::int64_t fraction = 0;
    if (at < text.size() && (text[at] == ',' || text[at] == '.')) {
        ++at;
        std::int64_t scale = 100'000'000; // the first digit counts tenths
        std::size_t digits = 0;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])) != 0) {
            if (digits++ < 9) {
                fraction += (text[at] - '0') * scale;
                scale /= 10;
            }
            ++at;
        }
    }
    if (at != text.size() || fields[1] >= 60 || fields[2] >= 60) {
        return -1;
    }
    return (fields[0] * 3600 + fields[1] * 60 + fields[2]) * 1'000'000'000LL + fraction;
}

// A time line "start --> end", perhaps followed by position fields.
bool ParseTimeLine(std::string_view line, std::int64_t& start, std::int64_t& end) {
    const std::size_t arrow = line.find("-->");
    if (arrow == std::string_view::npos) {
        return false;
    }
    std::string_view rest = Trimmed(line.substr(arrow + 3));
    rest = rest.substr(0, rest.find_first_of(" \t"));
    start = ParseSrtTime(line.substr(0, arrow));
    end = ParseSrtTime(rest);
    return start >= 0 && end >= 0;
}

bool IsNumber(std::string_view line) {
    line = Trimmed(line);
    return !line.empty() && std::all_of(line.begin(), line.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// Text that is not UTF-8 is taken as the encoding GST_SUBTITLE_ENCODING names,
// else as Windows-1252, the usual one of older SRT files.
std::string AsUtf8(const std::string& text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return text;
    }
    const char* named = std::getenv("GST_SUBTITLE_ENCODING");
    for (const char* encoding : {named, "WINDOWS-1252", "ISO-8859-1"}) {
        if (encoding == nullptr || *encoding == '\0') {
            continue;
        }
        gsize written = 0;
        gchar* converted = g_convert(text.data(), static_cast<gssize>(text.size()), "UTF-8",
                                     encoding, nullptr, &written, nullptr);
        if (converted != nullptr) {
            std::string result(converted, written);
            g_free(converted);
            return result;
        }
    }
    return text;
}

class CueCollector {
public:
    explicit CueCollector(AssScript& script) : script_(script) {}

    void Start(std::int64_t start, std::int64_t end) {
        Finish();
        open_ = true;
        start_ = start;
        end_ = end;
    }
    void Add(std::string_view line) {
        if (!open_) {
            return;
        }
        if (!lines_.empty()) {
            lines_ += '\n';
        }
        lines_ += line;
    }
    // A cue whose blank line is missing may end in the next cue's number.
    void DropTrailingNumber() {
        const std::size_t lastBreak = lines_.rfind('\n');
        const std::size_t from = lastBreak == std::string::npos ? 0 : lastBreak + 1;
        if (open_ && IsNumber(std::string_view(lines_).substr(from))) {
            lines_.erase(lastBreak == std::string::npos ? 0 : lastBreak);
        }
    }
    void Finish() {
        if (open_ && end_ >= start_) {
            const std::string text = CueToAssText(lines_, CueMarkup::Plain);
            if (!text.empty()) {
                script_.events.push_back(
                    {start_, end_ - start_,
                     std::to_string(readOrder_++) + ",0,Default,,0,0,0,," + text});
            }
        }
        open_ = false;
        lines_.clear();
    }

private:
    AssScript& script_;
    bool open_ = false;
    std::int64_t start_ = 0;
    std::int64_t end_ = 0;
    std::string lines_;
    int readOrder_ = 0;
};

} // namespace srt_script
} // namespace

bool ParseSrtScript(const std::string& bytes, AssScript& script) {
    script = {};
    script.header = TextToAssHeader();
    std::string text = srt_script::AsUtf8(bytes);
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        text.erase(0, 3);
    }
    srt_script::CueCollector cues(script);
    bool anyTimeLine = false;
    std::size_t lineStart = 0;
    while (lineStart <= text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos) {
            lineEnd = text.size();
        }
        std::string_view line(text.data() + lineStart, lineEnd - lineStart);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        std::int64_t start = 0;
        std::int64_t end = 0;
        if (srt_script::ParseTimeLine(line, start, end)) {
            cues.DropTrailingNumber();
            cues.Start(start, end);
            anyTimeLine = true;
        } else if (srt_script::Trimmed(line).empty()) {
            cues.Finish();
        } else {
            cues.Add(line);
        }
        lineStart = lineEnd + 1;
    }
    cues.Finish();
    std::stable_sort(script.events.begin(), script.events.end(),
                     [](const AssEvent& a, const AssEvent& b) { return a.startNs < b.startNs; });
    return anyTimeLine;
}

} // namespace media::internal
