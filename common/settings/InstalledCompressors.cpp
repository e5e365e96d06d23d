#include "InstalledCompressors.h"

#include "EncoderCatalogue.h"

#include <map>

namespace settings {

namespace {

media::EncoderCategory ToMedia(CompressorCategory category) {
    return category == CompressorCategory::Video ? media::EncoderCategory::Video
                                                 : media::EncoderCategory::Audio;
}

class InstalledCompressorDevices final : public CompressorDevices {
public:
    WalkResult Walk(CompressorCategory category, std::vector<CompressorMember>& members) override {
        members.clear();
        for (const media::EncoderInfo& info :
             media::EncoderCatalogue::Enumerate(ToMedia(category))) {
            members.push_back({true, !info.friendlyName.empty(),
                               QString::fromStdString(info.friendlyName),
                               QString::fromStdString(info.factoryName)});
        }
        return WalkResult::Ok;
    }

    bool Bind(CompressorCategory category, int index) override {
        media::Element encoder;
        const media::Result result =
            media::EncoderCatalogue::Create(ToMedia(category), index, encoder);
        if (media::Failed(result) || !encoder) {
            return false;
        }
        slots_[category] = encoder;
        return true;
    }

    void Release(CompressorCategory category) override { slots_.erase(category); }

    bool Bound(CompressorCategory category) const override { return slots_.count(category) != 0; }

    media::Element Filter(CompressorCategory category) const override {
        const auto slot = slots_.find(category);
        return slot != slots_.end() ? slot->second : media::Element();
    }

private:
    std::map<CompressorCategory, media::Element> slots_;
};

} // namespace

std::unique_ptr<CompressorDevices> MakeInstalledCompressorDevices() {
    return std::make_unique<InstalledCompressorDevices>();
}

} // namespace settings
