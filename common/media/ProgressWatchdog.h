#pragma once

// Notices a running conversion whose position has stopped moving, and writes
// down what its graph looked like then, so a stall ends with a message and a
// trace instead of a window that converts forever.

#include "FilterGraph.h"

#include <chrono>
#include <string>

namespace media {

// How long a playing graph's position may stand still before the conversion
// counts as stalled. Tests shorten it; the programs keep the default.
std::chrono::milliseconds NoProgressBound();
void SetNoProgressBound(std::chrono::milliseconds bound);

class ProgressWatchdog {
public:
    using Clock = std::chrono::steady_clock;

    // Starts watching now, with NoProgressBound() as it stands now.
    ProgressWatchdog();

    // Call now and then while the graph plays, with its position (negative when
    // unknown: nothing reached the end yet). True once the position has not
    // moved for the bound; a graph that never starts counts from construction.
    bool Stalled(ReferenceTime position, Clock::time_point now = Clock::now());
    // The furthest position seen, 0 before any.
    ReferenceTime Reached() const { return reached_; }

private:
    std::chrono::milliseconds bound_;
    ReferenceTime reached_ = 0;
    ReferenceTime last_ = -1;
    Clock::time_point lastMove_;
};

// Each element's state, each queue's level and the graph's position, as text.
std::string DescribeGraph(const FilterGraph& graph);

// Writes DescribeGraph and the graph in DOT form to "stalled-<time>.txt" and
// ".dot" in `folder`, logs where, and returns the text file's path (empty
// when nothing could be written).
std::string WriteGraphDiagnostics(const FilterGraph& graph, const std::string& folder);

} // namespace media
