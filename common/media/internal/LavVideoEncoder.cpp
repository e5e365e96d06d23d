#include "internal/LavVideoEncoder.h"

#include "internal/VideoCodecHandles.h"

#include <gst/video/gstvideoencoder.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/rational.h>
}

#include <deque>
#include <memory>
#include <new>

namespace media::internal {

namespace {

// MPEG-4 headers carry the time base denominator in 16 bits.
constexpr int kMaxTimeBaseDenominator = 65535;

// Values and nicks as the framework's libav elements have them, so settings
// saved for those apply here unchanged.
constexpr gint kPassConstantBitrate = 0;
constexpr gint kPassConstantQuantizer = 2;

enum Property : guint {
    kPropBitrate = 1,
    kPropGopSize,
    kPropQMin,
    kPropQMax,
    kPropPass,
    kPropQuantizer,
    kPropThreads,
};

struct Settings {
    gint bitrate = 200000;
    gint gopSize = 12;
    gint qmin = 2;
    gint qmax = 31;
    gint pass = kPassConstantBitrate;
    gfloat quantizer = 0.01f;
    gint threads = 0; // one per core
};

struct ContextDeleter {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

// What lives from the negotiated format to the next stop.
struct Session {
    Handle<GstVideoCodecState> input;
    std::unique_ptr<AVCodecContext, ContextDeleter> context;
    std::unique_ptr<AVFrame, FrameDeleter> picture;
    std::unique_ptr<AVPacket, PacketDeleter> packet;
    bool drained = false; // the codec took its end of stream and must be opened anew

    void Close() {
        context.reset();
        drained = false;
    }
};

struct LavVideoEncoder {
    GstVideoEncoder parent;
    Settings settings; // guarded by the object lock
    Session session;   // streaming thread only
};

struct LavVideoEncoderClass {
    GstVideoEncoderClass parent;
    const LavVideoEncoderInfo* info;
    const AVCodec* codec;
};

GstElementClass* parentClass = nullptr;

LavVideoEncoder* Self(gpointer object) {
    return static_cast<LavVideoEncoder*>(object);
}

const LavVideoEncoderClass* ClassOf(gpointer object) {
    return reinterpret_cast<const LavVideoEncoderClass*>(G_OBJECT_GET_CLASS(object));
}

GType PassType() {
    static const GType type = [] {
        static const GEnumValue values[] = {
            {kPassConstantBitrate, "Constant Bitrate Encoding", "cbr"},
            {kPassConstantQuantizer, "Constant Quantizer", "quant"},
            {0, nullptr, nullptr},
        };
        return g_enum_register_static("MediaLavVideoEncoderPass", values);
    }();
    return type;
}

bool OpenCodec(LavVideoEncoder* self) {
    Session& session = self->session;
    const LavVideoEncoderClass* klass = ClassOf(self);
    const GstVideoInfo& info = session.input.get()->info;
    std::unique_ptr<AVCodecContext, ContextDeleter> context(avcodec_alloc_context3(klass->codec));
    if (!context) {
        return false;
    }
    context->width = GST_VIDEO_INFO_WIDTH(&info);
    context->height = GST_VIDEO_INFO_HEIGHT(&info);
    context->pix_fmt = AV_PIX_FMT_YUV420P;
    context->sample_aspect_ratio =
        AVRational{GST_VIDEO_INFO_PAR_N(&info), GST_VIDEO_INFO_PAR_D(&info)};
    AVRational rate{GST_VIDEO_INFO_FPS_N(&info), GST_VIDEO_INFO_FPS_D(&info)};
    if (rate.num <= 0 || rate.den <= 0) {
        rate = AVRational{25, 1};
    }
    av_reduce(&rate.num, &rate.den, rate.num, rate.den, kMaxTimeBaseDenominator);
    // Rate control budgets each frame one tick of the time base: it must be
    // the frame interval.
    context->framerate = rate;
    context->time_base = av_inv_q(rate);

    GST_OBJECT_LOCK(self);
    const Settings settings = self->settings;
    GST_OBJECT_UNLOCK(self);
    context->bit_rate = settings.bitrate;
    context->gop_size = settings.gopSize;
    context->qmin = settings.qmin;
    context->qmax = settings.qmax;
    context->thread_count = settings.threads;
    // Frames leave in the order they came; timestamps need no reordering.
    context->max_b_frames = 0;
    if (settings.pass == kPassConstantQuantizer) {
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = static_cast<int>(FF_QP2LAMBDA * settings.quantizer);
    }
    if (avcodec_open2(context.get(), klass->codec, nullptr) < 0) {
        return false;
    }
    if (!session.picture) {
        session.picture.reset(av_frame_alloc());
        session.packet.reset(av_packet_alloc());
        if (!session.picture || !session.packet) {
            return false;
        }
    }
    session.context = std::move(context);
    session.drained = false;
    return true;
}

// Hands every packet the codec has ready downstream, each on the frame it was
// made from (the packet's timestamp is the frame's number).
GstFlowReturn PushPackets(LavVideoEncoder* self) {
    auto* encoder = GST_VIDEO_ENCODER(self);
    Session& session = self->session;
    AVPacket* packet = session.packet.get();
    for (;;) {
        const int received = avcodec_receive_packet(session.context.get(), packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return GST_FLOW_OK;
        }
        if (received < 0) {
            GST_ELEMENT_ERROR(self, STREAM, ENCODE, (nullptr), ("encoding failed (%d)", received));
            return GST_FLOW_ERROR;
        }
        auto frame = Handle<GstVideoCodecFrame>::Adopt(
            gst_video_encoder_get_frame(encoder, static_cast<int>(packet->pts)));
        if (!frame) {
            av_packet_unref(packet);
            continue;
        }
        frame.get()->output_buffer = gst_buffer_new_memdup(packet->data, packet->size);
        if ((packet->flags & AV_PKT_FLAG_KEY) != 0) {
            GST_VIDEO_CODEC_FRAME_SET_SYNC_POINT(frame.get());
        } else {
            GST_VIDEO_CODEC_FRAME_UNSET_SYNC_POINT(frame.get());
        }
        frame.get()->dts = frame.get()->pts;
        av_packet_unref(packet);
        const GstFlowReturn flow =
            gst_video_encoder_finish_frame(encoder, gst_video_codec_frame_ref(frame.get()));
        if (flow != GST_FLOW_OK) {
            return flow;
        }
    }
}

GstFlowReturn Finish(GstVideoEncoder* encoder) {
    LavVideoEncoder* self = Self(encoder);
    Session& session = self->session;
    if (!session.context || session.drained) {
        return GST_FLOW_OK;
    }
    session.drained = true;
    if (avcodec_send_frame(session.context.get(), nullptr) < 0) {
        return GST_FLOW_OK;
    }
    return PushPackets(self);
}

gboolean SetFormat(GstVideoEncoder* encoder, GstVideoCodecState* state) {
    LavVideoEncoder* self = Self(encoder);
    Session& session = self->session;
    // Frames the codec still holds leave in the old format.
    Finish(encoder);
    session.Close();
    session.input = Handle<GstVideoCodecState>::Ref(state);
    if (!OpenCodec(self)) {
        GST_ELEMENT_ERROR(self, LIBRARY, SETTINGS, (nullptr),
                          ("cannot open the %s encoder", ClassOf(self)->info->codecName.c_str()));
        return FALSE;
    }
    const auto caps = Handle<GstCaps>::Adopt(
        gst_caps_fixate(gst_caps_from_string(ClassOf(self)->info->outputCaps.c_str())));
    const AVCodecContext* context = session.context.get();
    if (context->extradata_size > 0) {
        const auto header = Handle<GstBuffer>::Adopt(
            gst_buffer_new_memdup(context->extradata, static_cast<gsize>(context->extradata_size)));
        gst_caps_set_simple(caps.get(), "codec_data", GST_TYPE_BUFFER, header.get(), nullptr);
    }
    // Size, rate and aspect come from the input state.
    const auto output = Handle<GstVideoCodecState>::Adopt(
        gst_video_encoder_set_output_state(encoder, gst_caps_ref(caps.get()), state));
    return TRUE;
}

GstFlowReturn HandleFrame(GstVideoEncoder* encoder, GstVideoCodecFrame* incoming) {
    LavVideoEncoder* self = Self(encoder);
    Session& session = self->session;
    const auto frame = Handle<GstVideoCodecFrame>::Adopt(incoming);
    if (!session.input) {
        return GST_FLOW_NOT_NEGOTIATED;
    }
    if ((!session.context || session.drained) && !OpenCodec(self)) {
        GST_ELEMENT_ERROR(self, LIBRARY, SETTINGS, (nullptr), ("cannot reopen the encoder"));
        return GST_FLOW_NOT_NEGOTIATED;
    }
    GstVideoFrame mapped;
    if (!gst_video_frame_map(&mapped, &session.input.get()->info, incoming->input_buffer,
                             GST_MAP_READ)) {
        GST_ELEMENT_ERROR(self, STREAM, ENCODE, (nullptr), ("cannot read the input frame"));
        return GST_FLOW_ERROR;
    }
    AVFrame* picture = session.picture.get();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = GST_VIDEO_FRAME_WIDTH(&mapped);
    picture->height = GST_VIDEO_FRAME_HEIGHT(&mapped);
    for (guint plane = 0; plane < GST_VIDEO_FRAME_N_PLANES(&mapped); ++plane) {
        picture->data[plane] = static_cast<uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&mapped, plane));
        picture->linesize[plane] = GST_VIDEO_FRAME_PLANE_STRIDE(&mapped, plane);
    }
    // One tick per frame in a time base of the frame rate.
    picture->pts = incoming->system_frame_number;
    picture->pict_type = GST_VIDEO_CODEC_FRAME_IS_FORCE_KEYFRAME(incoming) ? AV_PICTURE_TYPE_I
                                                                           : AV_PICTURE_TYPE_NONE;
    picture->quality = session.context->global_quality;
    // The codec copies a picture that holds no buffer references of its own.
    const int sent = avcodec_send_frame(session.context.get(), picture);
    av_frame_unref(picture);
    gst_video_frame_unmap(&mapped);
    if (sent < 0) {
        GST_ELEMENT_ERROR(self, STREAM, ENCODE, (nullptr), ("encoding failed (%d)", sent));
        return GST_FLOW_ERROR;
    }
    return PushPackets(self);
}

gboolean Flush(GstVideoEncoder* encoder) {
    // These codecs cannot be flushed; the next frame opens a fresh one.
    Self(encoder)->session.Close();
    return TRUE;
}

gboolean Stop(GstVideoEncoder* encoder) {
    Self(encoder)->session = Session();
    return TRUE;
}

gboolean ProposeAllocation(GstVideoEncoder* encoder, GstQuery* query) {
    gst_query_add_allocation_meta(query, GST_VIDEO_META_API_TYPE, nullptr);
    return GST_VIDEO_ENCODER_CLASS(parentClass)->propose_allocation(encoder, query);
}

void SetProperty(GObject* object, guint id, const GValue* value, GParamSpec* spec) {
    Settings& settings = Self(object)->settings;
    GST_OBJECT_LOCK(object);
    switch (id) {
    case kPropBitrate:
        settings.bitrate = g_value_get_int(value);
        break;
    case kPropGopSize:
        settings.gopSize = g_value_get_int(value);
        break;
    case kPropQMin:
        settings.qmin = g_value_get_int(value);
        break;
    case kPropQMax:
        settings.qmax = g_value_get_int(value);
        break;
    case kPropPass:
        settings.pass = g_value_get_enum(value);
        break;
    case kPropQuantizer:
        settings.quantizer = g_value_get_float(value);
        break;
    case kPropThreads:
        settings.threads = g_value_get_int(value);
        break;
    default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
        break;
    }
    GST_OBJECT_UNLOCK(object);
}

void GetProperty(GObject* object, guint id, GValue* value, GParamSpec* spec) {
    const Settings& settings = Self(object)->settings;
    GST_OBJECT_LOCK(object);
    switch (id) {
    case kPropBitrate:
        g_value_set_int(value, settings.bitrate);
        break;
    case kPropGopSize:
        g_value_set_int(value, settings.gopSize);
        break;
    case kPropQMin:
        g_value_set_int(value, settings.qmin);
        break;
    case kPropQMax:
        g_value_set_int(value, settings.qmax);
        break;
    case kPropPass:
        g_value_set_enum(value, settings.pass);
        break;
    case kPropQuantizer:
        g_value_set_float(value, settings.quantizer);
        break;
    case kPropThreads:
        g_value_set_int(value, settings.threads);
        break;
    default:
        G_OBJECT_WARN_INVALID_PROPERTY_ID(object, id, spec);
        break;
    }
    GST_OBJECT_UNLOCK(object);
}

void Finalize(GObject* object) {
    Self(object)->session.~Session();
    G_OBJECT_CLASS(parentClass)->finalize(object);
}

void InstanceInit(GTypeInstance* instance, gpointer) {
    LavVideoEncoder* self = Self(instance);
    new (&self->settings) Settings();
    new (&self->session) Session();
}

void InstallProperties(GObjectClass* objectClass) {
    constexpr auto flags = static_cast<GParamFlags>(G_PARAM_READWRITE | G_PARAM_STATIC_STRINGS);
    const Settings defaults;
    g_object_class_install_property(objectClass, kPropBitrate,
                                    g_param_spec_int("bitrate", "Bitrate",
                                                     "Target bitrate in bits per second", 0,
                                                     G_MAXINT, defaults.bitrate, flags));
    g_object_class_install_property(
        objectClass, kPropGopSize,
        g_param_spec_int("gop-size", "Key frame interval",
                         "Frames from one key frame to the next (0: every frame is one)", 0,
                         G_MAXINT, defaults.gopSize, flags));
    g_object_class_install_property(objectClass, kPropQMin,
                                    g_param_spec_int("qmin", "Minimum quantizer",
                                                     "Finest quantizer rate control may use", 1, 31,
                                                     defaults.qmin, flags));
    g_object_class_install_property(objectClass, kPropQMax,
                                    g_param_spec_int("qmax", "Maximum quantizer",
                                                     "Coarsest quantizer rate control may use", 1,
                                                     31, defaults.qmax, flags));
    g_object_class_install_property(
        objectClass, kPropPass,
        g_param_spec_enum("pass", "Encoding type", "Rate control: a bitrate or a fixed quantizer",
                          PassType(), defaults.pass, flags));
    g_object_class_install_property(
        objectClass, kPropQuantizer,
        g_param_spec_float("quantizer", "Constant quantizer",
                           "Quantizer of every frame when encoding with a fixed quantizer", 0.0f,
                           30.0f, defaults.quantizer, flags));
    g_object_class_install_property(objectClass, kPropThreads,
                                    g_param_spec_int("threads", "Threads",
                                                     "Encoding threads (0: one per core)", 0, 64,
                                                     defaults.threads, flags));
}

void ClassInit(gpointer klass, gpointer data) {
    parentClass = GST_ELEMENT_CLASS(g_type_class_peek_parent(klass));
    auto* own = static_cast<LavVideoEncoderClass*>(klass);
    own->info = static_cast<const LavVideoEncoderInfo*>(data);
    own->codec = avcodec_find_encoder_by_name(own->info->codecName.c_str());

    auto* objectClass = G_OBJECT_CLASS(klass);
    objectClass->set_property = SetProperty;
    objectClass->get_property = GetProperty;
    objectClass->finalize = Finalize;
    InstallProperties(objectClass);

    auto* elementClass = GST_ELEMENT_CLASS(klass);
    gst_element_class_set_metadata(elementClass, own->info->longName.c_str(),
                                   own->info->classification.c_str(),
                                   own->info->description.c_str(), "media layer");
    GstCaps* raw = gst_caps_from_string("video/x-raw, format=(string)I420, "
                                        "width=(int)[ 16, 8192 ], height=(int)[ 16, 8192 ], "
                                        "framerate=(fraction)[ 0/1, max ]");
    gst_element_class_add_pad_template(
        elementClass, gst_pad_template_new("sink", GST_PAD_SINK, GST_PAD_ALWAYS, raw));
    gst_caps_unref(raw);
    GstCaps* coded = gst_caps_from_string(own->info->outputCaps.c_str());
    gst_element_class_add_pad_template(
        elementClass, gst_pad_template_new("src", GST_PAD_SRC, GST_PAD_ALWAYS, coded));
    gst_caps_unref(coded);

    auto* encoderClass = GST_VIDEO_ENCODER_CLASS(klass);
    encoderClass->set_format = SetFormat;
    encoderClass->handle_frame = HandleFrame;
    encoderClass->finish = Finish;
    encoderClass->flush = Flush;
    encoderClass->stop = Stop;
    encoderClass->propose_allocation = ProposeAllocation;
}

} // namespace

bool RegisterLavVideoEncoder(const LavVideoEncoderInfo& info, guint rank) {
    if (avcodec_find_encoder_by_name(info.codecName.c_str()) == nullptr) {
        return false;
    }
    // Class data must outlive the type, which lives as long as the process.
    static std::deque<LavVideoEncoderInfo> registered;
    const std::string typeName = "MediaLavVideoEncoder_" + info.codecName;
    GType type = g_type_from_name(typeName.c_str());
    if (type == 0) {
        registered.push_back(info);
        const GTypeInfo typeInfo{
            sizeof(LavVideoEncoderClass),
            nullptr,
            nullptr,
            ClassInit,
            nullptr,
            &registered.back(),
            sizeof(LavVideoEncoder),
            0,
            InstanceInit,
            nullptr,
        };
        type = g_type_register_static(GST_TYPE_VIDEO_ENCODER, typeName.c_str(), &typeInfo,
                                      static_cast<GTypeFlags>(0));
    }
    return gst_element_register(nullptr, info.factoryName.c_str(), rank, type) != FALSE;
}

} // namespace media::internal
