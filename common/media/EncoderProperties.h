#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace media {

class Element;

enum class PropertyKind { Integer, Real, Boolean, Text, Choice, Flags };

struct PropertyChoice {
    std::int64_t value;
    std::string nick; // what the encoder takes as text
    std::string name; // what a person reads
};

// One setting of an encoder that a person may change before a conversion.
struct PropertySpec {
    std::string name;
    std::string nick;
    std::string blurb;
    PropertyKind kind = PropertyKind::Text;
    std::int64_t integerMinimum = 0;
    std::int64_t integerMaximum = 0;
    double realMinimum = 0.0;
    double realMaximum = 0.0;
    std::vector<PropertyChoice> choices; // enumeration values or flags
    std::string value;                   // current value as text (see EncoderState)
};

// The settings a person confirmed for an encoder: property name and value as
// text in the form the encoder parses (numbers, "true"/"false", enumeration
// nicks, flags joined by "+").
using EncoderState = std::vector<std::pair<std::string, std::string>>;

// A new encoder of `factoryName` starting from this program's defaults where
// they differ from the encoder's own: x264enc encodes at a constant quality
// (quantizer 21, its "medium" preset) instead of a fixed bitrate. Empty when
// the factory is not installed.
Element CreateEncoder(const std::string& factoryName);

// The changeable settings of the encoder `factoryName`, read from a fresh
// instance (made by CreateEncoder) that first takes `startFrom`. Read-only and construct-only
// properties, and those of types a person cannot type, are left out. Empty for
// an unknown encoder.
std::vector<PropertySpec> DescribeEncoderProperties(const std::string& factoryName,
                                                    const EncoderState& startFrom);

// The settings of a live element (one in a graph) that a person may change in
// the state the element is in now, with their current values: readable and
// writable, not construct-only, and marked changeable in that state (in NULL
// every such setting is). "name" and "parent", and types a person cannot type,
// are left out. Empty for an empty element.
std::vector<PropertySpec> DescribeElementProperties(const Element& element);

// Sets each named setting the encoder has and may change; a value the encoder
// holds already is not set again (some encoders treat every setting made as
// overriding their presets). Returns the names of the settings left as they were: unknown to the
// encoder, not changeable, or text that is no valid value of the setting.
std::vector<std::string> ApplyEncoderState(const Element& encoder, const EncoderState& state);

// Whether `text` is a value the encoder's property `name` accepts (parses and
// lies in its range).
bool EncoderAcceptsValue(const std::string& factoryName, const std::string& name,
                         const std::string& text);

} // namespace media
