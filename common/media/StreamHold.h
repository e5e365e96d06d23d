#pragma once

// Holds the data leaving a pad for as long as it lives, or until the graph
// stops: what a stalled stream looks like to the rest of the graph. For fault
// drills and tests of how a graph copes with one.

#include "Element.h"

namespace media {

class StreamHold {
public:
    explicit StreamHold(Pad pad);
    ~StreamHold(); // lets the data go on
    StreamHold(const StreamHold&) = delete;
    StreamHold& operator=(const StreamHold&) = delete;

    // Whether the hold was put in place.
    explicit operator bool() const { return id_ != 0; }

private:
    Pad pad_;
    unsigned long id_ = 0;
};

} // namespace media
