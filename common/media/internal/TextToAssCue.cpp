// Plain-text cues as the Text field of ASS events (see TextToAss.h).

#include "internal/TextToAss.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace media::internal {

// A namespace of its own: batched builds compile this file together with
// others that have helpers of the same names.
namespace {
namespace cue_text {

// U+2060 WORD JOINER: invisible, and keeps a backslash from pairing with the
// character after it into an escape such as \N.
constexpr char kWordJoiner[] = "\xE2\x81\xA0";

enum Effect : std::size_t { kItalic, kBold, kUnderline, kStrike, kEffectCount };
constexpr std::array<char, kEffectCount> kEffectTag = {'i', 'b', 'u', 's'};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = Lower(c);
    }
    return lower;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    c = Lower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits) {
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = HexValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// "#RRGGBB", "#RGB", pango's "#RRGGBBAA", a bare "RRGGBB" or a common colour
// name, as 0xRRGGBB.
std::optional<std::uint32_t> ParseColour(std::string_view text) {
    static constexpr std::pair<const char*, std::uint32_t> kNames[] = {
        {"white", 0xFFFFFF}, {"black", 0x000000},   {"red", 0xFF0000},     {"lime", 0x00FF00},
        {"green", 0x008000}, {"blue", 0x0000FF},    {"yellow", 0xFFFF00},  {"cyan", 0x00FFFF},
        {"aqua", 0x00FFFF},  {"magenta", 0xFF00FF}, {"fuchsia", 0xFF00FF}, {"gray", 0x808080},
        {"grey", 0x808080},  {"silver", 0xC0C0C0},  {"maroon", 0x800000},  {"olive", 0x808000},
        {"navy", 0x000080},  {"purple", 0x800080},  {"teal", 0x008080},    {"orange", 0xFFA500},
        {"pink", 0xFFC0CB},  {"brown", 0xA52A2A},
    };
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    const std::string name = LowerCase(text);
    for (const auto& [known, rgb] : kNames) {
        if (name == known) {
            return rgb;
        }
    }
    const bool hashed = !text.empty() && text.front() == '#';
    const std::string_view digits = hashed ? text.substr(1) : text;
    const std::optional<std::uint32_t> value =
        digits.size() <= 8 ? ParseHex(digits) : std::optional<std::uint32_t>();
    if (!value) {
        return std::nullopt;
    }
    if (digits.size() == 6) {
        return value;
    }
    if (hashed && digits.size() == 3) {
        const std::uint32_t r = *value >> 8 & 0xF;
        const std::uint32_t g = *value >> 4 & 0xF;
        const std::uint32_t b = *value & 0xF;
        return r * 0x110000 + g * 0x1100 + b * 0x11;
    }
    if (hashed && digits.size() == 8) {
        return *value >> 8; // pango's #RRGGBBAA; the alpha is left out
    }
    return std::nullopt;
}

// Attribute values of a tag's inside ("color=\"#fff\" size=3"), names in lower case.
std::vector<std::pair<std::string, std::string>> ParseAttributes(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> attributes;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (IsSpace(text[i]) || text[i] == '/')) {
            ++i;
        }
        const std::size_t nameStart = i;
        while (i < text.size() && !IsSpace(text[i]) && text[i] != '=' && text[i] != '/') {
            ++i;
        }
        std::string name = LowerCase(text.substr(nameStart, i - nameStart));
        while (i < text.size() && IsSpace(text[i])) {
            ++i;
        }
        std::string value;
        if (i < text.size() && text[i] == '=') {
            ++i;
            while (i < text.size() && IsSpace(text[i])) {
                ++i;
            }
            if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
                const char quote = text[i++];
                const std::size_t end = std::min(text.find(quote, i), text.size());
                value = text.substr(i, end - i);
                i = end + 1;
            } else {
                const std::size_t start = i;
                while (i < text.size() && !IsSpace(text[i])) {
                    ++i;
                }
                value = text.substr(start, i - start);
            }
        }
        if (!name.empty()) {
            attributes.emplace_back(std::move(name), std::move(value));
        }
    }
    return attributes;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The text an entity stands for ("amp", "#38", "#x26"); nothing for others.
std::optional<std::string> DecodeEntity(std::string_view name) {
    static constexpr std::pair<const char*, const char*> kEntities[] = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "},
    };
    for (const auto& [entity, text] : kEntities) {
        if (name == entity) {
            return std::string(text);
        }
    }
    if (name.size() < 2 || name.front() != '#') {
        return std::nullopt;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    for (const char c : digits) {
        const int digit = hex ? HexValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0 || code > 0x10FFFF) {
            return std::nullopt;
        }
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
    }
    if (digits.empty() || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    std::string text;
    AppendUtf8(text, code);
    return text;
}

// One open tag and what it turned on, so its closing tag undoes just that.
struct OpenTag {
    std::string name;
    std::array<bool, kEffectCount> effects{};
    std::optional<std::uint32_t> colour; // 0xRRGGBB
};

class CueWriter {
public:
    explicit CueWriter(CueMarkup markup) : markup_(markup) {}

    std::string Convert(std::string_view cue) {
        for (std::size_t i = 0; i < cue.size();) {
            if (cue[i] == '<') {
                const std::size_t end = TagEnd(cue, i);
                if (end != std::string_view::npos) {
                    Tag(cue.substr(i + 1, end - i - 1));
                    i = end + 1;
                    continue;
                }
            } else if (cue[i] == '&' && markup_ == CueMarkup::Pango) {
                const std::size_t semicolon = cue.find(';', i);
                if (semicolon != std::string_view::npos && semicolon - i <= 10) {
                    if (const auto decoded = DecodeEntity(cue.substr(i + 1, semicolon - i - 1))) {
                        for (const char c : *decoded) {
                            Char(c);
                        }
                        i = semicolon + 1;
                        continue;
                    }
                }
            } else if (cue[i] == '\r' && i + 1 < cue.size() && cue[i + 1] == '\n') {
                ++i; // a CR LF pair is one line break
                continue;
            }
            Char(cue[i++]);
        }
        return std::move(out_);
    }

private:
    // Index of the '>' closing a tag that starts at `start`; npos when the '<'
    // starts none ("a < b", "<3") and is text.
    static std::size_t TagEnd(std::string_view cue, std::size_t start) {
        std::size_t i = start + 1;
        if (i < cue.size() && cue[i] == '/') {
            ++i;
        }
        if (i >= cue.size() || !IsLetter(cue[i])) {
            return std::string_view::npos;
        }
        const std::size_t end = cue.find_first_of("<>", i);
        return end != std::string_view::npos && cue[end] == '>' ? end : std::string_view::npos;
    }

    void Tag(std::string_view inside) {
        const bool closing = inside.front() == '/';
        if (closing) {
            inside.remove_prefix(1);
        }
        std::size_t nameEnd = 0;
        while (nameEnd < inside.size() && !IsSpace(inside[nameEnd]) && inside[nameEnd] != '/') {
            ++nameEnd;
        }
        const std::string name = LowerCase(inside.substr(0, nameEnd));
        const std::string_view rest = inside.substr(nameEnd);
        const bool selfClosing = !rest.empty() && rest.back() == '/';
        if (name == "br" && !closing) {
            Char('\n');
        } else if (closing) {
            Close(name);
        } else if (!selfClosing) {
            Open(name, rest);
        }
    }

    void Open(const std::string& name, std::string_view attributes) {
        OpenTag tag{name, {}, std::nullopt};
        if (name.size() == 1) {
            for (std::size_t e = 0; e < kEffectCount; ++e) {
                tag.effects[e] = name[0] == kEffectTag[e];
            }
        } else if (name == "font" || name == "span") {
            for (const auto& [key, value] : ParseAttributes(attributes)) {
                const std::string lower = LowerCase(value);
                if (key == "color" || key == "foreground" || key == "fgcolor") {
                    tag.colour = ParseColour(value);
                } else if (key == "style" || key == "font_style") {
                    tag.effects[kItalic] = lower == "italic" || lower == "oblique";
                } else if (key == "weight" || key == "font_weight") {
                    tag.effects[kBold] = lower == "bold" || lower == "ultrabold" ||
                                         lower == "heavy" || lower == "semibold";
                } else if (key == "underline") {
                    tag.effects[kUnderline] = lower != "none" && lower != "false";
                } else if (key == "strikethrough") {
                    tag.effects[kStrike] = lower == "true";
                }
            }
        } else {
            return; // dropped; its text stays
        }
        // Content follows an opening tag: line breaks before it are kept.
        FlushBreaks();
        for (std::size_t e = 0; e < kEffectCount; ++e) {
            if (tag.effects[e] && counts_[e]++ == 0) {
                Override(std::string(1, kEffectTag[e]) + '1');
            }
        }
        open_.push_back(std::move(tag));
        UpdateColour();
    }

    // Closes the latest open tag of that name, wherever it lies: misnested
    // tags still undo what they did.
    void Close(const std::string& name) {
        for (std::size_t i = open_.size(); i-- > 0;) {
            if (open_[i].name != name) {
                continue;
            }
            const OpenTag tag = std::move(open_[i]);
            open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(i));
            for (std::size_t e = 0; e < kEffectCount; ++e) {
                if (tag.effects[e] && --counts_[e] == 0) {
                    Override(std::string(1, kEffectTag[e]) + '0');
                }
            }
            UpdateColour();
            return;
        }
    }

    void UpdateColour() {
        std::optional<std::uint32_t> colour;
        for (auto it = open_.rbegin(); it != open_.rend() && !colour; ++it) {
            colour = it->colour;
        }
        if (colour == colour_) {
            return;
        }
        colour_ = colour;
        if (!colour) {
            Override("c"); // back to the style's colour
            return;
        }
        // ASS writes colours blue, green, red.
        const std::uint32_t bgr =
            (*colour & 0xFF) << 16 | (*colour & 0xFF00) | (*colour >> 16 & 0xFF);
        char hex[7];
        std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(bgr));
        Override(std::string("c&H") + hex + '&');
    }

    void Override(const std::string& tag) { out_ += "{\\" + tag + '}'; }

    // Line breaks wait for the text after them: none leads or trails a cue.
    void FlushBreaks() {
        for (; breaks_ > 0; --breaks_) {
            if (hasText_) {
                out_ += "\\N";
            }
        }
    }

    void Char(char c) {
        if (c == '\n' || c == '\r') {
            ++breaks_;
            return;
        }
        FlushBreaks();
        hasText_ = true;
        if (c == '{') {
            out_ += "\\{"; // else it opens an override block
        } else if (c == '\\') {
            out_ += '\\';
            out_ += kWordJoiner;
        } else if (c == '\t') {
            out_ += ' ';
        } else {
            out_ += c;
        }
    }

    const CueMarkup markup_;
    std::string out_;
    std::vector<OpenTag> open_;
    std::array<int, kEffectCount> counts_{};
    std::optional<std::uint32_t> colour_;
    int breaks_ = 0;
    bool hasText_ = false;
};

} // namespace cue_text
} // namespace

std::string CueToAssText(std::string_view cue, CueMarkup markup) {
    return cue_text::CueWriter(markup).Convert(cue);
}

} // namespace media::internal
