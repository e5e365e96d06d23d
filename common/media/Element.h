#pragma once

// Filters and pins of a graph as plain value types. Copies share the same
// underlying object; an empty Element or Pad stands for "none".

#include "Handle.h"
#include "Result.h"

#include <string>
#include <vector>

namespace media {

class Element;

enum class PadDirection { Input, Output };

// Major type of the data a pad carries, taken from the name of its caps.
enum class MajorType { Unknown, Video, Audio, Text, Other };

class Pad {
public:
    Pad() = default;
    explicit Pad(Handle<GstPad> pad) : pad_(std::move(pad)) {}

    explicit operator bool() const { return static_cast<bool>(pad_); }
    bool operator==(const Pad& other) const { return pad_ == other.pad_; }

    std::string Name() const;
    PadDirection Direction() const;
    // The pad this one is linked to, or an empty Pad.
    Pad ConnectedTo() const;
    bool IsConnected() const;
    // Negotiated caps once data types are agreed (after preroll); empty before.
    std::string NegotiatedCaps() const;
    // Major type of the negotiated caps; before negotiation, of what the pad (or
    // else its peer) can produce or accept when that is a single kind.
    MajorType ConnectionMajorType() const;
    // The element owning the pad (for ghost pads: the bin that exposes it).
    Element Owner() const;

    GstPad* native() const { return pad_.get(); }

private:
    Handle<GstPad> pad_;
};

class Element {
public:
    Element() = default;
    explicit Element(Handle<GstElement> element) : element_(std::move(element)) {}

    // A new element of the named factory; empty when the factory is not installed.
    static Element Create(const std::string& factoryName, const std::string& name = {});

    explicit operator bool() const { return static_cast<bool>(element_); }
    bool operator==(const Element& other) const { return element_ == other.element_; }

    std::string Name() const;
    std::string FactoryName() const;

    int PadCount(PadDirection direction) const;
    // Pads of one direction in creation order; index out of range gives an empty Pad.
    Pad GetPad(PadDirection direction, int index) const;
    std::vector<Pad> Pads(PadDirection direction) const;
    Pad FindPad(const std::string& name) const;

    // Sets a property from its text form, as a launch line would ("5", "true",
    // enum nicks, fractions). E_INVALIDARG, and nothing set, when the property
    // does not exist or cannot be written, or the text is no valid value of it.
    Result SetProperty(const std::string& name, const std::string& value);
    // The property's value in text form, empty if unknown.
    std::string GetProperty(const std::string& name) const;

    GstElement* native() const { return element_.get(); }
    const Handle<GstElement>& handle() const { return element_; }

private:
    Handle<GstElement> element_;
};

} // namespace media
