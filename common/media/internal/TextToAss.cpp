#include "internal/TextToAss.h"

#include "internal/GstUtil.h"

#include <cstring>

namespace media::internal {

// A namespace of its own: batched builds compile this file together with
// others that have helpers of the same names.
namespace {
namespace text_to_ass {

// One style for every cue, readable on dark and bright pictures alike: a sans
// face 1/18 of the height, white on a black outline with a soft shadow,
// bottom centre.
constexpr char kHeader[] =
    "[Script Info]\n"
    "ScriptType: v4.00+\n"
    "PlayResX: 384\n"
    "PlayResY: 288\n"
    "WrapStyle: 0\n"
    "ScaledBorderAndShadow: yes\n"
    "\n"
    "[V4+ Styles]\n"
    "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
    "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
    "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
    "Style: Default,Sans,16,&H00FFFFFF,&H00FFFFFF,&H00000000,&H80000000,0,0,0,0,100,100,0,0,"
    "1,2,1,2,10,10,10,1\n"
    "\n"
    "[Events]\n"
    "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";

// The element. The last two fields are touched in the streaming thread only.
struct TextToAss {
    GstElement parent;
    GstPad* srcPad; // owned by the element
    CueMarkup markup;
    guint64 readOrder;
};

struct TextToAssClass {
    GstElementClass parent;
};

TextToAss* Self(GstObject* object) {
    return reinterpret_cast<TextToAss*>(object);
}

bool PushHeaderCaps(TextToAss* self) {
    if (gst_pad_has_current_caps(self->srcPad)) {
        return true; // the header does not change with the input format
    }
    const std::string& header = TextToAssHeader();
    auto codecData = Handle<GstBuffer>::Adopt(gst_buffer_new_memdup(header.data(), header.size()));
    auto caps = Handle<GstCaps>::Adopt(gst_caps_new_simple(
        "application/x-ass", "codec_data", GST_TYPE_BUFFER, codecData.get(), nullptr));
    // The event takes a reference of its own; pushing takes the event.
    return gst_pad_push_event(self->srcPad, gst_event_new_caps(caps.get())) != FALSE;
}

gboolean OnSinkEvent(GstPad* pad, GstObject* parent, GstEvent* raw) {
    if (GST_EVENT_TYPE(raw) != GST_EVENT_CAPS) {
        // Segments, gaps, flushes and the end pass on: the overlay's text
        // position keeps moving through them.
        return gst_pad_event_default(pad, parent, raw);
    }
    auto event = Handle<GstEvent>::Adopt(raw);
    GstCaps* caps = nullptr;
    gst_event_parse_caps(event.get(), &caps);
    const char* format = gst_structure_get_string(gst_caps_get_structure(caps, 0), "format");
    TextToAss* self = Self(parent);
    self->markup = format != nullptr && std::strcmp(format, "pango-markup") == 0 ? CueMarkup::Pango
                                                                                 : CueMarkup::Plain;
    return PushHeaderCaps(self) ? TRUE : FALSE;
}

GstFlowReturn OnChain(GstPad*, GstObject* parent, GstBuffer* raw) {
    auto input = Handle<GstBuffer>::Adopt(raw);
    TextToAss* self = Self(parent);
    std::string cue;
    GstMapInfo map;
    if (gst_buffer_map(input.get(), &map, GST_MAP_READ)) {
        // Some streams end their text with a NUL.
        cue.assign(reinterpret_cast<const char*>(map.data),
                   strnlen(reinterpret_cast<const char*>(map.data), map.size));
        gst_buffer_unmap(input.get(), &map);
    }
    // libass takes events by read order and drops one whose number it has seen.
    const std::string block =
        std::to_string(self->readOrder++) + ",0,Default,,0,0,0,," + CueToAssText(cue, self->markup);
    GstBuffer* output = gst_buffer_new_memdup(block.data(), block.size());
    gst_buffer_copy_into(
        output, input.get(),
        static_cast<GstBufferCopyFlags>(GST_BUFFER_COPY_FLAGS | GST_BUFFER_COPY_TIMESTAMPS), 0,
        static_cast<gsize>(-1));
    return gst_pad_push(self->srcPad, output); // takes the buffer
}

GstPadTemplate* MakeTemplate(const char* name, GstPadDirection direction, const char* caps) {
    auto parsed = Handle<GstCaps>::Adopt(gst_caps_from_string(caps));
    return gst_pad_template_new(name, direction, GST_PAD_ALWAYS, parsed.get());
}

void ClassInit(gpointer klass, gpointer) {
    auto* elementClass = GST_ELEMENT_CLASS(klass);
    gst_element_class_set_metadata(elementClass, "Text to ASS", "Codec/Converter/Subtitle",
                                   "Turns plain-text subtitles into ASS events of a default style",
                                   "media layer");
    gst_element_class_add_pad_template(
        elementClass,
        MakeTemplate("sink", GST_PAD_SINK, "text/x-raw, format=(string){ utf8, pango-markup }"));
    gst_element_class_add_pad_template(elementClass,
                                       MakeTemplate("src", GST_PAD_SRC, "application/x-ass"));
}

void InstanceInit(GTypeInstance* instance, gpointer klass) {
    auto* self = reinterpret_cast<TextToAss*>(instance);
    auto* elementClass = GST_ELEMENT_CLASS(klass);
    GstPad* sink =
        gst_pad_new_from_template(gst_element_class_get_pad_template(elementClass, "sink"), "sink");
    gst_pad_set_chain_function(sink, OnChain);
    gst_pad_set_event_function(sink, OnSinkEvent);
    gst_element_add_pad(GST_ELEMENT(self), sink); // the element sinks the pad
    self->srcPad =
        gst_pad_new_from_template(gst_element_class_get_pad_template(elementClass, "src"), "src");
    gst_pad_use_fixed_caps(self->srcPad);
    gst_element_add_pad(GST_ELEMENT(self), self->srcPad);
    self->markup = CueMarkup::Plain;
    self->readOrder = 0;
}

GType TextToAssType() {
    static const GType type = [] {
        const GTypeInfo info{
            sizeof(TextToAssClass), nullptr, nullptr,      ClassInit, nullptr, nullptr,
            sizeof(TextToAss),      0,       InstanceInit, nullptr,
        };
        return g_type_register_static(GST_TYPE_ELEMENT, "MediaTextToAss", &info,
                                      static_cast<GTypeFlags>(0));
    }();
    return type;
}

} // namespace text_to_ass
} // namespace

const std::string& TextToAssHeader() {
    static const std::string header(text_to_ass::kHeader);
    return header;
}

bool RegisterTextToAss() {
    static const bool registered = gst_element_register(nullptr, kTextToAssFactory, GST_RANK_NONE,
                                                        text_to_ass::TextToAssType()) != FALSE;
    return registered;
}

Handle<GstElement> MakeTextToAss() {
    return RegisterTextToAss() ? MakeElement(kTextToAssFactory) : Handle<GstElement>();
}

} // namespace media::internal
