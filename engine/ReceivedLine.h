#pragma once
// What the receive path hands to a job that collects a machine's output: every
// completed line in order, and where the punch start and end bytes fell among
// them. Lines that arrive together in one batch are all there, not only the
// last one that LastReplyLine holds.

#include <cstdint>
#include <string>
#include <vector>

struct ReceivedLine {
    // A completed line, or, with a mark, the partial line as it stood when
    // the mark arrived.
    std::string Text;
    // 0 for a completed line; else the byte that arrived (DC2, DC4 or '%').
    uint8_t Mark = 0;
};

using ReceivedLineList = std::vector<ReceivedLine>;
