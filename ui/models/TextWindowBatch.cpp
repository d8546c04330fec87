#include "ui/models/TextWindowBatch.h"

namespace {
// Removes the text up to and including its `breaks`-th line break (CR LF, a
// lone CR or a lone LF, as the trimmer counts them); everything when it has fewer.
void DropLeadingLines(std::string& text, std::size_t breaks) {
    std::size_t i = 0;
    while (breaks > 0 && i < text.size()) {
        const char c = text[i++];
        if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
        if (c == '\r' || c == '\n') --breaks;
    }
    text.erase(0, breaks == 0 ? i : text.size());
}
}  // namespace

void TextWindowBatch::Add(const TextWindowTrimmer::Cut& cut) {
    pending_ = true;
    if (cut.All) {
        cut_ = TextWindowTrimmer::Cut{};
        cut_.All = true;
        widgetLines_ = 1;
    } else if (cut.Lines > 0) {
        if (cut.Lines < widgetLines_) {
            // Only whole lines the widget shows: the last one goes on in the pending text.
            cut_.Lines += cut.Lines;
            widgetLines_ -= cut.Lines;
        } else {
            DropLeadingLines(cut_.Text, cut.Lines - widgetLines_ + 1);
            cut_.All = true;
            cut_.Lines = 0;
            widgetLines_ = 1;
        }
    }
    cut_.Text += cut.Text;
}

TextWindowTrimmer::Cut TextWindowBatch::Take(std::size_t lineCount) {
    TextWindowTrimmer::Cut cut = std::move(cut_);
    cut_ = TextWindowTrimmer::Cut{};
    pending_ = false;
    widgetLines_ = lineCount;
    return cut;
}

void TextWindowBatch::Reset() {
    cut_ = TextWindowTrimmer::Cut{};
    pending_ = false;
    widgetLines_ = 1;
}
