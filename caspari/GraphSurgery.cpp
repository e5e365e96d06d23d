#include "GraphSurgery.h"

#include "CompressorCatalogue.h"
#include "Prompts.h"

#include <QFileInfo>

namespace caspari {

using media::Element;
using media::Pad;
using media::PadDirection;
using media::Result;

media::Result CountPins(const Element& filter, int* inputs, int* outputs) {
    if (!filter || inputs == nullptr || outputs == nullptr) {
        return media::E_POINTER;
    }
    *inputs = filter.PadCount(PadDirection::Input);
    *outputs = filter.PadCount(PadDirection::Output);
    return media::S_OK;
}

Pad GetPin(const Element& filter, PadDirection direction, int index) {
    return filter ? filter.GetPad(direction, index) : Pad();
}

Result FindRenderer(const media::FilterGraph& graph, media::MajorType type, Element& renderer) {
    renderer = Element();
    for (const Element& filter : graph.EnumFilters()) {
        int inputs = 0;
        int outputs = 0;
        if (media::Failed(CountPins(filter, &inputs, &outputs)) || inputs != 1 || outputs != 0) {
            continue;
        }
        const Pad input = GetPin(filter, PadDirection::Input, 0);
        if (!input.IsConnected()) {
            return media::VFW_E_NOT_CONNECTED;
        }
        if (input.ConnectionMajorType() == type) {
            renderer = filter;
            return media::S_OK;
        }
    }
    return media::S_OK;
}

void TearDownDownstream(const Element& filter, media::FilterGraph& graph,
                        const AddedCompressors& compressors) {
    for (PadDirection direction : {PadDirection::Input, PadDirection::Output}) {
        for (const Pad& pad : filter.Pads(direction)) {
            const Pad peer = pad.ConnectedTo();
            if (!peer) {
                continue;
            }
            const Element downstream = peer.Owner();
            if (peer.Direction() == PadDirection::Input) {
                TearDownDownstream(downstream, graph, compressors);
                graph.Disconnect(peer);
                graph.Disconnect(pad);
                graph.RemoveFilter(downstream);
            }
            if (compressors.video && downstream == compressors.video) {
                settings::BindCompressor(settings::CompressorCategory::Video,
                                         compressors.videoIndex);
            }
            if (compressors.audio && downstream == compressors.audio) {
                settings::BindCompressor(settings::CompressorCategory::Audio,
                                         compressors.audioIndex);
            }
        }
    }
}

Result RemoveSourceChain(media::FilterGraph& graph, const QString& sourcePath,
                         const AddedCompressors& compressors) {
    const Element source = graph.FindFilterByName(QFileInfo(sourcePath).fileName().toStdString());
    if (!source) {
        const Result result = media::VFW_E_NOT_FOUND;
        uikit::CurrentPrompts().ShowMessage(
            nullptr,
            QString::asprintf("Failed to FindFilterByName!  hr=0x%x\n",
                              static_cast<unsigned>(result)),
            "Message", uikit::PromptIcon::None);
        return result;
    }
    TearDownDownstream(source, graph, compressors);
    return graph.RemoveFilter(source);
}

} // namespace caspari
