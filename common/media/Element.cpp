#include "Element.h"

#include "internal/GstUtil.h"

namespace media {

using internal::CapsOfPad;
using internal::TakeString;

std::string Pad::Name() const {
    return pad_ ? TakeString(gst_pad_get_name(pad_.get())) : "";
}

PadDirection Pad::Direction() const {
    return pad_ && gst_pad_get_direction(pad_.get()) == GST_PAD_SINK ? PadDirection::Input
                                                                     : PadDirection::Output;
}

Pad Pad::ConnectedTo() const {
    return pad_ ? Pad(Handle<GstPad>::Adopt(gst_pad_get_peer(pad_.get()))) : Pad();
}

bool Pad::IsConnected() const {
    return pad_ && gst_pad_is_linked(pad_.get());
}

std::string Pad::NegotiatedCaps() const {
    if (!pad_) {
        return {};
    }
    auto caps = Handle<GstCaps>::Adopt(gst_pad_get_current_caps(pad_.get()));
    return caps ? TakeString(gst_caps_to_string(caps.get())) : "";
}

MajorType Pad::ConnectionMajorType() const {
    if (!pad_) {
        return MajorType::Unknown;
    }
    const MajorType own = internal::MajorTypeOfCaps(CapsOfPad(pad_.get()).get());
    if (own != MajorType::Unknown) {
        return own;
    }
    // Both ends of a link carry the same type; sparse streams (subtitles) may not
    // have sent their caps across yet, and sinks accept anything.
    auto peer = Handle<GstPad>::Adopt(gst_pad_get_peer(pad_.get()));
    return peer ? internal::MajorTypeOfCaps(CapsOfPad(peer.get()).get()) : MajorType::Unknown;
}

Element Pad::Owner() const {
    return pad_ ? Element(Handle<GstElement>::Adopt(gst_pad_get_parent_element(pad_.get())))
                : Element();
}

Element Element::Create(const std::string& factoryName, const std::string& name) {
    return Element(
        internal::MakeElement(factoryName.c_str(), name.empty() ? nullptr : name.c_str()));
}

std::string Element::Name() const {
    return element_ ? TakeString(gst_element_get_name(element_.get())) : "";
}

std::string Element::FactoryName() const {
    GstElementFactory* factory = element_ ? gst_element_get_factory(element_.get()) : nullptr;
    return factory != nullptr ? GST_OBJECT_NAME(factory) : "";
}

std::vector<Pad> Element::Pads(PadDirection direction) const {
    std::vector<Pad> pads;
    if (!element_) {
        return pads;
    }
    GstElement* element = element_.get();
    GstIterator* iterator = direction == PadDirection::Input
                                ? gst_element_iterate_sink_pads(element)
                                : gst_element_iterate_src_pads(element);
    for (Handle<GstPad>& pad : internal::CollectObjects<GstPad>(iterator)) {
        pads.emplace_back(std::move(pad));
    }
    return pads;
}

int Element::PadCount(PadDirection direction) const {
    return static_cast<int>(Pads(direction).size());
}

Pad Element::GetPad(PadDirection direction, int index) const {
    std::vector<Pad> pads = Pads(direction);
    return index >= 0 && index < static_cast<int>(pads.size()) ? pads[index] : Pad();
}

Pad Element::FindPad(const std::string& name) const {
    return element_ ? Pad(Handle<GstPad>::Adopt(
                          gst_element_get_static_pad(element_.get(), name.c_str())))
                    : Pad();
}

Result Element::SetProperty(const std::string& name, const std::string& value) {
    if (!element_) {
        return E_POINTER;
    }
    GObject* object = G_OBJECT(element_.get());
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name.c_str());
    if (spec == nullptr || (spec->flags & G_PARAM_WRITABLE) == 0) {
        return E_INVALIDARG;
    }
    GValue parsed = G_VALUE_INIT;
    g_value_init(&parsed, spec->value_type);
    // Text that is no value of the property's type sets nothing and says so.
    const bool valid = gst_value_deserialize_with_pspec(&parsed, value.c_str(), spec) != FALSE &&
                       !g_param_value_validate(spec, &parsed);
    if (valid) {
        g_object_set_property(object, name.c_str(), &parsed);
    }
    g_value_unset(&parsed);
    return valid ? S_OK : E_INVALIDARG;
}

std::string Element::GetProperty(const std::string& name) const {
    if (!element_) {
        return {};
    }
    GObject* object = G_OBJECT(element_.get());
    GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(object), name.c_str());
    if (spec == nullptr) {
        return {};
    }
    GValue value = G_VALUE_INIT;
    g_value_init(&value, spec->value_type);
    g_object_get_property(object, name.c_str(), &value);
    std::string text;
    if (G_VALUE_HOLDS_STRING(&value)) {
        const char* raw = g_value_get_string(&value);
        text = raw != nullptr ? raw : "";
    } else {
        text = TakeString(gst_value_serialize(&value));
    }
    g_value_unset(&value);
    return text;
}

} // namespace media
