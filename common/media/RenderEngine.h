#pragma once

// Turns a Timeline into a graph: the timeline's front end sits inside a plain
// graph whose output side the caller builds (e.g. with OutputBuilder) from the
// group output pins.

#include "Element.h"
#include "FilterGraph.h"
#include "Result.h"
#include "Timeline.h"

#include <memory>

namespace media {

class RenderEngine {
public:
    RenderEngine();
    ~RenderEngine();
    RenderEngine(const RenderEngine&) = delete;
    RenderEngine& operator=(const RenderEngine&) = delete;

    Result SetTimelineObject(std::shared_ptr<Timeline> timeline);
    // Builds the timeline's front end into a new graph. Fails if a source cannot
    // be loaded; LastErrorText then tells why.
    Result ConnectFrontEnd();
    Result GetGroupCount(int& count) const;
    // Output pad of group index, in the order the groups were added.
    Result GetGroupOutputPin(int index, Pad& pin) const;
    Result GetFilterGraph(std::shared_ptr<FilterGraph>& graph) const;
    // Stops and discards the graph; ConnectFrontEnd can build a new one.
    Result ScrapIt();
    std::string LastErrorText() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

} // namespace media
