#include "EncoderCatalogue.h"

#include "EncoderProperties.h"

#include "internal/GstUtil.h"
#include "internal/OutputCaps.h"

#include <algorithm>
#include <memory>

namespace media {

namespace {

void FreeFactoryList(GList* list) {
    gst_plugin_feature_list_free(list);
}

} // namespace

std::vector<EncoderInfo> EncoderCatalogue::Enumerate(EncoderCategory category) {
    std::vector<EncoderInfo> encoders;
    // The media type filter also keeps image encoders out of the video list.
    std::unique_ptr<GList, decltype(&FreeFactoryList)> factories(
        gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_ENCODER |
                                                  (category == EncoderCategory::Video
                                                       ? GST_ELEMENT_FACTORY_TYPE_MEDIA_VIDEO
                                                       : GST_ELEMENT_FACTORY_TYPE_MEDIA_AUDIO),
                                              GST_RANK_NONE),
        &FreeFactoryList);
    for (GList* item = factories.get(); item != nullptr; item = item->next) {
        auto* factory = GST_ELEMENT_FACTORY(item->data);
        const gchar* longName =
            gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_LONGNAME);
        encoders.push_back({GST_OBJECT_NAME(factory), longName != nullptr ? longName : ""});
    }
    std::sort(encoders.begin(), encoders.end(), [](const EncoderInfo& a, const EncoderInfo& b) {
        return a.factoryName < b.factoryName;
    });
    return encoders;
}

Result EncoderCatalogue::Create(EncoderCategory category, int index, Element& encoder) {
    encoder = Element();
    const std::vector<EncoderInfo> encoders = Enumerate(category);
    if (index < 0) {
        return E_INVALIDARG;
    }
    if (index >= static_cast<int>(encoders.size())) {
        return S_FALSE;
    }
    encoder = CreateEncoder(encoders[index].factoryName);
    if (!encoder) {
        return VFW_E_NO_ENCODER;
    }
    internal::UseAllEncoderThreads(encoder.native());
    return S_OK;
}

} // namespace media
