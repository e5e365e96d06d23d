#include "OutputBuilder.h"
#include "MediaTestSupport.h"
#include "TestMedia.h"

#include <QFile>

namespace {

using namespace media;

struct FormatCase {
    OutputFormat format;
    const char* muxFactory;
    const char* name;
};

class OutputFormats : public mediatest::MediaTest,
                      public ::testing::WithParamInterface<FormatCase> {};

TEST_P(OutputFormats, MuxAndWriterJoinTheGraphLinked) {
    std::shared_ptr<FilterGraph> graph;
    ASSERT_EQ(FilterGraph::Create(graph), S_OK);
    OutputBuilder builder;
    ASSERT_EQ(builder.SetFiltergraph(graph), S_OK);
    const std::string path = OutputPath("out file");
    Element mux;
    Element writer;
    ASSERT_EQ(builder.SetOutputFileName(GetParam().format, path, mux, writer), S_OK);
    EXPECT_EQ(mux.FactoryName(), GetParam().muxFactory);
    EXPECT_EQ(writer.FactoryName(), "filesink");
    EXPECT_EQ(writer.GetProperty("location"), path);
    EXPECT_TRUE(mux.GetPad(PadDirection::Output, 0).ConnectedTo() ==
                writer.GetPad(PadDirection::Input, 0));
    const std::vector<Element> filters = graph->EnumFilters();
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_TRUE(filters[0] == mux);
    EXPECT_TRUE(filters[1] == writer);
}

INSTANTIATE_TEST_SUITE_P(
    All, OutputFormats,
    ::testing::Values(FormatCase{OutputFormat::Avi, "avimux", "Avi"},
                      FormatCase{OutputFormat::Matroska, "matroskamux", "Matroska"},
                      FormatCase{OutputFormat::Asf, "asfmux", "Asf"}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

class OutputBuilderTest : public mediatest::MediaTest {};

TEST_F(OutputBuilderTest, NeedsAGraphAndValidArguments) {
    OutputBuilder builder;
    Element mux;
    Element writer;
    EXPECT_EQ(builder.SetOutputFileName(OutputFormat::Avi, OutputPath("a.avi"), mux, writer),
              E_UNEXPECTED);
    EXPECT_EQ(builder.SetFiltergraph(nullptr), E_POINTER);
    std::shared_ptr<FilterGraph> graph;
    ASSERT_EQ(FilterGraph::Create(graph), S_OK);
    ASSERT_EQ(builder.SetFiltergraph(graph), S_OK);
    EXPECT_EQ(builder.SetOutputFileName(OutputFormat::Avi, "", mux, writer), E_INVALIDARG);
    ASSERT_EQ(builder.SetOutputFileName(OutputFormat::Avi, OutputPath("a.avi"), mux, writer), S_OK);
    // A mux of another graph, and an input pad as source, are refused.
    Element stranger = Element::Create("avimux");
    Element source = Element::Create("audiotestsrc");
    ASSERT_EQ(graph->AddFilter(source, "Tone"), S_OK);
    EXPECT_EQ(builder.RenderStream(source.GetPad(PadDirection::Output, 0), Element(), stranger),
              VFW_E_NOT_FOUND);
    EXPECT_EQ(builder.RenderStream(writer.GetPad(PadDirection::Input, 0), Element(), mux),
              E_INVALIDARG);
}

TEST_F(OutputBuilderTest, WriterWithoutOverwriteRefusesAnExistingFile) {
    std::shared_ptr<FilterGraph> graph;
    ASSERT_EQ(FilterGraph::Create(graph), S_OK);
    OutputBuilder builder;
    builder.SetFiltergraph(graph);
    const std::string path = OutputPath("existing.avi");
    Element mux;
    Element writer;
    ASSERT_EQ(builder.SetOutputFileName(OutputFormat::Avi, path, mux, writer), S_OK);
    EXPECT_EQ(SetFileWriterMode(writer, false), S_OK);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(SetFileWriterMode(writer, false), E_FILE_EXISTS);
    EXPECT_EQ(SetFileWriterMode(writer, true), S_OK);
}

// Test sources (no timeline) through an encoder into Matroska, and raw into AVI
// with unbounded interleaving.
TEST_F(OutputBuilderTest, RendersLiveSourcesIntoEachContainer) {
    struct Run {
        OutputFormat format;
        const char* file;
        const char* videoEncoder;
        const char* expectedCodec;
        InterleavingMode interleaving;
    };
    for (const Run& run :
         {Run{OutputFormat::Matroska, "tones.mkv", "avenc_mpeg4", "mpeg4", InterleavingMode::Full},
          Run{OutputFormat::Avi, "tones.avi", nullptr, "rawvideo",
              InterleavingMode::NoneBuffered}}) {
        SCOPED_TRACE(run.file);
        auto [graph, video, audio] = mediatest::MakeTestSources(30, 43);
        ASSERT_TRUE(graph);
        OutputBuilder builder;
        builder.SetFiltergraph(graph);
        const std::string path = OutputPath(run.file);
        Element mux;
        Element writer;
        ASSERT_EQ(builder.SetOutputFileName(run.format, path, mux, writer), S_OK);
        ASSERT_EQ(SetInterleavingMode(mux, run.interleaving), S_OK);
        EXPECT_EQ(GetInterleavingMode(mux), run.interleaving);
        Element encoder = run.videoEncoder ? Element::Create(run.videoEncoder) : Element();
        ASSERT_EQ(builder.RenderStream(video.GetPad(PadDirection::Output, 0), encoder, mux), S_OK);
        ASSERT_EQ(builder.RenderStream(audio.GetPad(PadDirection::Output, 0), Element(), mux),
                  S_OK);
        ASSERT_TRUE(Succeeded(graph->Run()));
        long code = 0;
        EXPECT_EQ(graph->WaitForCompletion(30000, code), S_OK) << graph->LastErrorText();
        graph->Stop();

        const testmedia::ProbeInfo info = testmedia::Probe(path);
        ASSERT_TRUE(info.ok);
        ASSERT_TRUE(info.First("video") && info.First("audio"));
        EXPECT_EQ(info.First("video")->codecName, run.expectedCodec);
        EXPECT_NEAR(info.duration, 1.0, 0.1);
        std::string errors;
        EXPECT_TRUE(testmedia::DecodesCleanly(path, &errors)) << errors;
    }
}

} // namespace
