#include "WmProfile.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <sstream>

namespace media {

// Text form: one item a line, a header naming the form, strings escaped so
// that they hold no blanks. Every field is written; reading wants them all.
namespace {

constexpr const char* kTextHeader = "caspari-wm-profile 1";

const char* MajorName(WmMajorType type) {
    switch (type) {
    case WmMajorType::Audio:
        return "audio";
    case WmMajorType::Video:
        return "video";
    case WmMajorType::Script:
        return "script";
    }
    return "";
}

const char* ExclusionName(WmExclusionType type) {
    switch (type) {
    case WmExclusionType::Bitrate:
        return "bitrate";
    case WmExclusionType::Language:
        return "language";
    case WmExclusionType::Presentation:
        return "presentation";
    case WmExclusionType::Unknown:
        break;
    }
    return "unknown";
}

// ':' then the bytes, with blanks, controls, '%' and bytes past ASCII as %XX.
std::string EscapeText(const std::string& text) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string escaped = ":";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F || c == '%') {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool UnescapeText(const std::string& token, std::string& text) {
    if (token.empty() || token[0] != ':') {
        return false;
    }
    std::string result;
    for (std::size_t i = 1; i < token.size(); ++i) {
        if (token[i] != '%') {
            result += token[i];
            continue;
        }
        if (i + 2 >= token.size()) {
            return false;
        }
        const int high = HexDigit(token[i + 1]);
        const int low = HexDigit(token[i + 2]);
        if (high < 0 || low < 0) {
            return false;
        }
        result += static_cast<char>(high * 16 + low);
        i += 2;
    }
    text = std::move(result);
    return true;
}

std::string HexBytes(const std::uint8_t* bytes, std::size_t size) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string text = "x";
    for (std::size_t i = 0; i < size; ++i) {
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 0xF];
    }
    return text;
}

bool ParseHexBytes(const std::string& token, std::vector<std::uint8_t>& bytes) {
    if (token.empty() || token[0] != 'x' || token.size() % 2 != 1) {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 1; i < token.size(); i += 2) {
        const int high = HexDigit(token[i]);
        const int low = HexDigit(token[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return true;
}

void WriteMediaType(std::ostream& out, const WmMediaType& type) {
    out << "mediatype " << type.subtype << ' ' << (type.fixedSizeSamples ? 1 : 0) << ' '
        << (type.temporalCompression ? 1 : 0) << ' ' << type.sampleSize << '\n';
    if (const WmWaveFormat* wave = type.Wave()) {
        out << "wave " << wave->wFormatTag << ' ' << wave->nChannels << ' ' << wave->nSamplesPerSec
            << ' ' << wave->nAvgBytesPerSec << ' ' << wave->nBlockAlign << ' '
            << wave->wBitsPerSample << ' ' << HexBytes(wave->extra.data(), wave->extra.size())
            << '\n';
    } else if (const WmVideoInfoHeader* video = type.Video()) {
        const WmRect& s = video->rcSource;
        const WmRect& t = video->rcTarget;
        const WmBitmapInfoHeader& b = video->bmiHeader;
        out << "videoinfo " << s.left << ' ' << s.top << ' ' << s.right << ' ' << s.bottom << ' '
            << t.left << ' ' << t.top << ' ' << t.right << ' ' << t.bottom << ' '
            << video->dwBitRate << ' ' << video->dwBitErrorRate << ' ' << video->AvgTimePerFrame
            << ' ' << b.biWidth << ' ' << b.biHeight << ' ' << b.biPlanes << ' ' << b.biBitCount
            << ' ' << b.biCompression << ' ' << b.biSizeImage << '\n';
    } else if (const auto* script = std::get_if<WmScriptFormat>(&type.format)) {
        out << "scriptformat " << HexBytes(script->scriptType.data(), script->scriptType.size())
            << '\n';
    } else {
        out << "noformat\n";
    }
}

// Reads the whitespace-separated tokens of one line.
class LineReader {
public:
    explicit LineReader(const std::string& text) : in_(text) {}

    // The next line's tokens; false at the end.
    bool Next(std::vector<std::string>& tokens) {
        std::string line;
        if (!std::getline(in_, line)) {
            return false;
        }
        tokens.clear();
        std::istringstream words(line);
        for (std::string word; words >> word;) {
            tokens.push_back(word);
        }
        return true;
    }

    // The next line, which must start with key and have count values after it.
    bool Expect(const char* key, std::size_t count, std::vector<std::string>& tokens) {
        return Next(tokens) && tokens.size() == count + 1 && tokens[0] == key;
    }

private:
    std::istringstream in_;
};

template <typename T>
bool ParseNumber(const std::string& token, T& value) {
    const char* end = token.data() + token.size();
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    return error == std::errc() && stop == end;
}

template <typename... T>
bool ParseNumbers(const std::vector<std::string>& tokens, std::size_t first, T&... values) {
    std::size_t index = first;
    return (ParseNumber(tokens[index++], values) && ...);
}

bool ParseBool(const std::string& token, bool& value) {
    int number = 0;
    if (!ParseNumber(token, number) || (number != 0 && number != 1)) {
        return false;
    }
    value = number == 1;
    return true;
}

bool ReadMediaType(LineReader& reader, WmMajorType major, WmMediaType& type) {
    std::vector<std::string> tokens;
    type = {};
    type.majorType = major;
    if (!reader.Expect("mediatype", 4, tokens) || !ParseNumber(tokens[1], type.subtype) ||
        !ParseBool(tokens[2], type.fixedSizeSamples) ||
        !ParseBool(tokens[3], type.temporalCompression) ||
        !ParseNumber(tokens[4], type.sampleSize) || !reader.Next(tokens) || tokens.empty()) {
        return false;
    }
    if (tokens[0] == "wave" && tokens.size() == 8) {
        WmWaveFormat wave;
        if (!ParseNumbers(tokens, 1, wave.wFormatTag, wave.nChannels, wave.nSamplesPerSec,
                          wave.nAvgBytesPerSec, wave.nBlockAlign, wave.wBitsPerSample) ||
            wave.nAvgBytesPerSec > kMaxWaveBytesPerSecond ||
            !ParseHexBytes(tokens[7], wave.extra) ||
            wave.extra.size() > std::numeric_limits<std::uint16_t>::max()) {
            return false;
        }
        wave.cbSize = static_cast<std::uint16_t>(wave.extra.size());
        type.formatType = WmFormatType::WaveFormatEx;
        type.format = std::move(wave);
        return true;
    }
    if (tokens[0] == "videoinfo" && tokens.size() == 18) {
        WmVideoInfoHeader v;
        WmBitmapInfoHeader& b = v.bmiHeader;
        if (!ParseNumbers(tokens, 1, v.rcSource.left, v.rcSource.top, v.rcSource.right,
                          v.rcSource.bottom, v.rcTarget.left, v.rcTarget.top, v.rcTarget.right,
                          v.rcTarget.bottom, v.dwBitRate, v.dwBitErrorRate, v.AvgTimePerFrame,
                          b.biWidth, b.biHeight, b.biPlanes, b.biBitCount, b.biCompression,
                          b.biSizeImage)) {
            return false;
        }
        type.formatType = WmFormatType::VideoInfo;
        type.format = v;
        return true;
    }
    if (tokens[0] == "scriptformat" && tokens.size() == 2) {
        std::vector<std::uint8_t> bytes;
        WmScriptFormat script;
        if (!ParseHexBytes(tokens[1], bytes) || bytes.size() != script.scriptType.size()) {
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), script.scriptType.begin());
        type.formatType = WmFormatType::Script;
        type.format = script;
        return true;
    }
    if (tokens[0] == "noformat" && tokens.size() == 1) {
        type.formatType = WmFormatType::Other;
        return true;
    }
    return false;
}

bool ReadStream(LineReader& reader, const std::string& majorName, WmProfile& profile) {
    WmMajorType major = WmMajorType::Audio;
    if (majorName == "video") {
        major = WmMajorType::Video;
    } else if (majorName == "script") {
        major = WmMajorType::Script;
    } else if (majorName != "audio") {
        return false;
    }
    std::shared_ptr<WmStreamConfig> config;
    std::vector<std::string> tokens;
    std::uint16_t number = 0;
    std::string name;
    std::string connection;
    std::uint32_t bitrate = 0;
    std::uint32_t quality = 0;
    std::int64_t spacing = 0;
    WmMediaType type;
    if (Failed(profile.CreateNewStream(major, config)) || !reader.Expect("number", 1, tokens) ||
        !ParseNumber(tokens[1], number) || !reader.Expect("name", 1, tokens) ||
        !UnescapeText(tokens[1], name) || !reader.Expect("connection", 1, tokens) ||
        !UnescapeText(tokens[1], connection) || !reader.Expect("bitrate", 1, tokens) ||
        !ParseNumber(tokens[1], bitrate) || !reader.Expect("quality", 1, tokens) ||
        !ParseNumber(tokens[1], quality) || !reader.Expect("keyframespacing", 1, tokens) ||
        !ParseNumber(tokens[1], spacing) || !ReadMediaType(reader, major, type) ||
        !reader.Expect("end", 0, tokens)) {
        return false;
    }
    if (Failed(config->SetStreamNumber(number)) || Failed(config->SetStreamName(name)) ||
        Failed(config->SetConnectionName(connection)) || Failed(config->SetBitrate(bitrate)) ||
        Failed(config->SetMediaType(type))) {
        return false;
    }
    if (major == WmMajorType::Video) {
        if (Failed(config->SetQuality(quality)) || Failed(config->SetMaxKeyFrameSpacing(spacing))) {
            return false;
        }
    } else if (quality != 0 || spacing != 0) {
        return false;
    }
    return Succeeded(profile.AddStream(*config));
}

bool ReadExclusion(const std::vector<std::string>& tokens, WmProfile& profile) {
    WmMutualExclusion exclusion;
    WmExclusionType type = WmExclusionType::Unknown;
    for (const WmExclusionType known :
         {WmExclusionType::Bitrate, WmExclusionType::Language, WmExclusionType::Presentation}) {
        if (tokens[1] == ExclusionName(known)) {
            type = known;
        }
    }
    if (Failed(exclusion.SetType(type))) {
        return false;
    }
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        std::uint16_t number = 0;
        if (!ParseNumber(tokens[i], number) || Failed(exclusion.AddStream(number))) {
            return false;
        }
    }
    return Succeeded(profile.AddMutualExclusion(exclusion));
}

} // namespace

std::string ProfileToText(const WmProfile& profile) {
    std::ostringstream out;
    out << kTextHeader << '\n';
    out << "version " << profile.Version() << '\n';
    out << "name " << EscapeText(profile.GetName()) << '\n';
    for (const WmStreamConfig& stream : profile.Streams()) {
        out << "stream " << MajorName(stream.MajorType()) << '\n';
        out << "number " << stream.StreamNumber() << '\n';
        out << "name " << EscapeText(stream.StreamName()) << '\n';
        out << "connection " << EscapeText(stream.ConnectionName()) << '\n';
        out << "bitrate " << stream.Bitrate() << '\n';
        out << "quality " << stream.Quality() << '\n';
        out << "keyframespacing " << stream.MaxKeyFrameSpacing() << '\n';
        WmMediaType type;
        stream.GetMediaType(type); // streams of a profile always have one
        WriteMediaType(out, type);
        out << "end\n";
    }
    for (const WmMutualExclusion& exclusion : profile.MutualExclusions()) {
        out << "exclusion " << ExclusionName(exclusion.Type());
        for (const std::uint16_t number : exclusion.Streams()) {
            out << ' ' << number;
        }
        out << '\n';
    }
    return out.str();
}

Result WmProfileManager::LoadProfileByData(const std::string& text,
                                           std::shared_ptr<WmProfile>& profile) const {
    LineReader reader(text);
    std::vector<std::string> tokens;
    std::uint32_t version = 0;
    std::string name;
    if (!reader.Next(tokens) || tokens.size() != 2 || kTextHeader != tokens[0] + " " + tokens[1] ||
        !reader.Expect("version", 1, tokens) || !ParseNumber(tokens[1], version) ||
        !reader.Expect("name", 1, tokens) || !UnescapeText(tokens[1], name)) {
        return E_INVALIDARG;
    }
    auto loaded = std::make_shared<WmProfile>(version);
    loaded->SetName(name);
    while (reader.Next(tokens)) {
        if (tokens.empty()) {
            continue; // a trailing blank line
        }
        const bool read = (tokens[0] == "stream" && tokens.size() == 2)
                              ? ReadStream(reader, tokens[1], *loaded)
                              : (tokens[0] == "exclusion" && tokens.size() >= 2 &&
                                 ReadExclusion(tokens, *loaded));
        if (!read) {
            return E_INVALIDARG;
        }
    }
    profile = std::move(loaded);
    return S_OK;
}

} // namespace media
