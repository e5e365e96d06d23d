#include "FilterGraph.h"
#include "MediaTestSupport.h"
#include "OutputBuilder.h"
#include "TestMedia.h"

#include <QObject>

#include <algorithm>

#include <memory>

namespace {

using namespace media;

// Stands in for a program window: counts notifications and drains the graph's
// events the way a window procedure does.
class NotifyTarget : public QObject {
public:
    explicit NotifyTarget(FilterGraph& graph) : graph_(graph) {}

    bool event(QEvent* event) override {
        if (event->type() != kGraphNotifyEvent) {
            return QObject::event(event);
        }
        ++notifications;
        lastMessage = static_cast<GraphNotifyEvent*>(event)->message();
        long code = 0;
        std::intptr_t param1 = 0;
        std::intptr_t param2 = 0;
        while (Succeeded(graph_.GetEvent(code, param1, param2, 0))) {
            codes.push_back(code);
            results.push_back(static_cast<Result>(param1));
        }
        return true;
    }

    bool Saw(long code) const { return std::find(codes.begin(), codes.end(), code) != codes.end(); }

    int notifications = 0;
    int lastMessage = 0;
    std::vector<long> codes;
    std::vector<Result> results;

private:
    FilterGraph& graph_;
};

class GraphEventsTest : public mediatest::MediaTest {
protected:
    void SetUp() override {
        MediaTest::SetUp();
        ASSERT_EQ(FilterGraph::Create(graph_), S_OK);
    }

    std::shared_ptr<FilterGraph> graph_;
};

TEST_F(GraphEventsTest, CompletionIsPostedToTheTarget) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK);
    NotifyTarget target(*graph_);
    ASSERT_EQ(graph_->SetNotifyWindow(&target, kGraphNotifyMessage), S_OK);
    ASSERT_TRUE(Succeeded(graph_->Run()));
    EXPECT_TRUE(mediatest::ProcessEventsUntil([&] { return target.Saw(EC_COMPLETE); }, 20000));
    EXPECT_EQ(target.lastMessage, kGraphNotifyMessage);
    EXPECT_GE(target.notifications, 1);
    EXPECT_FALSE(target.Saw(EC_ERRORABORT));
}

TEST_F(GraphEventsTest, UnwritableOutputArrivesAsErrorAbortWithText) {
    Element source = Element::Create("videotestsrc");
    ASSERT_TRUE(source);
    source.SetProperty("num-buffers", "10");
    ASSERT_EQ(graph_->AddFilter(source, "Test Source"), S_OK);
    OutputBuilder builder;
    ASSERT_EQ(builder.SetFiltergraph(graph_), S_OK);
    Element mux;
    Element writer;
    ASSERT_EQ(
        builder.SetOutputFileName(OutputFormat::Avi, "/nonexistent-folder/out.avi", mux, writer),
        S_OK);
    ASSERT_EQ(builder.RenderStream(source.GetPad(PadDirection::Output, 0), Element(), mux), S_OK);

    NotifyTarget target(*graph_);
    graph_->SetNotifyWindow(&target, kGraphNotifyMessage);
    EXPECT_TRUE(Failed(graph_->Run()));
    EXPECT_TRUE(mediatest::ProcessEventsUntil([&] { return target.Saw(EC_ERRORABORT); }, 10000));
    ASSERT_FALSE(target.results.empty());
    EXPECT_TRUE(Failed(target.results.front()));
    EXPECT_FALSE(ErrorText(target.results.front()).empty());
    EXPECT_NE(graph_->LastErrorText().find("/nonexistent-folder/out.avi"), std::string::npos)
        << graph_->LastErrorText();
}

TEST_F(GraphEventsTest, NoPostingAfterTheTargetIsCleared) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK);
    NotifyTarget target(*graph_);
    graph_->SetNotifyWindow(&target, kGraphNotifyMessage);
    graph_->SetNotifyWindow(nullptr, 0);
    ASSERT_TRUE(Succeeded(graph_->Run()));
    long code = 0;
    EXPECT_EQ(graph_->WaitForCompletion(20000, code), S_OK);
    mediatest::ProcessEventsUntil([] { return false; }, 200);
    EXPECT_EQ(target.notifications, 0);
}

TEST_F(GraphEventsTest, TargetDestroyedBeforeDeliveryIsSafe) {
    const std::string path = testmedia::Mp4();
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(graph_->RenderFile(path), S_OK);
    auto target = std::make_unique<NotifyTarget>(*graph_);
    graph_->SetNotifyWindow(target.get(), kGraphNotifyMessage);
    ASSERT_TRUE(Succeeded(graph_->Run()));
    // The completion is queued and its notification posted; then the target goes.
    long code = 0;
    std::intptr_t param1 = 0;
    std::intptr_t param2 = 0;
    EXPECT_EQ(graph_->GetEvent(code, param1, param2, 20000), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    target.reset();
    mediatest::ProcessEventsUntil([] { return false; }, 200);
    EXPECT_EQ(graph_->GetEvent(code, param1, param2, 0), E_ABORT);
}

} // namespace
