#include "EncoderProperties.h"

#include "Element.h"

#include <gst/gst.h>

#include <limits>

namespace media {

namespace {

constexpr GParamFlags kChangeable = static_cast<GParamFlags>(G_PARAM_READWRITE);

bool IsChangeable(const GParamSpec* spec) {
    return (spec->flags & kChangeable) == kChangeable &&
           (spec->flags & G_PARAM_CONSTRUCT_ONLY) == 0;
}

std::string ValueText(GObject* object, const GParamSpec* spec) {
    GValue value = G_VALUE_INIT;
    g_value_init(&value, spec->value_type);
    g_object_get_property(object, spec->name, &value);
    std::string text;
    if (G_VALUE_HOLDS_STRING(&value)) {
        const char* string = g_value_get_string(&value);
        text = string != nullptr ? string : "";
    } else {
        gchar* serialized = gst_value_serialize(&value);
        text = serialized != nullptr ? serialized : "";
        g_free(serialized);
    }
    g_value_unset(&value);
    return text;
}

// Fills the kind and ranges; false for types a person cannot edit as text.
bool DescribeType(const GParamSpec* spec, PropertySpec& out) {
    const GType type = G_PARAM_SPEC_VALUE_TYPE(spec);
    constexpr auto kInt64Max = std::numeric_limits<std::int64_t>::max();
    if (G_IS_PARAM_SPEC_INT(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = G_PARAM_SPEC_INT(spec)->minimum;
        out.integerMaximum = G_PARAM_SPEC_INT(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_UINT(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = G_PARAM_SPEC_UINT(spec)->minimum;
        out.integerMaximum = G_PARAM_SPEC_UINT(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_LONG(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = G_PARAM_SPEC_LONG(spec)->minimum;
        out.integerMaximum = G_PARAM_SPEC_LONG(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_ULONG(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = static_cast<std::int64_t>(G_PARAM_SPEC_ULONG(spec)->minimum);
        out.integerMaximum = G_PARAM_SPEC_ULONG(spec)->maximum > static_cast<gulong>(kInt64Max)
                                 ? kInt64Max
                                 : static_cast<std::int64_t>(G_PARAM_SPEC_ULONG(spec)->maximum);
    } else if (G_IS_PARAM_SPEC_INT64(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = G_PARAM_SPEC_INT64(spec)->minimum;
        out.integerMaximum = G_PARAM_SPEC_INT64(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_UINT64(spec)) {
        out.kind = PropertyKind::Integer;
        out.integerMinimum = static_cast<std::int64_t>(G_PARAM_SPEC_UINT64(spec)->minimum);
        out.integerMaximum = G_PARAM_SPEC_UINT64(spec)->maximum > static_cast<guint64>(kInt64Max)
                                 ? kInt64Max
                                 : static_cast<std::int64_t>(G_PARAM_SPEC_UINT64(spec)->maximum);
    } else if (G_IS_PARAM_SPEC_FLOAT(spec)) {
        out.kind = PropertyKind::Real;
        out.realMinimum = G_PARAM_SPEC_FLOAT(spec)->minimum;
        out.realMaximum = G_PARAM_SPEC_FLOAT(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_DOUBLE(spec)) {
        out.kind = PropertyKind::Real;
        out.realMinimum = G_PARAM_SPEC_DOUBLE(spec)->minimum;
        out.realMaximum = G_PARAM_SPEC_DOUBLE(spec)->maximum;
    } else if (G_IS_PARAM_SPEC_BOOLEAN(spec)) {
        out.kind = PropertyKind::Boolean;
    } else if (G_IS_PARAM_SPEC_STRING(spec)) {
        out.kind = PropertyKind::Text;
    } else if (G_IS_PARAM_SPEC_ENUM(spec)) {
        out.kind = PropertyKind::Choice;
        const GEnumClass* enumClass = G_PARAM_SPEC_ENUM(spec)->enum_class;
        for (guint i = 0; i < enumClass->n_values; ++i) {
            const GEnumValue& value = enumClass->values[i];
            out.choices.push_back({value.value, value.value_nick, value.value_name});
        }
    } else if (G_IS_PARAM_SPEC_FLAGS(spec)) {
        out.kind = PropertyKind::Flags;
        const GFlagsClass* flagsClass = G_PARAM_SPEC_FLAGS(spec)->flags_class;
        for (guint i = 0; i < flagsClass->n_values; ++i) {
            const GFlagsValue& value = flagsClass->values[i];
            out.choices.push_back({value.value, value.value_nick, value.value_name});
        }
    } else {
        (void)type;
        return false;
    }
    return true;
}

// Whether the element may take a new value of the setting in `state`. A
// setting marked for no state is changeable only before the element starts.
bool MutableIn(const GParamSpec* spec, GstState state) {
    const guint flags = spec->flags;
    switch (state) {
    case GST_STATE_VOID_PENDING:
    case GST_STATE_NULL:
        return true;
    case GST_STATE_READY:
        return (flags & (GST_PARAM_MUTABLE_READY | GST_PARAM_MUTABLE_PAUSED |
                         GST_PARAM_MUTABLE_PLAYING)) != 0;
    case GST_STATE_PAUSED:
        return (flags & (GST_PARAM_MUTABLE_PAUSED | GST_PARAM_MUTABLE_PLAYING)) != 0;
    case GST_STATE_PLAYING:
        return (flags & GST_PARAM_MUTABLE_PLAYING) != 0;
    }
    return false;
}

// The higher of the element's state and the one it is changing to, so a
// setting is not offered for a state the element is about to leave.
GstState StateOf(GstElement* element) {
    GST_OBJECT_LOCK(element);
    const GstState current = GST_STATE(element);
    const GstState pending = GST_STATE_PENDING(element);
    GST_OBJECT_UNLOCK(element);
    return pending > current ? pending : current;
}

// The changeable settings of `object` that `offered` lets through.
template <typename Offered>
std::vector<PropertySpec> Describe(GObject* object, Offered offered) {
    std::vector<PropertySpec> result;
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(object), &count);
    for (guint i = 0; i < count; ++i) {
        const GParamSpec* spec = specs[i];
        // Every element has a name and a parent; they are not its settings.
        if (!IsChangeable(spec) || spec->owner_type == GST_TYPE_OBJECT ||
            spec->owner_type == G_TYPE_OBJECT || !offered(spec)) {
            continue;
        }
        PropertySpec out;
        out.name = spec->name;
        out.nick = g_param_spec_get_nick(const_cast<GParamSpec*>(spec));
        const char* blurb = g_param_spec_get_blurb(const_cast<GParamSpec*>(spec));
        out.blurb = blurb != nullptr ? blurb : "";
        if (!DescribeType(spec, out)) {
            continue;
        }
        out.value = ValueText(object, spec);
        result.push_back(std::move(out));
    }
    g_free(specs);
    return result;
}

} // namespace

std::vector<std::string> ApplyEncoderState(const Element& encoder, const EncoderState& state) {
    std::vector<std::string> refused;
    if (!encoder) {
        return refused;
    }
    // Copies share the encoder; SetProperty parses and sets nothing on bad text.
    Element target = encoder;
    GObjectClass* objectClass = G_OBJECT_GET_CLASS(encoder.native());
    for (const auto& [name, text] : state) {
        const GParamSpec* spec = g_object_class_find_property(objectClass, name.c_str());
        if (spec != nullptr && IsChangeable(spec) && target.GetProperty(name) == text) {
            continue;
        }
        if (spec == nullptr || !IsChangeable(spec) || Failed(target.SetProperty(name, text))) {
            refused.push_back(name);
        }
    }
    return refused;
}

Element CreateEncoder(const std::string& factoryName) {
    Element encoder = Element::Create(factoryName);
    if (encoder && factoryName == "x264enc") {
        // Constant quality like the common tools' default, so a picture that
        // needs few bits gets few and a busy one is not starved.
        encoder.SetProperty("pass", "qual");
        encoder.SetProperty("quantizer", "21");
    }
    return encoder;
}

std::vector<PropertySpec> DescribeEncoderProperties(const std::string& factoryName,
                                                    const EncoderState& startFrom) {
    const Element encoder = CreateEncoder(factoryName);
    if (!encoder) {
        return {};
    }
    // What the encoder refuses shows as its own value instead.
    ApplyEncoderState(encoder, startFrom);
    return Describe(G_OBJECT(encoder.native()), [](const GParamSpec*) { return true; });
}

std::vector<PropertySpec> DescribeElementProperties(const Element& element) {
    if (!element) {
        return {};
    }
    const GstState state = StateOf(element.native());
    return Describe(G_OBJECT(element.native()),
                    [state](const GParamSpec* spec) { return MutableIn(spec, state); });
}

bool EncoderAcceptsValue(const std::string& factoryName, const std::string& name,
                         const std::string& text) {
    const Element encoder = CreateEncoder(factoryName);
    return encoder && ApplyEncoderState(encoder, {{name, text}}).empty();
}

} // namespace media
