#pragma once

#include <cstdint>
#include <span>

namespace res {

// Control kinds a dialog template can hold; the builder maps each to a widget.
enum class ControlKind {
    Button,
    SkinButton,
    Label,
    GroupFrame,
    Edit,
    DropDownList,
    ReportList,
    Trackbar,
    ProgressBar,
    Hyperlink, // a label that opens a web address (uikit::HyperlinkStatic)
};

// Style flags, combinable.
enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    StyleHidden = 1u << 0,
    StyleDisabled = 1u << 1,
    StyleCentred = 1u << 2,
    StyleSunken = 1u << 3,
    StyleDefaultButton = 1u << 4,
};

// Control without an identifier (frames, fixed labels).
inline constexpr int kNoControlId = -1;

struct ControlTemplate {
    int id;
    ControlKind kind;
    const char* text;        // UTF-8; for lists the items separated by '\n'
    int x, y, width, height; // dialog units
    std::uint32_t style;
};

struct DialogTemplate {
    int id;
    const char* caption;
    const char* fontFace;
    int fontPointSize;
    int width, height; // dialog units
    std::span<const ControlTemplate> controls;
};

} // namespace res
