#pragma once

#include "TestEnvironment.h"

// Shared pieces of the media layer tests.

#include "FilterGraph.h"
#include "MediaInit.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace mediatest {

constexpr media::ReferenceTime kSecond = media::kUnitsPerSecond;

// Brings the framework up for each test (the first call in a process does the work).
class MediaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(media::Initialize(), media::S_OK); }

    std::string OutputPath(const std::string& name) const {
        return outputDir_.filePath(QString::fromStdString(name)).toStdString();
    }

private:
    QTemporaryDir outputDir_;
};

// Processes Qt events until done() holds or timeoutMs passes; returns done().
using testenv::ProcessEventsUntil;

// A new graph holding two test sources, not linked yet: `videoFrames`
// pictures and `audioBuffers` buffers of sound. Empty graph on failure.
struct TestSources {
    std::shared_ptr<media::FilterGraph> graph;
    media::Element video;
    media::Element audio;
};
TestSources MakeTestSources(int videoFrames, int audioBuffers);

} // namespace mediatest
