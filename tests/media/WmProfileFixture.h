#pragma once

// A profile manager for each Windows Media test, and the formats it lists.

#include "MediaTestSupport.h"
#include "WmProfile.h"

#include <memory>
#include <vector>

namespace mediatest {

class WmProfileTest : public MediaTest {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        ASSERT_EQ(media::WmProfileManager::Create(manager_), media::S_OK);
    }

    std::vector<media::WmMediaType> Formats(media::WmMajorType type, std::uint32_t codec) const {
        std::uint32_t count = 0;
        EXPECT_EQ(manager_->GetCodecFormatCount(type, codec, count), media::S_OK);
        std::vector<media::WmMediaType> formats;
        for (std::uint32_t i = 0; i < count; ++i) {
            std::shared_ptr<media::WmStreamConfig> config;
            media::WmMediaType mediaType;
            EXPECT_EQ(manager_->GetCodecFormat(type, codec, i, config), media::S_OK);
            EXPECT_EQ(config->GetMediaType(mediaType), media::S_OK);
            formats.push_back(mediaType);
        }
        return formats;
    }

    std::shared_ptr<media::WmProfileManager> manager_;
};

} // namespace mediatest
