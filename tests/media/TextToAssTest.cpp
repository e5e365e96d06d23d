// Plain-text cues as ASS event text: what each kind of tag, entity and
// special character becomes.

#include "internal/TextToAss.h"

#include <gtest/gtest.h>

namespace {

using media::internal::CueMarkup;
using media::internal::CueToAssText;

struct CueCase {
    const char* name;
    const char* cue;
    CueMarkup markup;
    const char* expected;
};

class CueToAssTextTest : public ::testing::TestWithParam<CueCase> {};

TEST_P(CueToAssTextTest, Converts) {
    EXPECT_EQ(CueToAssText(GetParam().cue, GetParam().markup), GetParam().expected)
        << "cue: " << GetParam().cue;
}

constexpr CueMarkup kPlain = CueMarkup::Plain;
constexpr CueMarkup kPango = CueMarkup::Pango;

// A backslash in the text is followed by a word joiner (U+2060).
#define WJ "\xE2\x81\xA0"

INSTANTIATE_TEST_SUITE_P(
    Cues, CueToAssTextTest,
    ::testing::Values(
        // Style tags, in either letter case, nested and misnested.
        CueCase{"Italic", "<i>a</i> b", kPlain, "{\\i1}a{\\i0} b"},
        CueCase{"BoldUnderlineStrike", "<b>B</b><U>U</U><s>S</s>", kPango,
                "{\\b1}B{\\b0}{\\u1}U{\\u0}{\\s1}S{\\s0}"},
        CueCase{"NestedSameTag", "<i>a<i>b</i>c</i>d", kPlain, "{\\i1}abc{\\i0}d"},
        CueCase{"Misnested", "<b><i>x</b>y</i>", kPlain, "{\\b1}{\\i1}x{\\b0}y{\\i0}"},
        CueCase{"UnclosedAndStrayClose", "</b>a<i>b", kPlain, "a{\\i1}b"},
        // Colours: SRT's font tag, pango's span, names, short and alpha forms.
        CueCase{"FontHex", "<font color=\"#FF8000\">o</font>k", kPlain, "{\\c&H0080FF&}o{\\c}k"},
        CueCase{"FontNameUnquoted", "<FONT COLOR=yellow>y</FONT>", kPlain, "{\\c&H00FFFF&}y{\\c}"},
        CueCase{"FontBareHexSingleQuotes", "<font color='00ff00' size=3>g</font>", kPlain,
                "{\\c&H00FF00&}g{\\c}"},
        CueCase{"NestedColoursRestore",
                "<font color=\"#0000ff\">a<font color=\"red\">b</font>c</font>d", kPlain,
                "{\\c&HFF0000&}a{\\c&H0000FF&}b{\\c&HFF0000&}c{\\c}d"},
        CueCase{"SpanForegroundShort", "<span foreground=\"#f00\">r</span>", kPango,
                "{\\c&H0000FF&}r{\\c}"},
        CueCase{"SpanAlpha", "<span color=\"#0000FF80\">b</span>", kPango, "{\\c&HFF0000&}b{\\c}"},
        CueCase{"UnknownColourKeepsText", "<font color=\"nope\">t</font>", kPlain, "t"},
        CueCase{"SpanStyles",
                "<span font_style=\"italic\" weight=\"bold\" underline=\"single\" "
                "strikethrough=\"true\">x</span>",
                kPango, "{\\i1}{\\b1}{\\u1}{\\s1}x{\\i0}{\\b0}{\\u0}{\\s0}"},
        // Other tags go, their text stays; a '<' that starts no tag is text.
        CueCase{"UnknownTags", "<ruby>kan<rt>ji</rt></ruby> <big>!</big>", kPango, "kanji !"},
        CueCase{"LessThanAsText", "a < b <3 <", kPlain, "a < b <3 <"},
        CueCase{"UnclosedAngle", "x <i y", kPlain, "x <i y"},
        // Entities decode in markup only; unknown ones stay as they are.
        CueCase{"Entities", "&amp; &lt;i&gt; &quot;q&quot; &apos;", kPango, "& <i> \"q\" '"},
        CueCase{"NumericEntities", "&#65;&#x42;&#xe9;", kPango, "AB\xC3\xA9"},
        CueCase{"EntitiesRawInUtf8", "&amp; &lt;", kPlain, "&amp; &lt;"},
        CueCase{"LooseAmpersand", "Tom & Jerry &foo; &#;", kPango, "Tom & Jerry &foo; &#;"},
        // Line breaks: LF, CR LF, <br>; none leads or trails the event.
        CueCase{"LineBreaks", "one\ntwo\r\nthree<br/>four", kPlain, "one\\Ntwo\\Nthree\\Nfour"},
        CueCase{"OuterBreaksDropped", "\n\nmid\n\n", kPlain, "mid"},
        CueCase{"BreakBeforeTag", "<i>a</i>\n<i>b</i>\n", kPlain, "{\\i1}a{\\i0}\\N{\\i1}b{\\i0}"},
        // Override blocks and escapes in the text stay text.
        CueCase{"Braces", "{\\an8}x {y}", kPlain, "\\{\\" WJ "an8}x \\{y}"},
        CueCase{"Backslashes", "C:\\new\\N \\h", kPlain, "C:\\" WJ "new\\" WJ "N \\" WJ "h"},
        CueCase{"EscapedBraceEntity", "&#123;\\", kPango, "\\{\\" WJ},
        CueCase{"Utf8Passes", "\xC3\xA9t\xC3\xA9 \xE2\x99\xAA", kPlain,
                "\xC3\xA9t\xC3\xA9 \xE2\x99\xAA"}),
    [](const auto& info) { return std::string(info.param.name); });

#undef WJ

} // namespace
