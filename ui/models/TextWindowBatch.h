#pragma once
// Gathers the cuts a TextWindowTrimmer decides for a window between two
// repaints, so that a stream of appends reaches the widget as one cut: text
// that would be laid out and then trimmed away again is never laid out.
//
// The widget holds the text of the last Take; the batch knows how many lines
// of it are still kept. A cut of the leading lines either stays inside those
// lines, or reaches into the text not shown yet: then the widget is to be
// emptied and the pending text loses its own leading lines instead.

#include <cstddef>

#include "ui/models/TextWindowTrimmer.h"

class TextWindowBatch {
public:
    // Adds what the trimmer returned for one append, in the order they came.
    void Add(const TextWindowTrimmer::Cut& cut);
    bool Empty() const { return !pending_; }
    // The pending cuts as one, to apply to the widget; afterwards the widget
    // holds `lineCount` lines (the trimmer's LineCount).
    TextWindowTrimmer::Cut Take(std::size_t lineCount);
    // The widget was emptied: nothing pending, one empty line.
    void Reset();

private:
    TextWindowTrimmer::Cut cut_;
    std::size_t widgetLines_ = 1;   // lines of the widget that the pending cut keeps
    bool pending_ = false;
};
