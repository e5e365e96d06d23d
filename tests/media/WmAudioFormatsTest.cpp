// Every audio format the Windows Media profile manager lists really encodes:
// the encoder's output figures (rate, channels, block align) checked for each.

#include "OutputBuilder.h"
#include "TestMedia.h"
#include "WmProfileFixture.h"

#include <QFile>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace media;
using mediatest::WmProfileTest;

// The bytes of the file's wave format for the tag, channels and rate: the
// packet size stands 4 bytes after the rate.
int StoredBlockAlign(const std::string& path, int channels, std::uint32_t rate) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QByteArray data = file.readAll();
    QByteArray key;
    key.append('\x61').append('\x01').append(char(channels)).append('\0');
    for (int i = 0; i < 4; ++i) {
        key.append(char((rate >> (8 * i)) & 0xFF));
    }
    const qsizetype at = data.indexOf(key);
    if (at < 0 || at + 14 > data.size()) {
        return -1;
    }
    return static_cast<unsigned char>(data[at + 12]) | static_cast<unsigned char>(data[at + 13])
                                                           << 8;
}

// Every rate and channel count listed is encoded and written: the lowest and
// highest bitrate of each through the writer, checked with ffprobe.
TEST_F(WmProfileTest, EveryListedRateAndChannelCountEncodes) {
    std::map<std::pair<std::uint32_t, int>, std::vector<std::uint32_t>> byRate;
    const std::vector<WmMediaType> formats = Formats(WmMajorType::Audio, 0);
    for (std::uint32_t i = 0; i < formats.size(); ++i) {
        const WmWaveFormat* wave = formats[i].Wave();
        auto& indexes = byRate[{wave->nSamplesPerSec, wave->nChannels}];
        if (indexes.size() < 2) {
            indexes.push_back(i);
        } else {
            indexes[1] = i;
        }
    }
    ASSERT_GE(byRate.size(), 10u);
    for (const auto& [key, indexes] : byRate) {
        for (const std::uint32_t index : indexes) {
            const WmWaveFormat& wave = *formats[index].Wave();
            SCOPED_TRACE(std::to_string(key.first) + " Hz, " + std::to_string(key.second) +
                         " ch, " + std::to_string(wave.nAvgBytesPerSec * 8) + " bit/s");
            std::shared_ptr<WmProfile> profile;
            std::shared_ptr<WmStreamConfig> stream;
            ASSERT_EQ(manager_->CreateEmptyProfile(0x00090000, profile), S_OK);
            ASSERT_EQ(manager_->GetCodecFormat(WmMajorType::Audio, 0, index, stream), S_OK);
            ASSERT_EQ(stream->SetStreamNumber(1), S_OK);
            ASSERT_EQ(profile->AddStream(*stream), S_OK);

            auto [graph, video, audio] = mediatest::MakeTestSources(1, 20);
            ASSERT_TRUE(graph);
            ASSERT_EQ(graph->RemoveFilter(video), S_OK);
            audio.SetProperty("wave", "pink-noise");
            OutputBuilder builder;
            builder.SetFiltergraph(graph);
            const std::string path = OutputPath("tone.wma");
            Element mux;
            Element writer;
            ASSERT_EQ(builder.SetOutputFileName(OutputFormat::WindowsMedia, path, mux, writer),
                      S_OK);
            ASSERT_EQ(ConfigureFilterUsingProfile(mux, *profile), S_OK);
            ASSERT_EQ(builder.RenderStream(audio.GetPad(PadDirection::Output, 0), Element(), mux),
                      S_OK);
            ASSERT_TRUE(Succeeded(graph->Run()));
            long code = 0;
            EXPECT_EQ(graph->WaitForCompletion(30000, code), S_OK) << graph->LastErrorText();
            graph->Stop();

            QByteArray output;
            ASSERT_EQ(testmedia::Run("ffprobe",
                                     {"-v", "error", "-show_entries",
                                      "stream=codec_name,sample_rate,channels", "-of", "csv=p=0",
                                      QString::fromStdString(path)},
                                     &output),
                      0);
            EXPECT_EQ(output.trimmed().toStdString(),
                      "wmav2," + std::to_string(key.first) + "," + std::to_string(key.second));
            EXPECT_EQ(StoredBlockAlign(path, key.second, key.first), wave.nBlockAlign);
            std::string errors;
            EXPECT_TRUE(testmedia::DecodesCleanly(path, &errors)) << errors;
        }
    }
}

} // namespace
